// The editor view's window in the running application: what it paints, how it
// scrolls, and how commands, keys and the mouse reach it.
#include "ShellTestSupport.h"

#include "ViewShot.h"
#include "fw/MdiChildWnd_win.h"
#include "keys/CommandIds.h"
#include "text/Doc.h"
#include "text/Unicode.h"
#include "view/Caret.h"
#include "view/Vu.h"
#include "view/VuWnd_win.h"

namespace {

std::string Sjis(const char* utf8) { return Utf8ToSjis(utf8); }

} // namespace

class ViewWindowTest : public ShellTest {
protected:
    // Opens a file of these lines (Shift-JIS) in a window of a fixed size.
    void Open(const std::vector<std::string>& lines)
    {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        m_dir.Write("view.txt", text);
        ASSERT_TRUE(Start("\"" + File("view.txt") + "\""));
        CMDIChildWnd* pFrame = Main()->MDIGetActive();
        ASSERT_NE(pFrame, nullptr);
        ::SetWindowPos(pFrame->GetHwnd(), nullptr, 0, 0, 520, 360, SWP_NOZORDER);
        m_pWnd = dynamic_cast<CVuWnd*>(pFrame->GetActiveView());
        ASSERT_NE(m_pWnd, nullptr);
        ::SetFocus(m_pWnd->GetHwnd());
        Pump();
    }
    CVu& Vu() const { return m_pWnd->Vu(); }
    HWND View() const { return m_pWnd->GetHwnd(); }
    int Cw() const { return Vu().m_metrics.nCharWidth; }
    int Lh() const { return Vu().m_metrics.nLineHeight; }
    // A picture of the view without the caret.
    CViewShot Shot()
    {
        Pump();
        ::HideCaret(View());
        CViewShot shot(View());
        ::ShowCaret(View());
        return shot;
    }
    // The same window painted afresh.
    CViewShot FreshShot()
    {
        ::InvalidateRect(View(), nullptr, FALSE);
        ::UpdateWindow(View());
        return Shot();
    }
    void Command(unsigned nId)
    {
        ::SendMessageW(Main()->GetHwnd(), WM_COMMAND, nId, 0);
        Pump();
    }

    CVuWnd* m_pWnd = nullptr;
};

// Each byte is one cell: the ink of a line stays inside its cells, a
// double-byte character covers two.
TEST_F(ViewWindowTest, JapaneseTextLiesOnTheCellGrid)
{
    AppSettings().m_bUrlSensitive = false;
    Open({Sjis("日本語のテキスト"), "abc", Sjis("表示ソ能"), Sjis("ｶﾀｶﾅ")});
    CViewShot shot = Shot();
    shot.Save("japanese-grid");
    int cw = Cw(), lh = Lh();
    ASSERT_GT(cw, 3);
    EXPECT_EQ(Vu().m_nCols, shot.Width() / cw);
    // Row 0: 16 bytes, ink in each of its 8 characters, none after them.
    for (int ch = 0; ch < 8; ++ch)
        EXPECT_GT(shot.Count(2 * ch * cw, 0, 2 * (ch + 1) * cw, lh, IsDark), 0) << ch;
    EXPECT_EQ(shot.Count(16 * cw, 0, shot.Width(), lh, IsDark), 0);
    EXPECT_EQ(shot.Count(3 * cw, lh, shot.Width(), 2 * lh, IsDark), 0);
    // Half-width katakana: one cell each.
    EXPECT_GT(shot.Count(3 * cw, 3 * lh, 4 * cw, 4 * lh, IsDark), 0);
    EXPECT_EQ(shot.Count(4 * cw, 3 * lh, shot.Width(), 4 * lh, IsDark), 0);
    // The window behind the text is the background colour.
    EXPECT_TRUE(IsWhite(shot.At(shot.Width() - 2, shot.Height() - 2)));
    // The caret sits on the first character, two cells wide.
    EXPECT_EQ(Main()->GetStatusBarEx().GetPaneText(1), L"00001");
    EXPECT_EQ(Main()->GetStatusBarEx().GetPaneText(2), L"0000001");
    EXPECT_EQ(CloseAndRun(), 0);
}

TEST_F(ViewWindowTest, AddressesArePaintedBlue)
{
    Open({"see http://x.jp/ab?q and", "ab@example.com", "mailto: x"});
    CViewShot shot = Shot();
    shot.Save("url-colours");
    int cw = Cw(), lh = Lh();
    // "see" in the text colour, the URL (cells 4..17) blue, "?q and" not.
    EXPECT_GT(shot.Count(0, 0, 3 * cw, lh, IsDark), 0);
    EXPECT_EQ(shot.Count(0, 0, 3 * cw, lh, IsBlueInk), 0);
    EXPECT_GT(shot.Count(4 * cw, 0, 17 * cw, lh, IsBlueInk), 0);
    EXPECT_EQ(shot.Count(4 * cw, 0, 17 * cw, lh, IsDark), 0);
    EXPECT_EQ(shot.Count(18 * cw, 0, 24 * cw, lh, IsBlueInk), 0);
    EXPECT_GT(shot.Count(18 * cw, 0, 24 * cw, lh, IsDark), 0);
    EXPECT_GT(shot.Count(0, lh, 14 * cw, 2 * lh, IsBlueInk), 0);
    // "mailto:" alone is an address; the "x" after the blank is not.
    EXPECT_GT(shot.Count(0, 2 * lh, 7 * cw, 3 * lh, IsBlueInk), 0);
    EXPECT_EQ(shot.Count(8 * cw, 2 * lh, 9 * cw, 3 * lh, IsBlueInk), 0);
    // The pointer: a magnifying glass over an address, the up-and-down arrow
    // on the top row, the chosen pointer elsewhere.
    auto cursorAt = [&](int x, int y) {
        POINT pt = {x, y};
        ::ClientToScreen(View(), &pt);
        ::SetCursorPos(pt.x, pt.y);
        ::SendMessageW(View(), WM_SETCURSOR, reinterpret_cast<WPARAM>(View()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    };
    HCURSOR hAddress = cursorAt(2 * cw, lh + lh / 2);
    EXPECT_NE(hAddress, nullptr);
    EXPECT_NE(hAddress, m_pApp->GetPointerCursor());
    EXPECT_EQ(cursorAt(30 * cw, lh + lh / 2), m_pApp->GetPointerCursor());
    EXPECT_EQ(cursorAt(30 * cw, lh / 2), ::LoadCursorW(nullptr, IDC_SIZENS));
    // Turned off, the same text is all in the text colour.
    AppSettings().m_bUrlSensitive = false;
    m_pApp->RepaintAllViews();
    CViewShot plain = Shot();
    EXPECT_EQ(plain.Count(0, 0, plain.Width(), 3 * lh, IsBlueInk), 0);
    EXPECT_EQ(CloseAndRun(), 0);
}

TEST_F(ViewWindowTest, TaggedRowsAndTheMarkedRegionHaveTheirColours)
{
    Open({"tagged http://x.jp/", "marked text", "plain"});
    Vu().m_arrTags = {0};
    Vu().RepaintAll();
    Vu().m_nMarkCol = 2;
    Vu().m_nMarkLine = 1;
    Vu().Caret().SetCell(7, 2);
    Vu().UpdateHilight();
    CViewShot shot = Shot();
    shot.Save("tag-and-mark");
    int cw = Cw(), lh = Lh();
    auto isTag = [](uint32_t c) { return c == 0x00FF00; };
    // A COLORREF is 0x00BBGGRR, the pixels 0x00RRGGBB.
    ColorValue hi = AppSettings().m_crHiBack;
    uint32_t hiBack = ((hi & 0xFF) << 16) | (hi & 0xFF00) | ((hi >> 16) & 0xFF);
    auto isHiBack = [hiBack](uint32_t c) { return c == hiBack; };
    // The whole tagged row, text and empty cells, in green; its URL not blue.
    EXPECT_GT(shot.Count(0, 0, shot.Width(), lh, isTag), shot.Width() * lh / 2);
    EXPECT_EQ(shot.Count(0, 0, shot.Width(), lh, IsBlueInk), 0);
    // Columns 2..7 of lines 1 and 2 (the caret's line is in a plain mark).
    EXPECT_GT(shot.Count(2 * cw, lh, 7 * cw, 3 * lh, isHiBack), 4 * cw * lh);
    EXPECT_EQ(shot.Count(0, lh, 2 * cw, 3 * lh, isHiBack), 0);
    EXPECT_EQ(shot.Count(7 * cw, lh, shot.Width(), 3 * lh, isHiBack), 0);
    // A repaint keeps both.
    EXPECT_TRUE(FreshShot() == shot);
    EXPECT_EQ(CloseAndRun(), 0);
}

// Scrolling by less than a window moves pixels and paints only what was
// uncovered; the result is what a full repaint shows.
TEST_F(ViewWindowTest, ScrollingLooksLikeAFreshPaint)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 300; ++i)
        lines.push_back(std::to_string(i) + Sjis(" 行の日本語テキスト http://x.jp/") + std::to_string(i) +
                        std::string(static_cast<size_t>(i % 40), '-') + Sjis("終"));
    Open(lines);
    Command(ID_SCROLL_LINE_DOWN);
    EXPECT_EQ(Vu().m_nTopLine, 1);
    CViewShot line = Shot();
    line.Save("scroll-line");
    EXPECT_TRUE(line == FreshShot());
    Command(ID_QUARTER_PAGE_DOWN);
    CViewShot quarter = Shot();
    EXPECT_TRUE(quarter == FreshShot());
    Command(ID_SCROLL_RIGHT_TAB);
    Command(ID_SCROLL_RIGHT_TAB);
    Command(ID_SCROLL_RIGHT_TAB);
    EXPECT_EQ(Vu().m_nLeftCol, 12);
    CViewShot right = Shot();
    right.Save("scroll-right");
    EXPECT_TRUE(right == FreshShot());
    // The scroll bars.
    ::SendMessageW(View(), WM_VSCROLL, SB_LINEDOWN, 0);
    ::SendMessageW(View(), WM_HSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(Vu().m_nLeftCol, 11);
    CViewShot bars = Shot();
    EXPECT_TRUE(bars == FreshShot());
    long top = Vu().m_nTopLine;
    ::SendMessageW(View(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(Vu().m_nTopLine, top + Vu().m_nRows);
    SCROLLINFO si = {sizeof si, SIF_ALL};
    ::GetScrollInfo(View(), SB_VERT, &si);
    EXPECT_EQ(si.nPos, Vu().m_nTopLine);
    EXPECT_EQ(si.nMax, 298);
    EXPECT_EQ(static_cast<int>(si.nPage), Vu().m_nRows);
    EXPECT_EQ(CloseAndRun(), 0);
}

// Keys go through the accelerator table to the view's commands, as menus and
// WM_COMMAND do; the caret's position shows in the status bar.
TEST_F(ViewWindowTest, KeysAndCommandsMoveTheCaret)
{
    Open({Sjis("漢字abc"), "second line", "third"});
    ASSERT_NE(Main()->GetAccelTable(), nullptr);  // the default key binding table
    for (UINT vk : {VK_DOWN, VK_RIGHT, VK_RIGHT, VK_END}) {
        ::PostMessageW(View(), WM_KEYDOWN, vk, 1);
        ::PostMessageW(View(), WM_KEYUP, vk, 0xC0000001);
    }
    Pump();
    EXPECT_EQ(Vu().CaretLine(), 1);
    EXPECT_EQ(Vu().CaretCol(), 11);
    EXPECT_EQ(Main()->GetStatusBarEx().GetPaneText(1), L"00012");
    EXPECT_EQ(Main()->GetStatusBarEx().GetPaneText(2), L"0000002");
    Command(ID_CURSOR_UP);
    EXPECT_EQ(Vu().CaretCol(), 11);  // kept past the end of the shorter line
    Command(ID_CURSOR_LINE_HEAD);
    Command(ID_CURSOR_RIGHT);
    EXPECT_EQ(Vu().CaretCol(), 2);  // over 漢 whole
    // The caret is two cells wide on a double-byte character.
    Command(ID_CURSOR_LEFT);
    POINT pt = {};
    ::GetCaretPos(&pt);
    EXPECT_EQ(pt.x, 0);
    EXPECT_EQ(Vu().m_nInputCount, 0);
    // The insert indicator shows the mode.
    Main()->UpdateCommandState();
    EXPECT_EQ(Main()->GetStatusBarEx().GetPaneText(5), L"INS");
    EXPECT_EQ(CloseAndRun(), 0);
}

TEST_F(ViewWindowTest, AClickPlacesTheCaretOnceTheFocusHasSettled)
{
    Open({"0123456789", "0123456789", "0123456789", "0123456789"});
    int cw = Cw(), lh = Lh();
    ::SendMessageW(View(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5 * cw + 2, 2 * lh + 2));
    ::SendMessageW(View(), WM_LBUTTONUP, 0, MAKELPARAM(5 * cw + 2, 2 * lh + 2));
    EXPECT_EQ(Vu().CaretLine(), 0);  // the focus came just now
    ::Sleep(600);
    ::SendMessageW(View(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5 * cw + 2, 2 * lh + 2));
    ::SendMessageW(View(), WM_LBUTTONUP, 0, MAKELPARAM(5 * cw + 2, 2 * lh + 2));
    EXPECT_EQ(Vu().CaretCol(), 5);
    EXPECT_EQ(Vu().CaretLine(), 2);
    EXPECT_EQ(Main()->GetStatusBarEx().GetPaneText(1), L"00006");
    // A button held on the last row scrolls until it is let go.
    RECT rc = {};
    ::GetClientRect(View(), &rc);
    ::PostMessageW(View(), WM_LBUTTONUP, 0, MAKELPARAM(10, rc.bottom - 2));
    ::SetTimer(View(), 1, 400, nullptr);  // wakes the wait; the button-up is taken after it
    ::SendMessageW(View(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, rc.bottom - 2));
    ::KillTimer(View(), 1);
    EXPECT_EQ(Vu().m_nAutoScrollCmd, 0u);
    EXPECT_NE(::GetCapture(), View());
    EXPECT_EQ(CloseAndRun(), 0);
}

// "GapPixel" puts blank pixels between rows; the caret is as tall as the text.
TEST_F(ViewWindowTest, GapPixelSpacesTheRows)
{
    Open({Sjis("一行目"), Sjis("二行目")});
    int before = Lh();
    int text = Vu().m_metrics.nTextHeight;
    AppSettings().m_nGapPixel = 3;
    for (CView* pView : m_pApp->GetAllViews())
        pView->OnFontChanged();
    Pump();
    EXPECT_EQ(Lh(), before + 3);
    EXPECT_EQ(Vu().m_metrics.nTextHeight, text);
    CViewShot shot = Shot();
    shot.Save("gap-pixel");
    // The bottom three pixel rows of row 0 are blank.
    EXPECT_EQ(shot.Count(0, text, 6 * Cw(), Lh(), IsDark), 0);
    EXPECT_GT(shot.Count(0, Lh(), 6 * Cw(), 2 * Lh(), IsDark), 0);
    EXPECT_EQ(CloseAndRun(), 0);
}
