// Shift-JIS <-> JIS / EUC-JP conversion and the comparisons.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "text/Codes.h"
#include "text/Sjis.h"

namespace {

std::string Jis(const std::string& sjis, bool allow = false, bool* ok = nullptr)
{
    std::vector<char> buf(JisBufferSize(sjis.size()));
    bool r = SjisToJis(buf.data(), sjis.c_str(), allow);
    if (ok)
        *ok = r;
    return buf.data();
}

std::string Euc(const std::string& sjis)
{
    std::vector<char> buf(EucBufferSize(sjis.size()));
    SjisToEuc(buf.data(), sjis.c_str());
    return buf.data();
}

struct Flags {
    bool sjis = false, jis = false, euc = false;
};

std::string Sjis(std::string line, Flags& f)
{
    line.push_back('\0');
    ToSjis(line.data(), f.sjis, f.jis, f.euc);
    return line.c_str();
}

} // namespace

TEST(Codes, CodeArithmeticRoundTripsEveryJisX0208Cell)
{
    int pairs = 0;
    for (unsigned row = 0x21; row <= 0x7E; ++row)
        for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
            unsigned sjis = JisToSjisCode((row << 8) | cell);
            ASSERT_TRUE(IsLeadByte(static_cast<unsigned char>(sjis >> 8)));
            ASSERT_TRUE(IsTrailByte(static_cast<unsigned char>(sjis & 0xFF)));
            ASSERT_EQ(SjisToJisCode(sjis), (row << 8) | cell);
            ++pairs;
        }
    EXPECT_EQ(pairs, 94 * 94);
    EXPECT_EQ(SjisToJisCode(0x8ABF), 0x3441u);  // 漢
    EXPECT_EQ(SjisToJisCode(0xF040), 0u);       // user-defined row
    EXPECT_EQ(SjisToJisCode(0x817F), 0u);       // 0x7F is no trail byte
    EXPECT_EQ(JisToSjisCode(0x2020), 0u);
    EXPECT_EQ(JisToSjisCode(0x0000), 0u);
}

TEST(Codes, SjisToJisEscapesRunsOfDoubleByteText)
{
    EXPECT_EQ(Jis("abc"), "abc");
    EXPECT_EQ(Jis("a\x8A\xBF" "b"), "a\x1B$B\x34\x41\x1B(Jb");
    EXPECT_EQ(Jis("\x8A\xBF\x8E\x9A"), "\x1B$B\x34\x41\x3B\x7A\x1B(J");  // 漢字 ends in one-byte mode
    bool ok = false;
    EXPECT_EQ(Jis("\xB1", true, &ok), "\x1B$B\x25\x22\x1B(J");  // ｱ as ア
    EXPECT_TRUE(ok);
    // Not allowed: failure, but what was written is closed and terminated.
    EXPECT_EQ(Jis("\x8A\xBF\xB1x", false, &ok), "\x1B$B\x34\x41\x1B(J");
    EXPECT_FALSE(ok);
}

TEST(Codes, CharactersWithoutACodeBecomeGetaMarks)
{
    // A vendor row has no JIS code: the JIS geta, never two NULs cutting the line.
    EXPECT_EQ(Jis("a\xF0\x40z"), "a\x1B$B\x22\x2E\x1B(Jz");
    // EUC writes 0x80 0x80, and our reader takes that back as the Shift-JIS geta.
    EXPECT_EQ(Euc("a\xF0\x40z"), "a\x80\x80z");
    Flags f;
    f.euc = true;
    EXPECT_EQ(Sjis("a\x80\x80z", f), "a\x81\xACz");
    // A JIS pair outside the 94x94 set inside ESC $ B.
    Flags g;
    EXPECT_EQ(Sjis("\x1B$B\x7F\x21\x34\x41\x1B(Bq", g), "\x81\xAC\x8A\xBFq");
}

TEST(Codes, LoneLeadBytesAreSingleBytesEverywhere)
{
    EXPECT_EQ(Jis("ab\x88"), "ab\x88");
    EXPECT_EQ(Jis("\x8A\xBF\x88"), "\x1B$B\x34\x41\x1B(J\x88");
    EXPECT_EQ(Jis("\x88 x"), "\x88 x");  // a lead byte before a space keeps the space
    EXPECT_EQ(Euc("ab\x88"), "ab\x88");
    EXPECT_EQ(Euc("\x88 x"), "\x88 x");
    // ESC $ B then one byte: the half pair is dropped, nothing read past the end.
    Flags f;
    EXPECT_EQ(Sjis("x\x1B$B\x34", f), "x");
    EXPECT_TRUE(f.jis);
}

TEST(Codes, SjisToEucHalfWidthKatakanaAndKanji)
{
    EXPECT_EQ(Euc("\xB1"), "\x8E\xB1");
    EXPECT_EQ(Euc("\x8A\xBF"), "\xB4\xC1");
    EXPECT_EQ(Euc("tab\tok"), "tab\tok");
}

TEST(Codes, WorstCaseBuffersAreEnough)
{
    // Exact-size heap buffers: the sanitizers catch a byte too many.
    std::string kana;
    for (int i = 0; i < 300; ++i)
        kana += i % 2 ? "\xB1" : "a";
    std::vector<char> jis(JisBufferSize(kana.size()));
    ASSERT_TRUE(SjisToJis(jis.data(), kana.c_str(), true));
    EXPECT_EQ(std::string(jis.data()).size(), 150u * 9);  // ESC $ B, the pair, ESC ( J, a
    std::string allKana(400, '\xB1');
    std::vector<char> euc(EucBufferSize(allKana.size()));
    SjisToEuc(euc.data(), allKana.c_str());
    EXPECT_EQ(std::string(euc.data()).size(), 800u);
}

TEST(Codes, ToSjisDetectsTheFileCode)
{
    Flags f;
    EXPECT_EQ(Sjis("\xB4\xC1", f), "\x8A\xBF");  // EUC 漢
    EXPECT_TRUE(f.euc);
    EXPECT_EQ(Sjis("\x8E\xB1x", f), "\xB1x");  // EUC half-width katakana
    Flags s;
    EXPECT_EQ(Sjis("\x8A\xBF", s), "\x8A\xBF");
    EXPECT_TRUE(s.sjis);
    EXPECT_FALSE(s.euc);
    // Once Shift-JIS, a later EUC-looking pair is left alone.
    EXPECT_EQ(Sjis("\xB4\xC1", s), "\xB4\xC1");
    EXPECT_FALSE(s.euc);

    Flags j;
    EXPECT_EQ(Sjis("\x1B$B\x34\x41\x1B(B", j), "\x8A\xBF");
    EXPECT_TRUE(j.jis);
    Flags sub;
    EXPECT_EQ(Sjis("\x1A$B\x34\x41\x1A(Jz", sub), "\x8A\xBFz");  // SUB works as ESC
    EXPECT_TRUE(sub.jis);
    // Every line starts in one-byte mode; ESC ( B outside JIS X 0208 stays.
    EXPECT_EQ(Sjis("\x34\x41\x1B(B", sub), "\x34\x41\x1B(B");
}

TEST(Codes, CompareTailAndStringPointers)
{
    EXPECT_EQ(CompareTail("[open(x)]", ")]", 2), 0);
    EXPECT_EQ(CompareTail("abc", "xbc", 2), 0);
    EXPECT_NE(CompareTail("abc", "xbc", 3), 0);
    EXPECT_EQ(CompareTail("a", "b", 0), 0);
    EXPECT_EQ(CompareTail("abc", "bc", 3), 1);   // b ran out: indices 0 and -1
    EXPECT_EQ(CompareTail("ab", "ab", 5), 0);    // both ran out together
    EXPECT_LT(CompareTail("\x81", "\x01", 1), 0);  // signed chars
    const char* v[] = {"b", "a\x81", "a"};
    std::qsort(v, 3, sizeof v[0], CompareStringPtrs);
    EXPECT_STREQ(v[0], "a");
    EXPECT_STREQ(v[1], "a\x81");
    EXPECT_STREQ(v[2], "b");
}

// Long runs of kanji and kana go through the wide paths; each must give what a
// character-at-a-time reading gives, at every alignment and where runs end in
// one-byte text, half-width katakana or bytes of no character.
TEST(Codes, LongRunsConvertLikeCharacterByCharacter)
{
    auto put = [](std::string& s, unsigned code) {
        s.push_back(static_cast<char>(code >> 8));
        s.push_back(static_cast<char>(code & 0xFF));
    };
    auto sjisOf = [](unsigned row, unsigned cell) {
        unsigned code = JisToSjisCode(((row & 0x7F) << 8) | (cell & 0x7F));
        return code ? code : 0x81ACu;  // the geta mark
    };
    // Every cell of JIS X 0208 in one long run, shifted by 0 to 15 one-byte characters.
    std::string eucRun, jisRun, expectRun;
    for (unsigned row = 0x21; row <= 0x7E; ++row)
        for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
            put(eucRun, ((row | 0x80) << 8) | (cell | 0x80));
            put(jisRun, (row << 8) | cell);
            put(expectRun, sjisOf(row, cell));
        }
    for (size_t shift = 0; shift < 16; ++shift) {
        std::string prefix(shift, 'a');
        Flags euc;
        euc.euc = true;
        ASSERT_EQ(Sjis(prefix + eucRun + "z", euc), prefix + expectRun + "z") << shift;
        Flags jis;
        ASSERT_EQ(Sjis(prefix + "\x1B$B" + jisRun + "\x1B(Bz", jis), prefix + expectRun + "z") << shift;
    }

    // Mixed EUC lines from a fixed seed against a reading of one character at a time.
    std::srand(20261207);
    for (int line = 0; line < 2000; ++line) {
        std::string in, expect;
        while (in.size() < 200) {
            int kind = std::rand() % 8;
            int count = 1 + std::rand() % 24;
            for (int k = 0; k < count; ++k) {
                if (kind <= 4) {  // kanji and kana, any cell
                    unsigned row = 0xA1 + std::rand() % 94, cell = 0xA1 + std::rand() % 94;
                    put(in, (row << 8) | cell);
                    put(expect, sjisOf(row, cell));
                } else if (kind == 5) {
                    char c = static_cast<char>('A' + std::rand() % 26);
                    in.push_back(c);
                    expect.push_back(c);
                } else if (kind == 6) {  // half-width katakana
                    unsigned kana = 0xA1 + std::rand() % 63;
                    put(in, 0x8E00 | kana);
                    expect.push_back(static_cast<char>(kana));
                } else {  // pairs outside the character rows give the geta mark
                    unsigned row = std::rand() % 2 ? 0xFF : 0xA0, cell = 0xA1 + std::rand() % 94;
                    put(in, (row << 8) | cell);
                    put(expect, 0x81AC);
                }
            }
        }
        Flags f;
        f.euc = true;
        ASSERT_EQ(Sjis(in, f), expect) << "line " << line;
    }
}

TEST(Codes, EucSupplementaryCharactersAreThreeBytesAtEveryAlignment)
{
    // Inside runs of kanji that the converter takes eight bytes at a time, the
    // three bytes must still come out as one geta mark, wherever they fall.
    const std::string kanji = "\xB4\xC1";
    for (int lead = 0; lead < 8; ++lead)
        for (int before = 1; before < 5; ++before) {
            std::string euc(static_cast<size_t>(lead), 'a'), sjis(static_cast<size_t>(lead), 'a');
            for (int k = 0; k < before; ++k) {
                euc += kanji;
                sjis += "\x8A\xBF";
            }
            euc += "\x8F\xA2\xF1" + kanji + kanji + kanji + kanji + "z";
            sjis += "\x81\xAC\x8A\xBF\x8A\xBF\x8A\xBF\x8A\xBF" "z";
            Flags f;
            f.euc = true;
            size_t count = 0;
            std::string line = euc;
            line.resize(ToSjisN(line.data(), line.size(), f.sjis, f.jis, f.euc, &count));
            EXPECT_EQ(line, sjis) << lead << " " << before;
            EXPECT_EQ(count, 1u);
        }
    // Not followed by two bytes of the set, 0x8F is read as before: a pair.
    Flags f;
    f.euc = true;
    EXPECT_EQ(Sjis("\x8F\xB0", f), "\x81\xAC");
    EXPECT_EQ(Sjis("\x8F\xB0" "a", f), "\x81\xAC" "a");
}

TEST(Codes, JisSupplementaryPairsAreOneGetaEachAndDesignationsSwitchWithoutLeaving)
{
    // ESC $ ( D brings in JIS X 0212 (no Shift-JIS codes): each pair is one
    // geta mark, counted; a designation straight after another switches sets.
    std::string line = "a\x1B$B\x34\x41\x1B$(D\x22\x71\x22\x71\x1B$(B\x34\x41\x1B$B\x34\x41\x1B(Bz";
    Flags f;
    size_t count = 0;
    line.resize(ToSjisN(line.data(), line.size(), f.sjis, f.jis, f.euc, &count));
    EXPECT_EQ(line, "a\x8A\xBF\x81\xAC\x81\xAC\x8A\xBF\x8A\xBFz");
    EXPECT_EQ(count, 2u);
    EXPECT_TRUE(f.jis);
}
