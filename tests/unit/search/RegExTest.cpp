// The regular-expression engine: syntax, messages, matching and its limits.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fakes/FakeUi.h"
#include "text/Unicode.h"
#include "search/RegEx.h"

namespace {

std::string S(const char* utf8) { return Utf8ToSjis(utf8); }

// Compiles in a private engine and reports matches and lengths; every box shown
// is kept in the fake UI.
class RegExFixture : public ::testing::Test {
protected:
    RegExProgram* Compile(const std::string& pattern, bool caseless = false)
    {
        return m_engine.Compile(pattern.c_str(), caseless);
    }
    // The match length, or -1 when the pattern does not compile or match.
    long Length(const std::string& pattern, const std::string& text, bool caseless = false)
    {
        RegExProgram* prog = Compile(pattern, caseless);
        m_strText = text;  // the groups point into it
        if (!prog || !CRegEx::Match(prog, m_strText.c_str(), &m_result))
            return -1;
        return CRegEx::MatchLength(prog);
    }
    std::string Group(int i) const { return std::string(m_result.apStart[i], m_result.apEnd[i]); }
    std::string OnlyBox() const { return m_ui.m_boxes.size() == 1 ? m_ui.m_boxes[0].text : "<boxes: " + std::to_string(m_ui.m_boxes.size()) + ">"; }

    CScopedFakeUi m_ui;
    CRegEx m_engine;
    RegExMatch m_result{};
    std::string m_strText;
};

using RegEx = RegExFixture;

TEST_F(RegEx, ClassesRangesAndRepetition)
{
    EXPECT_EQ(Length("[a-c]*x", "abcx"), 4);
    EXPECT_EQ(Length("[a-c]*x", "abcd"), -1);
    EXPECT_EQ(Length("ab+c", "abbbcd"), 5);
    EXPECT_EQ(Length("ab+c", "acd"), -1);
    EXPECT_EQ(Length("ab?c", "acd"), 2);
    EXPECT_EQ(Length("ab?c", "abbc"), -1);
    EXPECT_EQ(Length("[^0-9]", "5"), -1);
    EXPECT_EQ(Length("[^0-9]", "x"), 1);
    // Matching is anchored at the first byte.
    EXPECT_EQ(Length("b", "ab"), -1);
    // Without a quantifier "*" at the start, or doubled, is a plain character.
    EXPECT_EQ(Length("**", "***"), 3);
    EXPECT_EQ(Length("a**", "aa**"), 3);
    EXPECT_TRUE(m_ui.m_boxes.empty());
}

TEST_F(RegEx, DoubleByteCharactersAreOneUnit)
{
    // あ* repeats the whole character; "." takes one double-byte character.
    EXPECT_EQ(Length(S("あ*い"), S("あああい")), 8);
    EXPECT_EQ(Length(".", S("漢字")), 2);
    EXPECT_EQ(Length("..", S("漢字")), 4);
    EXPECT_EQ(Length(S("[ぁ-ん]+"), S("ひらがなカナ")), 8);
    EXPECT_EQ(Length(S("[^ぁ-ん]+"), S("カナひら")), 4);
    // 漢 is 0x8A 0xBF: a class of half-width katakana never takes its trail byte.
    EXPECT_EQ(Length("[\xA1-\xDF]", S("漢")), -1);
    // ソ (0x83 0x5C) ends in a backslash byte: still one literal character.
    EXPECT_EQ(Length(S("ソ+x"), S("ソソx")), 5);
    EXPECT_EQ(Length(S("[ソ]"), S("ソ")), 2);
}

TEST_F(RegEx, GreedyBacktrackingGivesBackWholeCharacters)
{
    EXPECT_EQ(Length("a*ab", "aaab"), 4);
    EXPECT_EQ(Length(".*b", "abcbd"), 4);
    EXPECT_EQ(Length(S(".*い"), S("あいう")), 4);
    // The trail bytes here have lead-byte values: 0x8888 0x889F then 0x88 0x9F.
    EXPECT_EQ(Length(".*\x88\x9F", "\x88\x88\x88\x9F"), 4);
    EXPECT_EQ(Length(".*\x88\x88", "\x88\x88\x88\x9F"), 2);
    // a? takes the a, then gives it back for the second a.
    EXPECT_EQ(Length("a?a", "a"), 1);
    // Backtracking reaches past elements at their minimum.
    EXPECT_EQ(Length("a*bc*c", "aabccd"), 5);
    EXPECT_EQ(Length("a*b*c", "aaab"), -1);
}

TEST_F(RegEx, RepetitionStopsAt32767)
{
    std::string many(40000, 'a');
    EXPECT_EQ(Length("a+", many), 32767);
    EXPECT_EQ(Length("a*", many), 32767);
    EXPECT_EQ(Length("a*a*", many), 40000);
}

TEST_F(RegEx, CaselessFoldsAsciiLettersOnly)
{
    EXPECT_EQ(Length("[A-Z]", "q", true), 1);
    EXPECT_EQ(Length("[A-Z]", "q", false), -1);
    EXPECT_EQ(Length("hello", "HeLLo", true), 5);
    EXPECT_EQ(Length("[^a-z]", "Q", true), -1);
    EXPECT_EQ(Length("[^a-z]", "Q", false), 1);
    // Full-width Ａ (0x8260) and ａ (0x8281) never fold.
    EXPECT_EQ(Length(S("Ａ"), S("ａ"), true), -1);
    // Nor do the ASCII-valued trail bytes of double-byte characters: ア is 0x83 0x41.
    EXPECT_EQ(Length("\x83\x61", S("ア"), true), -1);
    EXPECT_EQ(Length("[@-\\[]", "`", true), -1);  // @ and [ have no other case
}

TEST_F(RegEx, EndAnchor)
{
    EXPECT_EQ(Length("x$", "x"), 1);
    EXPECT_EQ(Length("x$", "xy"), -1);
    EXPECT_EQ(Length("$", ""), 0);
    EXPECT_EQ(Length("x*$", "xxx"), 3);
    EXPECT_EQ(Length("a$b", "ab"), -1);
    // Escaped, or in a class, "$" is a character.
    EXPECT_EQ(Length("\\$", "$"), 1);
    EXPECT_EQ(Length("[$]", "$"), 1);
    EXPECT_EQ(Length(".*$", S("全部")), 4);
}

TEST_F(RegEx, GroupsReportTheirText)
{
    EXPECT_EQ(Length("\\(ab\\)c", "abc"), 3);
    ASSERT_EQ(m_result.nGroups, 1);
    EXPECT_EQ(Group(0), "ab");

    EXPECT_EQ(Length("\\(a*\\)x\\(b*\\)c", S("aaxbbc")), 6);
    ASSERT_EQ(m_result.nGroups, 2);
    EXPECT_EQ(Group(0), "aa");
    EXPECT_EQ(Group(1), "bb");

    // "*" right after a marker is a literal.
    EXPECT_EQ(Length("\\(*a\\)b", "*ab"), 3);
    EXPECT_EQ(Group(0), "*a");
    // A group never closed is no group.
    EXPECT_EQ(Length("\\(ab", "ab"), 2);
    EXPECT_EQ(m_result.nGroups, 0);
    // That open group does not leak into the next compile.
    EXPECT_EQ(Length("\\(a\\)b", "ab"), 2);
    EXPECT_EQ(m_result.nGroups, 1);
    EXPECT_TRUE(m_ui.m_boxes.empty());
}

TEST_F(RegEx, SixteenGroupsAndNoMore)
{
    std::string sixteen;
    std::string text;
    for (int i = 0; i < 16; ++i) {
        // "\)\(" would make the "(" a literal: the groups need a character between.
        sixteen += "\\(" + std::string(1, char('a' + i)) + "\\),";
        text += char('a' + i);
        text += ',';
    }
    EXPECT_EQ(Length(sixteen + "$", text), 32);
    EXPECT_EQ(m_result.nGroups, 16);
    EXPECT_EQ(Group(15), "p");
    EXPECT_TRUE(m_ui.m_boxes.empty());

    EXPECT_EQ(Compile(sixteen + "\\(q\\)r"), nullptr);
    EXPECT_EQ(OnlyBox(), "too many parentheses");
}

TEST_F(RegEx, ErrorMessages)
{
    struct Case {
        const char* pattern;
        const char* message;
    } cases[] = {
        {"a\\)b", "\\) unexpectedly encountered\r\n"},
        {"\\(a\\(b\\)c\\)d", "\\( unexpectedly encountered"},
        {"\\(a\\)\\(b\\)c", "\\) unexpectedly encountered\r\n"},  // "\)\(" is ")" then a literal "("
        {"[]", "invalid empty brackets"},
        {"[^]", "invalid empty brackets"},
        {"[\\]]", "invalid empty brackets"},
        {"[abc", "corresponding ']' not found"},
        {"[", "corresponding ']' not found"},
        {"[a\\", "corresponding ']' not found"},
        {"[a-", "corresponding ']' not found"},
        {"[a-]", "corresponding ']' not found"},  // "]" ends the range, not the class
    };
    for (const Case& c : cases) {
        m_ui.Clear();
        EXPECT_EQ(Compile(c.pattern), nullptr) << c.pattern;
        EXPECT_EQ(OnlyBox(), c.message) << c.pattern;
    }
}

TEST_F(RegEx, PatternsEndingInAMarkerFailWithoutAMessage)
{
    for (const char* pattern : {"ab\\(", "\\(ab\\)", "ab\\"}) {
        EXPECT_EQ(Compile(pattern), nullptr) << pattern;
        EXPECT_TRUE(m_ui.m_boxes.empty()) << pattern;
    }
}

TEST_F(RegEx, ClassItems)
{
    // An escaped "]" still closes the class; the next "]" is a literal.
    EXPECT_EQ(Length("[a\\]]", "a]"), 2);
    // An escaped first character makes no range.
    EXPECT_EQ(Length("[\\a-c]", "-"), 1);
    EXPECT_EQ(Length("[\\a-c]", "b"), -1);
    // The time-zone sign class of the mail code.
    EXPECT_EQ(Length("[+\\-]?[0-9]?[0-9]00", "+0900"), 5);
    EXPECT_EQ(Length("[+\\-]?[0-9]?[0-9]00", "-500"), 4);
    EXPECT_EQ(Length("[+\\-]?[0-9]?[0-9]00", ",0900"), -1);
    EXPECT_EQ(Length("GMT[+\\-][0-9]?[0-9]00", "GMT+100"), 7);
    // Ranges compare codes, so a reversed range holds nothing.
    EXPECT_EQ(Length("[z-a]", "m"), -1);
    EXPECT_EQ(Length(S("[亜-腕]"), S("漢")), 2);
}

TEST_F(RegEx, MatchLengthLeavesOutAFinalAnchorOrFiller)
{
    EXPECT_EQ(Length("ab.?", "abc"), 2);
    EXPECT_EQ(Length("ab.?", "ab"), 2);
    EXPECT_EQ(Length("ab.", "abc"), 3);
    EXPECT_EQ(Length("ab$", "ab"), 2);
    EXPECT_EQ(Length("", "abc"), 0);
}

// Texts in exactly sized buffers, so a read past the terminator is caught under
// the address sanitizer.
std::unique_ptr<char[]> Exact(const std::string& s)
{
    std::unique_ptr<char[]> p(new char[s.size() + 1]);
    std::copy(s.begin(), s.end(), p.get());
    p[s.size()] = 0;
    return p;
}

TEST_F(RegEx, LeadByteBeforeTheEndIsASingleByte)
{
    // In the text: "." takes a lone lead byte as one unit and stops there.
    RegExProgram* any = Compile(".*");
    auto lone = Exact("a\x88");
    ASSERT_TRUE(CRegEx::Match(any, lone.get(), nullptr));
    EXPECT_EQ(CRegEx::MatchLength(any), 2);
    RegExProgram* pair = Compile(".$");
    auto one = Exact("\x88");
    EXPECT_TRUE(CRegEx::Match(pair, one.get(), nullptr));
    // In the pattern: a lone lead byte at the end is that byte, not a pair with
    // the terminator.
    auto pattern = Exact("a\x88");
    RegExProgram* prog = m_engine.Compile(pattern.get(), false);
    ASSERT_NE(prog, nullptr);
    EXPECT_TRUE(CRegEx::Match(prog, lone.get(), nullptr));
    EXPECT_FALSE(CRegEx::Match(prog, "a\x88\x9F", nullptr));
    auto cls = Exact("[\x88");
    EXPECT_EQ(m_engine.Compile(cls.get(), false), nullptr);
    EXPECT_EQ(OnlyBox(), "corresponding ']' not found");
    auto escaped = Exact("\\\x88");
    EXPECT_NE(m_engine.Compile(escaped.get(), false), nullptr);
}

TEST(RegExMem, BlocksRewindAndLimits)
{
    CScopedFakeUi ui;
    CRegExMem mem;
    EXPECT_EQ(mem.BlockCount(), 1u);
    void* first = mem.Alloc(100);
    ASSERT_NE(first, nullptr);
    // Filling the block moves on to a second one.
    while (mem.BlockCount() == 1)
        ASSERT_NE(mem.Alloc(1000), nullptr);
    EXPECT_EQ(mem.Alloc(CRegExMem::kBlockSize), nullptr);
    // Rewinding hands out the same blocks again.
    mem.Reset();
    EXPECT_EQ(mem.Alloc(100), first);
    EXPECT_EQ(mem.BlockCount(), 2u);
    EXPECT_TRUE(ui.m_boxes.empty());

    CRegExMem none(0);
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "memory allocation error in CRegExMem constructor");
    EXPECT_EQ(none.Alloc(8), nullptr);
}

TEST(RegExMem, CompileReportsWhichAllocationFailed)
{
    CScopedFakeUi ui;
    // One block: a long pattern runs out while allocating its elements.
    CRegEx elements(1);
    EXPECT_EQ(elements.Compile(std::string(4000, 'a').c_str(), false), nullptr);
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "not enough memory in alloc_ree");

    // A class of many items runs out while allocating its ranges.
    ui.Clear();
    CRegEx ranges(1);
    std::string cls = "[";
    for (int i = 0; i < 8000; ++i)
        cls += "a-z";
    EXPECT_EQ(ranges.Compile((cls + "]").c_str(), false), nullptr);
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "alloc_occ: not enough memory");

    // Once full, not even the program record fits; a rewind makes room again.
    ui.Clear();
    EXPECT_EQ(ranges.Compile("a", false), nullptr);
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "not enough memory for the regular expression");
    ranges.Rewind();
    EXPECT_NE(ranges.Compile("a", false), nullptr);
}

} // namespace
