// The command window's window: an editor view's window that takes commands
// sent to it directly (the status bar translates the keys typed into it) and
// saves the history when it goes.
#pragma once
#include "view/VuWnd_win.h"

class CComWin;
class IComWinHost;

class CComWinWnd : public CVuWnd {
public:
    explicit CComWinWnd(IComWinHost& host);

    CComWin& ComWin() const;
    // Creates the hidden window as child nId of hParent with the history loaded.
    bool CreateHidden(HWND hParent, UINT nId);

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
};
