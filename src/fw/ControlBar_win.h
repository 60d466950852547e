// A bar along the top or bottom edge of the main window (toolbar, status bar,
// dialog bars). The main window lays its bars out, first added nearest the
// edge, and gives the rest of its client area to the document windows.
#pragma once
#include "fw/Wnd_win.h"

class CCmdRoute;

class CControlBar : public CWnd {
public:
    enum class EDock { Top, Bottom };

    UINT GetBarId() const { return m_nBarId; }
    EDock GetDock() const { return m_eDock; }
    // The height the bar takes at the given width while visible.
    virtual int CalcHeight(int nWidth) = 0;
    // Shows the state of its commands (enabled, checked, indicators on) as the
    // route reports it; called while the program is idle.
    virtual void UpdateCommandState(const CCmdRoute& /*route*/) {}

protected:
    UINT m_nBarId = 0;
    EDock m_eDock = EDock::Top;
};
