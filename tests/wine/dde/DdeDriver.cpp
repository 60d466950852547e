// Drives DDE conversations between processes: ddedriver CASE TOVA_EXE runs
// one case and exits 0 when it held, 1 when not (the reason on standard
// error). "ddedriver --serve LOG" is the server process of the pair case.
#include "DdeDriver.h"

#include <map>

namespace {

std::wstring g_strWork;
std::wstring g_strTova;

std::string Utf8(const std::wstring& w)
{
    int n = ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

std::wstring FullPath(const std::wstring& path)
{
    wchar_t full[MAX_PATH] = {};
    ::GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

std::wstring ClassOf(HWND h)
{
    wchar_t name[128] = {};
    ::GetClassNameW(h, name, 128);
    return name;
}

struct FindArgs {
    DWORD pid;
    const wchar_t* cls;
    const wchar_t* title;
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

} // namespace

bool Fail(int line, const char* what, const std::string& detail)
{
    std::fprintf(stderr, "line %d: check failed: %s %s\n", line, what, detail.c_str());
    return false;
}

bool WaitFor(const std::function<bool()>& done, DWORD ms)
{
    for (DWORD waited = 0;; waited += 50) {
        if (done())
            return true;
        if (waited >= ms)
            return false;
        ::Sleep(50);
    }
}

std::wstring WorkPath(const std::wstring& name) { return g_strWork + name; }
std::wstring TovaPath() { return g_strTova; }

std::wstring BuildDir() { return g_strTova.substr(0, g_strTova.find_last_of(L'\\')); }

std::wstring HostPath()
{
    std::wstring self = SelfPath();
    return self.substr(0, self.find_last_of(L'\\') + 1) + L"tovahlphost.exe";
}

std::wstring SelfPath()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    ::CloseHandle(h);
    return ok;
}

std::wstring TextOf(HWND h)
{
    int n = static_cast<int>(::SendMessageW(h, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    ::SendMessageW(h, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(n));
    return text;
}

HWND FindTopWindow(DWORD pid, const wchar_t* cls, const wchar_t* title)
{
    FindArgs args{pid, cls, title, nullptr};
    ::EnumWindows(FindTopWindowProc, reinterpret_cast<LPARAM>(&args));
    return args.found;
}

CProcess::~CProcess()
{
    if (m_pi.hProcess) {
        if (Running())
            ::TerminateProcess(m_pi.hProcess, 99);
        ::CloseHandle(m_pi.hProcess);
        ::CloseHandle(m_pi.hThread);
    }
}

bool CProcess::Start(const std::wstring& commandLine, WORD wShow, const std::wstring& dir)
{
    std::wstring line = commandLine;
    STARTUPINFOW si = {sizeof si};
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = wShow;
    std::fprintf(stderr, "starting: %s\n", Utf8(line).c_str());
    return ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            dir.empty() ? g_strWork.c_str() : dir.c_str(), &si,
                            &m_pi) != 0;
}

bool CProcess::Running() const { return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT; }

long CProcess::Wait(DWORD ms)
{
    if (::WaitForSingleObject(m_pi.hProcess, ms) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(m_pi.hProcess, &code);
    return static_cast<long>(code);
}

int ServeMain(const std::wstring& logPath);
bool CaseDdePair();
bool CaseDdeEditor();
bool CaseHelpLib();
bool CasePackageRuns();
bool CaseDdeFuzz();
bool CaseMailCompose();

int wmain(int argc, wchar_t** argv)
{
    if (argc == 3 && std::wstring(argv[1]) == L"--serve")
        return ServeMain(argv[2]);
    if (argc != 3) {
        std::fprintf(stderr, "usage: ddedriver CASE TOVA_EXE\n");
        return 2;
    }
    const std::map<std::string, bool (*)()> cases = {
        {"dde_pair", CaseDdePair},
        {"dde_editor", CaseDdeEditor},
        {"helplib", CaseHelpLib},
        {"package_runs", CasePackageRuns},
        {"dde_fuzz", CaseDdeFuzz},
        {"mail_compose", CaseMailCompose},
    };
    std::string name = Utf8(argv[1]);
    auto it = cases.find(name);
    if (it == cases.end()) {
        std::fprintf(stderr, "no case %s\n", name.c_str());
        return 2;
    }
    g_strTova = FullPath(argv[2]);
    std::wstring work = FullPath(L"dde-e2e\\" + std::wstring(argv[1]));
    ::CreateDirectoryW(FullPath(L"dde-e2e").c_str(), nullptr);
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
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Brellix\\tova");
    bool ok = it->second();
    std::fprintf(stderr, "%s: %s\n", name.c_str(), ok ? "passed" : "FAILED");
    return ok ? 0 : 1;
}
