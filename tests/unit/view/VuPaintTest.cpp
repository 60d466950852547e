// The painter: Japanese text on the grid, double-byte characters at the
// window's edges, URL and tag colours, the marked-region overlay, and
// scrolling that moves pixels and repaints only what it uncovered.
#include "VuTestSupport.h"

#include <random>

#include "keys/CommandIds.h"
#include "text/Sjis.h"

namespace {

constexpr ColorValue kText = 0x000000, kBack = 0xFFFFFF, kUrl = 0xFF0000, kTag = 0x00FF00, kHiText = 0xFFFFFF,
                     kHiBack = 0x800000;

} // namespace

TEST_F(VuTest, JapaneseTextLiesOnTheGridAByteACell)
{
    AppSettings().m_bUrlSensitive = false;
    Show({Sjis("日本語ｶﾅabc"), ""}, 20, 3);
    EXPECT_EQ(m_surface.RowText(0), Sjis("日本語ｶﾅabc") + std::string(21 - 11, ' '));
    EXPECT_EQ(m_surface.RowText(1), std::string(21, ' '));
    // One run a row, over the whole row with the partly shown column, in the
    // text colours.
    std::vector<CFakeViewSurface::CRun> runs = m_surface.RunsOfRow(0);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].nTextCell, 0);
    EXPECT_EQ(runs[0].nClipLeft, 0);
    EXPECT_EQ(runs[0].nClipRight, 21);
    EXPECT_EQ(runs[0].crText, kText);
    EXPECT_EQ(runs[0].crBack, kBack);
}

// The text starts at the line's start, so a character cut by the left edge is
// drawn from its first byte, half outside; a line ending left of the window
// paints as an empty row.
TEST_F(VuTest, DoubleByteCharactersAreNeverSplitAtTheEdges)
{
    AppSettings().m_bUrlSensitive = false;
    Show({Sjis("a漢字かな"), "ab", std::string(30, 'x') + Sjis("漢")}, 10, 3);
    m_vu.ScrollHorz(2);  // column 2 is the second byte of 漢
    m_surface.ClearRuns();
    m_vu.RepaintAll();
    std::vector<CFakeViewSurface::CRun> runs = m_surface.RunsOfRow(0);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].nTextCell, -1);
    EXPECT_EQ(runs[0].text, Sjis("漢字かな"));
    EXPECT_EQ(runs[0].nClipLeft, 0);
    EXPECT_EQ(m_surface.RowText(0).substr(0, 7), Sjis("漢字かな").substr(1));
    // "ab" ends left of column 2.
    runs = m_surface.RunsOfRow(1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, "");
    EXPECT_EQ(m_surface.RowText(1), std::string(11, ' '));
    // A character reaching past the right edge is drawn whole and clipped.
    m_vu.ScrollHorz(22 - 2);
    m_surface.ClearRuns();
    m_vu.RepaintAll();
    runs = m_surface.RunsOfRow(2);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, std::string(8, 'x') + Sjis("漢"));
    EXPECT_EQ(runs[0].nClipRight, 11);
}

// A lead byte before the end of a line is drawn as one byte; the painter never
// takes the terminator for its second byte.
TEST_F(VuTest, LeadByteAtTheEndOfALineIsPaintedAsOneByte)
{
    AppSettings().m_bUrlSensitive = false;
    Show({std::string("ab\x82"), std::string("\x81")}, 10, 2);
    std::vector<CFakeViewSurface::CRun> runs = m_surface.RunsOfRow(0);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, std::string("ab\x82"));
    runs = m_surface.RunsOfRow(1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, std::string("\x81"));
    // With the scan for addresses it is the same.
    AppSettings().m_bUrlSensitive = true;
    m_surface.ClearRuns();
    m_vu.RepaintAll();
    runs = m_surface.RunsOfRow(0);
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs[0].text, std::string("ab\x82"));
}

TEST_F(VuTest, AddressesArePaintedInTheUrlColour)
{
    Show({Sjis("見て http://x.jp/a?b と ab@example.com"), "mailto: x"}, 60, 3);
    std::vector<CFakeViewSurface::CRun> runs = m_surface.RunsOfRow(0);
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[0].text, Sjis("見て "));
    EXPECT_EQ(runs[0].crText, kText);
    EXPECT_EQ(runs[1].text, "http://x.jp/a");
    EXPECT_EQ(runs[1].crText, kUrl);
    EXPECT_EQ(runs[1].nClipLeft, 5);
    EXPECT_EQ(runs[1].nClipRight, 18);
    EXPECT_EQ(runs[2].text, Sjis("?b と "));
    EXPECT_EQ(runs[3].text, "ab@example.com");
    EXPECT_EQ(runs[3].crText, kUrl);
    // The cells after the text are cleared in the background colour.
    EXPECT_EQ(runs[4].text, "");
    EXPECT_EQ(runs[4].nClipLeft, 38);
    EXPECT_EQ(runs[4].nClipRight, 61);
    EXPECT_EQ(runs[4].crBack, kBack);
    runs = m_surface.RunsOfRow(1);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, "mailto:");
    EXPECT_EQ(runs[0].crText, kUrl);
    // Scrolled right, the part of an address left of the window is skipped.
    m_vu.ScrollHorz(8);
    m_surface.ClearRuns();
    m_vu.RepaintAll();
    runs = m_surface.RunsOfRow(0);
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs[0].crText, kUrl);
    EXPECT_EQ(runs[0].nClipLeft, 0);
    EXPECT_EQ(runs[0].nTextCell, 0);
    EXPECT_EQ(runs[0].text, "p://x.jp/a");
}

// An address cut by either edge of the window is coloured in its visible part:
// the painter looks at the whole of it, not only at the cells it paints.
TEST_F(VuTest, AddressesCutByTheWindowsEdgesKeepTheirColour)
{
    std::string longLine = std::string(200, 'x') + " ab@example.com " + std::string(100, 'y');
    Show({std::string(17, '-') + " ab@example.com", longLine}, 20, 3);
    EXPECT_EQ(m_surface.CellAt(18, 0).crText, kUrl);  // "ab@" of the first line from column 18
    EXPECT_EQ(m_surface.CellAt(20, 0).crText, kUrl);
    EXPECT_EQ(m_surface.CellAt(17, 0).crText, kText);
    m_vu.ScrollHorz(190);
    m_surface.Paint();
    EXPECT_EQ(m_surface.CellAt(11, 1).crText, kUrl);  // column 201
    EXPECT_EQ(m_surface.CellAt(10, 1).crText, kText);
    m_vu.ScrollHorz(18);  // the address now starts left of the window
    m_surface.Paint();
    EXPECT_EQ(m_surface.CellAt(0, 1).crText, kUrl);  // column 208: "ple.com"
    EXPECT_EQ(m_surface.CellAt(6, 1).crText, kUrl);
    EXPECT_EQ(m_surface.CellAt(7, 1).crText, kText);
    EXPECT_EQ(m_surface.RowText(1).substr(0, 7), "ple.com");
}

TEST_F(VuTest, TaggedRowsAreWhollyInTheTagColourWithoutUrls)
{
    Show({"http://x.jp/", "plain", "http://y.jp/"}, 20, 3);
    m_vu.m_arrTags = {0, 2};
    m_surface.ClearRuns();
    m_vu.RepaintAll();
    for (int row : {0, 2}) {
        std::vector<CFakeViewSurface::CRun> runs = m_surface.RunsOfRow(row);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].crBack, kTag);
        EXPECT_EQ(runs[0].crText, kText);
        EXPECT_EQ(runs[0].nClipRight, 21);
        EXPECT_EQ(m_surface.CellAt(20, row).crBack, kTag);
    }
    EXPECT_EQ(m_surface.CellAt(0, 1).crBack, kBack);
    EXPECT_TRUE(m_vu.IsTagged(2));
    EXPECT_FALSE(m_vu.IsTagged(1));
}

// The overlay widens itself over a double-byte character its edges would cut,
// colours cells past the end of the text, and changes only the strip an edge
// moved over.
TEST_F(VuTest, MarkedRegionOverlay)
{
    AppSettings().m_bUrlSensitive = false;
    Show({"abcdefgh", Sjis("a漢字cd"), Sjis("漢字かな"), "x", "y"}, 20, 6);
    m_vu.m_nMarkCol = 1;
    m_vu.m_nMarkLine = 0;
    PutCaret(4, 0);
    m_surface.ClearRuns();
    m_vu.UpdateHilight();
    ASSERT_EQ(m_surface.m_runs.size(), 1u);
    EXPECT_EQ(m_surface.m_runs[0].nClipLeft, 1);
    EXPECT_EQ(m_surface.m_runs[0].nClipRight, 4);
    EXPECT_EQ(m_surface.m_runs[0].text, "bcd");
    EXPECT_EQ(m_surface.m_runs[0].crBack, kHiBack);
    EXPECT_EQ(m_surface.m_runs[0].crText, kHiText);
    // Down two lines: only the new strip (lines 1 and 2) is painted on, each
    // widened where column 1 or 4 is a second byte.
    PutCaret(4, 2);
    m_surface.ClearRuns();
    m_vu.UpdateHilight();
    ASSERT_EQ(m_surface.m_runs.size(), 2u);
    EXPECT_EQ(m_surface.m_runs[0].nRow, 1);
    EXPECT_EQ(m_surface.m_runs[0].nClipLeft, 1);
    EXPECT_EQ(m_surface.m_runs[0].nClipRight, 5);
    EXPECT_EQ(m_surface.m_runs[0].text, Sjis("漢字"));
    EXPECT_EQ(m_surface.m_runs[1].nRow, 2);
    EXPECT_EQ(m_surface.m_runs[1].nClipLeft, 0);
    EXPECT_EQ(m_surface.m_runs[1].nClipRight, 4);
    EXPECT_EQ(m_surface.m_runs[1].text, Sjis("漢字"));
    // Past the end of a line the cells are coloured all the same.
    PutCaret(4, 3);
    m_surface.ClearRuns();
    m_vu.UpdateHilight();
    ASSERT_EQ(m_surface.m_runs.size(), 1u);
    EXPECT_EQ(m_surface.m_runs[0].nRow, 3);
    EXPECT_EQ(m_surface.m_runs[0].text, "");
    EXPECT_EQ(m_surface.m_runs[0].nClipRight, 4);
    EXPECT_EQ(m_surface.CellAt(3, 3).crBack, kHiBack);
    // Back up: lines 1 to 3 go back to the painter's colours, line 0 stays.
    PutCaret(4, 0);
    m_surface.ClearRuns();
    m_vu.UpdateHilight();
    for (const auto& run : m_surface.m_runs) {
        EXPECT_GE(run.nRow, 1);
        EXPECT_LE(run.nRow, 3);
        EXPECT_EQ(run.crBack, kBack);
    }
    for (int r = 1; r <= 3; ++r)
        for (int c = 0; c <= 20; ++c)
            EXPECT_EQ(m_surface.CellAt(c, r).crBack, kBack) << c << "," << r;
    EXPECT_EQ(m_surface.CellAt(2, 0).crBack, kHiBack);
    // A repaint of the window keeps the overlay.
    m_vu.RepaintAll();
    EXPECT_EQ(m_surface.CellAt(1, 0).crBack, kHiBack);
    EXPECT_EQ(m_surface.CellAt(0, 0).crBack, kBack);
    // A line block (the same column) spans the window.
    PutCaret(1, 1);
    m_vu.UpdateHilight();
    m_surface.Paint();
    EXPECT_EQ(m_surface.CellAt(20, 1).crBack, kHiBack);
    EXPECT_EQ(m_surface.CellAt(0, 0).crBack, kHiBack);
    EXPECT_EQ(m_surface.CellAt(0, 2).crBack, kBack);
    // Without the mark everything goes back.
    m_vu.m_nMarkCol = m_vu.m_nMarkLine = -1;
    m_vu.UpdateHilight();
    m_surface.Paint();
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c <= 20; ++c)
            EXPECT_EQ(m_surface.CellAt(c, r).crBack, kBack) << c << "," << r;
}

TEST_F(VuTest, OverlayIsOffWithoutHilightMark)
{
    AppSettings().m_bHilightMark = false;
    Show({"abcdef", "abcdef"}, 20, 4);
    m_vu.m_nMarkCol = 0;
    m_vu.m_nMarkLine = 0;
    PutCaret(3, 1);
    m_vu.UpdateHilight();
    m_surface.Paint();
    EXPECT_EQ(m_surface.CellAt(1, 0).crBack, kBack);
}

// A shift-mark leaves out the caret's own line; its rectangle is what pick and
// close will take.
TEST_F(VuTest, MarkedRectangleOfAnchorAndCaret)
{
    Show({"0123456789", "0123456789", "0123456789", "0123456789"}, 20, 6);
    CCellRect rc;
    EXPECT_FALSE(m_vu.GetMarkedRect(rc, false));
    m_vu.m_nMarkCol = 6;
    m_vu.m_nMarkLine = 3;
    PutCaret(2, 1);
    ASSERT_TRUE(m_vu.GetMarkedRect(rc, false));
    EXPECT_EQ(rc.left, 2);
    EXPECT_EQ(rc.right, 6);
    EXPECT_EQ(rc.top, 1);
    EXPECT_EQ(rc.bottom, 4);
    m_vu.m_bShiftMark = true;
    ASSERT_TRUE(m_vu.GetMarkedRect(rc, false));
    EXPECT_EQ(rc.top, 2);
    EXPECT_EQ(rc.bottom, 4);
    // A plain motion drops a shift-mark where it is; the caret stays.
    Run(ID_CURSOR_DOWN);
    EXPECT_FALSE(m_vu.IsMarkSet());
    EXPECT_FALSE(m_vu.m_bShiftMark);
    EXPECT_EQ(Line(), 2);
    EXPECT_EQ(m_surface.CellAt(2, 3).crBack, kBack);
    // A plain mark stays through motion.
    m_vu.m_nMarkCol = 0;
    m_vu.m_nMarkLine = 0;
    Run(ID_CURSOR_UP);
    EXPECT_TRUE(m_vu.IsMarkSet());
}

TEST_F(VuTest, ScrollingMovesPixelsAndRepaintsWhatItUncovered)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 200; ++i)
        lines.push_back(std::to_string(i) + Sjis(" 日本語のテキスト ") + std::string(static_cast<size_t>(i % 50), 'z'));
    Show(lines, 30, 10);
    m_surface.ClearRuns();
    m_surface.m_scrolls.clear();
    Run(ID_SCROLL_LINE_DOWN);
    ASSERT_EQ(m_surface.m_scrolls.size(), 1u);
    EXPECT_EQ(m_surface.m_scrolls[0], std::make_pair(0, -16));
    for (const auto& run : m_surface.m_runs)
        EXPECT_GE(run.nRow, 9);  // the uncovered row and the partly shown one
    EXPECT_EQ(m_surface.RowText(0).substr(0, 2), "1 ");
    // Right by a tab step: only the uncovered columns are drawn.
    m_surface.ClearRuns();
    Run(ID_SCROLL_RIGHT_TAB);
    ASSERT_FALSE(m_surface.m_runs.empty());
    for (const auto& run : m_surface.m_runs)
        EXPECT_GE(run.nClipLeft, 26);
    ExpectScreenIsFresh();
    // A whole page: everything is repainted, nothing moved.
    m_surface.m_scrolls.clear();
    Run(ID_PAGE_DOWN);
    for (const auto& scroll : m_surface.m_scrolls)
        EXPECT_EQ(scroll.second, 0);
    // While obscured, scrolling repaints instead of moving pixels.
    m_vu.m_bObscured = true;
    m_surface.m_scrolls.clear();
    Run(ID_SCROLL_LINE_DOWN);
    EXPECT_TRUE(m_surface.m_scrolls.empty());
    ExpectScreenIsFresh();
}

// Whatever mix of motion, the screen after its paints is what a complete
// repaint draws: pixel moves and partial repaints leave nothing stale.
TEST_F(VuTest, AnySequenceOfMotionLeavesAFreshScreen)
{
    std::vector<std::string> lines;
    std::mt19937 rng(7);
    const char* pieces[] = {"漢字", "かな", "ｶﾅ", "abc ", "http://a.jp/x ", "　", "ab@example.com "};
    for (int i = 0; i < 120; ++i) {
        std::string line;
        for (int k = static_cast<int>(rng() % 12); k > 0; --k)
            line += Sjis(pieces[rng() % 7]);
        lines.push_back(line);
    }
    Show(lines, 23, 7);
    m_vu.m_arrTags = {3, 10, 40};
    m_vu.m_nMarkCol = 4;
    m_vu.m_nMarkLine = 5;
    const unsigned commands[] = {ID_CURSOR_DOWN,       ID_CURSOR_RIGHT,     ID_CURSOR_LEFT,       ID_PAGE_DOWN,
                                 ID_SCROLL_LINE_UP,    ID_SCROLL_RIGHT_TAB, ID_SCROLL_LEFT_TAB,   ID_QUARTER_PAGE_UP,
                                 ID_CURSOR_LINE_END,   ID_WORD_NEXT,        ID_WORD_PREV,         ID_SCROLL_LINE_DOWN,
                                 ID_CURSOR_TAB_RIGHT,  ID_SCREEN_RIGHT,     ID_SCREEN_LEFT,       ID_CURSOR_UP,
                                 ID_QUARTER_PAGE_DOWN, ID_CURSOR_SCREEN_RIGHT, ID_GOTO_TOP,        ID_CURSOR_SCREEN_BOTTOM};
    for (int step = 0; step < 300; ++step) {
        Run(commands[rng() % std::size(commands)]);
        ExpectScreenIsFresh();
        // Never on a second byte.
        EXPECT_FALSE(IsSecondByteAt(m_vu.PeekLine(Line()), Col())) << "step " << step;
        if (HasFailure())
            break;
    }
}
