// The editor's status bar: the message pane (where the command window lies in
// command mode), the caret's column ("%05ld") and line ("%07ld"), and the KANA,
// CAPS, INS and MARK indicators, all measured with the view font.
#pragma once
#include "fw/StatusBar_win.h"

class CMyStatusBar : public CStatusBar {
public:
    static constexpr int kPaneMessage = 0;
    static constexpr int kPaneColumn = 1;
    static constexpr int kPaneLine = 2;

    bool Create(HWND hParent);
    // Takes the view font and measures the panes again.
    void ApplyFont(HFONT hFont);
    // Shows the caret position, 1-based (the view calls it at every placement).
    void SetCaretPosition(long nColumn, long nLine);
    void LayoutPanes() override;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
};
