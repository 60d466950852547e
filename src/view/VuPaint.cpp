// Painting: the rows of the text with their tag, URL and mail-address colours,
// and the marked-region overlay.
#include <algorithm>
#include <cstring>

#include "settings/AppSettings.h"
#include "text/Doc.h"
#include "text/Sjis.h"
#include "view/AddressFinder.h"
#include "view/Caret.h"
#include "view/Vu.h"

namespace {

bool IsEmptyRect(const CCellRect& rc) { return rc.left >= rc.right || rc.top >= rc.bottom; }

CCellRect Intersect(const CCellRect& a, const CCellRect& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool Contains(const CCellRect& rc, long col, long line)
{
    return col >= rc.left && col < rc.right && line >= rc.top && line < rc.bottom;
}

constexpr size_t kMaxAddressText = 255;

// The part of a line the painter looks at: up to the right edge of what is
// painted and one byte beyond (the second byte of a character that reaches
// past it), and for the address scan the rest of the address characters
// running on there. Long lines are not measured to their end.
std::string_view PaintedPart(const char* p, long nEnd, bool bAddresses)
{
    size_t n = strnlen(p, static_cast<size_t>(std::max(nEnd, 0L)) + 1);
    if (bAddresses)
        while (p[n] != '\0' && IsAddressChar(p[n]))
            ++n;
    return {p, n};
}

} // namespace

void CVu::OnDraw()
{
    IViewSurface& surface = Surface();
    if (CDoc* pDoc = GetShownDoc()) {
        m_nClipLeft = std::max(0L, m_rcDirty.left);
        m_nClipRight = std::min(m_nCols + 1L, m_rcDirty.right);
        long rowEnd = std::min(m_rcDirty.bottom, m_nRows + 1L);
        bool bAppended = false;
        bool bAddresses = AppSettings().m_bUrlSensitive;
        surface.BeginDraw();
        for (long r = std::max(0L, m_rcDirty.top); r < rowEnd; ++r) {
            // Every visible row exists: fetching a line past the end appends
            // empty lines up to it. Only a store that cannot grow ends early.
            bool bNew = false;
            const char* p = pDoc->m_Lines.GetLine(static_cast<int>(m_nTopLine + r), &bNew);
            if (!p)
                break;
            bAppended = bAppended || bNew;
            PaintRow(static_cast<int>(r), m_nTopLine + r, PaintedPart(p, m_nLeftCol + m_nClipRight, bAddresses));
        }
        surface.EndDraw();
        if (bAppended && !pDoc->m_bIsHeader)
            pDoc->UpdateAllViews(nullptr, kHintLineCount);
    }
    m_rcDirty = WholeWindow();
    m_bDirtyPending = false;
}

void CVu::PaintRow(int r, long nLine, std::string_view text)
{
    const CAppSettings& s = AppSettings();
    long len = static_cast<long>(text.size());
    long visFrom = m_nLeftCol + m_nClipLeft, visTo = m_nLeftCol + m_nClipRight;
    if (IsTagged(nLine)) {
        DrawCells(r, text, visFrom, visTo, s.m_crText, s.m_crTag);
    } else if (!s.m_bUrlSensitive) {
        DrawCells(r, text, visFrom, visTo, s.m_crText, s.m_crBack);
    } else {
        // Plain text and addresses alternate, each its own run; the scan goes
        // from just left of what is painted to its right edge.
        long pos = static_cast<long>(AddressScanStart(text, static_cast<size_t>(std::max(visFrom, 0L))));
        while (pos < len && pos < visTo) {
            CAddressMatch m = FindAddress(text.substr(static_cast<size_t>(pos)), static_cast<size_t>(visTo - pos));
            long plainEnd = m.nKind ? pos + static_cast<long>(m.nOffset) : len;
            DrawCells(r, text, pos, plainEnd, s.m_crText, s.m_crBack);
            if (!m.nKind)
                break;
            pos = plainEnd + static_cast<long>(m.nLength);
            DrawCells(r, text, plainEnd, pos, s.m_crUrl, s.m_crBack);
        }
        DrawCells(r, text, len, visTo, s.m_crText, s.m_crBack);
    }
    if (!IsEmptyRect(m_rcHilight) && nLine >= m_rcHilight.top && nLine < m_rcHilight.bottom)
        PaintHilightRow(r, text, m_rcHilight);
}

void CVu::DrawCells(int r, std::string_view text, long colFrom, long colTo, ColorValue crText, ColorValue crBack)
{
    long x0 = std::max(colFrom - m_nLeftCol, m_nClipLeft);
    long x1 = std::min(colTo - m_nLeftCol, m_nClipRight);
    if (x0 >= x1)
        return;
    long len = static_cast<long>(text.size());
    CTextRun run;
    run.nRow = r;
    run.nClipLeft = x0;
    run.nClipRight = x1;
    run.crText = crText;
    run.crBack = crBack;
    run.nTextCell = x0;
    long first = m_nLeftCol + x0;
    long byteEnd = std::min(colTo, len);
    if (first < byteEnd) {
        // A double-byte character cut by the left edge is drawn whole from its
        // first byte, half outside; the run ends with the character that
        // reaches the right edge.
        if (IsSecondByteAt(text, first))
            --first;
        long stop = m_nLeftCol + x1;
        long end = first;
        while (end < byteEnd && end < stop)
            end += CharLenAt(text, static_cast<size_t>(end));
        end = std::min(end, len);
        run.nTextCell = first - m_nLeftCol;
        run.text = text.substr(static_cast<size_t>(first), static_cast<size_t>(end - first));
    }
    Surface().DrawRun(run);
}

void CVu::PaintHilightRow(int r, std::string_view text, const CCellRect& rect)
{
    // Widened so that no double-byte character is cut by the marked colours.
    long len = static_cast<long>(text.size());
    long first = rect.left, end = rect.right;
    if (first < len && IsSecondByteAt(text, first))
        --first;
    if (end < len && IsSecondByteAt(text, end))
        ++end;
    const CAppSettings& s = AppSettings();
    DrawCells(r, text, first, end, s.m_crHiText, s.m_crHiBack);
}

void CVu::PaintHilight(const CCellRect& rect, bool bOn)
{
    CCellRect visible = Intersect(rect, {m_nLeftCol, m_nTopLine, m_nLeftCol + m_nCols + 1L, m_nTopLine + m_nRows + 1L});
    if (IsEmptyRect(visible))
        return;
    IViewSurface& surface = Surface();
    if (!bOn) {
        // Back to the painter's own colours (tags and addresses included); a
        // cell beside each edge comes along for a character the mark widened.
        MarkDirty({std::max(0L, visible.left - m_nLeftCol - 1), visible.top - m_nTopLine,
                   visible.right - m_nLeftCol + 1, visible.bottom - m_nTopLine});
        surface.UpdateNow();
        return;
    }
    bool bHideCaret = Contains(rect, CaretCol(), CaretLine());
    if (bHideCaret)
        surface.HideCaret();
    m_nClipLeft = 0;
    m_nClipRight = m_nCols + 1L;
    surface.BeginDraw();
    for (long line = visible.top; line < visible.bottom; ++line)
        PaintHilightRow(static_cast<int>(line - m_nTopLine), PeekLine(line), rect);
    surface.EndDraw();
    if (bHideCaret)
        surface.ShowCaret();
}

bool CVu::GetMarkedRect(CCellRect& rect, bool bForHilight) const
{
    if (!IsMarkSet())
        return false;
    long a = m_nMarkCol, m = m_nMarkLine, c = CaretCol(), l = CaretLine();
    rect.top = std::min(m, l);
    rect.bottom = std::max(m, l) + 1;
    // A shift-mark leaves out the caret's own line.
    if (m_bShiftMark && l > m)
        rect.bottom = l;
    else if (m_bShiftMark && l < m)
        rect.top = l + 1;
    rect.left = std::min(a, c);
    rect.right = std::max(a, c);
    if (bForHilight) {
        if (a == c) {  // a line block is shown across the window
            rect.left = m_nLeftCol;
            rect.right = m_nLeftCol + m_nCols + 1L;
        }
        rect = Intersect(rect, {m_nLeftCol, m_nTopLine, m_nLeftCol + m_nCols + 1L, m_nTopLine + m_nRows + 1L});
    }
    return true;
}

void CVu::UpdateHilight()
{
    CCellRect now;
    bool bMarked = AppSettings().m_bHilightMark && GetMarkedRect(now, true) && !IsEmptyRect(now);
    CCellRect painted = m_rcHilight;
    m_rcHilight = bMarked ? now : CCellRect{};
    if (!bMarked) {
        if (!IsEmptyRect(painted))
            PaintHilight(painted, false);
        return;
    }
    CCellRect old = Intersect(painted, {m_nLeftCol, m_nTopLine, m_nLeftCol + m_nCols + 1L, m_nTopLine + m_nRows + 1L});
    if (IsEmptyRect(old)) {
        PaintHilight(now, true);
        return;
    }
    int nMoved = (old.left != now.left) + (old.top != now.top) + (old.right != now.right) + (old.bottom != now.bottom);
    if (nMoved == 0)
        return;
    if (nMoved > 1) {
        PaintHilight(old, false);
        PaintHilight(now, true);
        return;
    }
    // One edge moved: only the strip between its old and new place changes.
    CCellRect strip = now;
    bool bGrew;
    if (old.left != now.left) {
        strip.left = std::min(old.left, now.left);
        strip.right = std::max(old.left, now.left);
        bGrew = now.left < old.left;
    } else if (old.right != now.right) {
        strip.left = std::min(old.right, now.right);
        strip.right = std::max(old.right, now.right);
        bGrew = now.right > old.right;
    } else if (old.top != now.top) {
        strip.top = std::min(old.top, now.top);
        strip.bottom = std::max(old.top, now.top);
        bGrew = now.top < old.top;
    } else {
        strip.top = std::min(old.bottom, now.bottom);
        strip.bottom = std::max(old.bottom, now.bottom);
        bGrew = now.bottom > old.bottom;
    }
    PaintHilight(strip, bGrew);
}

void CVu::CancelShiftMark()
{
    if (!m_bShiftMark)
        return;
    m_bShiftMark = false;
    m_nMarkCol = m_nMarkLine = -1;
}

bool CVu::IsTagged(long nLine) const
{
    return nLine >= 0 && std::binary_search(m_arrTags.begin(), m_arrTags.end(), static_cast<unsigned>(nLine));
}

CAddressMatch CVu::FindAddressAt(long nCol, long nRow) const
{
    std::string_view line = PeekLine(m_nTopLine + nRow);
    size_t col = static_cast<size_t>(std::max(0L, m_nLeftCol + nCol));
    size_t pos = AddressScanStart(line, col);
    while (pos <= col && pos < line.size()) {
        CAddressMatch m = FindAddress(line.substr(pos), col - pos + 1);
        if (!m.nKind)
            break;
        m.nOffset += pos;
        if (col < m.nOffset + m.nLength)
            return m;
        pos = m.nOffset + m.nLength;
    }
    return {};
}

int CVu::AddressAt(long nCol, long nRow)
{
    CAddressMatch m = FindAddressAt(nCol, nRow);
    m_nAddressKind = m.nKind;
    m_strAddress.assign(PeekLine(m_nTopLine + nRow).substr(m.nOffset, std::min(m.nLength, kMaxAddressText)));
    return m_nAddressKind;
}
