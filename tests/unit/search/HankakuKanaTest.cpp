// The half-width katakana mode: runs judged by characters, widening with the
// voiced and semi-voiced marks folded in, and the search through lines.
#include <gtest/gtest.h>

#include "fakes/FakeUi.h"
#include "text/Unicode.h"
#include "unit/search/LinesText.h"
#include "search/HankakuKana.h"

namespace {

std::string S(const char* utf8) { return Utf8ToSjis(utf8); }

TEST(HankakuKana, WideningFoldsVoicingMarks)
{
    EXPECT_EQ(HankakuToZenkakuRun(S("ｶﾞｷﾞｸﾞｹﾞｺﾞ")), S("ガギグゲゴ"));
    EXPECT_EQ(HankakuToZenkakuRun(S("ｻﾞｿﾞﾀﾞﾄﾞ")), S("ザゾダド"));
    EXPECT_EQ(HankakuToZenkakuRun(S("ﾊﾞﾋﾟﾌﾞﾍﾟﾎﾟ")), S("バピブペポ"));
    EXPECT_EQ(HankakuToZenkakuRun(S("ﾃﾞｰﾀﾍﾞｰｽ")), S("データベース"));
    // Marks after other characters stay characters of their own.
    EXPECT_EQ(HankakuToZenkakuRun(S("ｱﾞｳﾞｶﾟﾞ")), S("ア゛ウ゛カ゜゛"));
    EXPECT_EQ(HankakuToZenkakuRun(S("ﾞﾟ｡｢｣､･ｦｯｰ")), S("゛゜。「」、・ヲッー"));
    EXPECT_EQ(HankakuToZenkakuRun(S("ﾊﾞﾟ")), S("バ゜"));
}

TEST(HankakuKana, RunsAreJudgedByCharacters)
{
    long start = -1;
    long length = -1;
    // 漢 is 0x8A 0xBF: its second byte is no katakana, so the run is ｱ alone.
    std::string line = S("漢ｱｲ漢");
    EXPECT_FALSE(HankakuRunAt(line, 0, &start, &length));
    EXPECT_FALSE(HankakuRunAt(line, 1, &start, &length));
    ASSERT_TRUE(HankakuRunAt(line, 3, &start, &length));
    EXPECT_EQ(start, 2);
    EXPECT_EQ(length, 2);
    EXPECT_FALSE(HankakuRunAt(S("漢漢"), 1, &start, &length));
    // Extended both ways from the middle.
    ASSERT_TRUE(HankakuRunAt(S("ab ｶﾀｶﾅ cd"), 5, &start, &length));
    EXPECT_EQ(start, 3);
    EXPECT_EQ(length, 4);
}

TEST(HankakuKana, SearchSkipsTheCaretsRunAndCrossesLines)
{
    CLinesText text({S("ｱｲ x ｳｴ"), S("漢字"), S("y ｵ")});
    SearchHit hit;
    ASSERT_TRUE(FindHankakuForward(text, 0, 0, &hit));
    EXPECT_EQ(hit.nLine, 0);
    EXPECT_EQ(hit.nColumn, 5);
    EXPECT_EQ(hit.nLength, 2);
    ASSERT_TRUE(FindHankakuForward(text, 0, 6, &hit));
    EXPECT_EQ(hit.nLine, 2);  // never the trail bytes of 漢字
    EXPECT_EQ(hit.nColumn, 2);
    EXPECT_FALSE(FindHankakuForward(text, 2, 2, &hit));

    ASSERT_TRUE(FindHankakuBackward(text, 2, 2, &hit));
    EXPECT_EQ(hit.nLine, 0);
    EXPECT_EQ(hit.nColumn, 5);
    ASSERT_TRUE(FindHankakuBackward(text, 0, 6, &hit));
    EXPECT_EQ(hit.nColumn, 0);
    EXPECT_EQ(hit.nLength, 2);
    EXPECT_FALSE(FindHankakuBackward(text, 0, 1, &hit));
    // Right after a run, the run before the caret counts.
    ASSERT_TRUE(FindHankakuBackward(text, 0, 2, &hit));
    EXPECT_EQ(hit.nColumn, 0);
}

TEST(HankakuKana, ReplaceWidensTheRunAtTheCaret)
{
    CScopedFakeUi ui;
    CLinesText text({S("xﾃﾞｰﾀy"), "abc"});
    ASSERT_TRUE(ReplaceHankakuRunAt(text, 0, 3));
    EXPECT_EQ(text.m_lines[0], S("xデータy"));
    EXPECT_FALSE(ReplaceHankakuRunAt(text, 1, 0));
    EXPECT_FALSE(ReplaceHankakuRunAt(text, 5, 0));
    // A line that would grow too long stays as it is.
    std::string longLine(kMaxLineBytes - 3, 'a');
    longLine += S("ｱｲｳ");
    CLinesText full({longLine});
    EXPECT_FALSE(ReplaceHankakuRunAt(full, 0, kMaxLineBytes - 1));
    EXPECT_EQ(full.m_lines[0], longLine);
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "行が長すぎます");
}

} // namespace

TEST(HankakuKana, StrayHighBytesBelongToRunsAndStayUnwidened)
{
    // The composer refuses to save any single byte of 0x80 or above, so the
    // search finds the stray ones too; widening has no full-width form for them.
    long start = -1, length = 0;
    std::string line = "a\x80\xB1\xFD" "b";
    ASSERT_TRUE(HankakuRunAt(line, 1, &start, &length));
    EXPECT_EQ(start, 1);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(HankakuToZenkakuRun("\x80\xB1\xFD"), "\x80\x83\x41\xFD");  // ア between the strays
    EXPECT_FALSE(HankakuRunAt(std::string("\x8A\xBF"), 1, &start, &length));  // 漢's trail byte
}
