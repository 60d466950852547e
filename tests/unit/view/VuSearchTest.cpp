// The view's search and replace commands over the application's searcher:
// where the caret and the window go, the messages at either end, replacing
// at the caret and to the end of the file with one undo record each, and the
// half-width katakana mode.
#include "VuTestSupport.h"

#include "keys/CommandIds.h"
#include "search/Searcher.h"

using Lines = std::vector<std::string>;

class VuSearchTest : public VuTest {
protected:
    ~VuSearchTest() override { SetHankakuKanaMode(false); }
    bool Checked(unsigned nId)
    {
        CCmdUi ui(nId);
        m_vu.OnCommand(nId, &ui);
        return ui.IsChecked();
    }
};

TEST_F(VuSearchTest, SearchMovesToTheMatchAndStopsAtEitherEnd)
{
    std::vector<std::string> lines = Numbered(100);
    lines[3] += std::string(100, ' ') + "far";
    Show(lines);
    ASSERT_TRUE(NewSearcher().SetSearch("line 60", true));
    Run(ID_SEARCH_NEXT);
    EXPECT_EQ(Line(), 60);
    EXPECT_EQ(Col(), 0);
    // Below the window: the line lands a quarter window from the top.
    EXPECT_EQ(m_vu.m_nTopLine, 60 - 25 / 4);
    // The caret's own match is passed over; at the end the caret stays.
    Run(ID_SEARCH_NEXT);
    EXPECT_EQ(Line(), 60);
    EXPECT_EQ(m_ui.m_nBeeps, 1);
    ASSERT_EQ(m_ui.m_status.size(), 1u);
    EXPECT_EQ(m_ui.m_status[0], "ファイルの末尾まで検索しました");
    // Backward to a line above the window: a quarter from the top, never above line 0.
    ASSERT_TRUE(NewSearcher().SetSearch("line 6", true));
    Run(ID_SEARCH_PREV);
    EXPECT_EQ(Line(), 6);
    EXPECT_EQ(m_vu.m_nTopLine, 0);
    Run(ID_SEARCH_PREV);
    EXPECT_EQ(Line(), 6);
    EXPECT_EQ(m_ui.m_status.back(), "ファイルの先頭まで検索しました");
    // A match past the right edge: the window moves until its end is in the last column.
    ASSERT_TRUE(NewSearcher().SetSearch("far", true));
    PutCaret(0, 0);
    Run(ID_SEARCH_NEXT);
    EXPECT_EQ(Line(), 3);
    EXPECT_EQ(Col(), 106);
    EXPECT_EQ(m_vu.m_nLeftCol, 109 - 80);
    ExpectScreenIsFresh();
}

TEST_F(VuSearchTest, TrailingBlanksNeverMatchAndStayInTheStore)
{
    Show({"ab   ", "x"});
    ASSERT_TRUE(NewSearcher().SetSearch("/b +/", true));
    Run(ID_SEARCH_NEXT);
    EXPECT_EQ(Line(), 0);
    EXPECT_EQ(m_ui.m_nBeeps, 1);
    EXPECT_EQ(Text()[0], "ab   ");
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(VuSearchTest, ReplaceAllRunsFromTheCaretWithOneRecordEach)
{
    Show({"cat x", "a cat cat", "cat"});
    PutCaret(3, 1);
    ASSERT_TRUE(NewSearcher().SetReplace("/cat/dog/"));
    Run(ID_REPLACE_ALL);
    // The match the caret stands inside began before it and stays.
    EXPECT_EQ(Text(), (Lines{"cat x", "a cat dog", "dog"}));
    EXPECT_EQ(Col(), 3);
    EXPECT_EQ(Line(), 1);
    EXPECT_EQ(m_vu.History().GetCount(), 2);
    EXPECT_TRUE(m_doc.IsModified());
    ExpectScreenIsFresh();
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), (Lines{"cat x", "a cat dog", "cat"}));
    EXPECT_EQ(Line(), 2);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), (Lines{"cat x", "a cat cat", "cat"}));
    Run(ID_EDIT_REDO);
    Run(ID_EDIT_REDO);
    EXPECT_EQ(Text(), (Lines{"cat x", "a cat dog", "dog"}));
    // Nothing to replace: no change, the caret in place.
    m_doc.SetModifiedFlag(false);
    PutCaret(1, 0);
    ASSERT_TRUE(NewSearcher().SetReplace("/zebra/x/"));
    Run(ID_REPLACE_ALL);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(Col(), 1);
    EXPECT_EQ(Line(), 0);
}

TEST_F(VuSearchTest, ReplaceAllEndsOnEmptyMatchesAndExpandsGroups)
{
    Show({"ab  ", Sjis("漢"), "aab"});
    PutCaret(0, 2);
    ASSERT_TRUE(NewSearcher().SetReplace("s/(a+)b/[$1]/"));
    Run(ID_REPLACE_ALL);
    EXPECT_EQ(Text()[2], "[aa]");
    PutCaret(0, 0);
    ASSERT_TRUE(NewSearcher().SetReplace("s/x*/-/"));
    Run(ID_REPLACE_ALL);
    // An empty match moves on one whole character; the trailing blanks and
    // the empty rows below the text are no text.
    EXPECT_EQ(Text(), (Lines{"-a-b  ", "-" + Sjis("漢"), "-[-a-a-]"}));
    EXPECT_EQ(m_vu.History().GetCount(), 1 + 2 + 1 + 4);
}

TEST_F(VuSearchTest, ReplaceActsOnlyOnTheLastMatchAtTheCaret)
{
    Show({"cat cat cat"});
    ASSERT_TRUE(NewSearcher().SetReplace("/cat/dog/"));
    // Nothing was found yet: the caret's "cat" is not replaced.
    Run(ID_REPLACE);
    EXPECT_EQ(Text()[0], "cat cat cat");
    Run(ID_SEARCH_NEXT);
    EXPECT_EQ(Col(), 4);
    Run(ID_REPLACE);
    EXPECT_EQ(Text()[0], "cat dog cat");
    EXPECT_EQ(Col(), 4);
    EXPECT_EQ(m_vu.History().GetCount(), 1);
    // The match is used up.
    Run(ID_REPLACE);
    EXPECT_EQ(Text()[0], "cat dog cat");
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text()[0], "cat cat cat");
}

TEST_F(VuSearchTest, HankakuKanaModeFindsAndWidensRuns)
{
    Show({"ab " + Sjis("漢"), "x " + Sjis("ｶﾞｷﾞﾊﾟ") + " y " + Sjis("ｱ")});
    ASSERT_TRUE(NewSearcher().SetSearch("y", true));
    EXPECT_FALSE(Checked(ID_HANKAKU_KANA_SEARCH));
    Run(ID_HANKAKU_KANA_SEARCH);
    EXPECT_TRUE(Checked(ID_HANKAKU_KANA_SEARCH));
    EXPECT_EQ(m_surface.m_posted, std::vector<unsigned>{ID_SEARCH_NEXT});
    // The second byte of 漢 is no half-width katakana.
    Run(ID_SEARCH_NEXT);
    EXPECT_EQ(Line(), 1);
    EXPECT_EQ(Col(), 2);
    PutCaret(4, 1);
    Run(ID_REPLACE);
    EXPECT_EQ(Text()[1], "x " + Sjis("ガギパ") + " y " + Sjis("ｱ"));
    Run(ID_SEARCH_NEXT);
    EXPECT_EQ(Col(), 11);
    Run(ID_SEARCH_NEXT);
    EXPECT_EQ(m_ui.m_status.back(), "ファイルの末尾まで検索しました");
    Run(ID_HANKAKU_KANA_SEARCH);
    EXPECT_FALSE(Checked(ID_HANKAKU_KANA_SEARCH));
    // A new search turns the mode off too.
    Run(ID_HANKAKU_KANA_SEARCH);
    ASSERT_TRUE(NewSearcher().SetSearch("y", true));
    EXPECT_FALSE(HankakuKanaMode());
}
