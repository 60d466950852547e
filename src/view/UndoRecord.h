// The records of a view's undo history. Each holds private copies of the text
// it needs, the cells it covers and the view's position before and after the
// change; Undo and Redo make the text change through the view's text
// primitives (so every view of the document hears of it and tags follow) and
// leave restoring the position to the history's caller.
#pragma once
#include <string>
#include <vector>

#include "fw/DocBase.h"
#include "text/LineList.h"
#include "text/OwnedLines.h"

class CVu;

class CUndoRecord {
public:
    CUndoRecord(const CCellRect& rcCells, const CViewPosition& posBefore, const CViewPosition& posAfter)
        : m_rcCells(rcCells), m_posBefore(posBefore), m_posAfter(posAfter)
    {
    }
    virtual ~CUndoRecord() = default;
    CUndoRecord(const CUndoRecord&) = delete;  // owns its text
    CUndoRecord& operator=(const CUndoRecord&) = delete;

    virtual void Undo(CVu&) {}
    virtual void Redo(CVu&) {}

    CCellRect m_rcCells;  // first column and line, end column and line (exclusive)
    CViewPosition m_posBefore;
    CViewPosition m_posAfter;
};

// One row of a change inside lines: the cells' text, and the line's length
// before the change when the change began past its end (the blanks that filled
// the gap go again with the undo, so undo gives back the very bytes), else -1.
struct CUndoRow {
    std::string text;
    long nPadFrom = -1;
};

// A change of cells on consecutive lines from one column (rcCells.left).
class CUndoCells : public CUndoRecord {
public:
    CUndoCells(const CCellRect& rc, const CViewPosition& before, const CViewPosition& after,
               std::vector<CUndoRow> rows)
        : CUndoRecord(rc, before, after), m_arrRows(std::move(rows))
    {
    }

protected:
    // Puts each row's text at the first column, or takes nWidth bytes there
    // (nWidth < 0: each row's own length).
    void InsertRows(CVu& vu) const;
    void DeleteRows(CVu& vu, long nWidth) const;
    // Cuts lines back to their length before a change that began past their end.
    void TrimPadding(CVu& vu) const;

    std::vector<CUndoRow> m_arrRows;
};

// Typing in insert mode, putting a rectangle, opening a rectangle, pasting
// into a line: the inserted cells.
class CUndoInsert : public CUndoCells {
public:
    using CUndoCells::CUndoCells;
    void Undo(CVu& vu) override;
    void Redo(CVu& vu) override;
};

// Deleting characters, deleting to the line end, closing a rectangle: the
// removed bytes of each row (a row may be shorter than the rectangle where its
// line ended inside it).
class CUndoDelete : public CUndoCells {
public:
    using CUndoCells::CUndoCells;
    void Undo(CVu& vu) override;
    void Redo(CVu& vu) override;
};

// Typing in overwrite mode, backspace in overwrite mode, blanking to the line
// head, replacing: the old bytes (the rows) and the new ones, on one line.
class CUndoOverwrite : public CUndoCells {
public:
    CUndoOverwrite(const CCellRect& rc, const CViewPosition& before, const CViewPosition& after, CUndoRow old,
                   std::string strNew);
    void Undo(CVu& vu) override;
    void Redo(CVu& vu) override;

private:
    void Swap(CVu& vu, const std::string& from, const std::string& to) const;
    std::string m_strNew;
};

// Whole lines at rcCells.top: copies of them.
class CUndoLines : public CUndoRecord {
public:
    CUndoLines(const CCellRect& rc, const CViewPosition& before, const CViewPosition& after,
               std::vector<std::string> lines)
        : CUndoRecord(rc, before, after), m_arrLines(std::move(lines))
    {
    }

protected:
    void InsertLines(CVu& vu) const;
    void DeleteLines(CVu& vu) const;

    std::vector<std::string> m_arrLines;
};

// Whole lines inserted.
class CUndoInsertLines : public CUndoLines {
public:
    using CUndoLines::CUndoLines;
    void Undo(CVu& vu) override { DeleteLines(vu); }
    void Redo(CVu& vu) override { InsertLines(vu); }
};

// Whole lines removed.
class CUndoDeleteLines : public CUndoLines {
public:
    using CUndoLines::CUndoLines;
    void Undo(CVu& vu) override { InsertLines(vu); }
    void Redo(CVu& vu) override { DeleteLines(vu); }
};

// Lines at rcCells.top replaced by others (a refill): the record holds
// whichever lines are not in the text, and undo and redo trade them with the
// text's without copying either.
class CUndoSwapLines : public CUndoRecord {
public:
    CUndoSwapLines(const CCellRect& rc, const CViewPosition& before, const CViewPosition& after, COwnedLines lines,
                   long nInText)
        : CUndoRecord(rc, before, after), m_lines(std::move(lines)), m_nInText(nInText)
    {
    }
    void Undo(CVu& vu) override { Swap(vu); }
    void Redo(CVu& vu) override { Swap(vu); }

private:
    void Swap(CVu& vu);

    COwnedLines m_lines;
    long m_nInText;  // lines at rcCells.top that the record's lines take the place of
};

// Lines at rcCells.top replaced by others (splitting, joining).
class CUndoReplaceLines : public CUndoRecord {
public:
    CUndoReplaceLines(const CCellRect& rc, const CViewPosition& before, const CViewPosition& after,
                      CLineList oldLines, CLineList newLines)
        : CUndoRecord(rc, before, after), m_arrOld(std::move(oldLines)), m_arrNew(std::move(newLines))
    {
    }
    void Undo(CVu& vu) override;
    void Redo(CVu& vu) override;

private:
    CLineList m_arrOld;
    CLineList m_arrNew;
};
