// The command window: its command handlers, the command line, the history.
#include "command/ComWin.h"

#include "command/ComWinHost.h"
#include "command/CommandParse.h"
#include "command/History.h"
#include "keys/CommandIds.h"
#include "platform/Messages.h"
#include "search/Searcher.h"
#include "settings/AppSettings.h"
#include "text/Doc.h"
#include "text/LineStore.h"
#include "view/Caret.h"
#include "view/Words.h"

namespace {

// The word under the document's caret that a search with an empty line takes.
constexpr long kMaxSearchWord = 1023;

} // namespace

CComWin::CComWin(IComWinHost& host) : m_host(host), m_pHistoryDoc(std::make_unique<CDoc>())
{
    m_pHistoryDoc->AddView(this);
}

CComWin::~CComWin() { m_pHistoryDoc->RemoveView(this); }

CVu::Handler CComWin::CommandHandler(unsigned nId)
{
    auto own = [](void (CComWin::*fn)()) { return static_cast<Handler>(fn); };
    switch (nId) {
    case ID_COMMAND_MODE: return own(&CComWin::OnCommandMode);
    case ID_CURSOR_NEXT_LINE: return own(&CComWin::OnReturn);
    case ID_SEARCH: return own(&CComWin::OnSearch);
    case ID_SEARCH_NEXT: return own(&CComWin::OnSearchNextHere);
    case ID_SEARCH_PREV: return own(&CComWin::OnSearchPrevHere);
    case ID_SCROLL_LINE_UP: return own(&CComWin::OnScrollUpHere);
    case ID_SCROLL_LINE_DOWN: return own(&CComWin::OnScrollDownHere);
    case ID_CURSOR_UP: return own(&CComWin::OnUpHere);
    case ID_CURSOR_DOWN: return own(&CComWin::OnDownHere);
    case ID_CURSOR_LEFT: return own(&CComWin::OnLeftHere);
    case ID_CURSOR_RIGHT: return own(&CComWin::OnRightHere);
    case ID_DELETE_CHAR: return own(&CComWin::OnDeleteHere);
    case ID_BACKSPACE: return own(&CComWin::OnBackspaceHere);
    case ID_MARK: return own(&CComWin::OnMarkHere);
    case ID_CLOSE: return own(&CComWin::OnCloseHere);
    case ID_PICK: return own(&CComWin::OnPickHere);
    case ID_PAGE_DOWN: return own(&CComWin::OnPageDownHere);
    case ID_PAGE_UP: return own(&CComWin::OnPageUpHere);
    case ID_SCROLL_LEFT_TAB: return own(&CComWin::OnTabLeftHere);
    case ID_SCROLL_RIGHT_TAB: return own(&CComWin::OnTabRightHere);
    // The history is no document to search, replace or save.
    case ID_REPLACE:
    case ID_REPLACE_ALL:
    case ID_HANKAKU_KANA_SEARCH:
    case ID_SAVE_JIS:
    case ID_SAVE_EUC:
    case ID_LF_ONLY: return nullptr;
    default: return CVu::CommandHandler(nId);
    }
}

bool CComWin::LineEmpty() const { return PeekLine(CaretLine()).empty(); }

bool CComWin::LineHasText() const { return PeekLine(CaretLine()).find_first_not_of(' ') != std::string_view::npos; }

void CComWin::Forward(unsigned nId)
{
    LeaveCommandMode();
    m_host.PostMainCommand(nId);
}

long CComWin::HistoryCount() { return m_pHistoryDoc->GetTextLineCount(); }

std::vector<std::string> CComWin::Entries()
{
    m_pHistoryDoc->m_Lines.FlushWorkLine();
    std::vector<std::string> entries;
    long n = HistoryCount();
    char* const* pp = m_pHistoryDoc->m_Lines.GetLines();
    for (long i = 0; i < n; ++i)
        entries.emplace_back(pp[i] ? pp[i] : "");
    return entries;
}

void CComWin::CursorBelowHistory()
{
    long n = HistoryCount();
    // The line exists, so the window can stand on it.
    m_pHistoryDoc->m_Lines.GetLine(static_cast<int>(n));
    if (IsMarkSet())
        OnUnmark();
    SetPosition(CViewPosition{0, n, 0, 0});
}

void CComWin::PushHistory()
{
    CLineStore& lines = m_pHistoryDoc->m_Lines;
    lines.FlushWorkLine();
    long n = HistoryCount();
    long cur = CaretLine();
    if (cur < n - 1) {
        char* p = lines.GetLines()[cur];
        // The store copies what it inserts; the taken line is ours to free.
        if (lines.DeleteLines(static_cast<int>(cur), 1, false)) {
            lines.InsertLines(static_cast<int>(n - 1), &p, 1);
            CLineStore::FreeLine(p);
        }
    }
    // Edits of the command line are undone within it only; the lines moved.
    History().Clear();
    CursorBelowHistory();
}

void CComWin::LoadHistory(ISettingsStore& store)
{
    std::vector<std::string> entries = ReadHistory(store);
    std::vector<char*> lines;
    for (const std::string& entry : entries)
        if (char* p = CLineStore::DupLine(entry.c_str()))
            lines.push_back(p);
    m_pHistoryDoc->m_Lines.AdoptLines(lines.data(), static_cast<int>(lines.size()));
    History().Clear();
    CursorBelowHistory();
}

void CComWin::SaveHistory(ISettingsStore& store) { WriteHistory(store, Entries()); }

unsigned CComWin::RunCommandLine()
{
    CCommandRequest request;
    unsigned nId = ParseCommandLine(std::string(PeekLine(CaretLine())), request);
    switch (nId) {
    case ID_GOTO_LINE: AppSettings().m_nGotoLine = request.nGotoLine; break;
    case ID_OPEN_NAMED_FILE: m_host.SetNamedFile(request.strNamedFile); break;
    case ID_SHELL_COMMAND: m_host.SetShellCommand(request.strShellCommand, request.nShellMode); break;
    default: break;
    }
    return nId;
}

void CComWin::LeaveCommandMode()
{
    if (m_bLeaving)
        return;
    m_bLeaving = true;
    m_prefixPending = false;
    m_searchPending = false;
    m_host.ReturnFocus();
    m_host.HideCommandWindow();
    PushHistory();
    m_bLeaving = false;
}

void CComWin::OnSetFocus()
{
    CVu::OnSetFocus();
    CursorBelowHistory();
    RepaintAll();
}

void CComWin::OnKillFocus()
{
    CVu::OnKillFocus();
    LeaveCommandMode();
}

void CComWin::OnCommandMode()
{
    if (!m_prefixPending)
        m_prefixPending = true;
    else
        LeaveCommandMode();
}

bool CComWin::SetSearchString()
{
    std::string text(PeekLine(CaretLine()));
    if (!text.empty())
        return NewSearcher().SetSearch(text.c_str(), true);
    CVu* pView = m_host.ActiveDocumentView();
    if (!pView) {
        InfoBox("アクティブなビューがありません");
        return false;
    }
    std::string_view line = pView->PeekLine(pView->CaretLine());
    CWordSpan word;
    std::string found;
    if (WordAt(line, pView->CaretCol(), word))
        found = std::string(line.substr(static_cast<size_t>(word.nStart),
                                        static_cast<size_t>(std::min(word.nEnd - word.nStart, kMaxSearchWord))));
    return NewSearcher().SetSearch(found.c_str(), false);
}

void CComWin::SearchAndLeave(unsigned nId)
{
    if (SetSearchString())
        m_host.PostMainCommand(nId);
    LeaveCommandMode();
}

void CComWin::OnSearchNextHere() { SearchAndLeave(ID_SEARCH_NEXT); }
void CComWin::OnSearchPrevHere() { SearchAndLeave(ID_SEARCH_PREV); }

void CComWin::OnReturn()
{
    if (m_searchPending) {
        SearchAndLeave(ID_SEARCH_NEXT);
        return;
    }
    unsigned nId = RunCommandLine();
    LeaveCommandMode();
    if (nId)
        m_host.PostMainCommand(nId);
    else
        ErrorBeep();
}

void CComWin::OnScrollUpHere()
{
    if (CaretLine() > 0)
        OnScrollLineUp();
    else
        ErrorBeep();
}

void CComWin::OnScrollDownHere()
{
    if (CaretLine() < HistoryCount())
        OnScrollLineDown();
    else
        ErrorBeep();
}

void CComWin::OnUpHere()
{
    if (LineEmpty())
        Forward(ID_CURSOR_SCREEN_TOP);
    else if (CaretLine() > 0)
        OnCursorUp();
    else
        ErrorBeep();
}

void CComWin::OnDownHere()
{
    if (LineEmpty())
        Forward(ID_CURSOR_SCREEN_BOTTOM);
    else if (CaretLine() < HistoryCount())
        OnCursorDown();
    else
        ErrorBeep();
}

void CComWin::OnLeftHere()
{
    if (LineEmpty())
        Forward(ID_CURSOR_SCREEN_LEFT);
    else
        OnCursorLeft();
}

void CComWin::OnRightHere()
{
    if (LineEmpty())
        Forward(ID_CURSOR_SCREEN_RIGHT);
    else
        OnCursorRight();
}

void CComWin::OnDeleteHere()
{
    if (LineHasText())
        OnDeleteChar();
    else
        Forward(ID_DELETE_TO_LINE_END);
}

void CComWin::OnBackspaceHere()
{
    if (LineHasText())
        OnBackspace();
    else
        Forward(ID_DELETE_TO_LINE_HEAD);
}

void CComWin::OnMarkHere()
{
    if (m_prefixPending) {
        m_prefixPending = false;
        OnUnmark();
    } else {
        OnMark();
    }
}

void CComWin::OnCloseHere()
{
    if (m_prefixPending) {
        m_prefixPending = false;
        OnInsertCloseBuffer();
    } else {
        Forward(ID_INSERT_CLOSE_BUFFER);
    }
}

void CComWin::OnPickHere()
{
    if (m_prefixPending) {
        m_prefixPending = false;
        OnInsertPickBuffer();
    } else {
        Forward(ID_INSERT_PICK_BUFFER);
    }
}

void CComWin::OnPageDownHere() { Forward(ID_GOTO_END); }
void CComWin::OnPageUpHere() { Forward(ID_GOTO_TOP); }
void CComWin::OnTabLeftHere() { Forward(ID_SCREEN_LEFT); }
void CComWin::OnTabRightHere() { Forward(ID_SCREEN_RIGHT); }
