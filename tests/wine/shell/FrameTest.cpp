// The main window, its bars and the idle work, run inside the test program.
#include "ShellTestSupport.h"

#include <commctrl.h>

#include "app/ChildFrame_win.h"
#include "fw/DialogBar_win.h"
#include "fw/MdiChildWnd_win.h"
#include "keys/CommandIds.h"
#include "platform/Wide_win.h"
#include "text/Doc.h"
#include "view/Vu.h"
#include "view/VuWnd_win.h"

namespace {

constexpr UINT kTestDialogBar = 900;  // ShellTests.rc
constexpr UINT kCaretBlinkTimer = 0x0118;

} // namespace

TEST_F(ShellTest, StatusBarHasSevenPanesMeasuredWithTheViewFont)
{
    ASSERT_TRUE(Start(""));
    CMyStatusBar& bar = Main()->GetStatusBarEx();
    ASSERT_EQ(bar.GetPaneCount(), 7);
    EXPECT_EQ(bar.Send(SB_GETPARTS, 0, 0), 7);
    RECT column = bar.GetPaneRect(1), line = bar.GetPaneRect(2), kana = bar.GetPaneRect(3);
    int digit = m_pApp->GetViewFont().TextWidth("0");
    EXPECT_GE(column.right - column.left, 5 * digit);
    EXPECT_GE(line.right - line.left, 7 * digit);
    EXPECT_GT(line.right - line.left, column.right - column.left);
    EXPECT_GE(kana.right - kana.left, m_pApp->GetViewFont().TextWidth("KANA"));
    EXPECT_EQ(reinterpret_cast<HFONT>(bar.Send(WM_GETFONT)), m_pApp->GetViewFont().Get());
    bar.SetCaretPosition(12, 345);
    EXPECT_EQ(bar.GetPaneText(1), L"00012");
    EXPECT_EQ(bar.GetPaneText(2), L"0000345");
    EXPECT_EQ(bar.GetPaneText(0), L"レディ");
    // INS and MARK are off while no editor view has the focus.
    Pump();
    EXPECT_EQ(bar.GetPaneText(5), L"");
    EXPECT_EQ(bar.GetPaneText(6), L"");
    EXPECT_EQ(CloseAndRun(), 0);
}

TEST_F(ShellTest, ClickInTheMessagePaneEntersCommandMode)
{
    ASSERT_TRUE(Start(""));
    CMyStatusBar& bar = Main()->GetStatusBarEx();
    bar.SetPaneText(0, L"some message");
    RECT pane = bar.GetPaneRect(0);
    ::SendMessageW(bar.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pane.left + 5, pane.top + 3));
    Pump();
    EXPECT_EQ(bar.GetPaneText(0), L"");
    EXPECT_EQ(CloseAndRun(), 0);
}

TEST_F(ShellTest, CaretBlinkIsSwallowedWhileCursorBlinkIsOff)
{
    ASSERT_TRUE(Start(""));
    MSG msg = {Main()->GetHwnd(), kCaretBlinkTimer, 0, 0, 0, {}};
    EXPECT_FALSE(Main()->PreTranslateMessage(&msg));
    AppSettings().m_bCursorBlink = false;
    EXPECT_TRUE(Main()->PreTranslateMessage(&msg));
    EXPECT_EQ(CloseAndRun(), 0);
}

// The focused view is obscured while part of it lies outside the client area.
TEST_F(ShellTest, IdleKeepsTheFocusedViewsObscuredFlag)
{
    m_dir.Write("a.txt", "a\r\n");
    ASSERT_TRUE(Start("\"" + File("a.txt") + "\""));
    CMDIChildWnd* pFrame = Main()->MDIGetActive();
    CView* pView = pFrame->GetActiveView();
    auto* pVu = dynamic_cast<CVu*>(pView->GetDocView());
    ASSERT_NE(pVu, nullptr);
    ::SetFocus(pView->GetHwnd());
    ::SetWindowPos(pFrame->GetHwnd(), nullptr, 10, 10, 200, 150, SWP_NOZORDER);
    m_pApp->OnIdle(0);
    EXPECT_FALSE(pVu->m_bObscured);
    ::SetWindowPos(pFrame->GetHwnd(), nullptr, -50, 10, 200, 150, SWP_NOZORDER);
    m_pApp->OnIdle(0);
    EXPECT_TRUE(pVu->m_bObscured);
    ::ShowWindow(pFrame->GetHwnd(), SW_MAXIMIZE);
    ::SetFocus(pView->GetHwnd());
    m_pApp->OnIdle(0);
    EXPECT_FALSE(pVu->m_bObscured);
    // The client rectangle leaves out the bars that are shown.
    RECT client = Main()->GetMdiClientScreenRect(), mdi = {};
    ::GetWindowRect(Main()->GetMdiClient(), &mdi);
    EXPECT_EQ(client.top, mdi.top);
    EXPECT_EQ(client.bottom, mdi.bottom);
    EXPECT_EQ(CloseAndRun(), 0);
}

TEST_F(ShellTest, ToolbarOfEachModeAndBarToggles)
{
    std::vector<CToolButton> plain = CMainFrame::ToolbarButtons(0), reader = CMainFrame::ToolbarButtons(1),
                             composer = CMainFrame::ToolbarButtons(2);
    auto has = [](const std::vector<CToolButton>& b, UINT id) {
        return std::any_of(b.begin(), b.end(), [id](const CToolButton& x) { return x.nId == id; });
    };
    EXPECT_TRUE(has(plain, ID_FILE_OPEN));
    EXPECT_FALSE(has(plain, ID_MAIL_SEND));
    EXPECT_TRUE(has(composer, ID_MAIL_SEND));
    EXPECT_TRUE(has(composer, ID_HANKAKU_KANA_SEARCH));
    EXPECT_TRUE(has(composer, ID_HEADER_PANE));
    for (UINT id : {ID_FILE_SAVE, ID_MAIL_REPLY, ID_MAIL_FORWARD, ID_MAIL_NEXT, ID_MAIL_PREV, ID_MAIL_NEXT_UNREAD,
                    ID_MAIL_PREV_UNREAD, ID_HEADER_PANE})
        EXPECT_TRUE(has(reader, id)) << id;

    ASSERT_TRUE(Start(""));
    EXPECT_TRUE(Main()->GetRoute().QueryState(ID_VIEW_TOOLBAR).IsChecked());
    ASSERT_TRUE(Main()->RunCommand(ID_VIEW_TOOLBAR));
    EXPECT_FALSE(Main()->GetToolBar().IsVisible());
    EXPECT_FALSE(Main()->GetRoute().QueryState(ID_VIEW_TOOLBAR).IsChecked());
    // The document windows get the room.
    RECT mdi = {}, main = {};
    ::GetWindowRect(Main()->GetMdiClient(), &mdi);
    ::GetClientRect(Main()->GetHwnd(), &main);
    ::MapWindowPoints(Main()->GetHwnd(), nullptr, reinterpret_cast<POINT*>(&main), 2);
    EXPECT_EQ(mdi.top, main.top);
    EXPECT_EQ(CloseAndRun(), 0);
}

// A menu shows the state of its commands: greyed where no target handles one.
TEST_F(ShellTest, MenusShowTheStateOfTheirCommands)
{
    m_dir.Write("a.txt", "a\r\n");
    ASSERT_TRUE(Start("\"" + File("a.txt") + "\""));
    HMENU hMenu = ::GetMenu(Main()->GetHwnd());
    ASSERT_NE(hMenu, nullptr);
    HMENU hFile = ::GetSubMenu(hMenu, 0);
    ::SendMessageW(Main()->GetHwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hFile), 0);
    EXPECT_EQ(::GetMenuState(hFile, ID_FILE_SAVE, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(::GetMenuState(hFile, ID_FILE_OPEN, MF_BYCOMMAND) & MF_GRAYED, 0u);
    // The recent file list took the place of its placeholder.
    wchar_t text[256] = {};
    ::GetMenuStringW(hFile, ID_FILE_MRU_FILE1, text, 256, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(text), L"&1 " + Wide(File("a.txt")));
    // The prompt of a menu item is its command's description.
    ::SendMessageW(Main()->GetHwnd(), WM_MENUSELECT, MAKEWPARAM(ID_FILE_OPEN, MF_STRING), reinterpret_cast<LPARAM>(hFile));
    EXPECT_EQ(Main()->GetStatusBarEx().GetPaneText(0), L"保存されているﾌｧｲﾙを開く");
    ::SendMessageW(Main()->GetHwnd(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(Main()->GetStatusBarEx().GetPaneText(0), L"レディ");
    EXPECT_EQ(CloseAndRun(), 0);
}

// A new view font is made before the old one goes; "Font" is stored at once and
// the status bar takes it.
TEST_F(ShellTest, ViewFontChangeIsStoredAndTaken)
{
    ASSERT_TRUE(Start(""));
    HFONT old = m_pApp->GetViewFont().Get();
    ASSERT_TRUE(m_pApp->SetViewFont("IPAGothic", 100));
    EXPECT_NE(m_pApp->GetViewFont().Get(), old);
    EXPECT_EQ(StoredString(L"Font", L"FaceName"), L"IPAGothic");
    EXPECT_EQ(reinterpret_cast<HFONT>(Main()->GetStatusBarEx().Send(WM_GETFONT)), m_pApp->GetViewFont().Get());
    EXPECT_EQ(CloseAndRun(), 0);
}

// A dialog bar lies along its edge, takes its room from the document windows,
// and its buttons run their commands.
TEST_F(ShellTest, DialogBarIsLaidOutAndItsButtonsRunCommands)
{
    ASSERT_TRUE(Start(""));
    CDialogBar bar;
    ASSERT_TRUE(bar.Create(Main()->GetHwnd(), kTestDialogBar, CControlBar::EDock::Top, 0xE900 + 50, true));
    Main()->AddControlBar(&bar);
    Main()->RecalcLayout();
    RECT barRect = {}, mdi = {};
    ::GetWindowRect(bar.GetHwnd(), &barRect);
    ::GetWindowRect(Main()->GetMdiClient(), &mdi);
    EXPECT_GT(barRect.bottom - barRect.top, 0);
    EXPECT_EQ(mdi.top, barRect.bottom);
    // Its button is File New.
    ::SendMessageW(::GetDlgItem(bar.GetHwnd(), ID_FILE_NEW), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(m_pApp->GetDocuments().size(), 1u);
    ::DestroyWindow(bar.GetHwnd());
    EXPECT_EQ(CloseAndRun(), 0);
}

// The window list of an in-process run: placement, scroll position and tab
// width come back the next time.
TEST_F(ShellTest, WindowListRoundTripKeepsScrollAndTabWidth)
{
    std::string lines;
    for (int i = 0; i < 60; ++i)
        lines += "\tline " + std::to_string(i) + "\r\n";
    m_dir.Write("tabs.txt", lines);
    AppSettings().m_nReadTab = 8;
    ASSERT_TRUE(Start("\"" + File("tabs.txt") + "\""));
    auto* pView = dynamic_cast<CVuWnd*>(Main()->MDIGetActive()->GetActiveView());
    ASSERT_NE(pView, nullptr);
    pView->SetPosition(CViewPosition{2, 20, 4, 5});
    EXPECT_EQ(CloseAndRun(), 0);
    std::wstring stored = StoredString(L"View List", L"View0");
    EXPECT_NE(stored.find(L" 2 20 4 5 8 "), std::wstring::npos) << Narrow(stored);

    // Next run: no file given, the window comes back where it was.
    AppSettings() = CAppSettings();
    ASSERT_TRUE(Start(""));
    ASSERT_EQ(m_pApp->GetDocuments().size(), 1u);
    pView = dynamic_cast<CVuWnd*>(Main()->MDIGetActive()->GetActiveView());
    CViewPosition pos = pView->GetPosition();
    EXPECT_EQ(pos.nTopLine, 20);
    EXPECT_EQ(pos.nLeftCol, 2);
    EXPECT_EQ(pos.nCaretRow, 5);
    EXPECT_EQ(dynamic_cast<CDoc*>(m_pApp->GetDocuments()[0])->m_Lines.m_nTabWidth, 8);
    EXPECT_EQ(CloseAndRun(), 0);
    EXPECT_EQ(StoredString(L"View List", L"View0"), stored);
}

// A saved tab width other than 4 or 8 (0: the file had no tabs) leaves
// "ReadTab" in force; 4 reads the file with 4 for that one open.
TEST_F(ShellTest, ReopenedTabWidthIsTakenOnlyWhenFourOrEight)
{
    m_dir.Write("t.txt", "\tx\r\n");
    std::wstring path = Wide(File("t.txt"));
    for (auto [saved, expected] : {std::pair{0, 8}, std::pair{5, 8}, std::pair{4, 4}}) {
        SetUp();
        std::wstring value = L"1 0 0 300 200 " + path + L" 0 0 0 0 " + std::to_wstring(saved) + L" -1 -1";
        std::wstring key = m_strSettingsKey + L"\\View List";
        ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"View0", REG_SZ, value.c_str(),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        ASSERT_TRUE(Start(""));
        ASSERT_EQ(m_pApp->GetDocuments().size(), 1u);
        auto* pDoc = dynamic_cast<CDoc*>(m_pApp->GetDocuments()[0]);
        EXPECT_EQ(pDoc->m_Lines.m_nTabWidth, expected) << saved;
        EXPECT_EQ(std::string(pDoc->m_Lines.GetLines()[0]), std::string(static_cast<size_t>(expected), ' ') + "x");
        EXPECT_EQ(AppSettings().m_nReadTab, 8);  // put back after the open
        EXPECT_EQ(CloseAndRun(), 0);
    }
}

// Splitter: dragging the bar above the header pane's least height closes it.
TEST_F(ShellTest, SplitterBarDraggedBelowTheLeastHeightClosesTheUpperPane)
{
    m_dir.Write("m.txt", "Subject: s\r\nTo: t\r\nCc: c\r\n\r\nbody\r\n");
    ASSERT_TRUE(Start("-MAILEDIT \"" + File("m.txt") + "\""));
    auto* pFrame = dynamic_cast<CChildFrame*>(Main()->MDIGetActive());
    ASSERT_TRUE(pFrame && pFrame->IsSplit());
    // The mail opens with its header pane open.
    ASSERT_TRUE(pFrame->IsHeaderPaneOpen());
    HWND hSplitter = ::GetParent(pFrame->GetHeaderView()->GetHwnd());
    int ideal = 0, least = 0;
    pFrame->GetHeaderView()->GetPaneHeights(ideal, least);
    ::SendMessageW(hSplitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, ideal + 2));
    ::SendMessageW(hSplitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, ideal + 40));
    RECT rc = {};
    ::GetWindowRect(pFrame->GetHeaderView()->GetHwnd(), &rc);
    EXPECT_GT(rc.bottom - rc.top, ideal);
    ::SendMessageW(hSplitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, least / 2));
    ::SendMessageW(hSplitter, WM_LBUTTONUP, 0, MAKELPARAM(10, least / 2));
    EXPECT_FALSE(::IsWindowVisible(pFrame->GetHeaderView()->GetHwnd()));
    EXPECT_EQ(CloseAndRun(), 0);
}

// Files dropped on the main window are opened as documents.
TEST_F(ShellTest, DroppedFilesAreOpened)
{
    m_dir.Write("d1.txt", "1\r\n");
    m_dir.Write("d2.txt", "2\r\n");
    ASSERT_TRUE(Start(""));
    HDROP hDrop = MakeDrop({File("d1.txt"), File("d2.txt")});
    ::SendMessageW(Main()->GetHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0);
    ASSERT_EQ(m_pApp->GetDocuments().size(), 2u);
    EXPECT_EQ(m_pApp->GetDocuments()[0]->GetTitle(), "d1.txt");
    EXPECT_EQ(m_pApp->GetDocuments()[1]->GetTitle(), "d2.txt");
    EXPECT_EQ(CloseAndRun(), 0);
}

// Keys in a document window: the user's table of the main window when there is
// one, the plain document kind's built-in table when there is none, and no
// table at all in control-code input mode. A matched key runs its command.
TEST_F(ShellTest, DocumentWindowsTranslateKeysWithTheRightTable)
{
    m_dir.Write("a.txt", "a\r\n");
    ASSERT_TRUE(Start("\"" + File("a.txt") + "\""));
    auto* pFrame = dynamic_cast<CChildFrame*>(Main()->MDIGetActive());
    ASSERT_NE(pFrame, nullptr);
    HACCEL hApp = Main()->GetAccelTable();
    ASSERT_NE(hApp, nullptr);  // the key binding table, installed at start-up
    EXPECT_EQ(pFrame->GetDefaultAccelerator(), hApp);
    Main()->SetAccelTable(nullptr);
    ASSERT_NE(m_pApp->GetDocumentAccelerator(), nullptr);
    EXPECT_EQ(pFrame->GetDefaultAccelerator(), m_pApp->GetDocumentAccelerator());

    ACCEL f5 = {FVIRTKEY | FNOINVERT, VK_F5, ID_FILE_NEW};
    HACCEL hUser = ::CreateAcceleratorTableW(&f5, 1);
    Main()->SetAccelTable(hUser);
    EXPECT_EQ(pFrame->GetDefaultAccelerator(), hUser);
    MSG msg = {pFrame->GetActiveView()->GetHwnd(), WM_KEYDOWN, VK_F5, 0x003F0001, 0, {}};
    EXPECT_TRUE(m_pApp->PreTranslateMessage(&msg));
    Pump();
    EXPECT_EQ(m_pApp->GetDocuments().size(), 2u);

    m_pApp->m_bControlCodeMode = true;
    EXPECT_EQ(pFrame->GetDefaultAccelerator(), nullptr);
    Main()->SetAccelTable(hApp);
    ::DestroyAcceleratorTable(hUser);
    EXPECT_EQ(CloseAndRun(), 0);
}

TEST_F(ShellTest, MailDocumentWindowsHaveNoTableOfTheirOwn)
{
    m_dir.Write("m.txt", "Subject: s\r\n\r\nb\r\n");
    ASSERT_TRUE(Start("-MAILEDIT \"" + File("m.txt") + "\""));
    auto* pFrame = dynamic_cast<CChildFrame*>(Main()->MDIGetActive());
    ASSERT_NE(pFrame, nullptr);
    HACCEL hApp = Main()->GetAccelTable();
    EXPECT_EQ(pFrame->GetDefaultAccelerator(), hApp);
    Main()->SetAccelTable(nullptr);
    EXPECT_EQ(pFrame->GetDefaultAccelerator(), nullptr);
    Main()->SetAccelTable(hApp);
    EXPECT_EQ(CloseAndRun(), 0);
}
