// Paragraph filling: the line breaker's rules (double-byte widths, hanging
// closing punctuation, opening brackets, English words, blanks between scripts)
// and the command on the view (margins of line blocks and rectangles, refusals
// that leave the text alone, tags, the one undo record); counting.
#include "VuTestSupport.h"

#include "keys/CommandIds.h"
#include "platform/SettingsStore.h"
#include "view/LineBreaker.h"

using Lines = std::vector<std::string>;

namespace {

CFillRules DefaultRules(bool bSpaceAscii = false)
{
    CMemorySettingsStore store;
    CAppSettings s;
    LoadFillingSettings(store, s);
    return {s.m_strRightProhibition, s.m_strLeftProhibition, s.m_strLeftSticker, bSpaceAscii};
}

// The lines of UTF-8 text filled between the columns, back in UTF-8.
Lines Fill(const char* utf8, long nLeft, long nRight, bool bSpaceAscii = false)
{
    COwnedLines list;
    EXPECT_EQ(CLineBreaker(DefaultRules(bSpaceAscii)).Fill(Sjis(utf8), nLeft, nRight, MaxLineLength, list),
              CLineBreaker::EFill::Done);
    Lines lines = list.ToStrings();
    for (std::string& s : lines)
        s = SjisToUtf8(s);
    return lines;
}

} // namespace

TEST(LineBreaker, JapaneseLinesHangClosingPunctuationAndKeepBracketsWithTheirText)
{
    // Two columns a character; the "。" hangs instead of starting a line.
    EXPECT_EQ(Fill("あいうえ。 ", 0, 4), (Lines{"あい", "うえ。"}));
    // "「" and the character after it move to the next line together, also
    // when the character stood after a line end.
    EXPECT_EQ(Fill("あいう「えお ", 0, 8), (Lines{"あいう", "「えお"}));
    EXPECT_EQ(Fill("あ「 い」 ", 0, 72), (Lines{"あ「い」"}));
    // A run of closing characters is one token and never begins a line.
    EXPECT_EQ(Fill("あいう」。 ", 0, 6), (Lines{"あいう」。"}));
}

TEST(LineBreaker, EnglishWordsAndBlanksBetweenScripts)
{
    EXPECT_EQ(Fill("the quick brown fox ", 0, 10), (Lines{"the quick ", "brown fox"}));
    // A word longer than the line stays whole on a line of its own.
    EXPECT_EQ(Fill("a internationalization b ", 0, 8), (Lines{"a ", "internationalization", "b"}));
    // Japanese and English meet without a blank unless "Space Ascii" asks
    // for one; never after a sticker such as "、".
    EXPECT_EQ(Fill("漢字 English ", 0, 72), (Lines{"漢字English"}));
    EXPECT_EQ(Fill("漢字 English ", 0, 72, true), (Lines{"漢字 English"}));
    EXPECT_EQ(Fill("漢字、 English ", 0, 72, true), (Lines{"漢字、English"}));
    EXPECT_EQ(Fill("word 漢字 ", 0, 72), (Lines{"word漢字"}));
    EXPECT_EQ(Fill("word 漢字 ", 0, 72, true), (Lines{"word 漢字"}));
    // A comma ends a word and clings to it; a word after it gets its blank.
    EXPECT_EQ(Fill("one ,two , three ", 0, 72), (Lines{"one, two, three"}));
}

TEST(LineBreaker, LoneLeadBytesAndOverlongLines)
{
    // A lead byte with no trail byte keeps a blank after it, so it never pairs
    // with the next character.
    COwnedLines lines;
    CLineBreaker breaker(DefaultRules());
    ASSERT_EQ(breaker.Fill("x\x88 \x88\x9f ", 0, 72, MaxLineLength, lines), CLineBreaker::EFill::Done);
    EXPECT_EQ(lines.ToStrings(), (Lines{"x\x88 \x88\x9f"}));
    // A line that would pass the limit refuses the whole fill.
    EXPECT_EQ(breaker.Fill("abcd" + std::string(100, 'w'), 4, 40, 100, lines), CLineBreaker::EFill::TooLong);
    EXPECT_TRUE(lines.Empty());
}

namespace {

class VuFormatTest : public VuTest {
protected:
    VuFormatTest()
    {
        CMemorySettingsStore store;
        LoadFillingSettings(store, AppSettings());
    }
    void MarkBlock(long nCol1, long nLine1, long nCol2, long nLine2)
    {
        PutCaret(nCol1, nLine1);
        Run(ID_MARK);
        PutCaret(nCol2, nLine2);
    }
};

} // namespace

TEST_F(VuFormatTest, LineBlockFillsToLineLengthAndUndoRestoresTextAndTags)
{
    Lines text;
    for (int i = 0; i < 6; ++i)
        text.push_back("alpha beta gamma delta " + std::to_string(i));
    text.push_back("after");
    Show(text);
    PutCaret(0, 2);
    Run(ID_TOGGLE_TAG);  // on the block: goes
    PutCaret(0, 6);
    Run(ID_TOGGLE_TAG);  // below it: follows
    MarkBlock(0, 0, 0, 5);
    Run(ID_FORMAT_PARAGRAPH);
    Lines filled = Text();
    // 72 columns, and the blank before the word that did not fit stays.
    EXPECT_EQ(filled, (Lines{"alpha beta gamma delta 0 alpha beta gamma delta 1 alpha beta gamma delta ",
                             "2 alpha beta gamma delta 3 alpha beta gamma delta 4 alpha beta gamma ", "delta 5",
                             "after"}));
    EXPECT_FALSE(m_vu.IsMarkSet());
    EXPECT_EQ(m_vu.m_arrTags, (std::vector<unsigned>{3}));
    EXPECT_TRUE(m_doc.IsModified());
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), text);
    EXPECT_EQ(m_vu.m_arrTags, (std::vector<unsigned>{6}));
    Run(ID_EDIT_REDO);
    EXPECT_EQ(Text(), filled);
    ExpectScreenIsFresh();
}

TEST_F(VuFormatTest, RectangleKeepsTheFirstColumnsAndIndentsTheRest)
{
    Show({"1.  one two three four five six seven", "eight nine ten eleven twelve"});
    MarkBlock(4, 0, 40, 1);
    Run(ID_FORMAT_PARAGRAPH);
    EXPECT_EQ(Text(), (Lines{"1.  one two three four five six seven ", "    eight nine ten eleven twelve"}));
}

TEST_F(VuFormatTest, KeptBytesAreNotGluedToTheFirstWord)
{
    Show({"hello world"});
    MarkBlock(5, 0, 5, 0);
    Run(ID_FORMAT_PARAGRAPH);
    EXPECT_EQ(Text(), (Lines{"hello world"}));
}

TEST_F(VuFormatTest, RefusalsLeaveTheTextAsItWas)
{
    Show({"abcd text", "a" + Sjis("漢字") + " more"});
    Run(ID_FORMAT_PARAGRAPH);
    ASSERT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(m_ui.m_boxes[0].text, "mark not set");

    // A rectangle whose left edge cuts a kanji on its second line.
    MarkBlock(2, 0, 20, 1);
    Run(ID_FORMAT_PARAGRAPH);
    ASSERT_EQ(m_ui.m_boxes.size(), 2u);
    EXPECT_EQ(m_ui.m_boxes[1].text, "矩形が漢字を分断します");
    Run(ID_UNMARK);

    // A word that with the indent would make a line longer than a line may be.
    Lines text{"abcd", std::string(MaxLineLength - 2, 'w')};
    Show(text);
    MarkBlock(4, 0, 40, 1);
    Run(ID_FORMAT_PARAGRAPH);
    ASSERT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(m_ui.m_boxes[0].text, "buffer overflow");
    EXPECT_EQ(Text(), text);
    EXPECT_FALSE(m_vu.History().CanUndo());
}

TEST_F(VuFormatTest, CountsBytesWordsAndLines)
{
    Show({"ab  cd", Sjis("漢字　x"), "", "last line"});
    PutCaret(0, 0);
    Run(ID_COUNT);
    ASSERT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(m_ui.m_boxes[0].text, "From Line #1\nTo Line #1\n# of Bytes: 4\n# of Words: 2\n# of Lines: 1");
    // With a mark: between the anchor and the caret, whichever comes first; the
    // full-width blank is not a blank.
    PutCaret(0, 2);
    Run(ID_MARK);
    PutCaret(0, 0);
    Run(ID_COUNT);
    EXPECT_EQ(m_ui.m_boxes[1].text, "From Line #1\nTo Line #3\n# of Bytes: 11\n# of Words: 3\n# of Lines: 3");
}
