// A document window: one document shown by its view (or, split, by two views)
// inside the main window's MDI client. It owns itself and goes with its window.
#pragma once
#include "fw/Wnd_win.h"

class CDocBase;
class CDocTemplate;
class CMDIFrameWnd;
class CView;

class CMDIChildWnd : public CWnd {
public:
    // Makes the (hidden) window and its views for pDoc in the main window.
    bool Create(CMDIFrameWnd* pMainFrame, CDocTemplate* pTemplate, CDocBase* pDoc);

    CDocBase* GetDocument() const { return m_pDocument; }
    CDocTemplate* GetTemplate() const { return m_pTemplate; }
    CMDIFrameWnd* GetMainFrame() const { return m_pMainFrame; }
    CView* GetActiveView() const { return m_pActiveView; }
    // Makes pView the active view (it gets the commands first); bFocus gives it
    // the keyboard focus too.
    void SetActiveView(CView* pView, bool bFocus = true);

    // Shows the window for the first time: its views get OnInitialUpdate, then
    // ActivateFrame.
    void InitialUpdateFrame();
    // Shows and activates the window; nCmdShow -1 means the usual way.
    virtual void ActivateFrame(int nCmdShow = -1);
    // Sets the window's title from its document's ("a.txt", "a.txt:2" when the
    // document has several windows).
    void UpdateTitle();
    void MDIActivate();
    void MDIDestroy();
    bool IsMaximized() const;
    // Shown and not going away: a window whose title the main window may show.
    bool IsShownDocument() const;

    // The accelerator table to translate keys with while this window is active:
    // by default the table of its template's resource set.
    virtual HACCEL GetDefaultAccelerator();
    bool PreTranslateMessage(MSG* pMsg) override;
    // Close (57602), Save (57603), Save As (57604) of the window's document,
    // and New Window (57648).
    bool OnCommand(unsigned nId, CCmdUi* pUi) override;

protected:
    // Makes the window's content: by default one view of the template filling it.
    virtual bool OnCreateClient();
    // A view of the template made as child nId of hParent, showing the document.
    CView* CreateView(HWND hParent, UINT nId);
    // Fits the content window into the client area.
    virtual void RecalcLayout();
    // The window that fills the client area (a view or a splitter).
    void SetContent(CWnd* pContent) { m_pContent = pContent; }

    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override { delete this; }

private:
    void OnClose();

    CMDIFrameWnd* m_pMainFrame = nullptr;
    CDocTemplate* m_pTemplate = nullptr;
    CDocBase* m_pDocument = nullptr;
    CView* m_pActiveView = nullptr;
    CWnd* m_pContent = nullptr;
    bool m_bDestroying = false;
};
