// Undo and redo: each record changes the text back (or again) through the text
// primitives, and the view returns to where it stood before (or after) the change.
#include "view/Vu.h"

void CVu::OnEditUndo()
{
    CUndoRecord* pRecord = m_History.StepBack();
    if (!pRecord)
        return;
    pRecord->Undo(*this);
    SetModified();
    SetPosition(pRecord->m_posBefore);
}

void CVu::OnEditRedo()
{
    CUndoRecord* pRecord = m_History.StepForward();
    if (!pRecord)
        return;
    pRecord->Redo(*this);
    SetModified();
    SetPosition(pRecord->m_posAfter);
}
