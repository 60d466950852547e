// The editor's status bar: the message pane (where the command window lies in
// command mode), the caret's column ("%05ld") and line ("%07ld"), and the KANA,
// CAPS, INS and MARK indicators, all measured with the view font.
#pragma once
#include <string>

#include "command/ComWinHost.h"
#include "fw/StatusBar_win.h"

class CComWin;
class CComWinWnd;

class CMyStatusBar : public CStatusBar, public IComWinHost {
public:
    // The command window's control id.
    static constexpr UINT kCommandWindowId = 130;

    static constexpr int kPaneMessage = 0;
    static constexpr int kPaneColumn = 1;
    static constexpr int kPaneLine = 2;

    bool Create(HWND hParent);
    // Takes the view font and measures the panes again.
    void ApplyFont(HFONT hFont);
    // Shows the caret position, 1-based (the view calls it at every placement).
    void SetCaretPosition(long nColumn, long nLine);
    void LayoutPanes() override;

    // Command mode: the command window over the message pane takes the focus.
    void ShowCommandWindow();
    HWND CommandWindowHwnd() const;
    CComWin* GetComWin() const;
    bool IsCommandWindowShown() const;
    // Keys typed into the command window become commands of the main window's
    // table, sent straight to it.
    bool PreTranslateMessage(MSG* pMsg) override;

    // IComWinHost
    void PostMainCommand(unsigned nId) override;
    CVu* ActiveDocumentView() override;
    void ReturnFocus() override;
    void HideCommandWindow() override;
    void SetNamedFile(const std::string& strName) override;
    void SetShellCommand(const std::string& strCommand, int nMode) override;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    void PlaceCommandWindow();

    // Owned by its window (it goes when the window is destroyed with the bar).
    CComWinWnd* m_pComWinWnd = nullptr;
    int m_nLineDigits = 7;  // the line pane fits this many digits
};
