// A recording surface for the editor view: it keeps a screen of character cells
// that the view's runs are drawn into (so scrolling that moves pixels can be
// checked against a fresh paint), the runs themselves, what was invalidated,
// the caret, the status panes, the scroll bars, and the mouse services, with a
// clock that only moves when the view waits or sleeps.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "view/ViewSurface.h"

class CVu;

class CFakeViewSurface : public IViewSurface {
public:
    // One cell of the screen: the byte drawn there (a double-byte character's
    // two bytes lie in its two cells; ' ' where only the background was
    // filled, '~' where moved pixels left the cell unpainted) and its colours.
    struct CCell {
        char b = '~';
        ColorValue crText = 0;
        ColorValue crBack = 0;
    };
    struct CRun {
        int nRow;
        long nTextCell;
        std::string text;
        long nClipLeft;
        long nClipRight;
        ColorValue crText;
        ColorValue crBack;
    };
    struct CCaretShape {
        int x = -1, y = -1, nWidth = 0, nHeight = 0;
        bool bVisible = false;
    };

    // A client area of nCols x nRows whole cells of 8 x 16 pixels.
    explicit CFakeViewSurface(int nCols = 80, int nRows = 25);
    ~CFakeViewSurface() override;
    // Hosts pVu (and lays it out, as the window's first update does).
    void Attach(CVu& vu);
    // A new client size in whole cells; the view is laid out again.
    void Resize(int nCols, int nRows);

    // Paints what is invalid, as the window system does when it gets to it.
    void Paint();
    // Delivers the notes posted to the view (line count changed).
    void DeliverPosted();
    // The bytes shown on a row (cells past the text are ' ').
    std::string RowText(int nRow) const;
    const CCell& CellAt(int nCol, int nRow) const;
    // The runs drawn on one row since the last ClearRuns.
    std::vector<CRun> RunsOfRow(int nRow) const;
    void ClearRuns() { m_runs.clear(); }

    // IViewSurface
    void GetClientSize(int& nWidth, int& nHeight) override;
    CViewMetrics MeasureFont() override { return m_metrics; }
    void InvalidateCells(const CCellRect& rcCells) override;
    void UpdateNow() override { Paint(); }
    void ScrollPixels(int dx, int dy) override;
    void BeginDraw() override { ++m_nDrawDepth; }
    void EndDraw() override { --m_nDrawDepth; }
    void DrawRun(const CTextRun& run) override;
    void PlaceCaret(int x, int y, int nWidth, int nHeight) override;
    void HideCaret() override { m_caret.bVisible = false; }
    void ShowCaret() override { m_caret.bVisible = true; }
    void DestroyCaret() override { m_caret = CCaretShape(); }
    void SetCaretPanes(long nColumn, long nLine) override;
    void SetImePosition(int x, int y) override;
    bool IsImeOpen() override { return m_bImeOpen; }
    void SetImeOpen(bool bOpen) override { m_bImeOpen = bOpen; }
    void SetScrollRange(bool bVert, long nMax, int nPage) override;
    void SetScrollPos(bool bVert, long nPos) override { (bVert ? m_nVPos : m_nHPos) = nPos; }
    void PostLineCountChanged() override { ++m_nPostedLineCount; }
    void PostCommand(unsigned nId) override { m_posted.push_back(nId); }
    unsigned TrackPopupMenu(int x, int y, const std::vector<CMenuEntry>& entries) override;
    bool HasFocus() override { return m_bFocus; }
    void TakeFocus() override { m_bFocus = true; }
    void CaptureMouse(bool bCapture) override { m_bCaptured = bCapture; }
    unsigned long GetTickCount() override { return m_nTick; }
    bool PumpMessages(int nMax) override;
    void WaitForMessage(unsigned nMs) override { m_nTick += nMs; }
    void Sleep(unsigned nMs) override;

    // Settings of the fake.
    CViewMetrics m_metrics{8, 16, 16};
    int m_nWidth;
    int m_nHeight;
    bool m_bFocus = true;
    bool m_bImeOpen = false;
    unsigned long m_nTick = 100000;
    // Called at every PumpMessages: what the messages of that moment do.
    std::function<void()> m_onPump;
    bool m_bWindowGone = false;
    unsigned m_nMenuChoice = 0;

    // What was recorded.
    std::vector<CRun> m_runs;
    CCellRect m_rcInvalid;
    bool m_bInvalid = false;
    int m_nPaints = 0;
    std::vector<std::pair<int, int>> m_scrolls;
    CCaretShape m_caret;
    int m_nCaretPlacements = 0;
    long m_nPaneColumn = 0;
    long m_nPaneLine = 0;
    int m_nImeX = -1;
    int m_nImeY = -1;
    long m_nVMax = -1;
    int m_nVPage = 0;
    long m_nHMax = -1;
    int m_nHPage = 0;
    long m_nVPos = 0;
    long m_nHPos = 0;
    int m_nScrollRangeSets = 0;
    int m_nPostedLineCount = 0;
    std::vector<unsigned> m_posted;
    std::vector<std::pair<unsigned, std::string>> m_menu;  // the last popup menu (id, UTF-8 text)
    int m_nMenuX = -1;
    int m_nMenuY = -1;
    bool m_bCaptured = false;
    int m_nPumps = 0;
    std::vector<unsigned> m_sleeps;
    int m_nDrawDepth = 0;

private:
    int GridCols() const { return m_nWidth / m_metrics.nCharWidth + 1; }
    int GridRows() const { return m_nHeight / m_metrics.nLineHeight + 1; }
    void ResetGrid();

    CVu* m_pVu = nullptr;
    std::vector<std::vector<CCell>> m_grid;
};
