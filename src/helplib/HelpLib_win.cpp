// tovahlpdll: lets another program show its user which editor keys run a
// command. It finds the running editor over DDE (starting it when none
// answers), asks the "KeyBinding" topic, and shows the reply in a window.
// It shares nothing with the editor but the conversation.
#include <windows.h>

#include <memory>
#include <string>

#include "helplib/KeyQueryClient_win.h"
#include "helplib/KeysBoundDialog_win.h"
#include "platform/Messages.h"
#include "platform/Win32Ui_win.h"
#include "text/Unicode.h"

extern "C" {
__declspec(nothrow) int InitTovaHelpDLL();
__declspec(nothrow) int __stdcall GetCurrentKeyBound(const char* pszDescription);
}

namespace {

struct CHelpApp {
    HINSTANCE hModule = nullptr;
    std::unique_ptr<CKeyQueryClient> pClient;
    bool bStartedEditor = false;  // this library started the editor
    CKeysBoundDialog* pDialog = nullptr;
    CWin32Ui ui;
    bool bUiInstalled = false;
};

CHelpApp g_app;

void EnsureUi()
{
    if (!g_app.bUiInstalled) {
        SetUi(&g_app.ui);
        g_app.bUiInstalled = true;
    }
}

// The editor is asked to close as if its user closed it (unsaved documents
// are asked about). The conversation ends first: a closed editor could no
// longer answer its terminate.
void CloseStartedEditor()
{
    HWND hEditor = nullptr;
    {
        CDDEClient system("Tova", "system");
        hEditor = system.GetServer();
    }
    if (hEditor)
        ::PostMessageW(hEditor, WM_CLOSE, 0, 0);
}

void ExitLibrary()
{
    g_app.pClient.reset();
    if (g_app.bStartedEditor) {
        CloseStartedEditor();
        g_app.bStartedEditor = false;
    }
    if (g_app.pDialog)
        g_app.pDialog->Destroy();
    CDDEClient::UnregisterWindowClass();
    if (g_app.bUiInstalled)
        SetUi(nullptr);
}

} // namespace

int InitTovaHelpDLL()
{
    EnsureUi();
    if (g_app.pClient && g_app.pClient->IsConnected())
        return 1;
    auto pClient = std::make_unique<CKeyQueryClient>();
    if (!pClient->IsConnected()) {
        STARTUPINFOW si = {sizeof si};
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = SW_SHOWMINNOACTIVE;
        PROCESS_INFORMATION pi = {};
        wchar_t commandLine[] = L"tova.exe";
        if (!::CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            ErrorBox("Tova を実行できません");
            return 0;
        }
        ::WaitForInputIdle(pi.hProcess, 10000);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        if (!pClient->Reconnect()) {
            ErrorBox("Tova が DDE による呼びかけに答えません");
            return 0;
        }
        g_app.bStartedEditor = true;
    }
    g_app.pClient = std::move(pClient);
    return 1;
}

int __stdcall GetCurrentKeyBound(const char* pszDescription)
{
    EnsureUi();
    std::string description = pszDescription ? pszDescription : "";
    // Callers still ask by the command's old name.
    if (description == Utf8ToSjis("パラグラフの調整"))
        description = Utf8ToSjis("パラグラフの整形");
    if (!g_app.pClient || !g_app.pClient->Query(description)) {
        ErrorBox("Tova との DDE 通信に失敗しました");
        return 0;
    }
    if (!g_app.pDialog)
        g_app.pDialog = CKeysBoundDialog::Create(g_app.hModule, [] { g_app.pDialog = nullptr; });
    if (!g_app.pDialog)
        return 0;
    g_app.pDialog->Show(description, g_app.pClient->GetReply());
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE hModule, DWORD dwReason, LPVOID /*pReserved*/)
{
    switch (dwReason) {
    case DLL_PROCESS_ATTACH:
        g_app.hModule = hModule;
        ::DisableThreadLibraryCalls(hModule);
        break;
    case DLL_PROCESS_DETACH:
        ExitLibrary();
        break;
    default:
        break;
    }
    return TRUE;
}
