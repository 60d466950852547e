// Stand-ins for the mail client and its address-book editor. Each appends what
// reached it to the file named by TOVA_MAIL_LOG (Shift-JIS, one line each):
// "start <command line>" when it starts and "dde <command>" for each execute.
// It answers DDE (service "Mavlen", topic "Command"; the address-book editor
// "Alias", topic "system") on a window of its own, any number of clients at
// once, until "[quit]" comes or a minute passes.
//
// The mail client keeps a folder of mails (TOVA_MAIL_FOLDER: 0001.txt,
// 0002.txt, ...) and the mail shown in the editor. View("Next") and
// View("Prev") move to the neighbour, when there is one, and open it in the
// editor (DDE service TOVA_EDITOR_SERVICE, default "tova", topic "system")
// before they answer, as the real client does. Reply and Forward make the
// named mail the one shown. "[refuse(name)]" makes it refuse (negative
// acknowledgement) the next command of that name; "[slow(name)]" makes it
// answer the next one after a second. "[edit(tova.exe,mail)]" starts the
// editor to compose that mail.
#include <windows.h>
#include <dde.h>

#include <cstdio>
#include <string>
#include <vector>

#include "services/DDEClient_win.h"
#include "services/DdeCommand.h"
#include "platform/Wide_win.h"

namespace {

#ifdef STANDIN_ALIAS
constexpr wchar_t kService[] = L"Alias";
constexpr wchar_t kTopic[] = L"system";
#else
constexpr wchar_t kService[] = L"Mavlen";
constexpr wchar_t kTopic[] = L"Command";
#endif

std::wstring Env(const wchar_t* name)
{
    wchar_t value[1024] = {};
    DWORD n = ::GetEnvironmentVariableW(name, value, 1024);
    return n > 0 && n < 1024 ? std::wstring(value) : std::wstring();
}

void Log(const std::string& line)
{
    std::wstring path = Env(L"TOVA_MAIL_LOG");
    if (path.empty())
        return;
    if (FILE* f = _wfopen(path.c_str(), L"ab")) {
        std::fputs((line + "\n").c_str(), f);
        std::fclose(f);
    }
}

bool g_bQuit = false;
int g_nCurrent = 1;  // the mail shown: 0001.txt
std::string g_strRefuse;
std::string g_strSlow;

std::string MailPath(int n)
{
    char name[16];
    std::snprintf(name, sizeof name, "\\%04d.txt", n);
    return Narrow(Env(L"TOVA_MAIL_FOLDER")) + name;
}

bool Exists(const std::string& path) { return ::GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

// Opens a mail in the editor the way the client does.
bool OpenInEditor(const std::string& path)
{
    std::wstring service = Env(L"TOVA_EDITOR_SERVICE");
    CDDEClient editor(service.empty() ? "tova" : Narrow(service), "system");
    uint16_t status = 0;
    return editor.IsConnected() && editor.Execute("[open(-MAIL," + path + ")]", &status) && (status & 0x8000);
}

// The status of the answer (0x8000 acknowledged).
WORD Run(const std::string& text)
{
    CDdeCommand c;
    if (!ParseCommand(text, c))
        return 0;
    if (c.strName == "quit") {
        g_bQuit = true;
        return 0x8000;
    }
    if (c.strName == "refuse" || c.strName == "slow") {
        (c.strName == "refuse" ? g_strRefuse : g_strSlow) = c.args.empty() ? "" : c.args[0];
        return 0x8000;
    }
    Log("dde " + text);
    if (c.strName == g_strRefuse) {
        g_strRefuse.clear();
        return 0;
    }
    if (c.strName == g_strSlow) {
        g_strSlow.clear();
        DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < 1000) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageW(&msg);
            ::Sleep(10);
        }
    }
    if (c.strName == "edit" && c.args.size() == 2) {
        std::wstring line = L"\"" + Wide(c.args[0]) + L"\" -MAILEDIT \"" + Wide(c.args[1]) + L"\"";
        STARTUPINFOW si = {sizeof si};
        PROCESS_INFORMATION pi = {};
        if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return 0;
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
    if ((c.strName == "Reply" || c.strName == "Forward") && c.args.size() == 2)
        g_nCurrent = std::atoi(c.args[1].c_str());
    if (c.strName == "View" && c.args.size() == 1) {
        int n = g_nCurrent + (c.args[0] == "Next" ? 1 : c.args[0] == "Prev" ? -1 : 0);
        if (n != g_nCurrent && n >= 1 && Exists(MailPath(n)) && OpenInEditor(MailPath(n)))
            g_nCurrent = n;
    }
    return 0x8000;
}

void OnExecute(HWND hWnd, HWND hFrom, LPARAM lParam)
{
    UINT_PTR lo = 0, hi = 0;
    ::UnpackDDElParam(WM_DDE_EXECUTE, lParam, &lo, &hi);
    auto hCommand = reinterpret_cast<HGLOBAL>(hi);
    std::string text;
    if (auto* p = static_cast<const unsigned char*>(::GlobalLock(hCommand))) {
        text = DdeTextFromBlock(p, ::GlobalSize(hCommand));
        ::GlobalUnlock(hCommand);
    }
    WORD status = Run(text);
    LPARAM ack = ::ReuseDDElParam(lParam, WM_DDE_EXECUTE, WM_DDE_ACK, status, hi);
    if (!::PostMessageW(hFrom, WM_DDE_ACK, reinterpret_cast<WPARAM>(hWnd), ack))
        ::FreeDDElParam(WM_DDE_ACK, ack);
}

LRESULT CALLBACK ServerProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    auto hFrom = reinterpret_cast<HWND>(wParam);
    switch (nMsg) {
    case WM_DDE_INITIATE: {
        wchar_t app[64] = {}, topic[64] = {};
        ::GlobalGetAtomNameW(LOWORD(lParam), app, 64);
        ::GlobalGetAtomNameW(HIWORD(lParam), topic, 64);
        if (hFrom != hWnd && _wcsicmp(app, kService) == 0 && _wcsicmp(topic, kTopic) == 0)
            ::SendMessageW(hFrom, WM_DDE_ACK, reinterpret_cast<WPARAM>(hWnd),
                           MAKELPARAM(::GlobalAddAtomW(kService), ::GlobalAddAtomW(kTopic)));
        return 0;
    }
    case WM_DDE_EXECUTE: OnExecute(hWnd, hFrom, lParam); return 0;
    case WM_DDE_TERMINATE: ::PostMessageW(hFrom, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(hWnd), 0); return 0;
    default: return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int)
{
    Log("start " + Narrow(::GetCommandLineW()));
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ServerProc;
    wc.hInstance = hInstance;
    wc.lpszClassName = L"StandinMailServer";
    ::RegisterClassW(&wc);
    // Top-level and hidden: a message-only window gets no broadcast.
    HWND hWnd = ::CreateWindowW(wc.lpszClassName, kService, WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, hInstance,
                                nullptr);
    if (!hWnd)
        return 1;
    DWORD start = ::GetTickCount();
    while (!g_bQuit && ::GetTickCount() - start < 60000) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    ::DestroyWindow(hWnd);
    return 0;
}
