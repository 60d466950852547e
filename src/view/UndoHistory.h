// The undo history of one view: records in the order the changes were made and
// a cursor, the number of records applied; the records at and after the cursor
// can be redone. The capacity is "MaxHistory" (at least 16): beyond it the
// oldest record goes.
#pragma once
#include <deque>
#include <memory>

#include "view/UndoRecord.h"

class CUndoHistory {
public:
    static constexpr int kMinCapacity = 16;
    static constexpr int kDefaultCapacity = 1024;

    explicit CUndoHistory(int nCapacity = kDefaultCapacity);

    // Ends the redo chain and appends the record of a change just made. A null
    // record stands for one that could not be made (memory ran out): the
    // history then empties itself, since a gap would let later undos apply to
    // the wrong text.
    void Add(std::unique_ptr<CUndoRecord> pRecord);
    // Drops the oldest records beyond n (n is raised to the least capacity).
    void SetCapacity(int n);
    void Clear();

    bool CanUndo() const { return m_nCursor > 0; }
    bool CanRedo() const { return m_nCursor < static_cast<int>(m_records.size()); }
    // The record to undo (the cursor steps back) or to redo (it steps on);
    // null when there is none.
    CUndoRecord* StepBack();
    CUndoRecord* StepForward();

    int GetCount() const { return static_cast<int>(m_records.size()); }
    int GetCursor() const { return m_nCursor; }
    int GetCapacity() const { return m_nCapacity; }

private:
    void DropOldest(int n);

    // A deque: a full history drops its oldest record on every change, which
    // must not move all the others; it grows without copying them either.
    std::deque<std::unique_ptr<CUndoRecord>> m_records;
    int m_nCursor = 0;
    int m_nCapacity;
};
