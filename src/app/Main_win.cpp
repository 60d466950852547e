// Entry point of tova.exe.
#include <windows.h>
#include <commctrl.h>

#include "app/EditorApp_win.h"
#include "platform/Win32Ui_win.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int nCmdShow)
{
    static CWin32Ui ui;
    SetUi(&ui);
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    CEditorApp app;
    return app.Run(hInstance, nCmdShow);
}
