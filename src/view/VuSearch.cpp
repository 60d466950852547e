// Search and replace in the view: the application's searcher (or the half-width
// katakana mode) walks the shown document through an adapter that hands out
// each line without its trailing blanks, and every replacement is one undoable
// change of the line.
#include <algorithm>
#include <string>

#include "keys/CommandIds.h"
#include "platform/Messages.h"
#include "search/HankakuKana.h"
#include "search/Searcher.h"
#include "text/Doc.h"
#include "text/LineStore.h"
#include "text/Sjis.h"
#include "view/Caret.h"
#include "view/UndoRecord.h"
#include "view/Vu.h"
#include "view/Words.h"

namespace {

// The document as the searcher walks it. Trailing blanks never match: a line
// that has some is handed out as a trimmed copy, so the store (and with it the
// modified flag and the undo history) stays as it is.
class CVuSearchText : public IReplaceText {
public:
    // bFollow: each replacement's record shows the view where it stands now
    // (one replacement at the caret); else where the replacement is.
    // The walk ends at the last line that holds text: the empty lines the
    // window shows below it are none of the document's.
    CVuSearchText(CVu& vu, bool bFollow)
        : m_vu(vu), m_bFollow(bFollow), m_nLines(vu.GetShownDoc() ? vu.GetShownDoc()->GetTextLineCount() : 0)
    {
    }

    long LineCount() override { return m_nLines; }

    const char* LineText(long nLine) override
    {
        std::string_view s = m_vu.PeekLine(nLine);
        if (s.empty())
            return "";
        long n = TrimmedLength(s);
        if (n == static_cast<long>(s.size()))
            return s.data();  // store lines are NUL-terminated
        m_trimmed.assign(s.data(), static_cast<size_t>(n));
        return m_trimmed.c_str();
    }

    bool ReplaceText(long nLine, long nColumn, long nLength, std::string_view text) override
    {
        CViewPosition pos = m_bFollow ? m_vu.GetPosition()
                                      : m_vu.PositionShowing(nColumn, nLine, static_cast<long>(text.size()));
        return m_vu.ReplaceBytes(nColumn, nLine, nLength, text, pos);
    }

private:
    CVu& m_vu;
    bool m_bFollow;
    long m_nLines;
    std::string m_trimmed;
};

// The wait cursor while a search or replacement walks the file.
class CWaitCursor {
public:
    explicit CWaitCursor(IViewSurface& surface) : m_surface(surface) { m_surface.BeginWaitCursor(); }
    ~CWaitCursor() { m_surface.EndWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    IViewSurface& m_surface;
};

} // namespace

CViewPosition CVu::PositionShowing(long nCol, long nLine, long nLength) const
{
    long top = m_nTopLine;
    long left = m_nLeftCol;
    if (nLine < top || nLine >= top + m_nRows)
        top = std::max(0L, nLine - m_nRows / 4);
    // The match's end in the last column, or its start in the first when the
    // window is narrower than the match or the match lies to the left.
    if (nCol + nLength > left + m_nCols)
        left = nCol + nLength - m_nCols;
    if (nCol < left)
        left = nCol;
    left = std::max(left, 0L);
    return CViewPosition{left, top, static_cast<int>(nCol - left), static_cast<int>(nLine - top)};
}

void CVu::ShowSearchHit(long nCol, long nLine, long nLength)
{
    CViewPosition pos = PositionShowing(nCol, nLine, nLength);
    if (pos.nTopLine != m_nTopLine)
        ScrollVert(pos.nTopLine - m_nTopLine);
    if (pos.nLeftCol != m_nLeftCol)
        ScrollHorz(pos.nLeftCol - m_nLeftCol);
    m_pCaret->SetCell(nCol - m_nLeftCol, nLine - m_nTopLine);
    UpdateHilight();
}

bool CVu::ReplaceBytes(long nCol, long nLine, long nLength, std::string_view text, const CViewPosition& posShown)
{
    if (nLength == 0 && text.empty())
        return true;
    std::string_view line = PeekLine(nLine);
    if (nCol < 0 || nCol + nLength > static_cast<long>(line.size()))
        return false;
    std::string old(line.substr(static_cast<size_t>(nCol), static_cast<size_t>(nLength)));
    long nNew = static_cast<long>(text.size());
    if (nNew == nLength) {
        if (!OverwriteBytes(nCol, nLine, text))
            return false;
    } else {
        if (nLength > 0 && !DeleteBytes(nCol, nLine, nLength))
            return false;
        if (nNew > 0 && !InsertBytes(nCol, nLine, text)) {
            // Put the old text back so that a refusal changes nothing.
            if (nLength > 0)
                InsertBytes(nCol, nLine, old);
            return false;
        }
    }
    AddUndo([&] {
        return std::make_unique<CUndoOverwrite>(CCellRect{nCol, nLine, nCol + nNew, nLine + 1}, posShown, posShown,
                                                CUndoRow{std::move(old), -1}, std::string(text));
    });
    return true;
}

void CVu::OnSearchNext()
{
    CancelShiftMark();
    CWaitCursor wait(Surface());
    CVuSearchText text(*this, true);
    SearchHit hit;
    bool bFound;
    if (HankakuKanaMode()) {
        bFound = FindHankakuForward(text, CaretLine(), CaretCol(), &hit);
    } else if (CSearcher* pSearcher = Searcher()) {
        bFound = pSearcher->FindForward(text, CaretLine(), CaretCol(), true, &hit);
    } else {
        ErrorBeep();
        StatusMessage("探すべき文字列が指定されていません");
        return;
    }
    if (!bFound) {
        ErrorBeep();
        StatusMessage("ファイルの末尾まで検索しました");
        return;
    }
    ShowSearchHit(hit.nColumn, hit.nLine, hit.nLength);
}

void CVu::OnSearchPrev()
{
    CancelShiftMark();
    CWaitCursor wait(Surface());
    CVuSearchText text(*this, true);
    SearchHit hit;
    bool bFound;
    if (HankakuKanaMode()) {
        bFound = FindHankakuBackward(text, CaretLine(), CaretCol(), &hit);
    } else if (CSearcher* pSearcher = Searcher()) {
        bFound = pSearcher->FindBackward(text, CaretLine(), CaretCol(), &hit);
    } else {
        ErrorBeep();
        StatusMessage("探すべき文字列が指定されていません");
        return;
    }
    if (!bFound) {
        ErrorBeep();
        StatusMessage("ファイルの先頭まで検索しました");
        return;
    }
    ShowSearchHit(hit.nColumn, hit.nLine, hit.nLength);
}

void CVu::OnReplace()
{
    CancelShiftMark();
    CVuSearchText text(*this, true);
    long line = CaretLine(), col = CaretCol();
    bool bDone = false;
    if (HankakuKanaMode())
        bDone = ReplaceHankakuRunAt(text, line, col);
    else if (CSearcher* pSearcher = Searcher())
        bDone = pSearcher->ReplaceLastMatch(text, line, col);
    if (!bDone)
        return;
    // A wider run may have put a double-byte character under the caret.
    if (m_pCaret->SnapOffSecondByte())
        m_pCaret->Place();
    UpdateHilight();
}

void CVu::OnReplaceAll()
{
    CancelShiftMark();
    CSearcher* pSearcher = Searcher();
    if (!pSearcher) {
        ErrorBeep();
        StatusMessage("探すべき文字列が指定されていません");
        return;
    }
    CWaitCursor wait(Surface());
    // The caret and the window stay where they are: each replacement's record
    // remembers where it was made instead, for undo to show it.
    CVuSearchText text(*this, false);
    pSearcher->ReplaceAll(text, CaretLine(), CaretCol());
    if (m_pCaret->SnapOffSecondByte())
        m_pCaret->Place();
    Surface().UpdateNow();
    UpdateHilight();
}

void CVu::OnHankakuKanaSearch()
{
    if (HankakuKanaMode()) {
        SetHankakuKanaMode(false);
        return;
    }
    SetHankakuKanaMode(true);
    Surface().PostCommand(ID_SEARCH_NEXT);
}
