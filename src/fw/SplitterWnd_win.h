// A static splitter of two rows: an upper and a lower pane with a bar between
// them that the mouse can drag. An upper row below its least height closes
// (height 0, no bar).
#pragma once
#include "fw/Wnd_win.h"

class CView;

class CSplitterWnd : public CWnd {
public:
    static constexpr UINT kFirstPaneId = 0xE900;

    bool CreateStatic(HWND hParent, UINT nId);
    // The child id of the view window in row nRow (0 upper, 1 lower).
    static UINT PaneId(int nRow) { return kFirstPaneId + static_cast<UINT>(nRow) * 16; }
    // Records the view made as row nRow's pane (a child window with PaneId).
    void SetPane(int nRow, CView* pView) { m_pPanes[nRow] = pView; }
    CView* GetPane(int nRow) const { return m_pPanes[nRow]; }
    // The upper row's height and least height (the lower row takes the rest).
    void SetRowInfo(int nRow, int nIdeal, int nMin);
    int GetRowHeight(int nRow) const;
    void RecalcLayout();
    // The row whose pane has (or last had) the focus.
    int GetActiveRow() const;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    RECT BarRect() const;
    void TrackTo(int y);

    CView* m_pPanes[2] = {};
    int m_nUpperIdeal = 0;
    int m_nUpperMin = 0;
    bool m_bTracking = false;
};
