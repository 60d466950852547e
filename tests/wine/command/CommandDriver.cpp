// Drives the command window of the real tova.exe: command mode is entered
// with its command, the command lines are typed with real keys (xdotool), and
// what the commands did is read back from the saved file and the registry.
// commanddriver CASE TOVA_EXE STANDINS_DIR; exit code 0 when the case held,
// 1 when it did not (the reason on standard error), 77 when keys cannot be
// pressed here.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "../../support/Xdotool.h"

namespace {

constexpr DWORD kWaitMs = 20000;
constexpr unsigned kCommandMode = 32805;
constexpr unsigned kSearch = 32872;
constexpr unsigned kMark = 32817;
constexpr wchar_t kSettingsKey[] = L"Software\\Brellix\\tova";

std::wstring g_strTova;
std::wstring g_strWork;

std::string Utf8(const std::wstring& w)
{
    int n = ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

bool Fail(int line, const char* what, const std::string& detail = "")
{
    std::fprintf(stderr, "line %d: check failed: %s %s\n", line, what, detail.c_str());
    return false;
}

#define CHECK(cond)                       \
    do {                                  \
        if (!(cond))                      \
            return Fail(__LINE__, #cond); \
    } while (0)
#define CHECK_EQ_S(actual, expected)                                                               \
    do {                                                                                           \
        std::string a_ = (actual), e_ = (expected);                                                \
        if (a_ != e_)                                                                              \
            return Fail(__LINE__, #actual, "is\n" + a_ + "\nexpected\n" + e_);                     \
    } while (0)

bool WaitFor(const std::function<bool()>& done, DWORD ms = kWaitMs)
{
    for (DWORD waited = 0;; waited += 50) {
        if (done())
            return true;
        if (waited >= ms)
            return false;
        ::Sleep(50);
    }
}

std::wstring ClassOf(HWND h)
{
    wchar_t name[128] = {};
    ::GetClassNameW(h, name, 128);
    return name;
}

std::wstring TextOf(HWND h)
{
    int n = static_cast<int>(::SendMessageW(h, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    ::SendMessageW(h, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(n));
    return text;
}

bool WriteBytes(const std::wstring& name, const std::string& bytes)
{
    HANDLE h = ::CreateFileW((g_strWork + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD n = 0;
    bool ok = ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) && n == bytes.size();
    ::CloseHandle(h);
    return ok;
}

std::string ReadBytes(const std::wstring& name)
{
    HANDLE h = ::CreateFileW((g_strWork + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                             nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return "(missing)";
    std::string bytes(1 << 20, '\0');
    DWORD n = 0;
    ::ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    ::CloseHandle(h);
    bytes.resize(n);
    return bytes;
}

std::wstring HistoryValue(int i)
{
    wchar_t key[8];
    std::swprintf(key, 8, L"%02d", i);
    wchar_t value[1024] = {};
    DWORD size = sizeof value;
    std::wstring path = std::wstring(kSettingsKey) + L"\\Command History";
    if (::RegGetValueW(HKEY_CURRENT_USER, path.c_str(), key, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return L"(missing)";
    return value;
}

struct FindArgs {
    DWORD pid;
    const wchar_t* cls;
    HWND found;
};

BOOL CALLBACK FindTopWindowProc(HWND h, LPARAM lp)
{
    auto* a = reinterpret_cast<FindArgs*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    if (pid == a->pid && ::IsWindowVisible(h) && ClassOf(h) == a->cls) {
        a->found = h;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopWindow(DWORD pid, const wchar_t* cls)
{
    FindArgs args{pid, cls, nullptr};
    ::EnumWindows(FindTopWindowProc, reinterpret_cast<LPARAM>(&args));
    return args.found;
}

BOOL CALLBACK FindCommandWindowProc(HWND h, LPARAM lp)
{
    if (::GetDlgCtrlID(h) == 130 && ClassOf(h) == L"TovaEditView") {
        *reinterpret_cast<HWND*>(lp) = h;
        return FALSE;
    }
    return TRUE;
}

class CTova {
public:
    ~CTova()
    {
        if (m_pi.hProcess) {
            if (::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT)
                ::TerminateProcess(m_pi.hProcess, 99);
            ::CloseHandle(m_pi.hProcess);
            ::CloseHandle(m_pi.hThread);
        }
    }
    bool Start(const std::wstring& args)
    {
        std::wstring line = L"\"" + g_strTova + L"\" " + args;
        STARTUPINFOW si = {sizeof si};
        return ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, g_strWork.c_str(), &si,
                                &m_pi) != 0;
    }
    bool Running() const { return ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT; }
    long Wait()
    {
        if (::WaitForSingleObject(m_pi.hProcess, kWaitMs) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        ::GetExitCodeProcess(m_pi.hProcess, &code);
        return static_cast<long>(code);
    }
    HWND Find(const wchar_t* cls)
    {
        HWND h = nullptr;
        WaitFor([&] { return (h = FindTopWindow(m_pi.dwProcessId, cls)) != nullptr || !Running(); });
        return h;
    }
    // The main window, once the document window is there and it is active.
    HWND Main()
    {
        HWND main = Find(L"TovaMainFrame");
        if (main)
            WaitFor([&] { return xdotool::Activate(main); });
        return main;
    }

private:
    PROCESS_INFORMATION m_pi = {};
};

HWND CommandWindow(HWND main)
{
    HWND found = nullptr;
    ::EnumChildWindows(main, FindCommandWindowProc, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring KeyName(wchar_t c)
{
    static const std::map<wchar_t, const wchar_t*> names = {
        {L' ', L"space"}, {L'|', L"bar"},       {L'!', L"exclam"}, {L'/', L"slash"},
        {L'.', L"period"}, {L'-', L"minus"},    {L'_', L"underscore"}};
    auto it = names.find(c);
    return it != names.end() ? it->second : std::wstring(1, c);
}

// Enters command mode (or search mode), types the line and presses Return;
// the command window must show and be gone again.
bool RunLine(HWND main, const std::wstring& line, unsigned nEnter = kCommandMode)
{
    HWND comwin = CommandWindow(main);
    CHECK(comwin);
    ::PostMessageW(main, WM_COMMAND, nEnter, 0);
    CHECK(WaitFor([&] { return ::IsWindowVisible(comwin) && ::GetFocus() != nullptr; }, 5000) ||
          ::IsWindowVisible(comwin));
    std::wstring keys;
    for (wchar_t c : line)
        keys += KeyName(c) + L" ";
    CHECK(xdotool::Keys(keys + L"Return"));
    CHECK(WaitFor([&] { return !::IsWindowVisible(comwin); }));
    ::Sleep(300);
    return true;
}

// The box the program shows now (its text), answered with the button.
bool Answer(CTova& tova, const std::wstring& expected, int button)
{
    HWND box = tova.Find(L"#32770");
    CHECK(box);
    std::wstring text = TextOf(::GetDlgItem(box, 0xFFFF));
    if (text.find(expected) == std::wstring::npos)
        return Fail(__LINE__, "box text", Utf8(text));
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, button)));
    CHECK(WaitFor([&] { return !::IsWindow(box); }));
    return true;
}

std::string Numbered(int from, int to, const char* prefix)
{
    std::string text;
    for (int i = from; i <= to; ++i)
        text += std::string(prefix) + std::to_string(i) + "\r\n";
    return text;
}

// One run through the command language: a line number, a search, a replace,
// a shell command and a filter, saved with "S"; the history is stored at exit
// and read back by the next run, which stores it again unchanged.
bool CommandWindowFlow()
{
    CHECK(WriteBytes(L"a.txt", "cherry\r\napple\r\nbanana\r\n" + Numbered(4, 20, "line")));
    {
        CTova tova;
        CHECK(tova.Start(L"a.txt"));
        HWND main = tova.Main();
        CHECK(main);
        CHECK(RunLine(main, L"G 12"));
        CHECK(xdotool::Keys(L"Z"));
        CHECK(RunLine(main, L"line15", kSearch));
        CHECK(xdotool::Keys(L"Y"));
        // From the caret (just before "line15") to the end of the file.
        CHECK(RunLine(main, L"REP s/line/L/"));
        CHECK(RunLine(main, L"!echo a"));
        CHECK(RunLine(main, L"G 1"));
        ::PostMessageW(main, WM_COMMAND, kMark, 0);
        CHECK(RunLine(main, L"G 3"));
        CHECK(RunLine(main, L"|tovasort"));
        CHECK(RunLine(main, L"S"));
        // The pick takes the caret back to the mark, above which the sorted
        // lines go; the marked lines stay.
        CHECK(WaitFor([&] { return ReadBytes(L"a.txt").rfind("apple\r\nbanana\r\ncherry\r\ncherry", 0) == 0; }));
        CHECK_EQ_S(ReadBytes(L"a.txt"), "apple\r\nbanana\r\ncherry\r\ncherry\r\napple\r\nbanana\r\n" +
                                            Numbered(4, 11, "line") + "Zline12\r\nline13\r\nline14\r\na\r\nYL15\r\n" +
                                            Numbered(16, 20, "L"));
        ::PostMessageW(main, WM_CLOSE, 0, 0);
        CHECK(tova.Wait() == 0);
    }
    const wchar_t* expected[] = {L"G 12", L"line15", L"REP s/line/L/", L"!echo a", L"G 1", L"G 3", L"|tovasort", L"S"};
    for (int i = 0; i < 8; ++i)
        if (HistoryValue(i) != expected[i])
            return Fail(__LINE__, "history", Utf8(HistoryValue(i)));
    CHECK(HistoryValue(8).empty());
    {
        CTova tova;
        CHECK(tova.Start(L"a.txt"));
        HWND main = tova.Main();
        CHECK(main);
        // An unknown word: a beep, and it joins the history.
        CHECK(RunLine(main, L"EDIT"));
        ::PostMessageW(main, WM_CLOSE, 0, 0);
        CHECK(tova.Wait() == 0);
    }
    CHECK(HistoryValue(0) == L"G 12");
    CHECK(HistoryValue(8) == L"EDIT");
    CHECK(HistoryValue(9).empty());
    return true;
}

// Output no line can hold is cut with one message; a command that never ends
// is ended at the user's word, leaving the document as it was; an empty
// command line does nothing.
bool ShellOutputLimits()
{
    CHECK(WriteBytes(L"b.txt", "first\r\nlast\r\n"));
    CTova tova;
    CHECK(tova.Start(L"b.txt"));
    HWND main = tova.Main();
    CHECK(main);
    CHECK(RunLine(main, L"G 2"));
    CHECK(RunLine(main, L"!tovalongline"));
    CHECK(Answer(tova, L"長すぎる行を分割しました", IDOK));
    CHECK(RunLine(main, L"!tovaforever"));
    CHECK(Answer(tova, L"終了させますか", IDYES));
    CHECK(RunLine(main, L"!  "));
    CHECK(RunLine(main, L"|tovacat"));
    CHECK(RunLine(main, L"S"));
    std::string expected = "first\r\n" + std::string(65278, 'x') + "\r\n" + std::string(70000 - 65278, 'x') +
                           "\r\nend\r\nlast\r\nlast\r\n";
    CHECK(WaitFor([&] { return ReadBytes(L"b.txt") == expected; }));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    CHECK(tova.Wait() == 0);
    return true;
}

const std::map<std::string, bool (*)()> kCases = {
    {"command_window_flow", CommandWindowFlow},
    {"shell_output_limits", ShellOutputLimits},
};

std::wstring FullPath(const std::wstring& path)
{
    wchar_t full[MAX_PATH] = {};
    ::GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: commanddriver CASE TOVA_EXE STANDINS_DIR\n");
        return 2;
    }
    std::string name = Utf8(argv[1]);
    auto it = kCases.find(name);
    if (it == kCases.end()) {
        std::fprintf(stderr, "no case %s\n", name.c_str());
        return 2;
    }
    if (!xdotool::Available()) {
        std::fprintf(stderr, "%s: skipped (no xdotool or X display)\n", name.c_str());
        return 77;
    }
    g_strTova = FullPath(argv[2]);
    // The editor and the shell it starts find the stand-ins on the path.
    wchar_t path[8192] = {};
    ::GetEnvironmentVariableW(L"PATH", path, 8192);
    ::SetEnvironmentVariableW(L"PATH", (FullPath(argv[3]) + L";" + path).c_str());
    // "SHELL" comes before "COMSPEC"; under Wine it names the Unix shell.
    ::SetEnvironmentVariableW(L"SHELL", nullptr);
    std::wstring work = FullPath(L"command-e2e\\" + std::wstring(argv[1]));
    ::CreateDirectoryW(FullPath(L"command-e2e").c_str(), nullptr);
    ::CreateDirectoryW(work.c_str(), nullptr);
    g_strWork = work + L"\\";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    bool ok = it->second();
    std::fprintf(stderr, "%s: %s\n", name.c_str(), ok ? "passed" : "FAILED");
    return ok ? 0 : 1;
}
