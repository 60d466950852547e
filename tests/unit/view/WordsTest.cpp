// Words and blanks of a line, as the word motion sees them.
#include <gtest/gtest.h>

#include <string>

#include "text/Unicode.h"
#include "view/Words.h"

namespace {

std::string WordText(const std::string& s, long i)
{
    CWordSpan w;
    if (!WordAt(s, i, w))
        return "<none>";
    return SjisToUtf8(s.substr(static_cast<size_t>(w.nStart), static_cast<size_t>(w.nEnd - w.nStart)));
}

} // namespace

TEST(Words, EachClassMakesItsOwnWord)
{
    // 漢字 | ひらがな | カタカナー | ＡＢ | 「 | abc_1 | . | ﾃ
    std::string s = Utf8ToSjis("漢字ひらがなカタカナーＡＢ「abc_1.ﾃ");
    EXPECT_EQ(WordText(s, 0), "漢字");
    EXPECT_EQ(WordText(s, 3), "漢字");  // from a second byte
    EXPECT_EQ(WordText(s, 4), "ひらがな");
    EXPECT_EQ(WordText(s, 10), "ひらがな");
    EXPECT_EQ(WordText(s, 12), "カタカナー");
    EXPECT_EQ(WordText(s, 22), "ＡＢ");
    EXPECT_EQ(WordText(s, 26), "「");
    EXPECT_EQ(WordText(s, 28), "abc_1");
    EXPECT_EQ(WordText(s, 32), "abc_1");
    EXPECT_EQ(WordText(s, 33), ".");
    EXPECT_EQ(WordText(s, 34), "ﾃ");
    EXPECT_EQ(WordText(s, 35), "<none>");
    // A word starting with "_" is that byte alone; blanks are no word.
    EXPECT_EQ(WordText("x _y", 2), "_");
    EXPECT_EQ(WordText("x _y", 1), "<none>");
    EXPECT_EQ(WordText(Utf8ToSjis("a　b"), 1), "<none>");
    // The iteration marks go with hiragana, 々 with kanji.
    EXPECT_EQ(WordText(Utf8ToSjis("人々ゝ"), 0), "人々");
}

TEST(Words, AsciiWordsDoNotReachIntoDoubleByteCharacters)
{
    // ア is 0x83 0x41 ("A" as its second byte).
    std::string s = Utf8ToSjis("アBC");
    EXPECT_EQ(WordText(s, 2), "BC");
    EXPECT_EQ(WordText(s, 1), "ア");
}

TEST(Words, AWordIsAtMost1024Bytes)
{
    std::string s(3000, 'a');
    CWordSpan w;
    ASSERT_TRUE(WordAt(s, 1500, w));
    EXPECT_EQ(w.nEnd - w.nStart, kMaxWordBytes);
    EXPECT_LE(w.nStart, 1500);
    EXPECT_GT(w.nEnd, 1500);
    std::string kanji;
    for (int i = 0; i < 1000; ++i)
        kanji += "\x8A\xBF";  // 漢
    ASSERT_TRUE(WordAt(kanji, 999, w));
    EXPECT_EQ(w.nEnd - w.nStart, kMaxWordBytes);
    EXPECT_EQ(w.nStart % 2, 0);
}

// A lead byte before the end of the line is a single byte, never a character
// that takes the terminator along.
TEST(Words, LeadByteAtTheEndIsOneByte)
{
    std::string s("ab\x82", 3);
    CWordSpan w;
    ASSERT_TRUE(WordAt(s, 2, w));
    EXPECT_EQ(w.nStart, 2);
    EXPECT_EQ(w.nEnd, 3);
    ASSERT_TRUE(WordAt(s, 0, w));
    EXPECT_EQ(w.nEnd, 2);
    std::string k = Utf8ToSjis("漢") + "\x8A";
    ASSERT_TRUE(WordAt(k, 2, w));
    EXPECT_EQ(w.nStart, 2);
    EXPECT_EQ(w.nEnd, 3);
}

TEST(Words, BlanksAndTextEnds)
{
    std::string s = Utf8ToSjis("  ab　 ");
    EXPECT_EQ(LeadingBlanks(s), 2);
    EXPECT_EQ(FirstNonBlank(s), 2);
    EXPECT_EQ(TextEnd(s), 4);
    EXPECT_EQ(TrimmedLength(s), 6);  // the full-width blank is a byte pair, not 0x20
    EXPECT_EQ(LeadingBlanks("   "), 3);
    EXPECT_EQ(TextEnd("   "), 0);
    EXPECT_EQ(PrevCharStart(Utf8ToSjis("a漢"), 3), 1);
    EXPECT_EQ(PrevCharStart(Utf8ToSjis("a漢"), 1), 0);
    EXPECT_EQ(CharStartAt(Utf8ToSjis("a漢"), 2), 1);
}
