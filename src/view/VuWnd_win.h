// The window of an editor view: it owns its CVu, is the surface the view draws
// on (the view font, a fixed cell a byte, opaque runs clipped to their cells),
// and turns window messages (paint, size, focus, scroll bars, mouse, cursor)
// into the view's calls.
#pragma once
#include <memory>
#include <vector>

#include "fw/View_win.h"
#include "view/ViewSurface.h"

class CVu;

class CVuWnd : public CView, public IViewSurface {
public:
    // The document template's view: a CVu.
    CVuWnd();
    // A window for a view of a derived kind (the mail header view, the
    // command window).
    explicit CVuWnd(std::unique_ptr<CVu> pVu);

    CVu& Vu() const;

    // CView
    void OnInitialUpdate() override;
    bool IsHeaderView() const override;
    bool GetPaneHeights(int& nIdeal, int& nMin) const override;
    void OnFontChanged() override;
    CViewPosition GetPosition() const override;
    void SetPosition(const CViewPosition& pos) override;
    void SetHistoryCapacity(int nCapacity) override;

    // IViewSurface
    void GetClientSize(int& nWidth, int& nHeight) override;
    CViewMetrics MeasureFont() override;
    void InvalidateCells(const CCellRect& rcCells) override;
    void UpdateNow() override;
    void ScrollPixels(int dx, int dy) override;
    void BeginDraw() override;
    void EndDraw() override;
    void DrawRun(const CTextRun& run) override;
    void PlaceCaret(int x, int y, int nWidth, int nHeight) override;
    void HideCaret() override;
    void ShowCaret() override;
    void DestroyCaret() override;
    void SetCaretPanes(long nColumn, long nLine) override;
    void SetImePosition(int x, int y) override;
    bool IsImeOpen() override;
    void SetImeOpen(bool bOpen) override;
    void SetScrollRange(bool bVert, long nMax, int nPage) override;
    void SetScrollPos(bool bVert, long nPos) override;
    void PostLineCountChanged() override;
    void PostCommand(unsigned nId) override;
    bool IsControlCodeMode() override;
    unsigned TrackPopupMenu(int x, int y, const std::vector<CMenuEntry>& entries) override;
    bool HasFocus() override;
    void TakeFocus() override;
    void CaptureMouse(bool bCapture) override;
    unsigned long GetTickCount() override;
    bool PumpMessages(int nMax) override;
    void WaitForMessage(unsigned nMs) override;
    void Sleep(unsigned nMs) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;

protected:
    const wchar_t* WindowClassName() override;
    DWORD ExtraStyle() const override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    LRESULT OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnScroll(bool bVert, WPARAM wParam);
    bool OnSetCursor();
    // Characters of the window messages (UTF-16) as the view takes them.
    void OnChar(WPARAM wParam, bool bIme);
    // The input method's composition: the result string goes to the view as
    // input-method characters, other compositions to the default processing.
    void OnImeComposition(WPARAM wParam, LPARAM lParam);
    HFONT Font() const;

    int m_nDrawDepth = 0;
    HDC m_hdc = nullptr;
    bool m_bOwnDc = false;
    HGDIOBJ m_hOldFont = nullptr;
    bool m_bCaretMade = false;
    // The UTF-16 text and per-character advances of a run, kept between runs
    // so painting allocates nothing.
    std::vector<wchar_t> m_units;
    std::vector<INT> m_advances;
    // Messages dispatched from inside the view (auto-scroll) may destroy the
    // window; the object then stays until the view's call returns.
    int m_nDispatchDepth = 0;
    bool m_bDestroyed = false;
    int m_nWaitDepth = 0;
    HCURSOR m_hCursorBeforeWait = nullptr;
};
