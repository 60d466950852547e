// The motion commands: exact geometry of each, the double-byte rules, the
// "Line Length" beep, the numbered line and the ends of the file.
#include "VuTestSupport.h"

#include "keys/CommandIds.h"
#include "text/LineStore.h"
#include "text/Sjis.h"

TEST_F(VuTest, HorizontalMovesPassOverSecondBytes)
{
    Show({Sjis("a漢字b")});
    Run(ID_CURSOR_RIGHT);
    EXPECT_EQ(Col(), 1);
    Run(ID_CURSOR_RIGHT);  // onto the second byte of 漢: on to the next character
    EXPECT_EQ(Col(), 3);
    Run(ID_CURSOR_RIGHT);
    EXPECT_EQ(Col(), 5);
    Run(ID_CURSOR_LEFT);  // back onto 字's first byte
    EXPECT_EQ(Col(), 3);
    Run(ID_CURSOR_LEFT);
    EXPECT_EQ(Col(), 1);
    Run(ID_CURSOR_LEFT);
    Run(ID_CURSOR_LEFT);  // at the left edge of the text nothing scrolls
    EXPECT_EQ(Col(), 0);
    EXPECT_EQ(m_vu.m_nLeftCol, 0);
}

// Going down from column 7 into a line whose column 7 is a second byte steps
// to 6; the next ASCII line gives column 7 back.
TEST_F(VuTest, VerticalMovesKeepTheColumnAcrossMixedLines)
{
    Show({"abcdefghij", Sjis("abc漢字かな"), Sjis("ab漢字かなに"), "abcdefghij", Sjis("漢字かな")});
    PutCaret(7, 0);
    Run(ID_CURSOR_DOWN);
    EXPECT_EQ(Col(), 7);  // abc漢字かな: 7 is the first byte of か
    Run(ID_CURSOR_DOWN);
    EXPECT_EQ(Col(), 6);  // ab漢字かなに: 7 is the second byte of か
    EXPECT_TRUE(m_vu.Caret().m_bShiftedLeft);
    Run(ID_CURSOR_DOWN);
    EXPECT_EQ(Col(), 7);
    EXPECT_FALSE(m_vu.Caret().m_bShiftedLeft);
    // Past the end of a short line the column is kept.
    PutCaret(9, 3);
    Run(ID_CURSOR_DOWN);
    EXPECT_EQ(Col(), 9);  // past the end of 漢字かな
    Run(ID_CURSOR_UP);
    EXPECT_EQ(Line(), 3);
}

TEST_F(VuTest, CrossingTheLineLengthColumnBeepsOnce)
{
    Show({std::string(100, 'x')});
    m_vu.Caret().m_nLineLength = 5;
    PutCaret(3, 0);
    Run(ID_CURSOR_RIGHT);
    EXPECT_EQ(m_ui.m_nBeeps, 0);
    Run(ID_CURSOR_RIGHT);  // 4 -> 5
    EXPECT_EQ(m_ui.m_nBeeps, 1);
    RunTimes(ID_CURSOR_RIGHT, 3);
    EXPECT_EQ(m_ui.m_nBeeps, 1);
    Run(ID_CURSOR_SCREEN_LEFT);
    Run(ID_CURSOR_TAB_RIGHT);  // 0 -> 4
    Run(ID_CURSOR_TAB_RIGHT);  // 4 -> 8
    EXPECT_EQ(m_ui.m_nBeeps, 2);
}

TEST_F(VuTest, MovingPastTheWindowScrollsByTheOvershoot)
{
    Show(Numbered(50), 20, 10);
    Run(ID_CURSOR_SCREEN_BOTTOM);
    EXPECT_EQ(ScreenRow(), 9);
    Run(ID_CURSOR_DOWN);
    EXPECT_EQ(m_vu.m_nTopLine, 1);
    EXPECT_EQ(ScreenRow(), 9);
    EXPECT_EQ(Line(), 10);
    Run(ID_CURSOR_SCREEN_RIGHT);
    EXPECT_EQ(ScreenCol(), 19);
    Run(ID_CURSOR_RIGHT);
    EXPECT_EQ(m_vu.m_nLeftCol, 1);
    EXPECT_EQ(Col(), 20);
    Run(ID_CURSOR_SCREEN_LEFT);
    EXPECT_EQ(Col(), 1);
    EXPECT_EQ(m_vu.m_nLeftCol, 1);
    Run(ID_CURSOR_LEFT);
    EXPECT_EQ(m_vu.m_nLeftCol, 0);
    Run(ID_CURSOR_SCREEN_TOP);
    EXPECT_EQ(Line(), 1);
    // Going down past the last line adds empty lines.
    Run(ID_GOTO_END);
    EXPECT_EQ(Line(), 49);
    RunTimes(ID_CURSOR_DOWN, 30);
    EXPECT_EQ(Line(), 79);
    EXPECT_GE(m_doc.GetLineCount(), 80);
    EXPECT_EQ(m_doc.GetTextLineCount(), 50);
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(VuTest, TabStepsGoTheSameDistanceBothWays)
{
    Show({std::string(40, 'x')});
    PutCaret(5, 0);
    Run(ID_CURSOR_TAB_RIGHT);
    EXPECT_EQ(Col(), 8);
    PutCaret(5, 0);
    Run(ID_CURSOR_TAB_LEFT);  // the distance a tab right would go: 3
    EXPECT_EQ(Col(), 2);
    PutCaret(4, 0);
    Run(ID_CURSOR_TAB_LEFT);
    EXPECT_EQ(Col(), 0);
    Run(ID_CURSOR_TAB_RIGHT);
    EXPECT_EQ(Col(), 4);
}

TEST_F(VuTest, LineHeadTogglesAndLineEndIgnoresTrailingBlanks)
{
    Show({"    indented text   ", "   ", "", "x"});
    PutCaret(10, 0);
    Run(ID_CURSOR_LINE_HEAD);
    EXPECT_EQ(Col(), 4);
    Run(ID_CURSOR_LINE_HEAD);
    EXPECT_EQ(Col(), 0);
    Run(ID_CURSOR_LINE_HEAD);
    EXPECT_EQ(Col(), 4);
    Run(ID_CURSOR_LINE_END);
    EXPECT_EQ(Col(), 17);
    Run(ID_CURSOR_DOWN);
    Run(ID_CURSOR_LINE_END);  // all blanks
    EXPECT_EQ(Col(), 0);
    Run(ID_CURSOR_NEXT_LINE);
    EXPECT_EQ(Line(), 2);
    EXPECT_EQ(Col(), 0);
}

TEST_F(VuTest, NextLineGoesToScreenColumnZero)
{
    Show({std::string(100, 'a'), std::string(100, 'b')}, 20, 5);
    PutCaret(50, 0);
    EXPECT_GT(m_vu.m_nLeftCol, 0);
    long left = m_vu.m_nLeftCol;
    Run(ID_CURSOR_NEXT_LINE);
    EXPECT_EQ(Line(), 1);
    EXPECT_EQ(ScreenCol(), 0);
    EXPECT_EQ(m_vu.m_nLeftCol, left);
}

TEST_F(VuTest, PagesAndScreensScrollByTheirSize)
{
    Show(Numbered(200), 20, 10);
    PutCaret(3, 4);
    Run(ID_PAGE_UP);  // at the top: nothing
    EXPECT_EQ(m_vu.m_nTopLine, 0);
    EXPECT_EQ(Line(), 4);
    Run(ID_PAGE_DOWN);
    EXPECT_EQ(m_vu.m_nTopLine, 10);
    EXPECT_EQ(ScreenRow(), 4);
    Run(ID_QUARTER_PAGE_DOWN);  // 10 / 4 = 2 lines; the caret keeps its line
    EXPECT_EQ(m_vu.m_nTopLine, 12);
    EXPECT_EQ(Line(), 14);
    EXPECT_EQ(ScreenRow(), 2);
    Run(ID_QUARTER_PAGE_DOWN);
    Run(ID_QUARTER_PAGE_DOWN);  // the row (0) is below 2: row 0
    EXPECT_EQ(m_vu.m_nTopLine, 16);
    EXPECT_EQ(ScreenRow(), 0);
    Run(ID_QUARTER_PAGE_UP);
    EXPECT_EQ(m_vu.m_nTopLine, 14);
    EXPECT_EQ(Line(), 16);
    Run(ID_GOTO_TOP);
    Run(ID_QUARTER_PAGE_UP);  // nothing above
    EXPECT_EQ(m_vu.m_nTopLine, 0);
    Run(ID_SCREEN_RIGHT);
    EXPECT_EQ(m_vu.m_nLeftCol, 20);
    Run(ID_SCREEN_RIGHT);
    Run(ID_SCREEN_LEFT);
    EXPECT_EQ(m_vu.m_nLeftCol, 20);
    Run(ID_SCROLL_LEFT_TAB);
    EXPECT_EQ(m_vu.m_nLeftCol, 16);
    Run(ID_SCREEN_LEFT);
    EXPECT_EQ(m_vu.m_nLeftCol, 0);
    Run(ID_SCROLL_RIGHT_TAB);
    EXPECT_EQ(m_vu.m_nLeftCol, 4);
}

TEST_F(VuTest, ScreenRightStopsShortOfTheLongestLine)
{
    Show({"x"}, 20, 5);
    for (int i = 0; i < 4000; ++i)
        ASSERT_TRUE(m_vu.OnCommand(ID_SCREEN_RIGHT, nullptr));
    EXPECT_EQ(m_vu.m_nLeftCol, MaxLineBytes - 20 - 10);
    // Tab steps go a little further; a screen right from there stays put.
    RunTimes(ID_SCROLL_RIGHT_TAB, 3);
    EXPECT_EQ(m_vu.m_nLeftCol, MaxLineBytes - 20 - 1);
    Run(ID_SCREEN_RIGHT);
    EXPECT_EQ(m_vu.m_nLeftCol, MaxLineBytes - 20 - 1);
}

// Scrolling by a line keeps the caret on its text line, or at the edge row
// when its line leaves the window.
TEST_F(VuTest, ScrollingLinesKeepsTheCaretOnItsLine)
{
    Show(Numbered(100), 20, 10);
    PutCaret(2, 5);
    Run(ID_SCROLL_LINE_UP);  // at the top: nothing
    EXPECT_EQ(m_vu.m_nTopLine, 0);
    Run(ID_SCROLL_LINE_DOWN);
    EXPECT_EQ(m_vu.m_nTopLine, 1);
    EXPECT_EQ(Line(), 5);
    EXPECT_EQ(ScreenRow(), 4);
    Run(ID_CURSOR_SCREEN_TOP);
    Run(ID_SCROLL_LINE_DOWN);
    EXPECT_EQ(ScreenRow(), 0);
    EXPECT_EQ(Line(), 2);
    Run(ID_SCROLL_LINE_UP);
    EXPECT_EQ(Line(), 2);
    EXPECT_EQ(ScreenRow(), 1);
    Run(ID_CURSOR_SCREEN_BOTTOM);
    Run(ID_SCROLL_LINE_UP);
    EXPECT_EQ(m_vu.m_nTopLine, 0);
    EXPECT_EQ(ScreenRow(), 9);
    EXPECT_EQ(Line(), 9);
}

// The numbered line comes from the application's goto-line field; 0 and
// numbers past the end are brought to the first and the last line.
TEST_F(VuTest, GotoLineClampsItsTargetAndPlacesItAQuarterDown)
{
    Show(Numbered(300), 20, 20);
    PutCaret(3, 2);
    AppSettings().m_nGotoLine = 150;
    Run(ID_GOTO_LINE);
    EXPECT_EQ(Line(), 149);
    EXPECT_EQ(m_vu.m_nTopLine, 145);  // a quarter window from the top: row 4
    EXPECT_EQ(ScreenRow(), 4);
    EXPECT_EQ(Col(), 3);
    AppSettings().m_nGotoLine = 152;  // on the screen: the caret just moves
    Run(ID_GOTO_LINE);
    EXPECT_EQ(Line(), 151);
    EXPECT_EQ(m_vu.m_nTopLine, 145);
    AppSettings().m_nGotoLine = 0;
    Run(ID_GOTO_LINE);
    EXPECT_EQ(Line(), 0);
    EXPECT_EQ(m_vu.m_nTopLine, 0);
    AppSettings().m_nGotoLine = 2000000000;
    Run(ID_GOTO_LINE);
    EXPECT_EQ(Line(), 299);
    EXPECT_EQ(m_vu.m_nTopLine, 295);
    EXPECT_TRUE(m_ui.m_boxes.empty());
    // Near the top of the file from far below: the line itself, not the row
    // a quarter down.
    AppSettings().m_nGotoLine = 3;
    Run(ID_GOTO_LINE);
    EXPECT_EQ(m_vu.m_nTopLine, 0);
    EXPECT_EQ(Line(), 2);
}

TEST_F(VuTest, GotoEndFindsTheLastLineWithText)
{
    std::vector<std::string> lines = Numbered(60);
    lines.insert(lines.end(), {"", "", ""});
    Show(lines, 20, 10);
    PutCaret(4, 3);
    Run(ID_GOTO_END);
    EXPECT_EQ(Line(), 59);
    EXPECT_EQ(ScreenRow(), 9);
    EXPECT_EQ(Col(), 4);
    // From below the text (scrolled into the empty lines) it comes back up.
    m_vu.ScrollVert(20);
    m_surface.Paint();
    Run(ID_GOTO_END);
    EXPECT_EQ(Line(), 59);
    EXPECT_EQ(ScreenRow(), 0);
    Run(ID_GOTO_TOP);
    EXPECT_EQ(Line(), 0);
    EXPECT_EQ(Col(), 0);
    EXPECT_EQ(m_vu.m_nTopLine, 0);
}

// With no lines at all the top line stays 0.
TEST_F(VuTest, ScrollingAnEmptyDocumentKeepsTheTopAtZero)
{
    CFakeViewSurface surface(20, 5);
    CDoc empty;
    CVu view;
    empty.AddView(&view);
    view.SetSurface(&surface);  // never painted: no lines appear
    ASSERT_EQ(empty.GetLineCount(), 0);
    EXPECT_EQ(view.ScrollVert(-3), 0);
    EXPECT_EQ(view.ScrollVert(3), 0);
    EXPECT_EQ(view.m_nTopLine, 0);
    view.OnCommand(ID_PAGE_UP, nullptr);
    view.OnCommand(ID_GOTO_END, nullptr);
    view.OnCommand(ID_GOTO_LINE, nullptr);
    EXPECT_EQ(view.m_nTopLine, 0);
    EXPECT_EQ(view.CaretLine(), 0);
    EXPECT_TRUE(m_ui.m_boxes.empty());
    view.SetSurface(nullptr);
}

// Horizontal scrolling keeps the caret's screen column, and so would leave it
// on a second byte: it steps off.
TEST_F(VuTest, HorizontalScrollingKeepsTheCaretOffSecondBytes)
{
    Show({std::string("a") + Sjis("漢字かなカナ漢字かなカナ")}, 10, 3);
    PutCaret(5, 0);  // the first byte of か
    Run(ID_SCROLL_RIGHT_TAB);
    EXPECT_EQ(m_vu.m_nLeftCol, 4);
    EXPECT_FALSE(IsSecondByteAt(m_vu.PeekLine(0), Col()));
    EXPECT_EQ(Col(), 9);
    m_vu.OnHScroll(EScrollAction::LineDown, 0);
    EXPECT_EQ(m_vu.m_nLeftCol, 5);
    EXPECT_FALSE(IsSecondByteAt(m_vu.PeekLine(0), Col()));
    m_vu.OnHScroll(EScrollAction::Track, 0);
    EXPECT_EQ(m_vu.m_nLeftCol, 0);
    EXPECT_FALSE(IsSecondByteAt(m_vu.PeekLine(0), Col()));
}

TEST_F(VuTest, ScrollBarsRunTheScrollCommands)
{
    Show(Numbered(100), 20, 10);
    m_vu.OnVScroll(EScrollAction::LineDown, 0);
    EXPECT_EQ(m_vu.m_nTopLine, 1);
    m_vu.OnVScroll(EScrollAction::PageDown, 0);
    EXPECT_EQ(m_vu.m_nTopLine, 11);
    m_vu.OnVScroll(EScrollAction::LineUp, 0);
    EXPECT_EQ(m_vu.m_nTopLine, 10);
    m_vu.OnVScroll(EScrollAction::Track, 42);
    EXPECT_EQ(m_vu.m_nTopLine, 42);
    EXPECT_EQ(m_surface.m_nVPos, 42);
    m_vu.OnVScroll(EScrollAction::PageUp, 0);
    EXPECT_EQ(m_vu.m_nTopLine, 32);
    m_vu.OnHScroll(EScrollAction::PageDown, 0);
    EXPECT_EQ(m_vu.m_nLeftCol, 20);
    EXPECT_EQ(m_surface.m_nHPos, 20);
    m_vu.OnHScroll(EScrollAction::LineUp, 0);
    EXPECT_EQ(m_vu.m_nLeftCol, 19);
    m_vu.OnHScroll(EScrollAction::PageUp, 0);
    EXPECT_EQ(m_vu.m_nLeftCol, 0);
}

namespace {

// A view that takes the line-split command (as the editing commands make it).
class CSplittingVu : public CVu {
public:
    int m_nSplits = 0;

protected:
    Handler CommandHandler(unsigned nId) override
    {
        if (nId == ID_SPLIT_LINE)
            return static_cast<Handler>(&CSplittingVu::OnSplit);
        return CVu::CommandHandler(nId);
    }

private:
    void OnSplit() { ++m_nSplits; }
};

} // namespace

// With "ReturnChar" in insert mode the next-line key splits the line; in
// overwrite mode, or without "ReturnChar", it moves.
TEST_F(VuTest, NextLineSplitsInInsertModeWithReturnChar)
{
    SetLines(m_doc, {"ab", "cd"});
    CSplittingVu view;
    CFakeViewSurface surface(20, 5);
    m_doc.AddView(&view);
    surface.Attach(view);
    view.OnCommand(ID_CURSOR_NEXT_LINE, nullptr);
    EXPECT_EQ(view.m_nSplits, 1);
    EXPECT_EQ(view.CaretLine(), 0);
    view.m_bInsert = false;
    view.OnCommand(ID_CURSOR_NEXT_LINE, nullptr);
    EXPECT_EQ(view.m_nSplits, 1);
    EXPECT_EQ(view.CaretLine(), 1);
    view.m_bInsert = true;
    AppSettings().m_bReturnChar = false;
    view.OnCommand(ID_CURSOR_NEXT_LINE, nullptr);
    EXPECT_EQ(view.m_nSplits, 1);
    EXPECT_EQ(view.CaretLine(), 2);
    m_doc.RemoveView(&view);
}
