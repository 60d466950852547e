// The spell check: from the caret onward, each English word goes to the spell
// checker; at the first one it does not know, the caret goes there and the
// candidate dialog decides (keep, replace as one undoable edit, or stop).
#include "platform/Messages.h"
#include "text/Doc.h"
#include "text/LineStore.h"
#include "view/Caret.h"
#include "view/SpellChecker.h"
#include "view/UndoRecord.h"
#include "view/Vu.h"

bool CVu::ReplaceWord(long nCol, long nLine, const std::string& word, const std::string& replacement)
{
    if (PeekLine(nLine).size() - word.size() + replacement.size() > static_cast<size_t>(MaxLineLength)) {
        ErrorBox(53);
        return false;
    }
    CViewPosition before = GetPosition();
    long nEnd = nCol + static_cast<long>(word.size());
    bool ok = word.size() == replacement.size()
                  ? OverwriteBytes(nCol, nLine, replacement)
                  : DeleteBytes(nCol, nLine, static_cast<long>(word.size())) && InsertBytes(nCol, nLine, replacement);
    if (!ok)
        return false;
    AddUndo([&] {
        return std::make_unique<CUndoOverwrite>(CCellRect{nCol, nLine, nEnd, nLine + 1}, before, GetPosition(),
                                                CUndoRow{word, -1}, replacement);
    });
    return true;
}

void CVu::OnSpellCheck()
{
    ISpellChecker* pChecker = SpellChecker();
    if (!pChecker || !pChecker->Ready())
        return;
    CancelShiftMark();
    GetShownDoc()->m_Lines.FlushWorkLine();
    size_t from = static_cast<size_t>(CaretCol());
    for (long line = CaretLine(); line < GetLineCount(); ++line, from = 0) {
        std::string text(PeekLine(line));
        size_t begin = 0, end = 0;
        while (NextSpellWord(text, from, begin, end)) {
            std::string word = text.substr(begin, end - begin);
            from = end;
            std::vector<std::string> candidates;
            int result = pChecker->Check(word, candidates);
            if (result == 0)
                continue;
            if (result < -1) {
                InfoBox("unknown error");
                return;
            }
            if (result == -1)
                candidates.clear();
            MoveCaretTo(static_cast<long>(begin), line);
            UpdateHilight();
            CSpellPlace place;
            place.x = static_cast<int>(m_pCaret->m_nCol * m_metrics.nCharWidth);
            place.nWordTop = static_cast<int>(m_pCaret->m_nRow * m_metrics.nLineHeight);
            place.y = place.nWordTop + m_metrics.nLineHeight;
            place.nWordRight = place.x + static_cast<int>(word.size()) * m_metrics.nCharWidth;
            std::string replacement;
            ESpellChoice choice = pChecker->Choose(word, candidates, place, replacement);
            if (choice == ESpellChoice::Cancel)
                return;
            if (choice == ESpellChoice::Replace && replacement != word &&
                ReplaceWord(static_cast<long>(begin), line, word, replacement)) {
                // Go on after the replacement, whatever its length: never
                // inside it, nor inside the word that follows.
                text = std::string(PeekLine(line));
                from = begin + replacement.size();
            }
        }
    }
    ErrorBeep();
}
