// Scrolling: the two primitives every motion rests on, placing the caret, and
// the scroll bars.
#include <algorithm>
#include <cstdlib>

#include "keys/CommandIds.h"
#include "platform/Messages.h"
#include "text/LineStore.h"
#include "text/Sjis.h"
#include "view/Caret.h"
#include "view/Vu.h"

long CVu::ScrollHorz(long delta)
{
    long maxLeft = std::max(0L, static_cast<long>(MaxLineBytes) - m_nCols - 1);
    return ScrollAxis(false, m_nLeftCol, std::clamp(m_nLeftCol + delta, 0L, maxLeft));
}

long CVu::ScrollVert(long delta, bool bFixCaret)
{
    // Never above the first line, never below the last, and never below 0
    // when there are no lines at all.
    long last = std::max(GetLineCount() - 1, 0L);
    long d = ScrollAxis(true, m_nTopLine, std::clamp(m_nTopLine + delta, 0L, last));
    if (d != 0 && bFixCaret)
        m_pCaret->MoveVert(0, true);
    return d;
}

long CVu::ScrollAxis(bool bVert, long& nPos, long nNewPos)
{
    long d = nNewPos - nPos;
    if (d == 0)
        return 0;
    IViewSurface& surface = Surface();
    surface.HideCaret();
    long extent = bVert ? m_nRows : m_nCols;
    bool bMovePixels = std::labs(d) < extent && !m_bObscured;
    // Cells waiting for a paint must be painted where they are before the
    // pixels move away from under them.
    if (bMovePixels && m_bDirtyPending)
        surface.UpdateNow();
    nPos = nNewPos;
    if (bMovePixels) {
        // The cells uncovered, and the partly shown last row or column.
        long from = d > 0 ? extent - d : 0, to = d > 0 ? extent + 1 : -d;
        if (bVert) {
            surface.ScrollPixels(0, static_cast<int>(-d * m_metrics.nLineHeight));
            MarkDirty({0, from, m_nCols + 1L, to});
        } else {
            surface.ScrollPixels(static_cast<int>(-d * m_metrics.nCharWidth), 0);
            MarkDirty({from, 0, to, m_nRows + 1L});
        }
    } else {
        MarkAllDirty();
    }
    surface.UpdateNow();
    m_pCaret->Place();
    surface.SetScrollPos(bVert, nPos);
    return d;
}

bool CVu::PlaceCaret(int x, int y)
{
    int cw = m_metrics.nCharWidth, lh = m_metrics.nLineHeight;
    long col = x >= 0 ? x / cw : -1;
    long row = y >= 0 ? y / lh : -1;
    if (col < 0 || col > m_nCols || row < 0 || row > m_nRows) {
        ErrorBeep();
        ErrorBox("文書ｳｨﾝﾄﾞｳが小さすぎます");
        return false;
    }
    CCaret& caret = *m_pCaret;
    caret.m_nAbsCol = m_nLeftCol + col;
    caret.m_nAbsLine = m_nTopLine + row;
    // Two cells wide on the first byte of a double-byte character.
    std::string_view line = PeekLine(caret.m_nAbsLine);
    bool bWide = caret.m_nAbsCol < static_cast<long>(line.size()) &&
                 CharLenAt(line, static_cast<size_t>(caret.m_nAbsCol)) == 2 && IsFirstByteAt(line, caret.m_nAbsCol);
    IViewSurface& surface = Surface();
    surface.PlaceCaret(x, y, bWide ? 2 * cw : cw, m_metrics.nTextHeight);
    surface.SetCaretPanes(caret.m_nAbsCol + 1, caret.m_nAbsLine + 1);
    surface.SetImePosition(x, y);
    return true;
}

void CVu::OnVScroll(EScrollAction action, long nTrackPos)
{
    switch (action) {
    case EScrollAction::LineUp: RunCommand(ID_SCROLL_LINE_UP); break;
    case EScrollAction::LineDown: RunCommand(ID_SCROLL_LINE_DOWN); break;
    case EScrollAction::PageUp: RunCommand(ID_PAGE_UP); break;
    case EScrollAction::PageDown: RunCommand(ID_PAGE_DOWN); break;
    case EScrollAction::Track:
        ScrollVert(nTrackPos - m_nTopLine, true);
        UpdateHilight();
        break;
    case EScrollAction::Other: break;
    }
}

void CVu::OnHScroll(EScrollAction action, long nTrackPos)
{
    switch (action) {
    case EScrollAction::LineUp: ScrollHorzBy(-1); break;
    case EScrollAction::LineDown: ScrollHorzBy(1); break;
    case EScrollAction::PageUp: ScrollHorzBy(-m_nCols); break;
    case EScrollAction::PageDown: ScrollHorzBy(m_nCols); break;
    case EScrollAction::Track: ScrollHorzBy(nTrackPos - m_nLeftCol); break;
    case EScrollAction::Other: return;
    }
    UpdateHilight();
}

void CVu::ScrollHorzBy(long delta)
{
    // The caret keeps its screen column, which may now be a second byte.
    if (ScrollHorz(delta) != 0 && m_pCaret->SnapOffSecondByte())
        m_pCaret->Place();
}
