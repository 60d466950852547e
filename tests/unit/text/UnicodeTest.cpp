// Code page 932 <-> Unicode through the generated table.
#include <gtest/gtest.h>

#include "text/Unicode.h"

TEST(Unicode, RoundTripsJapanese)
{
    const std::string utf8 = "漢字かなカナ表示ソ能ｶﾅ①～\\";
    std::string sjis = Utf8ToSjis(utf8);
    EXPECT_EQ(sjis, "\x8A\xBF\x8E\x9A\x82\xA9\x82\xC8\x83\x4A\x83\x69\x95\x5C\x8E\xA6\x83\x5C\x94\x5C\xB6\xC5\x87\x40"
                    "\x81\x60\\");
    EXPECT_EQ(SjisToUtf8(sjis), utf8);
    EXPECT_EQ(SjisToUtf16("\x8A\xBF"), u"漢");
}

TEST(Unicode, UnmappedAndMalformed)
{
    EXPECT_EQ(Utf8ToSjis("a😀b"), "a?b");
    EXPECT_EQ(Utf8ToSjis("Ω"), "\x83\xB6");
    // A lead byte at the end, and a pair with no character, become the default character.
    EXPECT_EQ(SjisToUtf16(std::string_view("a\x88", 2)), u"a\u30FB");
    EXPECT_EQ(SjisToUtf16("\x85\x40"), u"\u30FB");
    EXPECT_EQ(Cp932ToUnicode(0x8140), u'\u3000');
    EXPECT_EQ(UnicodeToCp932(u'\u3000'), 0x8140u);
    EXPECT_EQ(UnicodeToCp932(u'\uFF71'), 0xB1u);  // ｱ
    // NEC-selected IBM extensions map back to the IBM codes, as iconv does.
    EXPECT_EQ(UnicodeToCp932(Cp932ToUnicode(0xED40)), 0xFA5Cu);
}

TEST(Unicode, Utf8AndUtf16)
{
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("a表😀")), "a表😀");
    EXPECT_EQ(Utf8ToUtf16("\xFF"), u"\uFFFD");
}
