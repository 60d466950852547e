// The motion commands: characters, tab steps, screen edges, lines, words,
// pages, the ends of the file and a numbered line.
#include <algorithm>
#include <climits>

#include "settings/AppSettings.h"
#include "keys/CommandIds.h"
#include "platform/Messages.h"
#include "text/Doc.h"
#include "text/LineStore.h"
#include "text/Sjis.h"
#include "view/Caret.h"
#include "view/Vu.h"
#include "view/Words.h"

namespace {

// A plain motion command: a shift-mark ends first, the overlay follows after.
template <class F>
void PlainMotion(CVu& view, F move)
{
    view.CancelShiftMark();
    move();
    view.UpdateHilight();
}

// The left column of ID_SCREEN_RIGHT stays this far from the longest line's end.
constexpr long kScreenRightMargin = 10;

} // namespace

void CVu::OnCursorUp() { PlainMotion(*this, [this] { m_pCaret->MoveVert(-1, true); }); }
void CVu::OnCursorDown() { PlainMotion(*this, [this] { m_pCaret->MoveVert(1, true); }); }
void CVu::OnCursorLeft() { PlainMotion(*this, [this] { m_pCaret->MoveHorz(-1, true); }); }
void CVu::OnCursorRight() { PlainMotion(*this, [this] { m_pCaret->MoveHorz(1, true); }); }

void CVu::OnCursorTabRight()
{
    PlainMotion(*this, [this] { m_pCaret->MoveHorz(m_nTabStep - m_pCaret->m_nCol % m_nTabStep, true); });
}

// Left by the distance a tab step right would go (from column 5 to 2, from 4 to 0).
void CVu::OnCursorTabLeft()
{
    PlainMotion(*this, [this] { m_pCaret->MoveHorz(m_pCaret->m_nCol % m_nTabStep - m_nTabStep, true); });
}

void CVu::OnCursorScreenLeft() { PlainMotion(*this, [this] { m_pCaret->MoveHorz(-m_pCaret->m_nCol, true); }); }

void CVu::OnCursorScreenRight()
{
    PlainMotion(*this, [this] { m_pCaret->MoveHorz(m_nCols - 1 - m_pCaret->m_nCol, true); });
}

void CVu::OnCursorScreenTop() { PlainMotion(*this, [this] { m_pCaret->MoveVert(-m_pCaret->m_nRow, true); }); }

void CVu::OnCursorScreenBottom()
{
    PlainMotion(*this, [this] { m_pCaret->MoveVert(m_nRows - 1 - m_pCaret->m_nRow, true); });
}

void CVu::OnCursorLineHead() { PlainMotion(*this, [this] { GoLineHead(); }); }
void CVu::OnCursorLineEnd() { PlainMotion(*this, [this] { GoLineEnd(); }); }
void CVu::OnCursorNextLine()
{
    // With "ReturnChar" the key splits the line in insert mode, as in other
    // editors (a view that cannot edit just moves).
    if (AppSettings().m_bReturnChar && m_bInsert && CommandHandler(ID_SPLIT_LINE)) {
        RunCommand(ID_SPLIT_LINE);
        return;
    }
    PlainMotion(*this, [this] { GoNextLine(); });
}
void CVu::OnWordNext() { PlainMotion(*this, [this] { GoWordNext(); }); }
void CVu::OnWordPrev() { PlainMotion(*this, [this] { GoWordPrev(); }); }
void CVu::OnGotoTop() { PlainMotion(*this, [this] { GoFileTop(); }); }
void CVu::OnGotoEnd() { PlainMotion(*this, [this] { GoFileEnd(); }); }
void CVu::OnGotoLine() { PlainMotion(*this, [this] { GoLine(AppSettings().m_nGotoLine); }); }

void CVu::OnScrollLineUp()
{
    PlainMotion(*this, [this] {
        if (m_nTopLine > 0)
            ScrollLinesKeepingCaret(-1);
    });
}

void CVu::OnScrollLineDown() { PlainMotion(*this, [this] { ScrollLinesKeepingCaret(1); }); }
void CVu::OnPageDown() { PlainMotion(*this, [this] { ScrollVert(m_nRows, true); }); }
void CVu::OnPageUp() { PlainMotion(*this, [this] { ScrollVert(-m_nRows, true); }); }

void CVu::OnQuarterPageDown() { PlainMotion(*this, [this] { ScrollLinesKeepingCaret(std::max(m_nRows / 4, 1)); }); }

void CVu::OnQuarterPageUp()
{
    PlainMotion(*this, [this] {
        if (long n = std::min(static_cast<long>(std::max(m_nRows / 4, 1)), m_nTopLine))
            ScrollLinesKeepingCaret(-n);
    });
}

void CVu::OnScrollLeftTab() { PlainMotion(*this, [this] { ScrollHorzBy(-m_nTabStep); }); }
void CVu::OnScrollRightTab() { PlainMotion(*this, [this] { ScrollHorzBy(m_nTabStep); }); }

void CVu::OnScreenLeft()
{
    PlainMotion(*this, [this] { ScrollHorzBy(std::max(m_nLeftCol - m_nCols, 0L) - m_nLeftCol); });
}

void CVu::OnScreenRight()
{
    PlainMotion(*this, [this] {
        long bound = static_cast<long>(MaxLineBytes) - m_nCols - kScreenRightMargin;
        // A window already scrolled past the bound by smaller steps stays put.
        long left = std::max(m_nLeftCol, std::min(m_nLeftCol + m_nCols, bound));
        ScrollHorzBy(left - m_nLeftCol);
    });
}

void CVu::ScrollLinesKeepingCaret(long delta)
{
    // The caret follows its text line while the line stays in the window;
    // else it keeps to the edge row, on a new line.
    long row = m_pCaret->m_nRow;
    long d = ScrollVert(delta);
    if (d != 0)
        m_pCaret->MoveVert(std::clamp(row - d, 0L, std::max(m_nRows - 1L, 0L)) - row, true);
}

void CVu::MoveCaretTo(long nCol, long nLine)
{
    m_pCaret->MoveVert(nLine - CaretLine(), false);
    m_pCaret->MoveHorz(nCol - CaretCol(), false);
}

void CVu::GoLineHead()
{
    // The indentation, and from there (a second press) column 0.
    long n = LeadingBlanks(PeekLine(CaretLine()));
    long target = CaretCol() == n ? 0 : n;
    m_pCaret->MoveHorz(target - CaretCol(), true);
}

void CVu::GoLineEnd() { m_pCaret->MoveHorz(TrimmedLength(PeekLine(CaretLine())) - CaretCol(), true); }

void CVu::GoNextLine()
{
    m_pCaret->MoveVert(1, true);
    m_pCaret->MoveHorz(-m_pCaret->m_nCol, true);
}

void CVu::GoFileTop()
{
    ScrollVert(-m_nTopLine);
    m_pCaret->SetCell(0, 0);
}

void CVu::GoFileEnd()
{
    // The last line that holds text; the column stays.
    long n = GetShownDoc()->GetTextLineCount();
    if (long over = n - m_nRows - m_nTopLine; over > 0)
        ScrollVert(over);
    long row = std::min(static_cast<long>(m_nRows), n - m_nTopLine) - 1;
    m_pCaret->MoveVert(row - m_pCaret->m_nRow, true);
}

void CVu::GoLine(long nTarget)
{
    // A number from the command window may be 0 or past the end.
    long line = std::clamp(nTarget, 1L, std::max(GetLineCount(), 1L)) - 1;
    if (line >= m_nTopLine && line < m_nTopLine + m_nRows) {
        m_pCaret->MoveVert(line - CaretLine(), true);
        return;
    }
    // A quarter window from the top, or where the scroll could bring it.
    long row = std::max(m_nRows / 4 - 1, 0);
    ScrollVert(line - row - m_nTopLine);
    m_pCaret->SetCell(m_pCaret->m_nCol, line - m_nTopLine);
}

bool CVu::NextNonBlank(long& nCol, long& nLine) const
{
    long last = GetShownDoc()->GetTextLineCount();
    for (long l = nLine, col = nCol; l < last; ++l, col = 0) {
        std::string_view s = PeekLine(l);
        long n = static_cast<long>(s.size());
        if (col < n && IsSecondByteAt(s, col))
            ++col;
        for (long i = col; i < n; i += CharLenAt(s, static_cast<size_t>(i))) {
            if (!IsBlankAt(s, i)) {
                nCol = i;
                nLine = l;
                return true;
            }
        }
    }
    return false;
}

bool CVu::PrevNonBlank(long& nCol, long& nLine) const
{
    for (long l = nLine, col = nCol; l >= 0; --l, col = LONG_MAX) {
        std::string_view s = PeekLine(l);
        long n = static_cast<long>(s.size());
        if (n == 0 || col < 0)
            continue;
        for (long i = CharStartAt(s, std::min(col, n - 1));; i = PrevCharStart(s, i)) {
            if (!IsBlankAt(s, i)) {
                nCol = i;
                nLine = l;
                return true;
            }
            if (i == 0)
                break;
        }
    }
    return false;
}

void CVu::GoWordNext()
{
    long col = CaretCol(), line = CaretLine();
    long c = col, l = line;
    if (!NextNonBlank(c, l)) {
        ErrorBeep();
        return;
    }
    if (c != col || l != line) {
        MoveCaretTo(c, l);
        return;
    }
    // On a word: past it to the next one, or to its end when it is the last
    // of its line.
    std::string_view s = PeekLine(l);
    CWordSpan word;
    if (!WordAt(s, c, word)) {
        ErrorBeep();
        return;
    }
    if (word.nEnd >= TextEnd(s)) {
        MoveCaretTo(word.nEnd, l);
        return;
    }
    c = word.nEnd;
    if (!NextNonBlank(c, l)) {
        ErrorBeep();
        return;
    }
    MoveCaretTo(c, l);
}

void CVu::GoWordPrev()
{
    long col = CaretCol(), line = CaretLine();
    if (col == 0) {
        if (line == 0)
            ErrorBeep();
        else
            MoveCaretTo(TextEnd(PeekLine(line - 1)), line - 1);
        return;
    }
    std::string_view s = PeekLine(line);
    if (col <= FirstNonBlank(s)) {
        MoveCaretTo(0, line);
        return;
    }
    long c = col, l = line;
    CWordSpan word;
    if (!PrevNonBlank(c, l) || !WordAt(PeekLine(l), c, word)) {
        ErrorBeep();
        return;
    }
    if (l == line && word.nStart == col) {
        // Already at this word's start: the word before it.
        c = PrevCharStart(s, col);
        if (!PrevNonBlank(c, l) || !WordAt(PeekLine(l), c, word)) {
            ErrorBeep();
            return;
        }
    }
    MoveCaretTo(word.nStart, l);
}
