// What a shell command takes from the view and gives back: the filter's input
// through the pick buffer, and the output as inserted lines.
#include "view/BlockBuffer.h"
#include "view/Caret.h"
#include "view/UndoRecord.h"
#include "view/Vu.h"

bool CVu::PickFilterInput(std::vector<std::string>& lines)
{
    if (!GetShownDoc() || !Pick())
        return false;
    // The worker writes from its own copy: the buffer may change while it runs.
    lines = PickBuffer().GetLines();
    return true;
}

bool CVu::InsertCommandOutput(const std::vector<std::string>& lines)
{
    if (!GetShownDoc())
        return false;
    if (IsMarkSet())
        OnUnmark();
    long line = CaretLine();
    bool bDone = true;
    Guard([&] {
        if (lines.empty())
            return;
        CViewPosition before = GetPosition();
        if (!InsertLinesAt(line, lines)) {
            bDone = false;
            return;
        }
        long n = static_cast<long>(lines.size());
        // The caret stays with its line, so a second command's output follows the first's.
        MoveCaretTo(CaretCol(), line + n);
        AddUndo([&] {
            return std::make_unique<CUndoInsertLines>(CCellRect{0, line, 0, line + n}, before, GetPosition(), lines);
        });
    });
    SetModified();
    Surface().UpdateNow();
    return bDone;
}
