// The view's grid, update hints between views of one document, the scroll bar
// range, the window list position and the caret's placement.
#include "VuTestSupport.h"

#include "keys/CommandIds.h"

TEST_F(VuTest, LayoutCountsWholeCellsAndClampsTheCaret)
{
    m_surface.m_metrics = {8, 19, 16};  // "GapPixel" 3 on a 16-pixel font
    Show(Numbered(100), 80, 25);
    EXPECT_EQ(m_vu.m_nCols, 80);
    EXPECT_EQ(m_vu.m_nRows, 400 / 19);
    // The caret is as tall as the text, not the row.
    EXPECT_EQ(m_surface.m_caret.nHeight, 16);
    PutCaret(70, 20);
    EXPECT_EQ(ScreenRow(), 20);
    m_surface.Resize(40, 10);
    EXPECT_EQ(m_vu.m_nCols, 40);
    EXPECT_EQ(m_vu.m_nRows, 10);
    EXPECT_EQ(ScreenCol(), 39);
    EXPECT_EQ(ScreenRow(), 9);
    EXPECT_EQ(m_surface.m_caret.x, 39 * 8);
    EXPECT_EQ(m_surface.m_caret.y, 9 * 19);
    EXPECT_TRUE(m_ui.m_boxes.empty());
}

TEST_F(VuTest, CaretPlacementShowsItsWidthAndTheStatusPanes)
{
    Show({Sjis("ab漢字")});
    PutCaret(2, 0);
    EXPECT_EQ(m_surface.m_caret.nWidth, 16);  // on a first byte: two cells
    EXPECT_EQ(m_surface.m_nPaneColumn, 3);
    EXPECT_EQ(m_surface.m_nPaneLine, 1);
    EXPECT_EQ(m_surface.m_nImeX, 16);
    Run(ID_CURSOR_LEFT);
    EXPECT_EQ(m_surface.m_caret.nWidth, 8);
    EXPECT_EQ(m_surface.m_nPaneColumn, 2);
    // A cell outside the window: the message, and the caret stays.
    EXPECT_FALSE(m_vu.Caret().SetCell(81, 0));
    ASSERT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(m_ui.m_boxes[0].text, "文書ｳｨﾝﾄﾞｳが小さすぎます");
    EXPECT_EQ(m_ui.m_nBeeps, 1);
    EXPECT_EQ(Col(), 1);
    // The partly shown last column and row are still inside.
    EXPECT_TRUE(m_vu.Caret().SetCell(80, 25));
}

TEST_F(VuTest, AViewWithoutADocumentSaysSo)
{
    CVu lonely;
    CFakeViewSurface surface;
    surface.Attach(lonely);
    EXPECT_TRUE(lonely.OnCommand(ID_CURSOR_DOWN, nullptr));
    ASSERT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(m_ui.m_boxes[0].text, "そっ、そんな馬鹿な！");
}

// A change in one view of a document reaches the other views as a cell
// rectangle, cut to what each shows.
TEST_F(VuTest, HintsReachTheOtherViewsOfTheDocument)
{
    Show(Numbered(200));
    CVu other;
    CFakeViewSurface otherSurface(40, 10);
    m_doc.AddView(&other);
    otherSurface.Attach(other);
    other.ScrollVert(50);
    otherSurface.Paint();

    CCellRect changed{3, 55, 0x7FFFFFFF, 56};
    m_doc.UpdateAllViews(&m_vu, kHintCells, &changed);
    EXPECT_FALSE(m_surface.m_bInvalid);  // the sender repaints itself
    ASSERT_TRUE(otherSurface.m_bInvalid);
    EXPECT_EQ(otherSurface.m_rcInvalid.left, 3);
    EXPECT_EQ(otherSurface.m_rcInvalid.top, 5);
    EXPECT_EQ(otherSurface.m_rcInvalid.right, 41);  // up to the partly shown column
    EXPECT_EQ(otherSurface.m_rcInvalid.bottom, 6);
    otherSurface.ClearRuns();
    otherSurface.Paint();
    for (const auto& run : otherSurface.m_runs) {
        EXPECT_EQ(run.nRow, 5);
        EXPECT_GE(run.nClipLeft, 3);
    }
    // Two changes before a paint are both repainted.
    CCellRect first{0, 51, 5, 52}, second{0, 58, 5, 59};
    m_doc.UpdateAllViews(&m_vu, kHintCells, &first);
    m_doc.UpdateAllViews(&m_vu, kHintCells, &second);
    EXPECT_EQ(other.m_rcDirty.top, 1);
    EXPECT_EQ(other.m_rcDirty.bottom, 9);
    // Cells out of sight are nothing to either.
    otherSurface.Paint();
    CCellRect hidden{0, 10, 5, 20};
    m_doc.UpdateAllViews(nullptr, kHintCells, &hidden);
    EXPECT_FALSE(otherSurface.m_bInvalid);
    EXPECT_TRUE(m_surface.m_bInvalid);

    // The line count: a note to each view, whose scroll range follows.
    m_doc.m_Lines.InsertEmptyLines(0, 100);
    m_doc.UpdateAllViews(nullptr, kHintLineCount);
    EXPECT_EQ(otherSurface.m_nPostedLineCount, 1);
    otherSurface.DeliverPosted();
    EXPECT_EQ(otherSurface.m_nVMax, 298);
    m_surface.DeliverPosted();
    EXPECT_EQ(m_surface.m_nVMax, 298);
    m_doc.RemoveView(&other);
}

// Painting rows past the end makes the lines exist; the document's views
// then hear that the count changed.
TEST_F(VuTest, PaintingPastTheEndAppendsLinesAndTellsTheViews)
{
    CVu other;
    CFakeViewSurface otherSurface(40, 10);
    Show({"only"}, 80, 25);
    EXPECT_EQ(m_doc.GetLineCount(), 26);  // rows 0 .. 25, the partly shown one too
    m_doc.AddView(&other);
    otherSurface.Attach(other);
    Run(ID_PAGE_DOWN);
    EXPECT_EQ(m_vu.m_nTopLine, 25);
    EXPECT_EQ(m_doc.GetLineCount(), 51);
    EXPECT_GE(otherSurface.m_nPostedLineCount, 1);
    otherSurface.DeliverPosted();
    EXPECT_EQ(otherSurface.m_nVMax, 49);
    EXPECT_FALSE(m_doc.IsModified());
    m_doc.RemoveView(&other);
}

// The range ends two lines before the last; it is set only when it or the
// page (the window's rows) changes.
TEST_F(VuTest, ScrollRangeFollowsTheLineCount)
{
    Show(Numbered(2), 80, 1);  // a one-row window paints lines 0 and 1 only
    EXPECT_EQ(m_surface.m_nVMax, 0);
    SetLines(m_doc, Numbered(102));
    m_vu.UpdateScrollRange();
    EXPECT_EQ(m_surface.m_nVMax, 100);
    EXPECT_EQ(m_surface.m_nVPage, 1);
    EXPECT_EQ(m_surface.m_nHMax, CVu::kHorzScrollMax);
    int sets = m_surface.m_nScrollRangeSets;
    m_vu.UpdateScrollRange();
    EXPECT_EQ(m_surface.m_nScrollRangeSets, sets);
    m_surface.Resize(80, 20);
    EXPECT_EQ(m_surface.m_nVPage, 20);
}

TEST_F(VuTest, PositionRoundTripsThroughTheWindowList)
{
    std::vector<std::string> lines = Numbered(100);
    lines[30] = std::string(60, 'x');
    Show(lines, 40, 10);
    m_vu.SetPosition(CViewPosition{12, 25, 7, 5});
    m_surface.Paint();
    CViewPosition pos = m_vu.GetPosition();
    EXPECT_EQ(pos.nLeftCol, 12);
    EXPECT_EQ(pos.nTopLine, 25);
    EXPECT_EQ(pos.nCaretCol, 7);
    EXPECT_EQ(pos.nCaretRow, 5);
    EXPECT_EQ(Col(), 19);
    EXPECT_EQ(Line(), 30);
    EXPECT_EQ(m_surface.m_nVPos, 25);
    EXPECT_EQ(m_surface.m_nHPos, 12);
    EXPECT_EQ(m_surface.RowText(5).substr(0, 5), "xxxxx");
    // Out of range values from an old list are brought inside.
    m_vu.SetPosition(CViewPosition{-3, 5000, 99, 99});
    pos = m_vu.GetPosition();
    EXPECT_EQ(pos.nLeftCol, 0);
    EXPECT_EQ(pos.nTopLine, 99);
    EXPECT_EQ(pos.nCaretCol, 39);
    EXPECT_EQ(pos.nCaretRow, 9);
}

TEST_F(VuTest, IndicatorsShowInsertModeAndTheMark)
{
    Show({"a"});
    CCmdUi ins(ID_INDICATOR_INS), mark(ID_INDICATOR_MARK), down(ID_CURSOR_DOWN), save(ID_FILE_SAVE);
    EXPECT_TRUE(m_vu.OnCommand(ID_INDICATOR_INS, &ins));
    EXPECT_TRUE(ins.IsEnabled());
    EXPECT_TRUE(m_vu.OnCommand(ID_INDICATOR_MARK, &mark));
    EXPECT_FALSE(mark.IsEnabled());
    EXPECT_TRUE(m_vu.OnCommand(ID_CURSOR_DOWN, &down));
    EXPECT_TRUE(down.IsEnabled());
    EXPECT_FALSE(m_vu.OnCommand(ID_FILE_SAVE, &save));
    m_vu.m_bInsert = false;
    m_vu.m_nMarkCol = m_vu.m_nMarkLine = 0;
    CCmdUi ins2(ID_INDICATOR_INS), mark2(ID_INDICATOR_MARK);
    m_vu.OnCommand(ID_INDICATOR_INS, &ins2);
    m_vu.OnCommand(ID_INDICATOR_MARK, &mark2);
    EXPECT_FALSE(ins2.IsEnabled());
    EXPECT_TRUE(mark2.IsEnabled());
}

TEST_F(VuTest, FocusSavesAndRestoresTheInputMethodAndTheCaret)
{
    Show({"abc"});
    PutCaret(2, 0);
    m_surface.m_bImeOpen = true;
    m_vu.OnKillFocus();
    EXPECT_FALSE(m_surface.m_caret.bVisible);
    EXPECT_FALSE(m_surface.m_bImeOpen);
    EXPECT_TRUE(m_vu.m_bImeOpen);
    m_surface.m_nTick += 5000;
    m_vu.OnSetFocus();
    EXPECT_TRUE(m_surface.m_bImeOpen);
    EXPECT_TRUE(m_surface.m_caret.bVisible);
    EXPECT_EQ(m_surface.m_caret.x, 16);
    EXPECT_EQ(m_vu.m_dwFocusTick, m_surface.m_nTick);
    EXPECT_TRUE(m_surface.m_bInvalid);
}
