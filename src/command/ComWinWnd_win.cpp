// The command window's window.
#include "command/ComWinWnd_win.h"

#include "command/ComWin.h"
#include "platform/SettingsStore.h"

CComWinWnd::CComWinWnd(IComWinHost& host) : CVuWnd(std::make_unique<CComWin>(host)) {}

CComWin& CComWinWnd::ComWin() const { return static_cast<CComWin&>(Vu()); }

bool CComWinWnd::CreateHidden(HWND hParent, UINT nId)
{
    // The view is on its own history document already.
    if (!Create(hParent, nId, nullptr))
        return false;
    ::ShowWindow(m_hWnd, SW_HIDE);
    OnInitialUpdate();
    ComWin().LoadHistory(SettingsStore());
    return true;
}

LRESULT CComWinWnd::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_COMMAND:
        if (lParam == 0) {
            unsigned nId = LOWORD(wParam);
            CCmdUi ui(nId);
            if (ComWin().OnCommand(nId, &ui) && ui.IsEnabled())
                ComWin().OnCommand(nId, nullptr);
            return 0;
        }
        break;
    case WM_DESTROY:
        ComWin().SaveHistory(SettingsStore());
        break;
    default: break;
    }
    return CVuWnd::WindowProc(nMsg, wParam, lParam);
}
