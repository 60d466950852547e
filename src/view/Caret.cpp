// The caret and its moves.
#include "view/Caret.h"

#include <algorithm>

#include "settings/AppSettings.h"
#include "platform/Messages.h"
#include "text/Sjis.h"
#include "view/Vu.h"

CCaret::CCaret(CVu& view) : m_nLineLength(AppSettings().m_nLineLength), m_view(view) {}

void CCaret::SetCellSize(int nWidth, int nHeight)
{
    m_nCellWidth = nWidth;
    m_nCellHeight = nHeight;
}

bool CCaret::Place() { return m_view.PlaceCaret(static_cast<int>(m_nCol * m_nCellWidth), static_cast<int>(m_nRow * m_nCellHeight)); }

void CCaret::Shift(bool bVert, long d)
{
    long& cell = bVert ? m_nRow : m_nCol;
    long extent = bVert ? m_view.m_nRows : m_view.m_nCols;
    long target = cell + d;
    cell = std::clamp(target, 0L, std::max(extent - 1, 0L));
    if (target != cell) {
        if (bVert)
            m_view.ScrollVert(target - cell);
        else
            m_view.ScrollHorz(target - cell);
    }
}

void CCaret::ShiftCol(long d) { Shift(false, d); }

void CCaret::MoveHorz(long delta, bool bSnap)
{
    long before = m_nCol;
    ShiftCol(delta);
    if (bSnap && IsSecondByteAt(m_view.PeekLine(m_view.CaretLine()), m_view.CaretCol())) {
        long step = delta > 0 ? 1 : delta < 0 ? -1 : (m_nCol > 0 ? -1 : 1);
        ShiftCol(step);
    }
    m_bShiftedLeft = false;
    if (before < m_nLineLength && before + delta >= m_nLineLength)
        ErrorBeep();
    Place();
}

void CCaret::MoveVert(long delta, bool bSnap)
{
    Shift(true, delta);
    if (bSnap) {
        std::string_view line = m_view.PeekLine(m_view.CaretLine());
        long col = m_view.CaretCol();
        if (col >= static_cast<long>(line.size())) {
            if (m_bShiftedLeft)
                ShiftCol(1);
            m_bShiftedLeft = false;
        } else if (IsSecondByteAt(line, col)) {
            if (m_bShiftedLeft) {
                ShiftCol(1);
                m_bShiftedLeft = false;
            } else if (col >= 1) {
                ShiftCol(-1);
                m_bShiftedLeft = true;
            }
        } else if (m_bShiftedLeft && static_cast<unsigned char>(line[static_cast<size_t>(col)]) < 0x80) {
            ShiftCol(1);
            m_bShiftedLeft = false;
        }
    }
    Place();
}

bool CCaret::SetCell(long x, long y)
{
    if (x < 0 || x > m_view.m_nCols || y < 0 || y > m_view.m_nRows) {
        ErrorBeep();
        ErrorBox("文書ｳｨﾝﾄﾞｳが小さすぎます");
        return false;
    }
    m_nCol = x;
    m_nRow = y;
    m_bShiftedLeft = false;
    SnapOffSecondByte();
    return Place();
}

bool CCaret::SnapOffSecondByte()
{
    if (!IsSecondByteAt(m_view.PeekLine(m_view.CaretLine()), m_view.CaretCol()))
        return false;
    ShiftCol(m_nCol > 0 ? -1 : 1);
    return true;
}
