// Byte classes and position tests of Shift-JIS text.
#include <gtest/gtest.h>

#include "text/Sjis.h"

TEST(Sjis, ByteClasses)
{
    EXPECT_TRUE(IsLeadByte(char(0x81)));
    EXPECT_TRUE(IsLeadByte(char(0x9F)));
    EXPECT_FALSE(IsLeadByte(char(0xA0)));
    EXPECT_TRUE(IsLeadByte(char(0xE0)));
    EXPECT_TRUE(IsLeadByte(char(0xFC)));
    EXPECT_FALSE(IsLeadByte(char(0xFD)));
    EXPECT_FALSE(IsLeadByte(char(0x80)));
    EXPECT_TRUE(IsTrailByte(char(0x40)));
    EXPECT_FALSE(IsTrailByte(char(0x7F)));
    EXPECT_TRUE(IsTrailByte(char(0x5C)));  // the trail byte of ソ and 表
    EXPECT_TRUE(IsHankakuKana(char(0xA1)));
    EXPECT_TRUE(IsHankakuKana(char(0xDF)));
    EXPECT_FALSE(IsHankakuKana(char(0xE0)));
}

TEST(Sjis, FirstAndSecondByteByParity)
{
    const char s[] = "\x88\x9F\x88\x9F";  // 亜亜
    EXPECT_TRUE(IsFirstByteAt(s, 0));
    EXPECT_FALSE(IsFirstByteAt(s, 1));
    EXPECT_TRUE(IsFirstByteAt(s, 2));
    EXPECT_FALSE(IsFirstByteAt(s, 3));
    EXPECT_FALSE(IsSecondByteAt(s, 0));
    EXPECT_TRUE(IsSecondByteAt(s, 1));
    EXPECT_TRUE(IsSecondByteAt(s, 3));
    EXPECT_FALSE(IsFirstByteAt(s, 4));  // at the terminator
    EXPECT_FALSE(IsSecondByteAt(s, 4));
    EXPECT_FALSE(IsFirstByteAt(s, -1));

    // 漢 is 0x8A 0xBF; its trail byte has no lead value, so the parity restarts.
    const char kan[] = "\x8A\xBF\x8A\xBF";
    EXPECT_TRUE(IsFirstByteAt(kan, 2));
    // A trail byte with a lead value: 0x88 0x88 0x88 is 0x8888 then a lone 0x88.
    const char runs[] = "a\x88\x88\x88";
    EXPECT_TRUE(IsFirstByteAt(runs, 1));
    EXPECT_FALSE(IsFirstByteAt(runs, 2));
    EXPECT_TRUE(IsFirstByteAt(runs, 3));
}

TEST(Sjis, CharCodeNeverReadsPastTheText)
{
    std::string_view lone("a\x88", 2);
    EXPECT_EQ(CharCodeAt(lone, 1), 0x8800u);
    EXPECT_EQ(CharCodeAt(lone, 0), 0u);
    EXPECT_EQ(CharCodeAt(lone, -1), 0u);
    EXPECT_EQ(CharCodeAt(lone, 2), 0u);
    EXPECT_EQ(CharLenAt(lone, 1), 1);
    EXPECT_EQ(CharLenAt(std::string_view("\x8A\xBF"), 0), 2);
}

TEST(Sjis, CharacterClasses)
{
    EXPECT_TRUE(IsWideSpaceAt("\x81\x40", 0));
    EXPECT_TRUE(IsHiraganaAt("\x82\xA0", 0));   // あ
    EXPECT_TRUE(IsHiraganaAt("\x81\x54", 0));   // ゝ
    EXPECT_TRUE(IsKatakanaAt("\x83\x41", 0));   // ア
    EXPECT_TRUE(IsKatakanaAt("\x81\x5B", 0));   // ー
    EXPECT_TRUE(IsWideLetterAt("\x82\x60", 0)); // Ａ
    EXPECT_TRUE(IsWideLetterAt("\x83\x9F", 0)); // Α
    EXPECT_TRUE(IsWideLetterAt("\x84\x40", 0)); // А
    EXPECT_TRUE(IsKanjiAt("\x88\x9F", 0));      // 亜
    EXPECT_TRUE(IsKanjiAt("\x81\x58", 0));      // 々
    EXPECT_TRUE(IsKanjiAt("\x81\x5A", 0));      // 〇
    EXPECT_FALSE(IsKanjiAt("\x82\xA0", 0));
    EXPECT_TRUE(IsWideDigitAt("\x82\x4F", 0));  // ０
    EXPECT_FALSE(IsWideDigitAt("0", 0));
}

TEST(Sjis, HankakuToZenkakuKeepsVoicingMarksSeparate)
{
    EXPECT_EQ(HankakuToZenkaku(0xB1), 0x8341u);  // ｱ → ア
    EXPECT_EQ(HankakuToZenkaku(0xB6), 0x834Au);  // ｶ → カ
    EXPECT_EQ(HankakuToZenkaku(0xDE), 0x814Au);  // ﾞ → ゛
    EXPECT_EQ(HankakuToZenkaku(0xA1), 0x8142u);  // ｡ → 。
    EXPECT_EQ(HankakuToZenkaku(0xB0), 0x815Bu);  // ｰ → ー
    EXPECT_EQ(HankakuToZenkaku(0x41), 0u);
    EXPECT_EQ(HankakuToZenkaku(0xE0), 0u);
}
