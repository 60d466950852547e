// Drives the real tova.exe as a user (and the shell) would: starts it with a
// command line, finds its windows, sends it commands, answers its message
// boxes by pressing their buttons, and reads back what it stored in the
// registry. One run checks one case: tovadriver CASE. Exit code 0 when the
// case held, 1 when it did not (with the reason on standard error).
#include <windows.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "../../support/Xdotool.h"

namespace {

constexpr DWORD kWaitMs = 20000;
constexpr wchar_t kSettingsKey[] = L"Software\\Brellix\\tova";

std::wstring g_strTova;  // full path of tova.exe
std::wstring g_strWork;  // this case's folder, with a trailing backslash

std::string Utf8(const std::wstring& w)
{
    int n = ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

bool Fail(int line, const char* what, const std::wstring& detail = L"")
{
    std::fprintf(stderr, "line %d: check failed: %s %s\n", line, what, Utf8(detail).c_str());
    return false;
}

#define CHECK(cond)                              \
    do {                                         \
        if (!(cond))                             \
            return Fail(__LINE__, #cond);        \
    } while (0)
#define CHECK_EQ_W(actual, expected)                                                                   \
    do {                                                                                               \
        std::wstring a_ = (actual), e_ = (expected);                                                  \
        if (a_ != e_)                                                                                  \
            return Fail(__LINE__, #actual, L"is \"" + a_ + L"\", expected \"" + e_ + L"\"");         \
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

// ---- files ----

std::wstring WorkPath(const std::wstring& name) { return g_strWork + name; }

bool WriteBytes(const std::wstring& name, const std::string& bytes)
{
    HANDLE h = ::CreateFileW(WorkPath(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    ::CloseHandle(h);
    return ok;
}

long long FileSizeOf(const std::wstring& name)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(WorkPath(name).c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// ---- registry ----

std::wstring SectionKey(const wchar_t* section) { return std::wstring(kSettingsKey) + L"\\" + section; }

void ClearSettings() { ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey); }

void SetString(const wchar_t* section, const wchar_t* name, const std::wstring& value)
{
    ::RegSetKeyValueW(HKEY_CURRENT_USER, SectionKey(section).c_str(), name, REG_SZ, value.c_str(),
                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void SetInt(const wchar_t* section, const wchar_t* name, DWORD value)
{
    ::RegSetKeyValueW(HKEY_CURRENT_USER, SectionKey(section).c_str(), name, REG_DWORD, &value, sizeof value);
}

// The stored string, or "<missing>".
std::wstring GetString(const wchar_t* section, const wchar_t* name)
{
    wchar_t buf[4096] = {};
    DWORD size = sizeof buf;
    if (::RegGetValueW(HKEY_CURRENT_USER, SectionKey(section).c_str(), name, RRF_RT_REG_SZ, nullptr, buf, &size) !=
        ERROR_SUCCESS)
        return L"<missing>";
    return buf;
}

long GetInt(const wchar_t* section, const wchar_t* name)
{
    DWORD value = 0, size = sizeof value;
    if (::RegGetValueW(HKEY_CURRENT_USER, SectionKey(section).c_str(), name, RRF_RT_REG_DWORD, nullptr, &value,
                       &size) != ERROR_SUCCESS)
        return -99999;
    return static_cast<long>(value);
}

// ---- the program under test ----

struct FindArgs {
    DWORD pid;
    const wchar_t* cls;
    const wchar_t* title;  // any when null
    HWND found;
};

BOOL CALLBACK FindTopWindowProc(HWND h, LPARAM lp)
{
    auto* a = reinterpret_cast<FindArgs*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    if (pid == a->pid && ::IsWindowVisible(h) && ClassOf(h) == a->cls && (!a->title || TextOf(h) == a->title)) {
        a->found = h;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopWindow(DWORD pid, const wchar_t* cls, const wchar_t* title = nullptr)
{
    FindArgs args{pid, cls, title, nullptr};
    ::EnumWindows(FindTopWindowProc, reinterpret_cast<LPARAM>(&args));
    return args.found;
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
        std::fprintf(stderr, "starting: %s\n", Utf8(line).c_str());
        return ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, g_strWork.c_str(), &si,
                                &m_pi) != 0;
    }
    DWORD Pid() const { return m_pi.dwProcessId; }
    bool Running() const { return ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT; }
    // The exit code, or -1 when it did not end in time.
    long Wait(DWORD ms = kWaitMs)
    {
        if (::WaitForSingleObject(m_pi.hProcess, ms) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        ::GetExitCodeProcess(m_pi.hProcess, &code);
        return static_cast<long>(code);
    }

    HWND MainWindow(DWORD ms = kWaitMs)
    {
        HWND h = nullptr;
        WaitFor([&] { return (h = FindTopWindow(Pid(), L"TovaMainFrame")) != nullptr || !Running(); }, ms);
        return h;
    }
    // A message box or another dialog of the program (one with that title).
    HWND Dialog(DWORD ms = kWaitMs, const wchar_t* title = nullptr)
    {
        HWND h = nullptr;
        WaitFor([&] { return (h = FindTopWindow(Pid(), L"#32770", title)) != nullptr || !Running(); }, ms);
        return h;
    }

private:
    PROCESS_INFORMATION m_pi = {};
};

HWND MdiClient(HWND main) { return ::FindWindowExW(main, nullptr, L"MDIClient", nullptr); }

// The document windows, topmost first.
std::vector<HWND> DocWindows(HWND main)
{
    std::vector<HWND> windows;
    for (HWND h = ::GetWindow(MdiClient(main), GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        if (ClassOf(h) == L"TovaDocFrame")
            windows.push_back(h);
    return windows;
}

HWND DocWindowTitled(HWND main, const std::wstring& title)
{
    for (HWND h : DocWindows(main))
        if (TextOf(h) == title)
            return h;
    return nullptr;
}

bool WaitForDocWindows(HWND main, size_t n)
{
    return WaitFor([&] { return DocWindows(main).size() == n; });
}

std::wstring MessageText(HWND box) { return TextOf(::GetDlgItem(box, 0xFFFF)); }

void Press(HWND dialog, int id)
{
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void Command(HWND main, unsigned id) { ::PostMessageW(main, WM_COMMAND, id, 0); }

// Closes the main window and waits for the program to end; its exit code.
long CloseAndWait(CTova& tova, HWND main)
{
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    return tova.Wait();
}

std::string Lines(int n, const char* prefix)
{
    std::string text;
    for (int i = 1; i <= n; ++i)
        text += std::string(prefix) + std::to_string(i) + "\r\n";
    return text;
}

// Starts tova with a.txt and b.txt (made here) and waits for both windows.
bool StartWithTwoFiles(CTova& tova, HWND& main)
{
    CHECK(WriteBytes(L"a.txt", "alpha\r\n"));
    CHECK(WriteBytes(L"b.txt", "beta\r\n"));
    CHECK(tova.Start(L"a.txt b.txt"));
    main = tova.MainWindow();
    CHECK(main);
    CHECK(WaitForDocWindows(main, 2));
    return true;
}

// ---- the cases (each starts with no settings stored) ----

// A JIS file named on the command line opens as a document; closing the main
// window ends the program with exit code 0.
bool StartupOpensJisFile()
{
    // "日本語" in ISO-2022-JP, then an ASCII line.
    CHECK(WriteBytes(L"memo.jis", "\x1b$BF|K\\8l\x1b(B\r\nplain\r\n"));
    CTova tova;
    CHECK(tova.Start(L"\"" + WorkPath(L"memo.jis") + L"\""));
    HWND main = tova.MainWindow();
    CHECK(main);
    CHECK(WaitForDocWindows(main, 1));
    CHECK_EQ_W(TextOf(DocWindows(main)[0]), L"memo.jis");
    CHECK(!tova.Dialog(300));  // no message about the file
    CHECK(CloseAndWait(tova, main) == 0);
    return true;
}

bool StartWithFiles()
{
    CHECK(WriteBytes(L"a.txt", "alpha\r\n"));
    CHECK(WriteBytes(L"b.txt", "beta\r\n"));
    CTova tova;
    CHECK(tova.Start(L"a.txt \"" + WorkPath(L"b.txt") + L"\""));
    HWND main = tova.MainWindow();
    CHECK(main);
    CHECK(WaitForDocWindows(main, 2));
    CHECK(DocWindowTitled(main, L"a.txt"));
    CHECK(DocWindowTitled(main, L"b.txt"));
    CHECK_EQ_W(TextOf(DocWindows(main)[0]), L"b.txt");  // the last opened is on top
    CHECK_EQ_W(TextOf(main), L"tova - b.txt");
    CHECK(CloseAndWait(tova, main) == 0);
    return true;
}

// "-foo a.txt": an unknown option ends start-up silently: no window, no file,
// and the user's settings stay as they were.
bool UnknownOptionStartsNothing()
{
    SetInt(L"Other", L"ReadTab", 4);
    SetString(L"Font", L"FaceName", L"IPAGothic");
    CTova tova;
    CHECK(tova.Start(L"-foo a.txt"));
    bool bWindow = false;
    long code = -1;
    WaitFor([&] {
        if (FindTopWindow(tova.Pid(), L"TovaMainFrame") || FindTopWindow(tova.Pid(), L"#32770"))
            bWindow = true;
        return !tova.Running();
    });
    code = tova.Wait(0);
    CHECK(!bWindow);
    CHECK(code == 1);
    CHECK(FileSizeOf(L"a.txt") == -1);
    CHECK(GetInt(L"Other", L"ReadTab") == 4);
    CHECK_EQ_W(GetString(L"Font", L"FaceName"), L"IPAGothic");
    CHECK_EQ_W(GetString(L"Other", L"CursorBlink"), L"<missing>");
    return true;
}

// "a.txt -MAIL": options count only before the first file name, so "-MAIL" is a
// file (asked for and created) and the editor runs in the plain mode.
bool OptionsOnlyBeforeFiles()
{
    CHECK(WriteBytes(L"a.txt", "alpha\r\n"));
    CTova tova;
    CHECK(tova.Start(L"a.txt -MAIL"));
    HWND box = tova.Dialog();
    CHECK(box);
    CHECK_EQ_W(MessageText(box), L"-MAIL を作成しますか？");
    Press(box, IDYES);
    HWND main = tova.MainWindow();
    CHECK(main);
    CHECK(WaitForDocWindows(main, 2));
    CHECK(DocWindowTitled(main, L"a.txt"));
    HWND mail = DocWindowTitled(main, L"-MAIL");
    CHECK(mail);
    CHECK(FileSizeOf(L"-MAIL") == 0);
    // Plain mode: one view per window, no header pane splitter.
    CHECK(!::FindWindowExW(mail, nullptr, L"TovaSplitter", nullptr));
    CHECK(CloseAndWait(tova, main) == 0);
    return true;
}

// The window list is written at close from the bottom window to the top; an
// untitled window between the two files takes no number; an empty value ends it.
bool ViewListWrittenAtClose()
{
    CTova tova;
    HWND main = nullptr;
    CHECK(StartWithTwoFiles(tova, main));
    Command(main, 57600);  // File New
    CHECK(WaitForDocWindows(main, 3));
    // Bring a.txt to the top: the order becomes a.txt, untitled, b.txt.
    ::SendMessageW(MdiClient(main), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(DocWindowTitled(main, L"a.txt")), 0);
    CHECK(WaitFor([&] { return TextOf(DocWindows(main)[0]) == L"a.txt"; }));
    CHECK(CloseAndWait(tova, main) == 0);
    std::wstring v0 = GetString(L"View List", L"View0"), v1 = GetString(L"View List", L"View1");
    CHECK(v0.find(L" " + WorkPath(L"b.txt") + L" ") != std::wstring::npos);
    CHECK(v1.find(L" " + WorkPath(L"a.txt") + L" ") != std::wstring::npos);
    CHECK_EQ_W(GetString(L"View List", L"View2"), L"");
    CHECK_EQ_W(GetString(L"View List", L"View3"), L"<missing>");
    return true;
}

// With no file in the plain mode the previous run's windows come back, a path
// with a blank included, with their scroll positions, caret and tab width; the
// next close writes the same list again.
bool ViewListReopened()
{
    CHECK(WriteBytes(L"my memo.txt", Lines(80, "\tline ")));
    CHECK(WriteBytes(L"b.txt", Lines(5, "b ")));
    std::wstring memo = WorkPath(L"my memo.txt");
    std::wstring encoded;
    for (wchar_t c : memo)
        encoded += c == L' ' ? std::wstring(L"%20") : std::wstring(1, c);
    std::wstring view0 = L"1 10 20 410 320 " + encoded + L" 0 12 3 4 4 -1 -1";
    std::wstring view1 = L"1 30 40 430 340 " + WorkPath(L"b.txt") + L" 0 2 0 1 0 -1 -1";
    SetString(L"View List", L"View0", view0);
    SetString(L"View List", L"View1", view1);
    SetString(L"View List", L"View2", L"");
    CTova tova;
    CHECK(tova.Start(L""));
    HWND main = tova.MainWindow();
    CHECK(main);
    CHECK(WaitForDocWindows(main, 2));
    CHECK_EQ_W(TextOf(DocWindows(main)[0]), L"b.txt");
    CHECK(DocWindowTitled(main, L"my memo.txt"));
    CHECK(CloseAndWait(tova, main) == 0);
    CHECK_EQ_W(GetString(L"View List", L"View0"), view0);
    CHECK_EQ_W(GetString(L"View List", L"View1"), view1);
    CHECK_EQ_W(GetString(L"View List", L"View2"), L"");
    return true;
}

// "Main Frame Rect" places the main window, and its last position is stored at close.
bool MainFrameRectRoundTrip()
{
    SetInt(L"Main Frame Rect", L"Left", 100);
    SetInt(L"Main Frame Rect", L"Top", 80);
    SetInt(L"Main Frame Rect", L"Width", 600);
    SetInt(L"Main Frame Rect", L"Height", 450);
    CHECK(WriteBytes(L"a.txt", "alpha\r\n"));
    CTova tova;
    CHECK(tova.Start(L"a.txt"));
    HWND main = tova.MainWindow();
    CHECK(main);
    RECT rc = {};
    CHECK(WaitFor([&] {
        ::GetWindowRect(main, &rc);
        return rc.left == 100 && rc.top == 80 && rc.right == 700 && rc.bottom == 530;
    }));
    ::SetWindowPos(main, nullptr, 150, 120, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    CHECK(WaitFor([&] {
        ::GetWindowRect(main, &rc);
        return rc.left == 150 && rc.top == 120;
    }));
    CHECK(CloseAndWait(tova, main) == 0);
    CHECK(GetInt(L"Main Frame Rect", L"Left") == 150);
    CHECK(GetInt(L"Main Frame Rect", L"Top") == 120);
    CHECK(GetInt(L"Main Frame Rect", L"Width") == 640);
    CHECK(GetInt(L"Main Frame Rect", L"Height") == 480);
    CHECK(GetInt(L"Other", L"ToolBarVisible") == 1);
    CHECK(GetInt(L"Other", L"StatusBarVisible") == 1);
    return true;
}

// A file that does not exist is asked for: Yes makes it, empty, and opens it;
// No opens nothing and makes nothing.
bool MissingFileAsksAndCreates()
{
    {
        CTova tova;
        CHECK(tova.Start(L"new.txt"));
        HWND box = tova.Dialog();
        CHECK(box);
        CHECK_EQ_W(MessageText(box), L"new.txt を作成しますか？");
        Press(box, IDYES);
        HWND main = tova.MainWindow();
        CHECK(main);
        CHECK(WaitForDocWindows(main, 1));
        CHECK_EQ_W(TextOf(DocWindows(main)[0]), L"new.txt");
        CHECK(FileSizeOf(L"new.txt") == 0);
        CHECK(CloseAndWait(tova, main) == 0);
    }
    CTova tova;
    CHECK(tova.Start(L"gone.txt"));
    HWND box = tova.Dialog();
    CHECK(box);
    Press(box, IDNO);
    HWND main = tova.MainWindow();
    CHECK(main);
    ::Sleep(300);
    CHECK(DocWindows(main).empty());
    CHECK(FileSizeOf(L"gone.txt") == -1);
    CHECK(CloseAndWait(tova, main) == 0);
    return true;
}

// The help commands open nothing and do no harm; close all windows (32810)
// closes every document window; the toolbar and status bar toggles are stored.
bool HelpCloseAllAndBars()
{
    CTova tova;
    HWND main = nullptr;
    CHECK(StartWithTwoFiles(tova, main));
    Command(main, 57670);
    Command(main, 57666);
    Command(main, 32810);
    CHECK(WaitForDocWindows(main, 0));
    CHECK(tova.Running());
    Command(main, 59392);  // toolbar off
    Command(main, 59393);  // status bar off
    HWND toolbar = ::FindWindowExW(main, nullptr, L"ToolbarWindow32", nullptr);
    CHECK(WaitFor([&] { return !::IsWindowVisible(toolbar); }));
    CHECK(CloseAndWait(tova, main) == 0);
    CHECK(GetInt(L"Other", L"ToolBarVisible") == 0);
    CHECK(GetInt(L"Other", L"StatusBarVisible") == 0);
    // The next start takes the bars' state.
    CTova again;
    CHECK(again.Start(L""));
    main = again.MainWindow();
    CHECK(main);
    toolbar = ::FindWindowExW(main, nullptr, L"ToolbarWindow32", nullptr);
    CHECK(toolbar && !::IsWindowVisible(toolbar));
    CHECK(CloseAndWait(again, main) == 0);
    return true;
}

std::string ReadBytes(const std::wstring& name)
{
    std::string bytes;
    HANDLE h = ::CreateFileW(WorkPath(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    char buf[4096];
    DWORD got = 0;
    while (::ReadFile(h, buf, sizeof buf, &got, nullptr) && got)
        bytes.append(buf, got);
    ::CloseHandle(h);
    return bytes;
}

// Types a character into the active document window's view.
void TypeInto(HWND docWindow, wchar_t ch)
{
    HWND view = ::FindWindowExW(docWindow, nullptr, L"TovaEditView", nullptr);
    ::PostMessageW(view, WM_CHAR, ch, 0);
}

// The File menu's output options save in the chosen code with the chosen line
// ends (their check marks are tested in the view's unit tests: another
// process cannot read this one's menus under Wine); a read-only file is refused with a message and stays as it was; the
// main title names the active document, an untitled one in Japanese, and no
// document once the last window closed.
bool SaveOptionsReadOnlyAndTitles()
{
    CHECK(WriteBytes(L"kanji.txt", "\x8A\xBF\x8E\x9A\r\n"));  // 漢字
    CHECK(WriteBytes(L"ro.txt", "kept\r\n"));
    CHECK(::SetFileAttributesW(WorkPath(L"ro.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    CTova tova;
    CHECK(tova.Start(L"ro.txt kanji.txt"));
    HWND main = tova.MainWindow();
    CHECK(main);
    CHECK(WaitForDocWindows(main, 2));
    WaitFor([&] { return TextOf(main) == L"tova - kanji.txt"; });
    CHECK_EQ_W(TextOf(main), L"tova - kanji.txt");

    Command(main, 32830);  // EUC
    Command(main, 32818);  // LF only
    TypeInto(DocWindows(main)[0], L'x');
    Command(main, 57603);  // save
    CHECK(WaitFor([&] { return ReadBytes(L"kanji.txt") == "x\xB4\xC1\xBB\xFA\n"; }));
    Command(main, 32799);  // JIS turns EUC off
    TypeInto(DocWindows(main)[0], L'y');
    Command(main, 57603);
    CHECK(WaitFor([&] { return ReadBytes(L"kanji.txt") == "xy\x1B$B4A;z\x1B(J\n"; }));

    ::SendMessageW(MdiClient(main), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(DocWindowTitled(main, L"ro.txt")), 0);
    WaitFor([&] { return TextOf(main) == L"tova - ro.txt"; });
    CHECK_EQ_W(TextOf(main), L"tova - ro.txt");
    TypeInto(DocWindows(main)[0], L'z');
    Command(main, 57603);
    HWND box = tova.Dialog();
    CHECK(box);
    CHECK(MessageText(box).find(L"読み取り専用のファイルです") != std::wstring::npos);
    Press(box, IDOK);
    CHECK(ReadBytes(L"ro.txt") == "kept\r\n");
    CHECK(::SetFileAttributesW(WorkPath(L"ro.txt").c_str(), FILE_ATTRIBUTE_NORMAL));

    Command(main, 57600);  // new
    CHECK(WaitForDocWindows(main, 3));
    WaitFor([&] { return TextOf(main) == L"tova - 無題1"; });
    CHECK_EQ_W(TextOf(main), L"tova - 無題1");
    CHECK_EQ_W(TextOf(DocWindows(main)[0]), L"無題1");
    Command(main, 32810);  // close all: ro.txt asks about its change
    box = tova.Dialog();
    CHECK(box);
    Press(box, IDNO);
    CHECK(WaitForDocWindows(main, 0));
    WaitFor([&] { return TextOf(main) == L"tova"; });
    CHECK_EQ_W(TextOf(main), L"tova");
    CHECK(CloseAndWait(tova, main) == 0);
    return true;
}

// File Open: the built-in filters are stored on first use, the chosen file is
// opened, and its folder becomes "OpenFileDir" (written at exit).
bool FileOpenDialog()
{
    CHECK(WriteBytes(L"pick.txt", "picked\r\n"));
    CTova tova;
    CHECK(tova.Start(L""));
    HWND main = tova.MainWindow();
    CHECK(main);
    Command(main, 57601);
    HWND dialog = tova.Dialog();
    CHECK(dialog);
    // The file name field of the dialog (its combo box 0x47C or edit 0x480).
    HWND name = ::GetDlgItem(dialog, 0x47C);
    if (name && ClassOf(name) == L"ComboBox")
        name = ::FindWindowExW(name, nullptr, L"Edit", nullptr);
    if (!name)
        name = ::GetDlgItem(dialog, 0x480);
    CHECK(name);
    std::wstring path = WorkPath(L"pick.txt");
    ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    Press(dialog, IDOK);
    CHECK(WaitForDocWindows(main, 1));
    CHECK_EQ_W(TextOf(DocWindows(main)[0]), L"pick.txt");
    CHECK(CloseAndWait(tova, main) == 0);
    CHECK(GetString(L"OpenFileDialog", L"FilterString").rfind(L"Text (*.txt;*.doc)|*.txt;*.doc|", 0) == 0);
    std::wstring folder = g_strWork.substr(0, g_strWork.size() - 1);
    CHECK_EQ_W(GetString(L"Other", L"OpenFileDir"), folder);
    return true;
}

std::wstring ClassesRootValue(const wchar_t* key)
{
    wchar_t buf[1024] = {};
    DWORD size = sizeof buf;
    if (::RegGetValueW(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return buf;
}

// The other-settings dialog of the real program: a number out of its range
// gets the program's message box over the dialog, which stays open; the
// ".txt" button associates tova.exe (its short path); the values are written
// at exit.
bool OtherSettingsDialog()
{
    CTova tova;
    CHECK(tova.Start(L""));
    HWND main = tova.MainWindow();
    CHECK(main);
    Command(main, 32812);
    HWND dialog = tova.Dialog(kWaitMs, L"その他の設定");
    CHECK(dialog);
    Press(dialog, 195);
    ::SendMessageW(::GetDlgItem(dialog, 183), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"300"));
    Press(dialog, IDOK);
    HWND box = tova.Dialog(kWaitMs, L"tova");
    CHECK(box);
    CHECK_EQ_W(MessageText(box), L"16 から 256 までの整数を入力してください。");
    CHECK(::GetWindow(box, GW_OWNER) == dialog);
    Press(box, IDOK);
    CHECK(WaitFor([&] { return !::IsWindow(box); }));
    CHECK(::IsWindowVisible(dialog));
    ::SendMessageW(::GetDlgItem(dialog, 183), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"120"));
    Press(dialog, IDOK);
    CHECK(WaitFor([&] { return !::IsWindow(dialog); }));
    CHECK(CloseAndWait(tova, main) == 0);
    CHECK(GetInt(L"Other", L"Line Length") == 120);
    wchar_t shortPath[MAX_PATH] = {};
    CHECK(::GetShortPathNameW(g_strTova.c_str(), shortPath, MAX_PATH) > 0);
    CHECK_EQ_W(ClassesRootValue(L"txtfile\\shell\\open\\command"), std::wstring(shortPath) + L" -max \"%1\"");
    CHECK_EQ_W(ClassesRootValue(L".txt"), L"txtfile");
    return true;
}

// ---- key bindings (keys pressed with xdotool; skipped where it cannot run) ----

bool g_bSkipped = false;

// The real program with its default table: Ctrl+N makes a new window, but not
// in control-code input mode (it is typed as a character then); F9 given to File New in the key binding dialogs,
// by pressing it into the label, works at once and is stored at exit.
bool KeysReboundInDialog()
{
    if (!xdotool::Available()) {
        g_bSkipped = true;
        return true;
    }
    CHECK(WriteBytes(L"a.txt", "alpha\r\n"));
    CTova tova;
    CHECK(tova.Start(L"a.txt"));
    HWND main = tova.MainWindow();
    CHECK(main);
    CHECK(WaitForDocWindows(main, 1));
    CHECK(WaitFor([&] { return xdotool::Activate(main); }));
    // The key table is installed just after the window shows; a Ctrl+N that
    // came before it (or before the activation took) is pressed again.
    CHECK(WaitFor([&] {
        return xdotool::Keys(L"ctrl+n") && WaitFor([&] { return DocWindows(main).size() >= 2; }, 2000);
    }));
    CHECK(WaitForDocWindows(main, 2));
    Command(main, 32885);  // control-code input mode on
    CHECK(xdotool::Keys(L"ctrl+n"));
    ::Sleep(500);
    CHECK(DocWindows(main).size() == 2);
    Command(main, 32885);  // and off

    Command(main, 32794);
    HWND table = tova.Dialog(kWaitMs, L"ｷｰﾊﾞｲﾝﾃﾞｨﾝｸﾞﾃｰﾌﾞﾙ");
    CHECK(table);
    CHECK(xdotool::Activate(table));
    // File New's row is the ninth from the end.
    CHECK(xdotool::Keys(L"End Up Up Up Up Up Up Up Up alt+c"));
    HWND command = tova.Dialog(kWaitMs, L"ｷｰﾊﾞｲﾝﾃﾞｨﾝｸﾞ");
    CHECK(command);
    CHECK_EQ_W(TextOf(::GetDlgItem(command, 124)), L"新規にﾌｧｲﾙを作成");
    CHECK(xdotool::Activate(command));
    CHECK(xdotool::Keys(L"alt+a"));
    HWND edit = nullptr;
    CHECK(WaitFor([&] { return (edit = ::FindWindowExW(::GetDlgItem(command, 117), nullptr, L"Edit", nullptr)); }));
    CHECK(xdotool::Keys(L"F9"));
    CHECK(WaitFor([&] { return TextOf(edit) == L"F9"; }));
    Press(command, IDOK);
    CHECK(WaitFor([&] { return !::IsWindow(command); }));
    Press(table, IDOK);
    CHECK(WaitFor([&] { return !::IsWindow(table); }));

    CHECK(xdotool::Activate(main));
    CHECK(xdotool::Keys(L"F9"));
    CHECK(WaitForDocWindows(main, 3));
    // The Ctrl+N typed in control-code mode went into the second window's
    // text as a character: closing asks whether to save it.
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    HWND ask = tova.Dialog(kWaitMs, L"tova");
    CHECK(ask);
    Press(ask, IDNO);
    CHECK(tova.Wait() == 0);
    bool bStored = false;
    for (int n = 0; n < 90; ++n)
        bStored |= GetString(L"Key Binding Table", (L"Entry" + std::to_wstring(n)).c_str()) == L"3 120 57600";
    CHECK(bStored);
    return true;
}

const std::map<std::string, bool (*)()> kCases = {
    {"startup_opens_jis_file", StartupOpensJisFile},
    {"start_with_files", StartWithFiles},
    {"unknown_option_starts_nothing", UnknownOptionStartsNothing},
    {"options_only_before_files", OptionsOnlyBeforeFiles},
    {"view_list_written_at_close", ViewListWrittenAtClose},
    {"view_list_reopened", ViewListReopened},
    {"main_frame_rect_round_trip", MainFrameRectRoundTrip},
    {"missing_file_asks_and_creates", MissingFileAsksAndCreates},
    {"help_close_all_and_bars", HelpCloseAllAndBars},
    {"file_open_dialog", FileOpenDialog},
    {"other_settings_dialog", OtherSettingsDialog},
    {"keys_rebound_in_dialog", KeysReboundInDialog},
    {"save_options_read_only_and_titles", SaveOptionsReadOnlyAndTitles},
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
    if (argc != 3) {
        std::fprintf(stderr, "usage: tovadriver CASE TOVA_EXE\n");
        return 2;
    }
    std::string name = Utf8(argv[1]);
    auto it = kCases.find(name);
    if (it == kCases.end()) {
        std::fprintf(stderr, "no case %s\n", name.c_str());
        return 2;
    }
    g_strTova = FullPath(argv[2]);
    // A folder of its own for the case, emptied first.
    std::wstring work = FullPath(L"shell-e2e\\" + std::wstring(argv[1]));
    ::CreateDirectoryW(FullPath(L"shell-e2e").c_str(), nullptr);
    ::CreateDirectoryW(work.c_str(), nullptr);
    WIN32_FIND_DATAW fd;
    HANDLE hFind = ::FindFirstFileW((work + L"\\*").c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ::DeleteFileW((work + L"\\" + fd.cFileName).c_str());
        } while (::FindNextFileW(hFind, &fd));
        ::FindClose(hFind);
    }
    g_strWork = work + L"\\";
    ClearSettings();
    bool ok = it->second();
    if (g_bSkipped) {
        std::fprintf(stderr, "%s: skipped (no xdotool or X display)\n", name.c_str());
        return 77;
    }
    std::fprintf(stderr, "%s: %s\n", name.c_str(), ok ? "passed" : "FAILED");
    return ok ? 0 : 1;
}
