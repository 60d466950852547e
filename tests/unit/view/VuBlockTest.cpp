// Marks and blocks: line blocks and rectangles (plain and shift-marks), pick,
// close and open, the application's buffers and their limit, and tags that
// follow inserted and removed lines.
#include "VuTestSupport.h"

#include "keys/CommandIds.h"
#include "text/LineStore.h"
#include "view/BlockBuffer.h"

using Lines = std::vector<std::string>;

namespace {

class VuBlockTest : public VuTest {
protected:
    VuBlockTest()
    {
        // The buffers belong to the program: each test starts with them empty.
        PickBuffer().Store({}, CBlockBuffer::kEmpty);
        CloseBuffer().Store({}, CBlockBuffer::kEmpty);
    }
    void Mark(long nCol, long nLine)
    {
        PutCaret(nCol, nLine);
        Run(ID_MARK);
    }
};

} // namespace

TEST_F(VuBlockTest, LineBlockCloseTakesTheMarkedLinesAndUndoPutsThemBack)
{
    Show(Numbered(20));
    Mark(5, 10);
    PutCaret(5, 12);
    Run(ID_CLOSE);
    EXPECT_EQ(Text().size(), 17u);
    EXPECT_EQ(Text()[10], "line 13");
    EXPECT_EQ(CloseBuffer().GetKind(), CBlockBuffer::kLines);
    EXPECT_EQ(CloseBuffer().GetLines(), (Lines{"line 10", "line 11", "line 12"}));
    EXPECT_FALSE(m_vu.IsMarkSet());
    EXPECT_EQ(Line(), 10);  // back on the anchor
    ExpectScreenIsFresh();
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), Numbered(20));
    EXPECT_EQ(Line(), 12);
    Run(ID_EDIT_REDO);
    EXPECT_EQ(Text().size(), 17u);
    // Put back twice: the buffer keeps its lines.
    PutCaret(0, 0);
    Run(ID_INSERT_CLOSE_BUFFER);
    Run(ID_INSERT_CLOSE_BUFFER);
    EXPECT_EQ(Text().size(), 23u);
    EXPECT_EQ(Text()[0], "line 10");
    EXPECT_EQ(Text()[3], "line 10");
    ExpectScreenIsFresh();
}

TEST_F(VuBlockTest, AShiftMarkLeavesTheCaretLineOut)
{
    Show(Numbered(20));
    PutCaret(5, 10);
    Run(ID_MARK_DOWN);
    Run(ID_MARK_DOWN);
    EXPECT_TRUE(m_vu.m_bShiftMark);
    Run(ID_CLOSE);
    EXPECT_EQ(CloseBuffer().GetLines(), (Lines{"line 10", "line 11"}));
    EXPECT_EQ(Text()[10], "line 12");
    // Upwards, the lines below the caret down to the anchor.
    PutCaret(0, 5);
    Run(ID_MARK_UP);
    Run(ID_CLOSE);
    EXPECT_EQ(CloseBuffer().GetLines(), Lines{"line 5"});
    // A plain motion ends a shift-mark where it is.
    PutCaret(0, 1);
    Run(ID_MARK_RIGHT);
    Run(ID_CURSOR_RIGHT);
    EXPECT_FALSE(m_vu.IsMarkSet());
    EXPECT_EQ(Col(), 2);
}

TEST_F(VuBlockTest, RectanglePickPadsShortLinesAndRefusesToCutKanji)
{
    Show(Numbered(20));
    SetLines(m_doc, {"", "", "", "", "", "", "", "", "", "", "abcdefgh", "abc", "ABCDEFGH", Sjis("あい漢字")});
    m_surface.Paint();
    Mark(2, 10);
    PutCaret(6, 12);
    Run(ID_PICK);
    EXPECT_EQ(PickBuffer().GetKind(), CBlockBuffer::kRectangle);
    EXPECT_EQ(PickBuffer().GetLines(), (Lines{"cdef", "c   ", "CDEF"}));
    EXPECT_FALSE(m_vu.IsMarkSet());
    EXPECT_EQ(Line(), 10);
    EXPECT_EQ(Col(), 2);
    // 漢 begins at column 4: a right edge at 5 cuts it.
    Mark(0, 12);
    PutCaret(5, 13);
    m_vu.Caret().m_nCol = 5;  // onto the second byte, as a window edge could leave it
    Run(ID_PICK);
    ASSERT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(m_ui.m_boxes[0].text, "矩形が漢字を分断します");
    EXPECT_EQ(m_ui.m_boxes[0].kind, EMessageBox::Information);
    EXPECT_EQ(PickBuffer().GetLines(), (Lines{"cdef", "c   ", "CDEF"}));
    EXPECT_FALSE(m_vu.IsMarkSet());
}

TEST_F(VuBlockTest, RectangleCloseAndPutBackAtTheCaret)
{
    Show({"abcdefgh", "ab", "ABCDEFGH"});
    Mark(2, 0);
    PutCaret(5, 2);
    Run(ID_CLOSE);
    EXPECT_EQ(Text(), (Lines{"abfgh", "ab", "ABFGH"}));
    EXPECT_EQ(CloseBuffer().GetLines(), (Lines{"cde", "   ", "CDE"}));
    ExpectScreenIsFresh();
    // Put at column 4 of line 1: short lines are filled out to the caret.
    PutCaret(4, 1);
    Run(ID_INSERT_CLOSE_BUFFER);
    EXPECT_EQ(Text(), (Lines{"abfgh", "ab  cde", "ABFG   H", "    CDE"}));
    ExpectScreenIsFresh();
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), (Lines{"abfgh", "ab", "ABFGH"}));
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), (Lines{"abcdefgh", "ab", "ABCDEFGH"}));
    ExpectScreenIsFresh();
}

// Every line of a rectangle put or opened is checked before any changes.
TEST_F(VuBlockTest, ARectangleThatWouldOverflowALineChangesNothing)
{
    std::string full(MaxLineLength - 1, 'x');
    Show({"abcd", "efgh", "ab", full});
    Mark(1, 0);
    PutCaret(3, 1);
    Run(ID_PICK);
    PutCaret(0, 2);
    Run(ID_INSERT_PICK_BUFFER);
    EXPECT_TRUE(Text() == (Lines{"abcd", "efgh", "ab", full}));
    EXPECT_EQ(m_vu.History().GetCount(), 0);
    EXPECT_EQ(m_ui.m_boxes.back().text, "行が長すぎます");
    Mark(0, 2);
    PutCaret(2, 3);
    Run(ID_OPEN);
    EXPECT_TRUE(Text() == (Lines{"abcd", "efgh", "ab", full}));
    EXPECT_EQ(m_vu.History().GetCount(), 0);
}

TEST_F(VuBlockTest, OpenInsertsBlankLinesOrABlankRectangle)
{
    Show({"one", "two", "three", Sjis("漢字")});
    PutCaret(1, 1);
    Run(ID_OPEN);
    EXPECT_EQ(Text(), (Lines{"one", "", "two", "three", Sjis("漢字")}));
    EXPECT_EQ(Line(), 1);
    Run(ID_EDIT_UNDO);
    Mark(2, 0);
    PutCaret(2, 1);
    Run(ID_OPEN);  // a line block of two lines
    EXPECT_EQ(Text(), (Lines{"", "", "one", "two", "three", Sjis("漢字")}));
    EXPECT_EQ(Line(), 0);
    Run(ID_EDIT_UNDO);
    Mark(1, 1);
    PutCaret(3, 2);
    Run(ID_OPEN);
    EXPECT_EQ(Text(), (Lines{"one", "t  wo", "t  hree", Sjis("漢字")}));
    // The left edge on a second byte: nothing is opened.
    Mark(4, 3);
    m_vu.Caret().m_nCol = 1;
    Run(ID_OPEN);
    ASSERT_FALSE(m_ui.m_boxes.empty());
    EXPECT_EQ(m_ui.m_boxes.back().text, "矩形が漢字を分断します");
    EXPECT_EQ(Text()[3], Sjis("漢字"));
    EXPECT_FALSE(m_vu.IsMarkSet());
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), (Lines{"one", "two", "three", Sjis("漢字")}));
}

TEST_F(VuBlockTest, EmptyBuffersSaySo)
{
    Show({"a"});
    Run(ID_INSERT_PICK_BUFFER);
    Run(ID_INSERT_CLOSE_BUFFER);
    ASSERT_EQ(m_ui.m_boxes.size(), 2u);
    EXPECT_EQ(m_ui.m_boxes[0].text, "ピックバッファが空です");
    EXPECT_EQ(m_ui.m_boxes[1].text, "クローズバッファが空です");
    // Without a mark pick takes the caret line.
    Run(ID_PICK);
    EXPECT_EQ(PickBuffer().GetLines(), Lines{"a"});
}

// A line block beyond the buffers' limit is not taken; a rectangle is cut up
// to the limit and its record holds exactly the rows cut.
TEST_F(VuBlockTest, TheBuffersTakeAtMost16319Lines)
{
    int n = CBlockBuffer::kMaxLines + 5;
    Lines lines(static_cast<size_t>(n), "abc");
    Show(lines);
    Mark(0, 0);
    PutCaret(0, n - 1);
    Run(ID_CLOSE);
    EXPECT_EQ(m_ui.m_boxes.back().text, "メモリ不足のため新しい行を作成できません");
    EXPECT_EQ(Text().size(), static_cast<size_t>(n));
    EXPECT_TRUE(CloseBuffer().IsEmpty());
    m_ui.Clear();
    Run(ID_UNMARK);
    Mark(1, 0);
    PutCaret(2, n - 1);
    Run(ID_CLOSE);
    EXPECT_EQ(m_ui.m_boxes.back().text, "メモリ不足のため新しい行を作成できません");
    EXPECT_EQ(CloseBuffer().GetLines().size(), static_cast<size_t>(CBlockBuffer::kMaxLines));
    Lines text = Text();
    EXPECT_EQ(text[CBlockBuffer::kMaxLines - 1], "ac");
    EXPECT_EQ(text[CBlockBuffer::kMaxLines], "abc");
    Run(ID_EDIT_UNDO);
    EXPECT_TRUE(Text() == lines);
}

TEST_F(VuBlockTest, TagsStaySortedAndFollowLineChanges)
{
    Show(Numbered(30));
    for (long line : {10, 3, 8, 6, 5})
        PutCaret(0, line), Run(ID_TOGGLE_TAG);
    EXPECT_EQ(m_vu.m_arrTags, (std::vector<unsigned>{3, 5, 6, 8, 10}));
    PutCaret(0, 8);
    Run(ID_TOGGLE_TAG);
    Run(ID_TOGGLE_TAG);
    EXPECT_EQ(m_vu.m_arrTags, (std::vector<unsigned>{3, 5, 6, 8, 10}));
    // Closing lines 5 to 7 drops tags there and moves the later ones up.
    Mark(0, 5);
    PutCaret(0, 7);
    Run(ID_CLOSE);
    EXPECT_EQ(m_vu.m_arrTags, (std::vector<unsigned>{3, 5, 7}));
    // Splitting line 3 moves a later tag down.
    PutCaret(2, 3);
    Run(ID_SPLIT_LINE);
    EXPECT_EQ(m_vu.m_arrTags, (std::vector<unsigned>{3, 6, 8}));
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(m_vu.m_arrTags, (std::vector<unsigned>{3, 5, 7}));
    Run(ID_EDIT_UNDO);  // the closed lines come back (their tags stay dropped)
    EXPECT_EQ(m_vu.m_arrTags, (std::vector<unsigned>{3, 8, 10}));
    // Moving between tags; past the last one it beeps.
    PutCaret(0, 0);
    Run(ID_TAG_NEXT);
    EXPECT_EQ(Line(), 3);
    Run(ID_TAG_NEXT);
    Run(ID_TAG_NEXT);
    EXPECT_EQ(Line(), 10);
    Run(ID_TAG_NEXT);
    EXPECT_EQ(m_ui.m_nBeeps, 1);
    Run(ID_TAG_PREV);
    EXPECT_EQ(Line(), 8);
    // Lines put back before a tag move it down.
    PutCaret(0, 0);
    Run(ID_INSERT_CLOSE_BUFFER);
    EXPECT_EQ(m_vu.m_arrTags, (std::vector<unsigned>{6, 11, 13}));
}
