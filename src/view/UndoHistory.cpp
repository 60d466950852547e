// The undo history.
#include "view/UndoHistory.h"

#include <algorithm>

CUndoHistory::CUndoHistory(int nCapacity) : m_nCapacity(std::max(nCapacity, kMinCapacity)) {}

void CUndoHistory::Add(std::unique_ptr<CUndoRecord> pRecord)
{
    if (!pRecord) {
        Clear();
        return;
    }
    m_records.erase(m_records.begin() + m_nCursor, m_records.end());
    if (static_cast<int>(m_records.size()) >= m_nCapacity)
        DropOldest(static_cast<int>(m_records.size()) - m_nCapacity + 1);
    m_records.push_back(std::move(pRecord));
    m_nCursor = static_cast<int>(m_records.size());
}

void CUndoHistory::SetCapacity(int n)
{
    m_nCapacity = std::max(n, kMinCapacity);
    if (static_cast<int>(m_records.size()) > m_nCapacity)
        DropOldest(static_cast<int>(m_records.size()) - m_nCapacity);
}

void CUndoHistory::DropOldest(int n)
{
    m_records.erase(m_records.begin(), m_records.begin() + n);
    m_nCursor = std::max(m_nCursor - n, 0);
}

void CUndoHistory::Clear()
{
    m_records.clear();
    m_nCursor = 0;
}

CUndoRecord* CUndoHistory::StepBack() { return CanUndo() ? m_records[static_cast<size_t>(--m_nCursor)].get() : nullptr; }

CUndoRecord* CUndoHistory::StepForward()
{
    return CanRedo() ? m_records[static_cast<size_t>(m_nCursor++)].get() : nullptr;
}
