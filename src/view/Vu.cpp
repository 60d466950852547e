// The editor view: state, layout, update hints, position, command dispatch.
#include "view/Vu.h"

#include <algorithm>
#include <cstring>

#include "settings/AppSettings.h"
#include "keys/CommandIds.h"
#include "platform/Messages.h"
#include "search/Searcher.h"
#include "text/Doc.h"
#include "text/DocHeader.h"
#include "text/LineStore.h"
#include "view/Caret.h"

namespace {

CNullViewSurface g_nullSurface;

} // namespace

CVu::CVu()
    : m_pCaret(std::make_unique<CCaret>(*this)), m_History(AppSettings().m_nMaxHistory), m_pSurface(&g_nullSurface)
{
}

CVu::~CVu() = default;

void CVu::SetSurface(IViewSurface* pSurface) { m_pSurface = pSurface ? pSurface : &g_nullSurface; }

CDoc* CVu::GetShownDoc() const
{
    auto* pDoc = dynamic_cast<CDoc*>(GetDocument());
    if (pDoc && m_bOtherDoc)
        return pDoc->GetHeaderDoc();
    return pDoc;
}

std::string_view CVu::PeekLine(long nLine) const
{
    CDoc* pDoc = GetShownDoc();
    if (!pDoc || nLine < 0 || nLine >= pDoc->GetLineCount())
        return {};
    const char* p = pDoc->m_Lines.GetLines()[nLine];
    return p ? std::string_view(p) : std::string_view();
}

long CVu::GetLineCount() const
{
    CDoc* pDoc = GetShownDoc();
    return pDoc ? pDoc->GetLineCount() : 0;
}

long CVu::CaretCol() const { return m_nLeftCol + m_pCaret->m_nCol; }

long CVu::CaretLine() const { return m_nTopLine + m_pCaret->m_nRow; }

void CVu::OnInitialUpdate() { RecalcLayout(); }

void CVu::RecalcLayout()
{
    int width = 0, height = 0;
    m_pSurface->GetClientSize(width, height);
    m_rcClient = {0, 0, width, height};
    m_metrics = m_pSurface->MeasureFont();
    m_metrics.nCharWidth = std::max(1, m_metrics.nCharWidth);
    m_metrics.nLineHeight = std::max(1, m_metrics.nLineHeight);
    m_pCaret->SetCellSize(m_metrics.nCharWidth, m_metrics.nLineHeight);
    m_nCols = std::max(0, width / m_metrics.nCharWidth);
    m_nRows = std::max(0, height / m_metrics.nLineHeight);
    MarkAllDirty();
    m_pSurface->UpdateNow();
    CCaret& caret = *m_pCaret;
    if (caret.m_nCol >= m_nCols)
        caret.m_nCol = std::max(m_nCols - 1, 0);
    if (caret.m_nRow >= m_nRows)
        caret.m_nRow = std::max(m_nRows - 1, 0);
    caret.Place();
    UpdateScrollRange();
}

void CVu::RepaintAll()
{
    MarkAllDirty();
    m_pSurface->UpdateNow();
}

void CVu::UpdateScrollRange()
{
    if (!HasScrollBars())
        return;
    // The range ends two lines before the last, as it always has; a document of
    // two lines or fewer has nothing to scroll.
    long max = std::max(GetLineCount() - 2, 0L);
    if (max == m_nVScrollMax && m_nRows == m_nVScrollPage)
        return;
    m_nVScrollMax = max;
    m_nVScrollPage = m_nRows;
    m_pSurface->SetScrollRange(true, max, m_nRows);
    m_pSurface->SetScrollPos(true, m_nTopLine);
    m_pSurface->SetScrollRange(false, kHorzScrollMax, m_nCols);
    m_pSurface->SetScrollPos(false, m_nLeftCol);
}

void CVu::OnUpdate(CViewBase*, long lHint, const CCellRect* pRect)
{
    switch (lHint) {
    case kHintCells: {
        if (!pRect)
            return;
        // The visible part of the changed cells, the partly shown last column
        // and row included, moved to screen cells.
        long left = std::max(pRect->left, m_nLeftCol);
        long right = std::min(pRect->right, m_nLeftCol + m_nCols + 1);
        long top = std::max(pRect->top, m_nTopLine);
        long bottom = std::min(pRect->bottom, m_nTopLine + m_nRows + 1);
        if (left < right && top < bottom)
            MarkDirty({left - m_nLeftCol, top - m_nTopLine, right - m_nLeftCol, bottom - m_nTopLine});
        return;
    }
    case kHintLineCount:
        m_pSurface->PostLineCountChanged();
        return;
    default:
        MarkAllDirty();
        return;
    }
}

void CVu::AddDirty(const CCellRect& rc)
{
    m_rcDirty = m_bDirtyPending ? CellUnion(m_rcDirty, rc) : rc;
    m_bDirtyPending = true;
}

void CVu::MarkDirty(const CCellRect& rc)
{
    if (rc.left >= rc.right || rc.top >= rc.bottom)
        return;
    AddDirty(rc);
    m_pSurface->InvalidateCells(rc);
}

void CVu::MarkAllDirty() { MarkDirty(WholeWindow()); }

void CVu::OnPaint(const CCellRect& rcCells)
{
    AddDirty(rcCells);
    OnDraw();
}

CViewPosition CVu::GetPosition() const
{
    return CViewPosition{m_nLeftCol, m_nTopLine, static_cast<int>(m_pCaret->m_nCol),
                         static_cast<int>(m_pCaret->m_nRow)};
}

void CVu::SetPosition(const CViewPosition& pos)
{
    m_nLeftCol = std::clamp(pos.nLeftCol, 0L, std::max(0L, static_cast<long>(MaxLineBytes) - m_nCols - 1));
    m_nTopLine = std::clamp(pos.nTopLine, 0L, std::max(0L, GetLineCount() - 1));
    m_pCaret->m_nCol = std::clamp(static_cast<long>(pos.nCaretCol), 0L, std::max(0L, m_nCols - 1L));
    m_pCaret->m_nRow = std::clamp(static_cast<long>(pos.nCaretRow), 0L, std::max(0L, m_nRows - 1L));
    m_pCaret->SnapOffSecondByte();
    MarkAllDirty();
    m_pSurface->UpdateNow();
    m_pCaret->Place();
    m_pSurface->SetScrollPos(true, m_nTopLine);
    m_pSurface->SetScrollPos(false, m_nLeftCol);
    UpdateScrollRange();
}

CVu::Handler CVu::CommandHandler(unsigned nId)
{
    switch (nId) {
    case ID_CURSOR_UP: return &CVu::OnCursorUp;
    case ID_CURSOR_DOWN: return &CVu::OnCursorDown;
    case ID_CURSOR_LEFT: return &CVu::OnCursorLeft;
    case ID_CURSOR_RIGHT: return &CVu::OnCursorRight;
    case ID_CURSOR_TAB_RIGHT: return &CVu::OnCursorTabRight;
    case ID_CURSOR_TAB_LEFT: return &CVu::OnCursorTabLeft;
    case ID_CURSOR_SCREEN_LEFT: return &CVu::OnCursorScreenLeft;
    case ID_CURSOR_SCREEN_RIGHT: return &CVu::OnCursorScreenRight;
    case ID_CURSOR_SCREEN_TOP: return &CVu::OnCursorScreenTop;
    case ID_CURSOR_SCREEN_BOTTOM: return &CVu::OnCursorScreenBottom;
    case ID_CURSOR_LINE_HEAD: return &CVu::OnCursorLineHead;
    case ID_CURSOR_LINE_END: return &CVu::OnCursorLineEnd;
    case ID_CURSOR_NEXT_LINE: return &CVu::OnCursorNextLine;
    case ID_WORD_NEXT: return &CVu::OnWordNext;
    case ID_WORD_PREV: return &CVu::OnWordPrev;
    case ID_GOTO_TOP: return &CVu::OnGotoTop;
    case ID_GOTO_END: return &CVu::OnGotoEnd;
    case ID_GOTO_LINE: return &CVu::OnGotoLine;
    case ID_SCROLL_LINE_UP: return &CVu::OnScrollLineUp;
    case ID_SCROLL_LINE_DOWN: return &CVu::OnScrollLineDown;
    case ID_PAGE_DOWN: return &CVu::OnPageDown;
    case ID_PAGE_UP: return &CVu::OnPageUp;
    case ID_QUARTER_PAGE_DOWN: return &CVu::OnQuarterPageDown;
    case ID_QUARTER_PAGE_UP: return &CVu::OnQuarterPageUp;
    case ID_SCROLL_LEFT_TAB: return &CVu::OnScrollLeftTab;
    case ID_SCROLL_RIGHT_TAB: return &CVu::OnScrollRightTab;
    case ID_SCREEN_LEFT: return &CVu::OnScreenLeft;
    case ID_SCREEN_RIGHT: return &CVu::OnScreenRight;
    case ID_TOGGLE_INSERT: return &CVu::OnToggleInsert;
    case ID_SAVE_JIS: return &CVu::OnSaveJis;
    case ID_SAVE_EUC: return &CVu::OnSaveEuc;
    case ID_LF_ONLY: return &CVu::OnLfOnly;
    case ID_DELETE_CHAR: return &CVu::OnDeleteChar;
    case ID_BACKSPACE: return &CVu::OnBackspace;
    case ID_SPLIT_LINE: return &CVu::OnSplitLine;
    case ID_JOIN_LINES: return &CVu::OnJoinLines;
    case ID_DELETE_TO_LINE_END: return &CVu::OnDeleteToLineEnd;
    case ID_DELETE_TO_LINE_HEAD: return &CVu::OnDeleteToLineHead;
    case ID_MARK: return &CVu::OnMark;
    case ID_UNMARK: return &CVu::OnUnmark;
    case ID_MARK_UP: return &CVu::OnMarkUp;
    case ID_MARK_DOWN: return &CVu::OnMarkDown;
    case ID_MARK_LEFT: return &CVu::OnMarkLeft;
    case ID_MARK_RIGHT: return &CVu::OnMarkRight;
    case ID_MARK_LINE_HEAD: return &CVu::OnMarkLineHead;
    case ID_MARK_LINE_END: return &CVu::OnMarkLineEnd;
    case ID_MARK_WORD_NEXT: return &CVu::OnMarkWordNext;
    case ID_MARK_WORD_PREV: return &CVu::OnMarkWordPrev;
    case ID_MARK_PAGE_DOWN: return &CVu::OnMarkPageDown;
    case ID_MARK_PAGE_UP: return &CVu::OnMarkPageUp;
    case ID_MARK_GOTO_END: return &CVu::OnMarkGotoEnd;
    case ID_MARK_GOTO_TOP: return &CVu::OnMarkGotoTop;
    case ID_PICK: return &CVu::OnPick;
    case ID_CLOSE: return &CVu::OnClose;
    case ID_OPEN: return &CVu::OnOpen;
    case ID_INSERT_PICK_BUFFER: return &CVu::OnInsertPickBuffer;
    case ID_INSERT_CLOSE_BUFFER: return &CVu::OnInsertCloseBuffer;
    case ID_EDIT_COPY: return &CVu::OnEditCopy;
    case ID_EDIT_CUT: return &CVu::OnEditCut;
    case ID_EDIT_PASTE: return &CVu::OnEditPaste;
    case ID_QUOTE_ON_COPY: return &CVu::OnQuoteOnCopy;
    case ID_TOGGLE_TAG: return &CVu::OnToggleTag;
    case ID_TAG_NEXT: return &CVu::OnTagNext;
    case ID_TAG_PREV: return &CVu::OnTagPrev;
    case ID_EDIT_UNDO: return &CVu::OnEditUndo;
    case ID_EDIT_REDO: return &CVu::OnEditRedo;
    case ID_FORMAT_PARAGRAPH: return &CVu::OnFormatParagraph;
    case ID_COUNT: return &CVu::OnCount;
    case ID_OPEN_URL: return &CVu::OnOpenUrl;
    case ID_REGISTER_ADDRESS: return &CVu::OnRegisterAddress;
    case ID_SPELL_CHECK: return &CVu::OnSpellCheck;
    case ID_SEARCH_NEXT: return &CVu::OnSearchNext;
    case ID_SEARCH_PREV: return &CVu::OnSearchPrev;
    case ID_REPLACE: return &CVu::OnReplace;
    case ID_REPLACE_ALL: return &CVu::OnReplaceAll;
    case ID_HANKAKU_KANA_SEARCH: return &CVu::OnHankakuKanaSearch;
    default: return nullptr;
    }
}

void CVu::UpdateCommandState(unsigned nId, CCmdUi& ui)
{
    switch (nId) {
    case ID_MARK: ui.SetCheck(IsMarkSet()); break;
    case ID_TOGGLE_INSERT: ui.SetCheck(m_bInsert); break;
    case ID_SAVE_JIS: ui.SetCheck(SavedDoc() && SavedDoc()->IsJisOutput()); break;
    case ID_SAVE_EUC: ui.SetCheck(SavedDoc() && SavedDoc()->IsEucOutput()); break;
    case ID_LF_ONLY: ui.SetCheck(SavedDoc() && SavedDoc()->IsLfOnlyOutput()); break;
    case ID_QUOTE_ON_COPY: ui.SetCheck(!m_strLineHeader.empty()); break;
    case ID_EDIT_COPY:
    case ID_EDIT_CUT: ui.Enable(IsMarkSet()); break;
    case ID_EDIT_UNDO: ui.Enable(m_History.CanUndo()); break;
    case ID_EDIT_REDO: ui.Enable(m_History.CanRedo()); break;
    case ID_HANKAKU_KANA_SEARCH: ui.SetCheck(HankakuKanaMode()); break;
    default: break;
    }
}

bool CVu::OnCommand(unsigned nId, CCmdUi* pUi)
{
    // The insert and mark indicators of the status bar show the view's modes.
    if (nId == ID_INDICATOR_INS || nId == ID_INDICATOR_MARK) {
        if (pUi)
            pUi->Enable(nId == ID_INDICATOR_INS ? m_bInsert : IsMarkSet());
        return true;
    }
    Handler fn = CommandHandler(nId);
    if (!fn)
        return false;
    if (pUi) {
        UpdateCommandState(nId, *pUi);
        return true;
    }
    if (!GetShownDoc()) {
        ErrorBox("そっ、そんな馬鹿な！");
        return true;
    }
    Guard([&] { (this->*fn)(); });
    return true;
}

void CVu::RunCommand(unsigned nId)
{
    CCmdUi ui(nId);
    if (OnCommand(nId, &ui) && ui.IsEnabled())
        OnCommand(nId, nullptr);
}
