// The mouse: clicks, the settle time after focus, auto-scroll on the edge rows
// with either button, the pointer's shape, the context menu.
#include "VuTestSupport.h"

#include "keys/CommandIds.h"

class VuMouseTest : public VuTest {
protected:
    void SetUp() override
    {
        Show(Numbered(200), 40, 20);
        m_surface.m_nTick += 10000;  // the focus came long ago
    }
    // Pixel of a cell's middle.
    static int X(int col) { return col * 8 + 3; }
    static int Y(int row) { return row * 16 + 7; }
};

TEST_F(VuMouseTest, AClickPlacesTheCaretOnTheButtonUp)
{
    m_vu.OnLButtonDown(X(5), Y(3));
    EXPECT_EQ(Line(), 0);
    m_vu.OnLButtonUp(X(5), Y(3));
    EXPECT_EQ(Col(), 5);
    EXPECT_EQ(Line(), 3);
    // Beyond the window's cells the click is brought inside.
    m_vu.OnLButtonUp(X(45), Y(10));
    EXPECT_EQ(Col(), 39);
    // A shift-mark ends; a plain mark stays.
    m_vu.m_nMarkCol = m_vu.m_nMarkLine = 1;
    m_vu.m_bShiftMark = true;
    m_vu.OnLButtonUp(X(2), Y(2));
    EXPECT_FALSE(m_vu.IsMarkSet());
    m_vu.m_nMarkCol = m_vu.m_nMarkLine = 1;
    m_vu.OnLButtonUp(X(3), Y(2));
    EXPECT_TRUE(m_vu.IsMarkSet());
    EXPECT_FALSE(m_vu.m_rcHilight.left >= m_vu.m_rcHilight.right);
}

TEST_F(VuMouseTest, AClickSoonAfterTheFocusCameOnlyActivates)
{
    m_vu.OnSetFocus();
    m_surface.m_nTick += 500;
    m_vu.OnLButtonUp(X(5), Y(3));
    EXPECT_EQ(Line(), 0);
    m_surface.m_nTick += 13;
    m_vu.OnLButtonUp(X(5), Y(3));
    EXPECT_EQ(Line(), 3);
    // Without "Chase" a click never moves the caret.
    AppSettings().m_bChase = false;
    m_vu.OnLButtonUp(X(9), Y(9));
    EXPECT_EQ(Line(), 3);
    // After a double click its button-up does nothing.
    AppSettings().m_bChase = true;
    m_vu.m_bSkipButtonUp = true;
    m_vu.OnLButtonUp(X(9), Y(9));
    EXPECT_EQ(Line(), 3);
    m_vu.OnLButtonUp(X(9), Y(9));
    EXPECT_EQ(Line(), 9);
}

TEST_F(VuMouseTest, TheLeftButtonHeldOnAnEdgeRowScrolls)
{
    PutCaret(4, 10);
    // Released after five scroll steps.
    int steps = 0;
    m_surface.m_onPump = [&] {
        if (m_surface.m_sleeps.size() >= 5 && ++steps == 1)
            m_vu.OnLButtonUp(X(4), Y(19));
    };
    m_vu.OnLButtonDown(X(4), 20 * 16 - 3);  // within the last row's height
    EXPECT_EQ(m_vu.m_nTopLine, 6);
    EXPECT_EQ(m_vu.m_nAutoScrollCmd, 0u);
    EXPECT_FALSE(m_surface.m_bCaptured);
    ASSERT_EQ(m_surface.m_sleeps.size(), 6u);  // the pause after the step that saw the release too
    EXPECT_EQ(m_surface.m_sleeps[0], 20u);
    // The button-up that ended it comes within 512 ms of the last step: the
    // caret stays on its line.
    EXPECT_EQ(Line(), 10);
    EXPECT_EQ(m_vu.m_dwFocusTick, m_surface.m_nTick);
    // The top row scrolls up; with "FastScroll" there is no pause.
    AppSettings().m_bFastScroll = true;
    m_surface.m_sleeps.clear();
    int pumps = 0;
    m_surface.m_onPump = [&] {
        if (m_surface.m_nPumps > 0 && ++pumps == 4)
            m_vu.OnLButtonUp(X(4), Y(0));
    };
    m_surface.m_nPumps = 0;
    m_vu.OnLButtonDown(X(4), Y(0));
    EXPECT_LT(m_vu.m_nTopLine, 6);
    EXPECT_TRUE(m_surface.m_sleeps.empty());
}

TEST_F(VuMouseTest, AQuickClickOnAnEdgeRowDoesNotScroll)
{
    m_surface.m_onPump = [&] { m_vu.OnLButtonUp(X(4), Y(19)); };
    m_vu.OnLButtonDown(X(4), Y(19));
    EXPECT_EQ(m_vu.m_nTopLine, 0);
    EXPECT_EQ(Line(), 19);  // an ordinary click
    EXPECT_FALSE(m_surface.m_bCaptured);
}

TEST_F(VuMouseTest, TheRightButtonScrollsTheOtherWay)
{
    m_vu.ScrollVert(50);
    int pumps = 0;
    m_surface.m_onPump = [&] {
        if (m_surface.m_nTick > 110256 && ++pumps == 3)
            m_vu.OnRButtonUp(X(4), Y(0));
    };
    m_vu.OnRButtonDown(X(4), Y(0));  // top row: down
    EXPECT_GT(m_vu.m_nTopLine, 50);
    long top = m_vu.m_nTopLine;
    pumps = 0;
    m_surface.m_nTick = 110000;
    m_vu.OnRButtonDown(X(4), Y(19));  // bottom row: up
    EXPECT_LT(m_vu.m_nTopLine, top);
}

// When a message taken in while the button is held closes the window, the loop
// stops without touching the view again.
TEST_F(VuMouseTest, AutoScrollStopsWhenTheWindowGoes)
{
    int pumps = 0;
    m_surface.m_onPump = [&] {
        if (++pumps == 3)
            m_surface.m_bWindowGone = true;
    };
    m_vu.OnLButtonDown(X(4), Y(19));
    EXPECT_EQ(pumps, 3);
    m_surface.m_bWindowGone = false;
}

TEST_F(VuMouseTest, ThePointerShowsWhatAClickWouldDo)
{
    SetLines(m_doc, {"see http://x.jp/ now", "ab@example.com", "plain"});
    m_vu.RepaintAll();
    EXPECT_EQ(m_vu.CursorAt(X(5), Y(0)), EViewCursor::Scroll);
    EXPECT_EQ(m_vu.CursorAt(X(5), 20 * 16 - 1), EViewCursor::Scroll);
    EXPECT_EQ(m_vu.CursorAt(X(0), Y(1)), EViewCursor::Address);
    EXPECT_EQ(m_vu.CursorAt(X(14), Y(1)), EViewCursor::Pointer);
    EXPECT_EQ(m_vu.CursorAt(X(2), Y(2)), EViewCursor::Pointer);
    AppSettings().m_bUrlSensitive = false;
    EXPECT_EQ(m_vu.CursorAt(X(0), Y(1)), EViewCursor::Pointer);
    // Asking about the pointer keeps no address for the open command.
    EXPECT_EQ(m_vu.m_nAddressKind, 0);
}

TEST_F(VuMouseTest, TheContextMenuOffersTheAddressUnderTheMouse)
{
    SetLines(m_doc, {"x", "go http://x.jp/?q", "mailto:ab@example.com", "plain"});
    m_vu.RepaintAll();
    m_surface.m_nMenuChoice = ID_OPEN_URL;
    m_vu.OnRButtonDown(X(6), Y(1));
    ASSERT_EQ(m_surface.m_menu.size(), 11u);
    EXPECT_EQ(m_surface.m_menu[0], std::make_pair(static_cast<unsigned>(ID_MARK), std::string("マーク")));
    EXPECT_EQ(m_surface.m_menu[10], std::make_pair(static_cast<unsigned>(ID_OPEN_URL), std::string("URL を開く")));
    EXPECT_EQ(m_vu.m_nAddressKind, 1);
    EXPECT_EQ(m_vu.m_strAddress, "http://x.jp/");
    EXPECT_EQ(m_surface.m_posted, std::vector<unsigned>{ID_OPEN_URL});
    // A mail address: send and register; while a mark is set, unmark.
    m_vu.m_nMarkCol = m_vu.m_nMarkLine = 0;
    m_surface.m_nMenuChoice = 0;
    m_vu.OnRButtonDown(X(12), Y(2));
    ASSERT_EQ(m_surface.m_menu.size(), 12u);
    EXPECT_EQ(m_surface.m_menu[0].first, static_cast<unsigned>(ID_UNMARK));
    EXPECT_EQ(m_surface.m_menu[10].second, "メールを出す");
    EXPECT_EQ(m_surface.m_menu[11].first, static_cast<unsigned>(ID_REGISTER_ADDRESS));
    EXPECT_EQ(m_vu.m_nAddressKind, 2);
    EXPECT_EQ(m_vu.m_strAddress, "mailto:ab@example.com");
    EXPECT_EQ(m_surface.m_posted.size(), 1u);  // nothing chosen
    m_vu.OnRButtonDown(X(2), Y(3));
    EXPECT_EQ(m_surface.m_menu.size(), 9u);
    EXPECT_EQ(m_vu.m_nAddressKind, 0);
}

TEST_F(VuMouseTest, TheWheelScrollsThreeLinesANotch)
{
    PutCaret(2, 10);
    m_vu.OnMouseWheel(-2);
    EXPECT_EQ(m_vu.m_nTopLine, 6);
    EXPECT_EQ(Line(), 10);
    m_vu.OnMouseWheel(1);
    EXPECT_EQ(m_vu.m_nTopLine, 3);
    EXPECT_EQ(Line(), 10);
}
