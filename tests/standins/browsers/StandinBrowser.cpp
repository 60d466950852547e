// Stand-in web browsers for the browser launch: each appends what reached it
// to the file named by TOVA_BROWSER_LOG. Started with a URL it writes
// "cmd <command line>" and ends. The DDE-capable one started with "-serve"
// instead answers the DDE service "StandinBrowser", topic "WWW_OpenURL", writing
// "dde <command>" for each execute, until "[quit]" comes or 30 seconds pass.
#include <windows.h>
#include <ddeml.h>

#include <cstdio>
#include <string>

namespace {

void Log(const std::wstring& line)
{
    wchar_t path[MAX_PATH] = {};
    if (!::GetEnvironmentVariableW(L"TOVA_BROWSER_LOG", path, MAX_PATH))
        return;
    FILE* f = _wfopen(path, L"ab");
    if (!f)
        return;
    std::wstring text = line + L"\n";
    int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), n, nullptr, nullptr);
    std::fputs(utf8.c_str(), f);
    std::fclose(f);
}

DWORD g_idInst = 0;
HSZ g_hszService = nullptr;
HSZ g_hszTopic = nullptr;
bool g_bQuit = false;

HDDEDATA CALLBACK DdeCallback(UINT type, UINT, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA hData, ULONG_PTR, ULONG_PTR)
{
    switch (type) {
    case XTYP_CONNECT:
        return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(
            ::DdeCmpStringHandles(hsz1, g_hszTopic) == 0 && ::DdeCmpStringHandles(hsz2, g_hszService) == 0));
    case XTYP_EXECUTE: {
        DWORD size = ::DdeGetData(hData, nullptr, 0, 0);
        std::wstring command(size / sizeof(wchar_t) + 1, L'\0');
        ::DdeGetData(hData, reinterpret_cast<LPBYTE>(command.data()), size, 0);
        command.resize(wcslen(command.c_str()));
        if (command == L"[quit]")
            g_bQuit = true;
        else
            Log(L"dde " + command);
        return reinterpret_cast<HDDEDATA>(DDE_FACK);
    }
    default: return nullptr;
    }
}

int Serve()
{
    if (::DdeInitializeW(&g_idInst, DdeCallback, APPCLASS_STANDARD | CBF_SKIP_ALLNOTIFICATIONS, 0) != DMLERR_NO_ERROR)
        return 1;
    g_hszService = ::DdeCreateStringHandleW(g_idInst, L"StandinBrowser", CP_WINUNICODE);
    g_hszTopic = ::DdeCreateStringHandleW(g_idInst, L"WWW_OpenURL", CP_WINUNICODE);
    ::DdeNameService(g_idInst, g_hszService, nullptr, DNS_REGISTER);
    Log(L"serving");
    DWORD start = ::GetTickCount();
    while (!g_bQuit && ::GetTickCount() - start < 30000) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    ::DdeNameService(g_idInst, g_hszService, nullptr, DNS_UNREGISTER);
    ::DdeFreeStringHandle(g_idInst, g_hszService);
    ::DdeFreeStringHandle(g_idInst, g_hszTopic);
    ::DdeUninitialize(g_idInst);
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, [[maybe_unused]] PWSTR args, int)
{
#ifdef STANDIN_DDE
    if (std::wstring(args) == L"-serve")
        return Serve();
#endif
    Log(L"cmd " + std::wstring(::GetCommandLineW()));
    return 0;
}
