// Start-up, documents and their windows, quitting, run inside the test program.
#include "ShellTestSupport.h"

#include "app/ChildFrame_win.h"
#include "fw/DocTemplate_win.h"
#include "keys/CommandIds.h"
#include "text/Doc.h"
#include "text/DocHeader.h"
#include "view/Vu.h"
#include "view/VuWnd_win.h"

namespace {

// The lines up to the last one with text (the view's painting makes the empty
// lines below it exist).
std::vector<std::string> LinesOf(CDoc* pDoc)
{
    std::vector<std::string> lines;
    for (int i = 0; i < pDoc->GetTextLineCount(); ++i)
        lines.emplace_back(pDoc->m_Lines.GetLines()[i]);
    return lines;
}

CDoc* DocTitled(CEditorApp& app, const std::string& title)
{
    for (CDocBase* pDoc : app.GetDocuments())
        if (pDoc->GetTitle() == title)
            return dynamic_cast<CDoc*>(pDoc);
    return nullptr;
}

} // namespace

// The document of a JIS file named on the command line holds its lines in
// Shift-JIS, in a window of its own; closing the main window ends with 0.
TEST_F(ShellTest, JisFileOpensAsShiftJisLinesAndCloseEndsWithZero)
{
    m_dir.Write("memo.jis", "\x1b$BF|K\\8l\x1b(B\r\nplain \x1b$B$+$J\x1b(B\r\n");  // 日本語 / plain かな
    ASSERT_TRUE(Start("\"" + File("memo.jis") + "\""));
    ASSERT_EQ(m_pApp->GetDocuments().size(), 1u);
    auto* pDoc = dynamic_cast<CDoc*>(m_pApp->GetDocuments()[0]);
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(LinesOf(pDoc), (std::vector<std::string>{"\x93\xfa\x96\x7b\x8c\xea", "plain \x82\xa9\x82\xc8"}));
    EXPECT_TRUE(pDoc->IsJisOutput());
    EXPECT_EQ(pDoc->GetTitle(), "memo.jis");
    ASSERT_EQ(Main()->GetChildFrames().size(), 1u);
    auto* pView = dynamic_cast<CVuWnd*>(Main()->GetChildFrames()[0]->GetActiveView());
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(pView->Vu().GetShownDoc(), pDoc);
    EXPECT_TRUE(m_ui.m_boxes.empty());
    EXPECT_EQ(CloseAndRun(), 0);
}

TEST_F(ShellTest, UnknownOptionEndsStartUpWithoutWritingSettings)
{
    ASSERT_FALSE(Start("-foo " + File("a.txt")));
    EXPECT_EQ(Main(), nullptr);
    EXPECT_TRUE(m_ui.m_boxes.empty());
    EXPECT_EQ(StoredString(L"Mouse", L"PointerName"), L"<missing>");
}

// The file name as the file system spells it, in the folder as given.
TEST_F(ShellTest, OpenedFileTakesItsTrueSpelling)
{
    m_dir.Write("Memo.Txt", "x\r\n");
    ASSERT_TRUE(Start("\"" + File("MEMO.TXT") + "\""));
    ASSERT_EQ(m_pApp->GetDocuments().size(), 1u);
    EXPECT_EQ(m_pApp->GetDocuments()[0]->GetTitle(), "Memo.Txt");
    // Opening it again activates the window it has.
    m_pApp->OpenDocumentFile(File("memo.txt"));
    EXPECT_EQ(m_pApp->GetDocuments().size(), 1u);
    EXPECT_EQ(CloseAndRun(), 0);
}

TEST_F(ShellTest, MissingFileIsCreatedOnYesOnly)
{
    m_ui.AnswerNext(true);
    m_ui.AnswerNext(false);
    ASSERT_TRUE(Start("\"" + File("new.txt") + "\" \"" + File("no.txt") + "\""));
    ASSERT_EQ(m_ui.m_boxes.size(), 2u);
    EXPECT_EQ(m_ui.m_boxes[0].text, File("new.txt") + " を作成しますか？");
    EXPECT_EQ(m_pApp->GetDocuments().size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(File("new.txt")));
    EXPECT_FALSE(std::filesystem::exists(File("no.txt")));
    // A name that cannot be made: the information box, no document.
    m_ui.Clear();
    m_ui.AnswerNext(true);
    EXPECT_EQ(m_pApp->OpenDocumentFile(File("nodir\\x.txt")), nullptr);
    ASSERT_EQ(m_ui.m_boxes.size(), 2u);
    EXPECT_EQ(m_ui.m_boxes[1].kind, EMessageBox::Information);
    EXPECT_EQ(m_ui.m_boxes[1].text, File("nodir\\x.txt") + " を作成できません");
    EXPECT_EQ(CloseAndRun(), 0);
}

// A name with wildcards never opens some other file that matches it.
TEST_F(ShellTest, WildcardNameDoesNotOpenAMatchingFile)
{
    m_dir.Write("a1.txt", "x\r\n");
    m_ui.AnswerNext(true);
    ASSERT_TRUE(Start("\"" + File("a*.txt") + "\""));
    EXPECT_TRUE(m_pApp->GetDocuments().empty());
    ASSERT_EQ(m_ui.m_boxes.size(), 2u);
    EXPECT_EQ(m_ui.m_boxes[0].text, File("a*.txt") + " を作成しますか？");
    EXPECT_EQ(m_ui.m_boxes[1].text, File("a*.txt") + " を作成できません");
    EXPECT_EQ(CloseAndRun(), 0);
}

// Mail windows are split: the first mail opens with the header pane open at
// the header's height (the hidden header bar is shown through the header pane
// command), the header pane focused; the command closes it and opens it
// again; the pane switch moves between the panes only while it is open.
TEST_F(ShellTest, MailWindowHeaderPaneOpensClosesAndSwitches)
{
    m_dir.Write("0001.txt", "Subject: hello\r\nFrom: a@example.jp\r\n\r\nbody line\r\n");
    ASSERT_TRUE(Start("-MAIL \"" + File("0001.txt") + "\""));
    ASSERT_EQ(AppSettings().m_nMailMode, 1);
    auto* pFrame = dynamic_cast<CChildFrame*>(Main()->MDIGetActive());
    ASSERT_NE(pFrame, nullptr);
    ASSERT_TRUE(pFrame->IsSplit());
    auto* pDoc = dynamic_cast<CDoc*>(pFrame->GetDocument());
    ASSERT_NE(pDoc, nullptr);
    ASSERT_NE(pDoc->GetHeaderDoc(), nullptr);
    // (The open pane has been painted: the view may have added empty lines.)
    EXPECT_EQ(pDoc->GetHeaderDoc()->GetTextLineCount(), 2);
    auto* pHeader = dynamic_cast<CVuWnd*>(pFrame->GetHeaderView());
    ASSERT_NE(pHeader, nullptr);
    EXPECT_EQ(pHeader->Vu().GetShownDoc(), pDoc->GetHeaderDoc());
    Pump();
    EXPECT_TRUE(Main()->IsHeaderBarVisible());
    EXPECT_TRUE(pFrame->IsHeaderPaneOpen());
    EXPECT_TRUE(Main()->GetRoute().QueryState(ID_HEADER_PANE).IsChecked());
    int ideal = 0, least = 0;
    ASSERT_TRUE(pHeader->GetPaneHeights(ideal, least));
    RECT rc = {};
    ::GetWindowRect(pHeader->GetHwnd(), &rc);
    EXPECT_EQ(rc.bottom - rc.top, ideal);
    EXPECT_EQ(ideal, 2 * pHeader->Vu().m_metrics.nLineHeight + ::GetSystemMetrics(SM_CYHSCROLL));
    // A mail opens for its text: the caret is in the body.
    EXPECT_EQ(::GetFocus(), pFrame->GetBodyView()->GetHwnd());

    pFrame->SwitchPane();
    EXPECT_EQ(::GetFocus(), pHeader->GetHwnd());
    pFrame->SwitchPane();
    EXPECT_EQ(::GetFocus(), pFrame->GetBodyView()->GetHwnd());
    pFrame->SwitchPane();
    EXPECT_EQ(::GetFocus(), pHeader->GetHwnd());

    ASSERT_TRUE(Main()->RunCommand(ID_HEADER_PANE));
    EXPECT_FALSE(pFrame->IsHeaderPaneOpen());
    EXPECT_FALSE(Main()->GetRoute().QueryState(ID_HEADER_PANE).IsChecked());
    EXPECT_FALSE(::IsWindowVisible(pHeader->GetHwnd()));
    EXPECT_FALSE(Main()->IsHeaderBarVisible());
    EXPECT_EQ(::GetFocus(), pFrame->GetBodyView()->GetHwnd());
    pFrame->SwitchPane();  // closed: nothing moves
    EXPECT_EQ(::GetFocus(), pFrame->GetBodyView()->GetHwnd());

    ASSERT_TRUE(Main()->RunCommand(ID_HEADER_PANE));
    Pump();
    EXPECT_TRUE(pFrame->IsHeaderPaneOpen());
    ::GetWindowRect(pHeader->GetHwnd(), &rc);
    EXPECT_EQ(rc.bottom - rc.top, ideal);
    EXPECT_EQ(CloseAndRun(), 0);
}

// Quitting after a send takes only the sent mail as saved: every other changed
// document gets the usual question (the editor used to drop their changes).
class QuitAfterSendTest : public ShellTest {
protected:
    // The mail just sent and another document, both changed.
    void StartWithChangedDocuments()
    {
        m_dir.Write("sent.txt", "mail\r\n");
        m_dir.Write("other.txt", "work\r\n");
        ASSERT_TRUE(Start("\"" + File("sent.txt") + "\" \"" + File("other.txt") + "\""));
        pSent = DocTitled(*m_pApp, "sent.txt");
        pOther = DocTitled(*m_pApp, "other.txt");
        ASSERT_TRUE(pSent && pOther);
        pSent->SetModifiedFlag(true);
        pOther->SetModifiedFlag(true);
    }
    CDoc* pSent = nullptr;
    CDoc* pOther = nullptr;
};

TEST_F(QuitAfterSendTest, AsksAboutOtherChangedDocuments)
{
    ASSERT_NO_FATAL_FAILURE(StartWithChangedDocuments());
    m_ui.AnswerNext(false);  // "save changes to other.txt?" No
    m_pApp->QuitAfterSend(pSent);
    EXPECT_EQ(m_pApp->RunMessageLoop(), 0);
    ASSERT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(m_ui.m_boxes[0].kind, EMessageBox::Question);
    EXPECT_EQ(m_ui.m_boxes[0].text, File("other.txt") + " への変更を保存しますか？");
    // A run ended by a send leaves the window list alone.
    EXPECT_EQ(StoredString(L"View List", L"View0"), L"<missing>");
}

TEST_F(QuitAfterSendTest, CancelledKeepsTheEditorAndTheChanges)
{
    ASSERT_NO_FATAL_FAILURE(StartWithChangedDocuments());
    m_ui.AnswerNextCancel();
    m_pApp->QuitAfterSend(pSent);
    Pump();
    ASSERT_NE(Main(), nullptr);
    EXPECT_EQ(m_pApp->GetDocuments().size(), 2u);
    EXPECT_FALSE(pSent->IsModified());
    EXPECT_TRUE(pOther->IsModified());
    // A later ordinary close writes the window list as usual.
    m_ui.AnswerNext(false);
    EXPECT_EQ(CloseAndRun(), 0);
    EXPECT_NE(StoredString(L"View List", L"View0"), L"<missing>");
}

// Without a sent mail, 32828 is the command window's "EX A": quit without saving.
TEST_F(ShellTest, QuitWithoutSendAsksNothing)
{
    m_dir.Write("a.txt", "a\r\n");
    ASSERT_TRUE(Start("\"" + File("a.txt") + "\""));
    m_pApp->GetDocuments()[0]->SetModifiedFlag(true);
    ::PostMessageW(Main()->GetHwnd(), WM_COMMAND, ID_QUIT_AFTER_SEND, 0);
    EXPECT_EQ(m_pApp->RunMessageLoop(), 0);
    EXPECT_TRUE(m_ui.m_boxes.empty());
    EXPECT_EQ(m_dir.Read("a.txt"), "a\r\n");
}

// Close all windows stops when the user keeps a window (it asked forever).
TEST_F(ShellTest, CloseAllWindowsStopsWhenTheUserCancels)
{
    m_dir.Write("a.txt", "a\r\n");
    m_dir.Write("b.txt", "b\r\n");
    m_dir.Write("c.txt", "c\r\n");
    ASSERT_TRUE(Start("\"" + File("a.txt") + "\" \"" + File("b.txt") + "\" \"" + File("c.txt") + "\""));
    DocTitled(*m_pApp, "b.txt")->SetModifiedFlag(true);
    // c.txt (top) closes, b.txt asks and is kept.
    m_ui.AnswerNextCancel();
    EXPECT_TRUE(Main()->RunCommand(ID_CLOSE_ALL_WINDOWS));
    EXPECT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(Main()->GetChildFrames().size(), 2u);
    // Now No: everything closes.
    m_ui.AnswerNext(false);
    EXPECT_TRUE(Main()->RunCommand(ID_CLOSE_ALL_WINDOWS));
    EXPECT_TRUE(Main()->GetChildFrames().empty());
    EXPECT_TRUE(m_pApp->GetDocuments().empty());
    EXPECT_FALSE(Main()->GetRoute().QueryState(ID_CLOSE_ALL_WINDOWS).IsEnabled());
    EXPECT_EQ(CloseAndRun(), 0);
}

TEST_F(ShellTest, ClosingAChangedWindowAsksAndCancelKeepsIt)
{
    m_dir.Write("a.txt", "a\r\n");
    ASSERT_TRUE(Start("\"" + File("a.txt") + "\""));
    CMDIChildWnd* pFrame = Main()->MDIGetActive();
    pFrame->GetDocument()->SetModifiedFlag(true);
    m_ui.AnswerNextCancel();
    ::SendMessageW(pFrame->GetHwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Main()->GetChildFrames().size(), 1u);
    m_ui.AnswerNext(true);  // Yes: saved, then closed
    ::SendMessageW(pFrame->GetHwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(Main()->GetChildFrames().empty());
    EXPECT_EQ(m_ui.m_boxes.size(), 2u);
    EXPECT_EQ(CloseAndRun(), 0);
}

// The shell's open command opens its files and takes its options; anything else
// is left to the default handling.
TEST_F(ShellTest, DdeOpenCommandOpensFilesAndTakesOptions)
{
    m_dir.Write("a,b.txt", "x\r\n");
    ASSERT_TRUE(Start(""));
    EXPECT_TRUE(m_pApp->OnDDECommand("[OPEN(-max,\"" + File("a,b.txt") + "\")]"));
    ASSERT_EQ(m_pApp->GetDocuments().size(), 1u);
    EXPECT_EQ(m_pApp->GetDocuments()[0]->GetTitle(), "a,b.txt");
    EXPECT_TRUE(AppSettings().m_bMaximize);
    EXPECT_TRUE(Main()->MDIGetActive()->IsMaximized());
    EXPECT_FALSE(m_pApp->OnDDECommand("[open(\"" + File("a,b.txt") + "\")"));
    EXPECT_FALSE(m_pApp->OnDDECommand("[print(x)]"));
    EXPECT_EQ(CloseAndRun(), 0);
}

TEST_F(ShellTest, WindowNewShowsTheDocumentTwiceAndNumbersTheTitles)
{
    m_dir.Write("a.txt", "a\r\n");
    ASSERT_TRUE(Start("\"" + File("a.txt") + "\""));
    ASSERT_TRUE(Main()->RunCommand(ID_WINDOW_NEW));
    std::vector<CMDIChildWnd*> frames = Main()->GetChildFrames();
    ASSERT_EQ(frames.size(), 2u);
    wchar_t title[64] = {};
    ::GetWindowTextW(frames[0]->GetHwnd(), title, 64);
    EXPECT_STREQ(title, L"a.txt:2");
    // Closing one window leaves the document with the other.
    ::SendMessageW(frames[0]->GetHwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(m_pApp->GetDocuments().size(), 1u);
    ::GetWindowTextW(frames[1]->GetHwnd(), title, 64);
    EXPECT_STREQ(title, L"a.txt");
    EXPECT_EQ(CloseAndRun(), 0);
}

TEST_F(ShellTest, SaveIsEnabledWhenModifiedAndWritesTheFile)
{
    m_dir.Write("a.txt", "keep   \r\n");
    ASSERT_TRUE(Start("\"" + File("a.txt") + "\""));
    Pump();
    EXPECT_FALSE(Main()->GetRoute().QueryState(ID_FILE_SAVE).IsEnabled());
    HWND hToolBar = Main()->GetToolBar().GetHwnd();
    EXPECT_FALSE(::SendMessageW(hToolBar, TB_GETSTATE, ID_FILE_SAVE, 0) & TBSTATE_ENABLED);
    CDocBase* pDoc = m_pApp->GetDocuments()[0];
    pDoc->SetModifiedFlag(true);
    EXPECT_EQ(pDoc->GetTitle(), "a.txt*");
    Pump();
    EXPECT_TRUE(::SendMessageW(hToolBar, TB_GETSTATE, ID_FILE_SAVE, 0) & TBSTATE_ENABLED);
    ASSERT_TRUE(Main()->RunCommand(ID_FILE_SAVE));
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(pDoc->GetTitle(), "a.txt");
    EXPECT_EQ(m_dir.Read("a.txt"), "keep\r\n");  // trailing blanks go on save
    EXPECT_EQ(CloseAndRun(), 0);
}

// The files opened are remembered as the recent file list.
TEST_F(ShellTest, RecentFilesAreStoredAtExit)
{
    m_dir.Write("a.txt", "a\r\n");
    m_dir.Write("b.txt", "b\r\n");
    ASSERT_TRUE(Start("\"" + File("a.txt") + "\" \"" + File("b.txt") + "\""));
    ASSERT_EQ(m_pApp->RecentFiles().GetSize(), 2u);
    EXPECT_EQ(m_pApp->RecentFiles()[0], File("b.txt"));
    EXPECT_TRUE(Main()->GetRoute().QueryState(ID_FILE_MRU_FILE2).IsEnabled());
    EXPECT_FALSE(Main()->GetRoute().QueryState(ID_FILE_MRU_FILE3).IsEnabled());
    EXPECT_EQ(CloseAndRun(), 0);
    std::string b = File("b.txt");
    EXPECT_EQ(StoredString(L"Recent File List", L"File1"), std::wstring(b.begin(), b.end()));
}
