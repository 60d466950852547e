// What the editor view asks of the window that shows it: sizes and the font's
// cell metrics, invalidating and drawing cells, moving pixels, the caret, the
// status panes, the input method, the scroll bars, and the few services the
// mouse needs (capture, ticks, pumping messages while a button is held). The
// Win32 window implements it (CVuWnd); tests record it (FakeViewSurface).
#pragma once
#include <string_view>
#include <vector>

#include "settings/AppSettings.h"
#include "fw/DocBase.h"

// The smallest rectangle of cells holding both.
inline CCellRect CellUnion(const CCellRect& a, const CCellRect& b)
{
    return {a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top, a.right > b.right ? a.right : b.right,
            a.bottom > b.bottom ? a.bottom : b.bottom};
}

// The cell grid of the one view font: every byte is one cell of nCharWidth
// pixels; a row is nLineHeight pixels ("GapPixel" included), the caret
// nTextHeight.
struct CViewMetrics {
    int nCharWidth = 8;
    int nLineHeight = 16;
    int nTextHeight = 16;
};

// One opaque text output on a row: the cells nClipLeft .. nClipRight (screen
// columns, right exclusive) are filled with crBack and the bytes are drawn in
// crText from screen column nTextCell on, one cell a byte, a double-byte
// character from its first byte over two cells (so nTextCell may be -1 when one
// straddles the left edge); nothing outside the clip cells is touched. The text
// never holds half a character.
struct CTextRun {
    int nRow = 0;
    long nTextCell = 0;
    std::string_view text;
    long nClipLeft = 0;
    long nClipRight = 0;
    ColorValue crText = 0;
    ColorValue crBack = 0;
};

// The mouse pointer over the view.
enum class EViewCursor {
    Pointer,  // the application's configured pointer
    Address,  // over a URL or a mail address: a magnifying glass
    Scroll,   // on the top or bottom row, where a held button scrolls
};

// One entry of a popup menu: nId 0 is a separator; the text is UTF-8.
struct CMenuEntry {
    unsigned nId = 0;
    const char* pszText = "";
    bool bChecked = false;
};

class IViewSurface {
public:
    virtual ~IViewSurface() = default;

    // The client area in pixels and the view font's metrics.
    virtual void GetClientSize(int& nWidth, int& nHeight) = 0;
    virtual CViewMetrics MeasureFont() = 0;

    // Screen cells to be painted (without erasing); the paint comes later, or
    // at once with UpdateNow.
    virtual void InvalidateCells(const CCellRect& rcCells) = 0;
    virtual void UpdateNow() = 0;
    // Moves the window's pixels; the uncovered part is the caller's to repaint.
    virtual void ScrollPixels(int dx, int dy) = 0;
    // Drawing outside a paint (the marked-region overlay) is bracketed by these.
    virtual void BeginDraw() = 0;
    virtual void EndDraw() = 0;
    virtual void DrawRun(const CTextRun& run) = 0;

    // The caret, made anew and shown at every placement (pixels).
    virtual void PlaceCaret(int x, int y, int nWidth, int nHeight) = 0;
    virtual void HideCaret() = 0;
    virtual void ShowCaret() = 0;
    virtual void DestroyCaret() = 0;
    // The status bar's column and line panes ("%05ld", "%07ld"), 1-based.
    virtual void SetCaretPanes(long nColumn, long nLine) = 0;

    // The input method: composition font (the view font) and window at a point,
    // and its open status.
    virtual void SetImePosition(int x, int y) = 0;
    virtual bool IsImeOpen() = 0;
    virtual void SetImeOpen(bool bOpen) = 0;

    virtual void SetScrollRange(bool bVert, long nMax, int nPage) = 0;
    virtual void SetScrollPos(bool bVert, long nPos) = 0;

    // A note to the view itself, handled after the current message: the
    // document's line count changed (the view then calls UpdateScrollRange).
    virtual void PostLineCountChanged() = 0;
    // A command sent as a menu would send it.
    virtual void PostCommand(unsigned nId) = 0;
    // The application's control-code input mode is on (keys come as characters).
    virtual bool IsControlCodeMode() = 0;
    // A popup menu at a client point; the chosen command, 0 for none.
    virtual unsigned TrackPopupMenu(int x, int y, const std::vector<CMenuEntry>& entries) = 0;

    virtual bool HasFocus() = 0;
    virtual void TakeFocus() = 0;
    virtual void CaptureMouse(bool bCapture) = 0;
    virtual unsigned long GetTickCount() = 0;
    // Dispatches up to nMax waiting messages; false when the view's window went
    // away or the program is quitting (the caller must stop at once).
    virtual bool PumpMessages(int nMax) = 0;
    // Waits until a message arrives or nMs have passed.
    virtual void WaitForMessage(unsigned nMs) = 0;
    virtual void Sleep(unsigned nMs) = 0;
    // The wait cursor over the program while a long command runs (nested
    // calls count).
    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}
};

// A surface without a window: a view not yet (or no longer) shown draws into it.
class CNullViewSurface : public IViewSurface {
public:
    void GetClientSize(int& nWidth, int& nHeight) override { nWidth = nHeight = 0; }
    CViewMetrics MeasureFont() override { return {}; }
    void InvalidateCells(const CCellRect&) override {}
    void UpdateNow() override {}
    void ScrollPixels(int, int) override {}
    void BeginDraw() override {}
    void EndDraw() override {}
    void DrawRun(const CTextRun&) override {}
    void PlaceCaret(int, int, int, int) override {}
    void HideCaret() override {}
    void ShowCaret() override {}
    void DestroyCaret() override {}
    void SetCaretPanes(long, long) override {}
    void SetImePosition(int, int) override {}
    bool IsImeOpen() override { return false; }
    void SetImeOpen(bool) override {}
    void SetScrollRange(bool, long, int) override {}
    void SetScrollPos(bool, long) override {}
    void PostLineCountChanged() override {}
    void PostCommand(unsigned) override {}
    bool IsControlCodeMode() override { return false; }
    unsigned TrackPopupMenu(int, int, const std::vector<CMenuEntry>&) override { return 0; }
    bool HasFocus() override { return false; }
    void TakeFocus() override {}
    void CaptureMouse(bool) override {}
    unsigned long GetTickCount() override { return 0; }
    bool PumpMessages(int) override { return false; }
    void WaitForMessage(unsigned) override {}
    void Sleep(unsigned) override {}
};
