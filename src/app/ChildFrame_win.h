// The editor's document window: one view in the plain mode; in the mail modes a
// split window with the header pane above the body, opened and closed by the
// header pane command. It shows itself maximized with "-MAX" and at its saved
// place while the previous run's windows are reopened.
#pragma once
#include "fw/MdiChildWnd_win.h"
#include "fw/SplitterWnd_win.h"

class CMainFrame;
class CDocBase;

class CChildFrame : public CMDIChildWnd {
public:
    void ActivateFrame(int nCmdShow = -1) override;
    // Keys: none in control-code input mode; else the main window's table (the
    // user's bindings); only when that is none, the document kind's own table.
    HACCEL GetDefaultAccelerator() override;
    // Header pane (32849).
    bool OnCommand(unsigned nId, CCmdUi* pUi) override;

    bool IsSplit() const { return m_splitter.GetHwnd() != nullptr; }
    bool IsHeaderPaneOpen() const { return m_bHeaderPaneOpen; }
    // Moves the focus between the header pane and the body (asked by the view);
    // only while the header pane is open.
    void SwitchPane();
    // Opens the header pane at the header's height (a new mail window while
    // the header bar is shown already); the header bar stays as it is.
    void OpenHeaderPane();
    // The body pane becomes the active view (a window just opened is for its text).
    void ActivateBodyPane();
    // The view of the body (the template's view), and the header pane's view.
    CView* GetBodyView() const;
    CView* GetHeaderView() const { return IsSplit() ? m_splitter.GetPane(0) : nullptr; }

protected:
    bool OnCreateClient() override;
    // The view of the header pane.
    virtual CView* CreateHeaderView();
    // Becoming the active document window: the header bar shows this mail.
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    void ToggleHeaderPane();
    void CloseHeaderPane();
    void ShowHeaderInBar();
    CMainFrame* Main() const;
    // The parts dialog of the document's mail (32895).
    void OpenPartsDialog(CDocBase* pDoc);

    CSplitterWnd m_splitter;
    bool m_bHeaderPaneOpen = false;
    bool m_bShown = false;
    CView* m_pBodyView = nullptr;
};
