// Paragraph formatting (the marked lines refilled between two columns by the
// line breaker) and counting bytes, words and lines.
#include <algorithm>

#include "settings/AppSettings.h"
#include "platform/Messages.h"
#include "text/Doc.h"
#include "text/LineStore.h"
#include "text/Sjis.h"
#include "view/Caret.h"
#include "view/LineBreaker.h"
#include "view/UndoRecord.h"
#include "view/Vu.h"

namespace {

constexpr char kCutsKanji[] = "矩形が漢字を分断します";  // UTF-8 format of the message helpers

CFillRules RulesFromSettings()
{
    const CAppSettings& s = AppSettings();
    return {s.m_strRightProhibition, s.m_strLeftProhibition, s.m_strLeftSticker, s.m_bSpaceAscii};
}

} // namespace

void CVu::OnFormatParagraph()
{
    CCellRect rc;
    if (!GetMarkedRect(rc, false)) {
        InfoBox("mark not set");
        return;
    }
    bool bRect = rc.left != rc.right;
    long c1 = rc.left;
    long c2 = bRect ? rc.right : m_pCaret->m_nLineLength;
    // The kept columns of the first line must end between characters, or a
    // trail byte would be taken for a character of its own; a rectangle is
    // held to what picking it asks of every line.
    if ((bRect && CutsDoubleByte(rc, false)) || IsSecondByteAt(PeekLine(rc.top), c1)) {
        InfoBox(kCutsKanji);
        return;
    }
    OnUnmark();
    CViewPosition before = GetPosition();
    CDoc& doc = *GetShownDoc();
    doc.m_Lines.FlushWorkLine();
    long nFirst = rc.top;
    long nOld = std::min(rc.bottom, GetLineCount()) - nFirst;
    if (nOld <= 0)
        return;  // nothing of the block is text

    // The block's lines joined by blanks are the text to fill.
    std::string joined;
    size_t total = 0;
    for (long i = 0; i < nOld; ++i)
        total += PeekLine(nFirst + i).size() + 1;
    joined.reserve(std::max(total, static_cast<size_t>(c1) + 1));
    for (long i = 0; i < nOld; ++i) {
        std::string_view s = PeekLine(nFirst + i);
        joined += s;
        if (i == 0 && static_cast<long>(s.size()) < c1)
            joined.append(static_cast<size_t>(c1) - s.size(), ' ');
        joined += ' ';
    }
    COwnedLines lines;
    switch (CLineBreaker(RulesFromSettings()).Fill(joined, c1, c2, MaxLineLength, lines)) {
    case CLineBreaker::EFill::Done: break;
    case CLineBreaker::EFill::TooLong: ErrorBox("buffer overflow"); return;
    case CLineBreaker::EFill::NoMemory: ErrorBox(54); return;
    }
    long nNew = static_cast<long>(lines.Count());
    // The old lines come out in exchange for the new ones (tags on them go
    // with them) and stay with the undo record; a refusal changes nothing.
    if (!SwapLinesAt(nFirst, nOld, lines, false))
        return;
    SetModified();
    RepaintAll();
    m_pCaret->MoveHorz(0, true);
    UpdateHilight();
    AddUndo([&] {
        return std::make_unique<CUndoSwapLines>(CCellRect{0, nFirst, 0, nFirst + std::max(nOld, nNew)}, before,
                                                GetPosition(), std::move(lines), nNew);
    });
}

void CVu::OnCount()
{
    long nFrom = 0, nTo = CaretLine();
    if (IsMarkSet()) {
        nFrom = std::min(m_nMarkLine, CaretLine());
        nTo = std::max(m_nMarkLine, CaretLine());
    }
    GetShownDoc()->m_Lines.FlushWorkLine();
    long nBytes = 0, nWords = 0;
    for (long line = nFrom; line <= nTo; ++line) {
        bool bInWord = false;
        for (char c : PeekLine(line)) {
            bool bBlank = c == ' ';
            if (!bBlank) {
                ++nBytes;
                if (!bInWord)
                    ++nWords;
            }
            bInWord = !bBlank;
        }
    }
    InfoBox("From Line #%ld\nTo Line #%ld\n# of Bytes: %ld\n# of Words: %ld\n# of Lines: %ld", nFrom + 1, nTo + 1,
            nBytes, nWords, nTo - nFrom + 1);
}
