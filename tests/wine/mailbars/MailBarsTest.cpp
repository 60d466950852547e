// The mail modes as the user meets them: the composer's header bar shows the
// mail's Subject, To and Cc, takes typed keys (Tab, Ctrl+C, Ctrl+V) instead of
// the key bindings, and its edits reach the file through a save, the header
// folded again; the reader's bar shows five read-only fields; mail windows
// open with a header pane as high as their header, five lines at most.
#include "KeyTestSupport.h"

#include <cstdio>

#include "ViewShot.h"
#include "app/ChildFrame_win.h"
#include "app/HeaderBarResource.h"
#include "app/HeaderBar_win.h"
#include "text/Doc.h"
#include "text/DocHeader.h"
#include "text/Unicode.h"
#include "view/Caret.h"
#include "view/Vu.h"
#include "view/VuWnd_win.h"

namespace {

std::vector<std::string> LinesOf(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t crlf; (crlf = text.find("\r\n", start)) != std::string::npos; start = crlf + 2)
        lines.push_back(text.substr(start, crlf - start));
    if (start < text.size())
        lines.push_back(text.substr(start) + "<no CR LF>");
    return lines;
}

RECT ChildRect(HWND hParent, HWND hChild)
{
    RECT rc = {};
    ::GetWindowRect(hChild, &rc);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

class MailBarsTest : public KeyTest {
protected:
    CChildFrame* MailFrame() const { return dynamic_cast<CChildFrame*>(Main()->MDIGetActive()); }
    HWND Field(UINT nId) const { return ::GetDlgItem(Main()->GetHeaderBar()->GetHwnd(), static_cast<int>(nId)); }
    std::string Text(UINT nId) const { return Main()->GetHeaderBar()->GetFieldText(nId); }
    int HeaderPaneHeight(CChildFrame* pFrame) const
    {
        RECT rc = {};
        ::GetWindowRect(pFrame->GetHeaderView()->GetHwnd(), &rc);
        return ::IsWindowVisible(pFrame->GetHeaderView()->GetHwnd()) ? rc.bottom - rc.top : 0;
    }
    int HeaderLineHeight(CChildFrame* pFrame) const
    {
        return dynamic_cast<CVuWnd*>(pFrame->GetHeaderView())->Vu().m_metrics.nLineHeight;
    }
    // The main window's picture (bars and document windows), saved to look at.
    void Picture(const std::string& name)
    {
        Drain();
        ::RedrawWindow(Main()->GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Drain();
        CViewShot(Main()->GetHwnd()).Save(name);
    }
};

} // namespace

TEST_F(MailBarsTest, ComposerBarShowsTakesKeysAndStoresTheHeaderOnSave)
{
    // No Subject; a To folded over three lines; the body in Japanese.
    m_dir.Write("m.txt", "From: Taro <taro@example.jp>\r\n"
                         "To: hanako.yamada@example.jp,\r\n"
                         "   jiro.suzuki@example.jp,\r\n"
                         "\tsaburo.tanaka@example.jp\r\n"
                         "Cc: shiro@example.jp\r\n"
                         "X-Mailer: tova\r\n"
                         "\r\n" +
                             Utf8ToSjis("本文です") + "\r\n");
    ASSERT_TRUE(Start("-MAILEDIT \"" + File("m.txt") + "\""));
    ::SetWindowPos(Main()->GetHwnd(), nullptr, 0, 0, 760, 560, SWP_NOZORDER);
    Drain();
    auto* pBar = dynamic_cast<CHeaderEditBar*>(Main()->GetHeaderBar());
    ASSERT_NE(pBar, nullptr);
    CChildFrame* pFrame = MailFrame();
    ASSERT_TRUE(pFrame && pFrame->IsSplit());
    auto* pDoc = dynamic_cast<CDoc*>(pFrame->GetDocument());
    ASSERT_NE(pDoc, nullptr);

    // Shown: the bar above the document windows, To on one line with single blanks.
    EXPECT_TRUE(Main()->IsHeaderBarVisible());
    EXPECT_EQ(pBar->GetDocument(), pDoc);
    EXPECT_EQ(Text(IDC_HEADER_SUBJECT), "");
    EXPECT_EQ(Text(IDC_HEADER_TO), "hanako.yamada@example.jp, jiro.suzuki@example.jp, saburo.tanaka@example.jp");
    EXPECT_EQ(Text(IDC_HEADER_CC), "shiro@example.jp");
    EXPECT_FALSE(::GetWindowLongW(Field(IDC_HEADER_SUBJECT), GWL_STYLE) & ES_READONLY);
    // Six header lines: a pane of five.
    EXPECT_TRUE(pFrame->IsHeaderPaneOpen());
    EXPECT_EQ(HeaderPaneHeight(pFrame), 5 * HeaderLineHeight(pFrame) + ::GetSystemMetrics(SM_CYHSCROLL));

    // Laid out: the edits start after the labels, stretch to the bar's right
    // edge (also after a resize), one row under the other.
    HWND hBar = pBar->GetHwnd();
    RECT label = ChildRect(hBar, ::GetDlgItem(hBar, IDC_HEADER_SUBJECT_LABEL));
    RECT subject = ChildRect(hBar, Field(IDC_HEADER_SUBJECT)), to = ChildRect(hBar, Field(IDC_HEADER_TO)),
         cc = ChildRect(hBar, Field(IDC_HEADER_CC));
    RECT bar = {};
    ::GetClientRect(hBar, &bar);
    EXPECT_GE(subject.left, label.right);
    EXPECT_EQ(to.left, subject.left);
    EXPECT_LT(subject.bottom, to.bottom);
    EXPECT_EQ(to.top - subject.top, cc.top - to.top);
    EXPECT_NEAR(subject.right, bar.right, 4);
    EXPECT_LE(cc.bottom, bar.bottom);
    ::SetWindowPos(Main()->GetHwnd(), nullptr, 0, 0, 900, 560, SWP_NOZORDER);
    Drain();
    ::GetClientRect(hBar, &bar);
    EXPECT_NEAR(ChildRect(hBar, Field(IDC_HEADER_CC)).right, bar.right, 4);
    RECT mdi = ChildRect(Main()->GetHwnd(), Main()->GetMdiClient()), barInMain = ChildRect(Main()->GetHwnd(), hBar);
    EXPECT_EQ(mdi.top, barInMain.bottom);
    Picture("mailbars-compose-shown");

    // Keys typed into the fields stay there: Tab moves on, Ctrl+C and Ctrl+V
    // copy and paste in the fields, not in the mail's body.
    std::string body = pDoc->m_Lines.GetLines()[0];
    if (xdotool::Available() && xdotool::Activate(Main()->GetHwnd(), Pumper())) {
        ::SetFocus(Field(IDC_HEADER_SUBJECT));
        Drain();
        ASSERT_TRUE(PressUntil(L"shift+h e l l o space w o r l d",
                               [&] { return Text(IDC_HEADER_SUBJECT) == "Hello world"; }))
            << Text(IDC_HEADER_SUBJECT);
        ASSERT_TRUE(PressUntil(L"shift+Home ctrl+c Tab Tab", [&] { return ::GetFocus() == Field(IDC_HEADER_CC); }));
        ASSERT_TRUE(PressUntil(L"End comma space ctrl+v",
                               [&] { return Text(IDC_HEADER_CC) == "shiro@example.jp, Hello world"; }))
            << Text(IDC_HEADER_CC);
        ASSERT_TRUE(PressUntil(L"shift+Tab", [&] { return ::GetFocus() == Field(IDC_HEADER_TO); }));
    } else {
        std::printf("no keys pressed here: the fields are set directly\n");
        ::SetWindowTextW(Field(IDC_HEADER_SUBJECT), L"Hello world");
        ::SetWindowTextW(Field(IDC_HEADER_CC), L"shiro@example.jp, Hello world");
    }
    // Cut and paste from the menu or toolbar work in the focused field too.
    ::SetFocus(Field(IDC_HEADER_SUBJECT));
    ::SendMessageW(Field(IDC_HEADER_SUBJECT), EM_SETSEL, 0, -1);
    ::SendMessageW(Main()->GetHwnd(), WM_COMMAND, ID_EDIT_CUT, 0);
    EXPECT_EQ(Text(IDC_HEADER_SUBJECT), "");
    ::SendMessageW(Main()->GetHwnd(), WM_COMMAND, ID_EDIT_PASTE, 0);
    EXPECT_EQ(Text(IDC_HEADER_SUBJECT), "Hello world");
    Drain();
    EXPECT_EQ(std::string(pDoc->m_Lines.GetLines()[0]), body);
    // Edited fields make the mail modified, so it can be saved and is asked about.
    EXPECT_TRUE(pBar->IsChanged());
    EXPECT_TRUE(pDoc->IsModified());
    Picture("mailbars-compose-edited");

    // A change typed into the header pane is kept by the save, but can no
    // longer be undone there once the header has been rewritten.
    CVu& headerVu = dynamic_cast<CVuWnd*>(pFrame->GetHeaderView())->Vu();
    headerVu.Caret().SetCell(0, 0);
    headerVu.TypeChar('x');
    Drain();
    EXPECT_TRUE(headerVu.History().CanUndo());

    // The save: the fields read again and written back, Subject added after
    // the others, every field folded at 76 columns, then the separator.
    ASSERT_TRUE(Main()->RunCommand(ID_FILE_SAVE));
    Drain();
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_FALSE(pBar->IsChanged());
    std::vector<std::string> lines = LinesOf(m_dir.Read("m.txt"));
    ASSERT_EQ(lines.size(), 8u) << m_dir.Read("m.txt");
    EXPECT_EQ(lines[0], "xFrom: Taro <taro@example.jp>");
    EXPECT_EQ(lines[1], "To: hanako.yamada@example.jp, jiro.suzuki@example.jp,");
    EXPECT_EQ(lines[2], " saburo.tanaka@example.jp");
    EXPECT_EQ(lines[3], "Cc: shiro@example.jp, Hello world");
    EXPECT_EQ(lines[4], "X-Mailer: tova");
    EXPECT_EQ(lines[5], "Subject: Hello world");
    EXPECT_EQ(lines[6], "--------");
    EXPECT_EQ(lines[7], Utf8ToSjis("本文です"));
    for (const std::string& line : lines)
        EXPECT_LE(line.size(), 76u) << line;
    // The header pane shows what was written.
    EXPECT_EQ(pDoc->GetHeaderDoc()->GetLineCount(), 6);
    EXPECT_EQ(std::string(pDoc->GetHeaderDoc()->m_Lines.GetLines()[5]), "Subject: Hello world");
    EXPECT_EQ(Text(IDC_HEADER_SUBJECT), "Hello world");
    EXPECT_FALSE(headerVu.History().CanUndo());
    EXPECT_EQ(CloseAndRun(), 0);
}

TEST_F(MailBarsTest, ReaderBarShowsFiveFieldsAndPanesFollowTheHeader)
{
    // Twelve header lines; the To folded.
    m_dir.Write("0001.txt", "Received: from a by b;\r\n"
                            "\tMon, 1 Jan 2001 12:00:00 +0900\r\n"
                            "Received: from c by d\r\n"
                            "Message-Id: <1@example.jp>\r\n"
                            "From:   Taro   Yamada <taro@example.jp>\r\n"
                            "To: hanako@example.jp,\r\n"
                            "    jiro@example.jp\r\n"
                            "Cc: shiro@example.jp\r\n"
                            "Subject: " + Utf8ToSjis("会議の  お知らせ") + "\r\n"
                            "Date: Mon, 1 Jan 2001 12:00:00 +0900\r\n"
                            "X-Status: READ\r\n"
                            "X-Mailer: tova\r\n"
                            "--------\r\n"
                            "body\r\n");
    m_dir.Write("0002.txt", "Subject: short\r\nFrom: a@example.jp\r\n\r\nbody\r\n");
    ASSERT_TRUE(Start("-MAIL \"" + File("0001.txt") + "\""));
    ::SetWindowPos(Main()->GetHwnd(), nullptr, 0, 0, 760, 560, SWP_NOZORDER);
    Drain();
    auto* pBar = dynamic_cast<CHeaderViewBar*>(Main()->GetHeaderBar());
    ASSERT_NE(pBar, nullptr);
    EXPECT_TRUE(Main()->IsHeaderBarVisible());
    EXPECT_EQ(Text(IDC_HEADER_SUBJECT), Utf8ToSjis("会議の  お知らせ"));
    EXPECT_EQ(Text(IDC_HEADER_FROM), "Taro Yamada <taro@example.jp>");
    EXPECT_EQ(Text(IDC_HEADER_DATE), "Mon, 1 Jan 2001 12:00:00 +0900");
    EXPECT_EQ(Text(IDC_HEADER_TO), "hanako@example.jp, jiro@example.jp");
    EXPECT_EQ(Text(IDC_HEADER_CC), "shiro@example.jp");
    for (UINT nId : {IDC_HEADER_SUBJECT, IDC_HEADER_FROM, IDC_HEADER_DATE, IDC_HEADER_TO, IDC_HEADER_CC})
        EXPECT_TRUE(::GetWindowLongW(Field(nId), GWL_STYLE) & ES_READONLY) << nId;
    CChildFrame* pFirst = MailFrame();
    ASSERT_TRUE(pFirst && pFirst->IsHeaderPaneOpen());
    int nBar = ::GetSystemMetrics(SM_CYHSCROLL);
    EXPECT_EQ(HeaderPaneHeight(pFirst), 5 * HeaderLineHeight(pFirst) + nBar);
    Picture("mailbars-read");

    // The next mail (as the mail client opens it): its own pane, two lines
    // high; the bar shows it. Saving it leaves its header alone.
    ASSERT_NE(m_pApp->OpenDocumentFile(File("0002.txt")), nullptr);
    Drain();
    CChildFrame* pSecond = MailFrame();
    ASSERT_TRUE(pSecond && pSecond != pFirst);
    EXPECT_TRUE(pSecond->IsHeaderPaneOpen());
    EXPECT_EQ(HeaderPaneHeight(pSecond), 2 * HeaderLineHeight(pSecond) + nBar);
    EXPECT_TRUE(Main()->IsHeaderBarVisible());
    EXPECT_EQ(Text(IDC_HEADER_SUBJECT), "short");
    EXPECT_EQ(Text(IDC_HEADER_CC), "");

    // Back to the first window: the bar follows; the header pane command
    // closes its pane and opens it again at the same height.
    pFirst->MDIActivate();
    Drain();
    EXPECT_EQ(Text(IDC_HEADER_FROM), "Taro Yamada <taro@example.jp>");
    ASSERT_TRUE(Main()->RunCommand(ID_HEADER_PANE));
    EXPECT_EQ(HeaderPaneHeight(pFirst), 0);
    ASSERT_TRUE(Main()->RunCommand(ID_HEADER_PANE));
    Drain();
    EXPECT_EQ(HeaderPaneHeight(pFirst), 5 * HeaderLineHeight(pFirst) + nBar);

    // A closed mail leaves the bar with nothing to show.
    pSecond->MDIActivate();
    Drain();
    ::SendMessageW(pSecond->GetHwnd(), WM_CLOSE, 0, 0);
    Drain();
    EXPECT_EQ(MailFrame(), pFirst);
    EXPECT_EQ(Text(IDC_HEADER_FROM), "Taro Yamada <taro@example.jp>");
    EXPECT_EQ(CloseAndRun(), 0);
}
