// A view: the window that shows a document inside a document window (one per
// window in the plain mode, two in the split mail window). Views own
// themselves: a view object goes with its window, and a document goes with
// its last view.
#pragma once
#include "fw/DocBase.h"
#include "fw/Wnd_win.h"

class CMDIChildWnd;

// Where a view shows its document, as the window list keeps it: the first
// visible column and line and the caret's cell inside the window.
struct CViewPosition {
    long nLeftCol = 0;
    long nTopLine = 0;
    int nCaretCol = 0;
    int nCaretRow = 0;
};

class CView : public CWnd, public CViewBase {
public:
    // Creates the view as child window nId of hParent, showing pDoc.
    virtual bool Create(HWND hParent, UINT nId, CDocBase* pDoc);
    // The document window the view lies in.
    CMDIChildWnd* GetParentFrame() const;

    // The first update, before the window is first shown.
    virtual void OnInitialUpdate() { OnUpdate(nullptr, kHintDefault, nullptr); }
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

    // Set while the view's window is not wholly inside the main window's client
    // area (the application's idle work keeps it); scrolling then repaints.
    bool m_bObscured = false;

protected:
    // The window class of the view (registered on first use).
    virtual const wchar_t* WindowClassName();
    // Style bits the view's window has beyond a visible child's (scroll bars).
    virtual DWORD ExtraStyle() const { return 0; }
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
};
