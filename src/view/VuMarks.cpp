// Marks and blocks: the anchor, the mark-while-moving commands, picking,
// closing and opening lines or rectangles, and putting the buffers back.
#include <algorithm>

#include "settings/AppSettings.h"
#include "platform/Messages.h"
#include "text/Doc.h"
#include "text/LineStore.h"
#include "text/Sjis.h"
#include "view/BlockBuffer.h"
#include "view/Caret.h"
#include "view/Vu.h"

namespace {

constexpr char kCutsKanji[] = "矩形が漢字を分断します";  // UTF-8 format of the message helpers

// Columns [left, right) of a line, blanks where it is shorter.
std::string PaddedCells(std::string_view s, long left, long right)
{
    std::string cells(static_cast<size_t>(right - left), ' ');
    if (left < static_cast<long>(s.size())) {
        std::string_view part = s.substr(static_cast<size_t>(left), static_cast<size_t>(right - left));
        cells.replace(0, part.size(), part);
    }
    return cells;
}

// The bytes of a line in columns [left, right): fewer where it ends.
std::string ActualCells(std::string_view s, long left, long right)
{
    if (left >= static_cast<long>(s.size()))
        return {};
    return std::string(s.substr(static_cast<size_t>(left), static_cast<size_t>(right - left)));
}

} // namespace

void CVu::SetAnchor()
{
    m_nMarkCol = CaretCol();
    m_nMarkLine = CaretLine();
    m_nMarkLeftCol = m_nLeftCol;
    m_nMarkTopLine = m_nTopLine;
}

void CVu::OnMark()
{
    if (IsMarkSet()) {
        OnUnmark();
        return;
    }
    SetAnchor();
    m_bShiftMark = false;
    UpdateHilight();
}

void CVu::OnUnmark()
{
    if (!IsMarkSet())
        return;
    long col = m_nMarkCol, line = m_nMarkLine;
    ScrollHorz(m_nMarkLeftCol - m_nLeftCol);
    ScrollVert(m_nMarkTopLine - m_nTopLine);
    m_nMarkCol = m_nMarkLine = -1;
    m_bShiftMark = false;
    MoveCaretTo(col, line);
    UpdateHilight();
    if (AppSettings().m_bUrlSensitive)
        RepaintAll();
}

void CVu::MarkWhileMoving(const std::function<void()>& move)
{
    if (!IsMarkSet())
        SetAnchor();
    m_bShiftMark = true;
    move();
    UpdateHilight();
}

void CVu::OnMarkUp() { MarkWhileMoving([this] { m_pCaret->MoveVert(-1, true); }); }
void CVu::OnMarkDown() { MarkWhileMoving([this] { m_pCaret->MoveVert(1, true); }); }
void CVu::OnMarkLeft() { MarkWhileMoving([this] { m_pCaret->MoveHorz(-1, true); }); }
void CVu::OnMarkRight() { MarkWhileMoving([this] { m_pCaret->MoveHorz(1, true); }); }
void CVu::OnMarkLineHead() { MarkWhileMoving([this] { GoLineHead(); }); }
void CVu::OnMarkLineEnd() { MarkWhileMoving([this] { GoLineEnd(); }); }
void CVu::OnMarkWordNext() { MarkWhileMoving([this] { GoWordNext(); }); }
void CVu::OnMarkWordPrev() { MarkWhileMoving([this] { GoWordPrev(); }); }
void CVu::OnMarkPageDown() { MarkWhileMoving([this] { ScrollVert(m_nRows, true); }); }
void CVu::OnMarkPageUp() { MarkWhileMoving([this] { ScrollVert(-m_nRows, true); }); }
void CVu::OnMarkGotoEnd() { MarkWhileMoving([this] { GoFileEnd(); }); }
void CVu::OnMarkGotoTop() { MarkWhileMoving([this] { GoFileTop(); }); }

bool CVu::GetBlock(CCellRect& rc, bool& bRect) const
{
    if (!GetMarkedRect(rc, false)) {
        rc = {0, CaretLine(), 0, CaretLine() + 1};
        bRect = false;
        return true;
    }
    bRect = rc.left != rc.right;
    return !bRect || !CutsDoubleByte(rc, true);
}

bool CVu::CutsDoubleByte(const CCellRect& rc, bool bRightEdge) const
{
    for (long line = rc.top; line < rc.bottom; ++line) {
        std::string_view s = PeekLine(line);
        if (IsSecondByteAt(s, rc.left) || (bRightEdge && IsSecondByteAt(s, rc.right)))
            return true;
    }
    return false;
}

bool CVu::Pick()
{
    CCellRect rc;
    bool bRect = false;
    bool ok = false;
    if (!GetBlock(rc, bRect)) {
        InfoBox(kCutsKanji);
    } else if (!bRect) {
        ok = PickBuffer().Store(CopyLines(rc.top, rc.bottom - rc.top), CBlockBuffer::kLines);
    } else {
        std::vector<std::string> rows;
        for (long line = rc.top; line < rc.bottom; ++line)
            rows.push_back(PaddedCells(PeekLine(line), rc.left, rc.right));
        ok = PickBuffer().Store(rows, CBlockBuffer::kRectangle);
    }
    OnUnmark();
    UpdateHilight();
    if (AppSettings().m_bUrlSensitive)
        RepaintAll();
    return ok;
}

bool CVu::Close()
{
    CCellRect rc;
    bool bRect = false;
    CViewPosition before = GetPosition();
    if (!GetBlock(rc, bRect)) {
        ErrorBox(kCutsKanji);
        OnUnmark();
        if (AppSettings().m_bUrlSensitive)
            RepaintAll();
        return false;
    }
    if (!bRect) {
        long n = rc.bottom - rc.top;
        std::vector<std::string> lines = CopyLines(rc.top, n);
        // A block the buffer cannot take stays in the document.
        if (!CloseBuffer().Store(lines, CBlockBuffer::kLines) || !DeleteLinesAt(rc.top, n))
            return false;
        OnUnmark();
        m_pCaret->MoveVert(0, true);
        AddUndo([&] {
            return std::make_unique<CUndoDeleteLines>(CCellRect{0, rc.top, 0, rc.top + n}, before, GetPosition(),
                                                      std::move(lines));
        });
        return true;
    }
    // A rectangle taller than the buffer holds is cut as far as it goes; the
    // record holds exactly the rows cut.
    long rows = std::min(rc.bottom - rc.top, static_cast<long>(CBlockBuffer::kMaxLines));
    bool bStopped = rows < rc.bottom - rc.top;
    std::vector<std::string> padded;
    std::vector<CUndoRow> removed;
    for (long i = 0; i < rows; ++i) {
        std::string_view s = PeekLine(rc.top + i);
        padded.push_back(PaddedCells(s, rc.left, rc.right));
        removed.push_back({ActualCells(s, rc.left, rc.right), -1});
    }
    if (!CloseBuffer().Store(padded, CBlockBuffer::kRectangle))
        return false;
    for (long i = 0; i < rows; ++i)
        if (!removed[static_cast<size_t>(i)].text.empty())
            DeleteBytes(rc.left, rc.top + i, rc.right - rc.left);
    if (bStopped)
        ErrorBox(51);
    OnUnmark();
    m_pCaret->MoveVert(0, true);
    AddUndo([&] {
        return std::make_unique<CUndoDelete>(CCellRect{rc.left, rc.top, rc.right, rc.top + rows}, before,
                                             GetPosition(), std::move(removed));
    });
    return true;
}

bool CVu::InsertRectangle(long nCol, long nLine, const std::vector<std::string>& rows,
                          std::vector<CUndoRow>& undoRows)
{
    // Every line must have room before any of them changes.
    for (size_t i = 0; i < rows.size(); ++i) {
        long len = static_cast<long>(PeekLine(nLine + static_cast<long>(i)).size());
        if (std::max(len, nCol) + static_cast<long>(rows[i].size()) >= MaxLineBytes) {
            ErrorBox(53);
            return false;
        }
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        long line = nLine + static_cast<long>(i);
        long len = static_cast<long>(PeekLine(line).size());
        if (!InsertBytes(nCol, line, rows[i]))
            break;
        undoRows.push_back({rows[i], len < nCol ? len : -1});
    }
    return !undoRows.empty();
}

void CVu::InsertBuffer(const CBlockBuffer& buffer, bool bPick)
{
    if (buffer.IsEmpty()) {
        InfoBox(bPick ? "ピックバッファが空です" : "クローズバッファが空です");
        return;
    }
    std::vector<std::string> lines = buffer.GetLines();
    long c = CaretCol(), l = CaretLine();
    CViewPosition before = GetPosition();
    if (buffer.GetKind() == CBlockBuffer::kLines) {
        if (!InsertLinesAt(l, lines)) {
            InfoBox("行挿入に失敗しました");
            return;
        }
        long n = static_cast<long>(lines.size());
        AddUndo([&] {
            return std::make_unique<CUndoInsertLines>(CCellRect{0, l, 0, l + n}, before, GetPosition(),
                                                      std::move(lines));
        });
    } else {
        std::vector<CUndoRow> undoRows;
        if (InsertRectangle(c, l, lines, undoRows)) {
            long w = buffer.GetWidth(), n = static_cast<long>(undoRows.size());
            AddUndo([&] {
                return std::make_unique<CUndoInsert>(CCellRect{c, l, c + w, l + n}, before, GetPosition(),
                                                     std::move(undoRows));
            });
        }
    }
    UpdateHilight();
}

void CVu::OnInsertPickBuffer() { InsertBuffer(PickBuffer(), true); }

void CVu::OnInsertCloseBuffer() { InsertBuffer(CloseBuffer(), false); }

void CVu::OnOpen()
{
    CCellRect rc;
    bool bRect = false;
    GetBlock(rc, bRect);
    CViewPosition before = GetPosition();
    if (!bRect) {
        long n = rc.bottom - rc.top;
        std::vector<std::string> blanks(static_cast<size_t>(n));
        if (!InsertLinesAt(rc.top, blanks))
            return;
        OnUnmark();
        m_pCaret->MoveVert(0, true);
        AddUndo([&] {
            return std::make_unique<CUndoInsertLines>(CCellRect{0, rc.top, 0, rc.top + n}, before, GetPosition(),
                                                      std::move(blanks));
        });
        return;
    }
    long w = rc.right - rc.left;
    if (w >= MaxLineBytes) {
        ErrorBox("Marked rectangle too wide");
        return;
    }
    if (CutsDoubleByte(rc, false)) {
        InfoBox(kCutsKanji);
        OnUnmark();
        return;
    }
    std::vector<std::string> rows(static_cast<size_t>(rc.bottom - rc.top), std::string(static_cast<size_t>(w), ' '));
    std::vector<CUndoRow> undoRows;
    if (!InsertRectangle(rc.left, rc.top, rows, undoRows))
        return;
    OnUnmark();
    m_pCaret->MoveVert(0, true);
    long n = static_cast<long>(undoRows.size());
    AddUndo([&] {
        return std::make_unique<CUndoInsert>(CCellRect{rc.left, rc.top, rc.right, rc.top + n}, before, GetPosition(),
                                             std::move(undoRows));
    });
}
