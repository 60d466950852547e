// The six kinds of undo record.
#include "view/UndoRecord.h"

#include "view/Vu.h"

void CUndoCells::InsertRows(CVu& vu) const
{
    for (size_t i = 0; i < m_arrRows.size(); ++i)
        if (!m_arrRows[i].text.empty())
            vu.InsertBytes(m_rcCells.left, m_rcCells.top + static_cast<long>(i), m_arrRows[i].text);
}

void CUndoCells::DeleteRows(CVu& vu, long nWidth) const
{
    for (size_t i = 0; i < m_arrRows.size(); ++i) {
        long n = nWidth >= 0 ? nWidth : static_cast<long>(m_arrRows[i].text.size());
        if (n > 0)
            vu.DeleteBytes(m_rcCells.left, m_rcCells.top + static_cast<long>(i), n);
    }
}

void CUndoCells::TrimPadding(CVu& vu) const
{
    for (size_t i = 0; i < m_arrRows.size(); ++i) {
        long from = m_arrRows[i].nPadFrom;
        long line = m_rcCells.top + static_cast<long>(i);
        if (from < 0)
            continue;
        std::string_view s = vu.PeekLine(line);
        if (static_cast<long>(s.size()) > from && s.find_first_not_of(' ', static_cast<size_t>(from)) == s.npos)
            vu.DeleteBytes(from, line, static_cast<long>(s.size()) - from);
    }
}

void CUndoInsert::Undo(CVu& vu)
{
    DeleteRows(vu, m_rcCells.right - m_rcCells.left);
    TrimPadding(vu);
}

void CUndoInsert::Redo(CVu& vu) { InsertRows(vu); }

void CUndoDelete::Undo(CVu& vu) { InsertRows(vu); }

void CUndoDelete::Redo(CVu& vu) { DeleteRows(vu, m_rcCells.right - m_rcCells.left); }

CUndoOverwrite::CUndoOverwrite(const CCellRect& rc, const CViewPosition& before, const CViewPosition& after,
                               CUndoRow old, std::string strNew)
    : CUndoCells(rc, before, after, {std::move(old)}), m_strNew(std::move(strNew))
{
}

void CUndoOverwrite::Swap(CVu& vu, const std::string& from, const std::string& to) const
{
    long col = m_rcCells.left, line = m_rcCells.top;
    if (from.size() == to.size()) {
        vu.OverwriteBytes(col, line, to);
        return;
    }
    if (!from.empty())
        vu.DeleteBytes(col, line, static_cast<long>(from.size()));
    if (!to.empty())
        vu.InsertBytes(col, line, to);
}

void CUndoOverwrite::Undo(CVu& vu)
{
    Swap(vu, m_strNew, m_arrRows[0].text);
    TrimPadding(vu);
}

void CUndoOverwrite::Redo(CVu& vu) { Swap(vu, m_arrRows[0].text, m_strNew); }

void CUndoLines::InsertLines(CVu& vu) const { vu.InsertLinesAt(m_rcCells.top, m_arrLines); }

void CUndoLines::DeleteLines(CVu& vu) const { vu.DeleteLinesAt(m_rcCells.top, static_cast<long>(m_arrLines.size())); }

void CUndoSwapLines::Swap(CVu& vu)
{
    long nMine = static_cast<long>(m_lines.Count());
    if (vu.SwapLinesAt(m_rcCells.top, m_nInText, m_lines))
        m_nInText = nMine;
}

void CUndoReplaceLines::Undo(CVu& vu) { vu.ReplaceLinesAt(m_rcCells.top, static_cast<long>(m_arrNew.Count()), m_arrOld); }

void CUndoReplaceLines::Redo(CVu& vu) { vu.ReplaceLinesAt(m_rcCells.top, static_cast<long>(m_arrOld.Count()), m_arrNew); }
