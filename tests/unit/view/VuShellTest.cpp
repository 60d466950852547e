// A shell command's input and output in the view: the pick it reads, the
// lines it inserts as one change.
#include "VuTestSupport.h"

#include "keys/CommandIds.h"

using Lines = std::vector<std::string>;

TEST_F(VuTest, CommandOutputGoesAboveTheCaretLineAsOneChange)
{
    Show({"c", "a", "b", "end"});
    PutCaret(0, 0);
    Run(ID_MARK);
    PutCaret(0, 2);
    Lines input;
    ASSERT_TRUE(m_vu.PickFilterInput(input));
    EXPECT_EQ(input, (Lines{"c", "a", "b"}));
    EXPECT_FALSE(m_vu.IsMarkSet());
    EXPECT_EQ(Text(), (Lines{"c", "a", "b", "end"}));
    PutCaret(0, 3);
    Run(ID_MARK);
    ASSERT_TRUE(m_vu.InsertCommandOutput({"a", "b", "c"}));
    EXPECT_FALSE(m_vu.IsMarkSet());
    EXPECT_EQ(Text(), (Lines{"c", "a", "b", "a", "b", "c", "end"}));
    EXPECT_EQ(m_vu.History().GetCount(), 1);
    EXPECT_EQ(Line(), 6);
    ExpectScreenIsFresh();
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), (Lines{"c", "a", "b", "end"}));
    // No output still counts as a change of the document.
    m_doc.SetModifiedFlag(false);
    ASSERT_TRUE(m_vu.InsertCommandOutput({}));
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(VuTest, FilterInputRefusedForARectangleCuttingAKanji)
{
    Show({"ab" + Sjis("漢"), Sjis("漢") + "ab"});
    PutCaret(0, 0);
    Run(ID_MARK);
    // The right edge cuts the first line's 漢 in half.
    PutCaret(3, 1);
    Lines input;
    EXPECT_FALSE(m_vu.PickFilterInput(input));
    EXPECT_EQ(m_ui.m_boxes.size(), 1u);
}
