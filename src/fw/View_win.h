// A view window: the window that shows one view of a document inside a
// document window (one per window in the plain mode, two in the split mail
// window). The view itself is a portable object (a CViewBase: the document's
// list holds it, hints reach it, commands reach it through this window); the
// window owns it and goes with it, and a document goes with its last view.
//
// The one mapping from a document's view to its window is CView::FromDocView:
// every view window registers its view there for as long as both live.
#pragma once
#include <memory>

#include "fw/DocBase.h"
#include "fw/Wnd_win.h"

class CMDIChildWnd;

class CView : public CWnd {
public:
    explicit CView(std::unique_ptr<CViewBase> pDocView);
    ~CView() override;

    // The window of a document's view, or null (a view without a window).
    static CView* FromDocView(const CViewBase* pDocView);
    CViewBase* GetDocView() const { return m_pDocView.get(); }
    CDocBase* GetDocument() const { return m_pDocView ? m_pDocView->GetDocument() : nullptr; }

    // Creates the window as child nId of hParent, its view showing pDoc.
    virtual bool Create(HWND hParent, UINT nId, CDocBase* pDoc);
    // The document window the view lies in (null for a view outside one).
    CMDIChildWnd* GetParentFrame() const;

    // The first update, before the window is first shown.
    virtual void OnInitialUpdate() {}
    // The view becomes (or stops being) the active view of its document window.
    virtual void OnActivateView(bool /*bActivate*/) {}
    // A mail header view (the upper pane of a mail window).
    virtual bool IsHeaderView() const { return false; }
    // The height the view wants as the upper pane of a split window, and the
    // least it can live with; false when it has no preference.
    virtual bool GetPaneHeights(int& /*nIdeal*/, int& /*nMin*/) const { return false; }
    // The application's view font or the row gap ("GapPixel") changed: measure
    // and lay out again.
    virtual void OnFontChanged() {}
    // "MaxHistory" changed: the view's undo history takes the new capacity
    // (dropping its oldest records when it holds more).
    virtual void SetHistoryCapacity(int /*nCapacity*/) {}

    virtual CViewPosition GetPosition() const { return {}; }
    virtual void SetPosition(const CViewPosition& /*pos*/) {}

    // Commands go to the view.
    bool OnCommand(unsigned nId, CCmdUi* pUi) override;

protected:
    // The window class of the view (registered on first use).
    virtual const wchar_t* WindowClassName();
    // Style bits the view's window has beyond a visible child's (scroll bars).
    virtual DWORD ExtraStyle() const { return 0; }
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    // Leaves the document (closing it with its last view), then deletes the
    // window object and with it the view.
    void PostNcDestroy() override;
    // The part of PostNcDestroy before the object is deleted.
    void DetachFromDocument();

private:
    std::unique_ptr<CViewBase> m_pDocView;
};
