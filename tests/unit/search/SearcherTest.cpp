// The searcher: parsing search and replace commands, the users' pattern syntax,
// finding in lines and through texts, the last match and replacing.
#include <gtest/gtest.h>

#include "fakes/FakeUi.h"
#include "text/Unicode.h"
#include "unit/search/LinesText.h"
#include "search/Searcher.h"
#include "search/UserPattern.h"

namespace {

std::string S(const char* utf8) { return Utf8ToSjis(utf8); }

class SearcherFixture : public ::testing::Test {
protected:
    // The first hit in a one-line text from column 0, as "column:length", or "none".
    std::string Find(const std::string& line, long start = 0, bool forward = true)
    {
        SearchHit hit;
        if (!m_searcher.FindInLine(0, line.c_str(), start, forward, &hit))
            return "none";
        return std::to_string(hit.nColumn) + ":" + std::to_string(hit.nLength);
    }
    std::string Boxes() const
    {
        std::string all;
        for (const auto& box : m_ui.m_boxes)
            all += (all.empty() ? "" : "|") + box.text;
        return all;
    }

    CScopedFakeUi m_ui;
    CRegEx m_engine;
    CSearcher m_searcher{m_engine};
};

using SearcherTest = SearcherFixture;

TEST_F(SearcherTest, SearchCommandForms)
{
    struct Case {
        const char* command;
        bool regex;
        bool caseless;
        const char* pattern;
    } cases[] = {
        {"taxi", false, false, "taxi"},        // a final "i" of a plain text is the text's own
        {"m#a/b#i", true, true, "a/b"},
        {"m#a/b#", true, false, "a/b"},
        {"  /ab/  ", true, false, "ab"},
        {"/a/i", true, true, "a"},
        {"//i", false, false, "//i"},          // too short for the option
        {"//", false, false, "//"},
        {"m#ai", false, false, "m#ai"},
        {"m1a1", false, false, "m1a1"},        // a digit is no delimiter
        {"  word  ", false, false, "word  "},  // leading blanks go, trailing stay
        {"/x/", true, false, "x"},
        {"mxax", false, false, "mxax"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(m_searcher.SetSearch(c.command, true)) << c.command;
        EXPECT_EQ(m_searcher.IsRegEx(), c.regex) << c.command;
        EXPECT_EQ(m_searcher.IsCaseless(), c.caseless) << c.command;
        EXPECT_EQ(m_searcher.Pattern(), c.pattern) << c.command;
    }
    // Not from the command line: the text as it is.
    ASSERT_TRUE(m_searcher.SetSearch(" /x/i ", false));
    EXPECT_FALSE(m_searcher.IsRegEx());
    EXPECT_EQ(m_searcher.Pattern(), " /x/i ");
    EXPECT_TRUE(m_ui.m_boxes.empty());
}

TEST_F(SearcherTest, FormsAreReadByCharacters)
{
    // 表 is 0x95 0x5C and 忍 ends in 0x69 ("i"): neither trail byte is a delimiter
    // or the caseless option.
    std::string text = "/" + S("表") + "/";
    ASSERT_TRUE(m_searcher.SetSearch(text.c_str(), true));
    EXPECT_TRUE(m_searcher.IsRegEx());
    text = "m\\a" + S("表");
    ASSERT_TRUE(m_searcher.SetSearch(text.c_str(), true));
    EXPECT_FALSE(m_searcher.IsRegEx());
    text = "/ab/" + S("忍");
    ASSERT_TRUE(m_searcher.SetSearch(text.c_str(), true));
    EXPECT_FALSE(m_searcher.IsRegEx());
    EXPECT_EQ(m_searcher.Pattern(), text);
}

TEST_F(SearcherTest, OnlySpacesAreTrimmedAroundACommand)
{
    // A tab is text to find; a plain search keeps its trailing blanks.
    ASSERT_TRUE(m_searcher.SetSearch(" \tabc\t ", true));
    EXPECT_EQ(m_searcher.Pattern(), "\tabc\t ");
    ASSERT_TRUE(m_searcher.SetSearch("\t/x/", true));
    EXPECT_FALSE(m_searcher.IsRegEx());
    ASSERT_TRUE(m_searcher.SetReplace(" /a/\tb/ "));
    EXPECT_EQ(m_searcher.ReplaceWith(), "\tb");
    EXPECT_FALSE(m_searcher.SetReplace("\t/a/b/"));
}

TEST_F(SearcherTest, EmptySearchIsRefused)
{
    EXPECT_FALSE(m_searcher.SetSearch("", false));
    EXPECT_FALSE(m_searcher.SetSearch("   ", true));
    EXPECT_FALSE(m_searcher.CanSearch());
    EXPECT_EQ(m_ui.m_nBeeps, 2);
    ASSERT_EQ(m_ui.m_status.size(), 2u);
    EXPECT_EQ(m_ui.m_status[0], "探すべき文字列が指定されていません");
}

TEST_F(SearcherTest, LimitsAreInformationBoxes)
{
    std::string ok(1023, 'a');
    std::string tooLong(1024, 'a');
    EXPECT_TRUE(m_searcher.SetSearch(ok.c_str(), false));
    EXPECT_TRUE(m_searcher.SetSearch(("/" + ok + "/").c_str(), true));
    EXPECT_TRUE(m_ui.m_boxes.empty());

    EXPECT_FALSE(m_searcher.SetSearch(tooLong.c_str(), false));
    EXPECT_FALSE(m_searcher.SetSearch(("/" + tooLong + "/").c_str(), true));
    EXPECT_FALSE(m_searcher.SetReplace(("/" + tooLong + "/b/").c_str()));
    EXPECT_FALSE(m_searcher.SetReplace(("s/a/" + tooLong + "/").c_str()));
    EXPECT_FALSE(m_searcher.SetReplace(("s/" + tooLong + "/b/").c_str()));
    EXPECT_TRUE(m_searcher.SetReplace(("s/" + ok + "/" + ok + "/").c_str()));
    EXPECT_EQ(Boxes(), "Search string too long|Regular expression too long|Search string too long|"
                       "Replace string too long|Regular expression too long");
    for (const auto& box : m_ui.m_boxes)
        EXPECT_EQ(box.kind, EMessageBox::Information);
}

TEST_F(SearcherTest, ReplaceCommandForms)
{
    struct Case {
        const char* command;
        bool regex;
        bool caseless;
        const char* pattern;
        const char* replacement;
    } cases[] = {
        {"s/(a+)b/[$1]/", true, false, "(a+)b", "[$1]"},
        {"s/a/b/i", true, true, "a", "b"},
        {"/cat/dog/", false, false, "cat", "dog"},
        {"#cat#dog#", false, false, "cat", "dog"},
        {"xcatxdogx", false, false, "cat", "dog"},
        {"/a/b/i", false, true, "a", "b"},
        {"s/a//", true, false, "a", ""},
        {"  s|a|b|  ", true, false, "a", "b"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(m_searcher.SetReplace(c.command)) << c.command;
        EXPECT_TRUE(m_searcher.IsReplace());
        EXPECT_EQ(m_searcher.IsRegEx(), c.regex) << c.command;
        EXPECT_EQ(m_searcher.IsCaseless(), c.caseless) << c.command;
        EXPECT_EQ(m_searcher.Pattern(), c.pattern) << c.command;
        EXPECT_EQ(m_searcher.ReplaceWith(), c.replacement) << c.command;
    }
    EXPECT_TRUE(m_ui.m_boxes.empty());
    for (const char* bad : {"s/a/b", "/a/b", "s/a/b/c/", "/a/b/c/", "s//", "abc", "/ab/"}) {
        m_ui.Clear();
        EXPECT_FALSE(m_searcher.SetReplace(bad)) << bad;
        EXPECT_EQ(Boxes(), "Replace command syntax error") << bad;
        EXPECT_FALSE(m_searcher.CanSearch());
    }
}

TEST_F(SearcherTest, ReplaceDelimitersAreReadByCharacters)
{
    // With "\" as the delimiter, the 0x5C inside 表 is not one.
    std::string command = "\\" + S("表") + "\\x\\";
    ASSERT_TRUE(m_searcher.SetReplace(command.c_str()));
    EXPECT_EQ(m_searcher.Pattern(), S("表"));
    EXPECT_EQ(m_searcher.ReplaceWith(), "x");
    command = "s@" + S("ー") + "@-@";  // ー is 0x81 0x5B; "[" is not "@" but tests the scan
    ASSERT_TRUE(m_searcher.SetReplace(command.c_str()));
    EXPECT_EQ(m_searcher.Pattern(), S("ー"));
}

TEST(UserPattern, Conversion)
{
    struct Case {
        const char* user;
        const char* engine;
        bool anchored;
    } cases[] = {
        {"^abc", "abc", true},
        {"a^b", "a^b", false},
        {"(ab)c", "\\(ab\\)c", false},
        {"(ab)", "\\(ab\\).?", false},           // a group may not end the pattern
        {"a)", "a\\).?", false},
        {"\\(ab\\)", "(ab)", false},             // escaped parentheses are characters
        {"\\.\\*", "\\.\\*", false},
        {"\\\\(a)", "\\\\\\(a\\).?", false},
        {"^", "", true},
    };
    for (const Case& c : cases) {
        UserPattern p = ConvertUserPattern(c.user);
        EXPECT_EQ(p.strEngine, c.engine) << c.user;
        EXPECT_EQ(p.bAnchored, c.anchored) << c.user;
    }
    // ソ (0x83 0x5C) and a trail byte "(" never become markers: characters are
    // copied whole.
    std::string so = Utf8ToSjis("ソ(");
    EXPECT_EQ(ConvertUserPattern(so).strEngine, Utf8ToSjis("ソ") + "\\(");
    EXPECT_TRUE(ConvertUserPattern("ab(").bIncomplete);
    EXPECT_TRUE(ConvertUserPattern("ab\\").bIncomplete);
    EXPECT_FALSE(ConvertUserPattern("(ab)").bIncomplete);
    // The worst case doubles the text and adds the filler, whatever its length.
    std::string worst(1023, ')');
    EXPECT_EQ(ConvertUserPattern(worst).strEngine.size(), 2048u);
}

TEST(UserPattern, ReplacementExpansion)
{
    std::vector<std::string> groups = {"aa", Utf8ToSjis("漢")};
    EXPECT_EQ(ExpandReplacement("[$1]", groups), "[aa]");
    EXPECT_EQ(ExpandReplacement("$2$1", groups), Utf8ToSjis("漢") + "aa");
    EXPECT_EQ(ExpandReplacement("$3|$0|$12345678901234567890|", groups), "|||");
    EXPECT_EQ(ExpandReplacement("$$x$", groups), "$$x$");
    EXPECT_EQ(ExpandReplacement("$1$", {}), "$");
    // A "$" that is the trail byte of a double-byte character stays in it
    // (0x81 0x90 is ＄; 0x24 is not a trail byte, so test with 表 0x95 0x5C).
    EXPECT_EQ(ExpandReplacement(Utf8ToSjis("表$1"), groups), Utf8ToSjis("表") + "aa");
    // "$1" repeated far past any fixed buffer.
    std::string many;
    for (int i = 0; i < 340; ++i)
        many += "$1";
    std::vector<std::string> big = {std::string(1000, 'x')};
    EXPECT_EQ(ExpandReplacement(many, big).size(), 340000u);
}

TEST_F(SearcherTest, RegularExpressionSearchInALine)
{
    ASSERT_TRUE(m_searcher.SetSearch("/(a+)b/", true));
    EXPECT_EQ(Find("xaab"), "1:3");  // the filler after the group is not counted
    EXPECT_EQ(m_searcher.Replacement(), "");
    ASSERT_TRUE(m_searcher.SetReplace("s/(a+)b/[$1]/"));
    EXPECT_EQ(Find("aab"), "0:3");
    EXPECT_EQ(m_searcher.Replacement(), "[aa]");

    // Tried only at character boundaries: the A inside ア (0x83 0x41) is no match.
    ASSERT_TRUE(m_searcher.SetSearch("/A/", true));
    EXPECT_EQ(Find(S("アA")), "2:1");
    EXPECT_EQ(Find(S("アA"), 2, false), "2:1");
    EXPECT_EQ(Find(S("AアA"), 2, false), "0:1");
    ASSERT_TRUE(m_searcher.SetSearch("/abc/i", true));
    EXPECT_EQ(Find("xxABC"), "2:3");
    EXPECT_EQ(Find("xxABC", 3), "none");
    // The end of the line is a place too.
    ASSERT_TRUE(m_searcher.SetSearch("/$/", true));
    EXPECT_EQ(Find("abc"), "3:0");
    EXPECT_EQ(Find("abc", 3, false), "3:0");
    ASSERT_TRUE(m_searcher.SetSearch("/x*/", true));
    EXPECT_EQ(Find("abc", 1), "1:0");
}

TEST_F(SearcherTest, AnchoredOnlyAtTheStartOfTheLine)
{
    ASSERT_TRUE(m_searcher.SetSearch("/^ab/", true));
    EXPECT_TRUE(m_searcher.IsAnchored());
    EXPECT_EQ(Find("abab"), "0:2");
    EXPECT_EQ(Find("abab", 1), "none");
    EXPECT_EQ(Find("xab"), "none");
    EXPECT_EQ(Find("abab", 3, false), "0:2");
    EXPECT_EQ(Find("abab", -1, false), "none");
}

TEST_F(SearcherTest, PlainSearchIsDoubleByteAware)
{
    ASSERT_TRUE(m_searcher.SetSearch("A", false));
    EXPECT_EQ(Find(S("アA")), "2:1");
    EXPECT_EQ(Find(S("アア")), "none");
    EXPECT_EQ(Find(S("AアA"), 2, false), "0:1");
    EXPECT_EQ(Find(S("AアA"), 3, false), "3:1");
    // A lone lead byte never matches the first half of a character.
    ASSERT_TRUE(m_searcher.SetSearch("\x83", false));
    EXPECT_EQ(Find(S("ア")), "none");
    EXPECT_EQ(Find("a\x83"), "1:1");
    // Case matters in plain searches, even for a text ending in "i".
    ASSERT_TRUE(m_searcher.SetSearch("taxi", true));
    EXPECT_EQ(Find("TAXI taxi"), "5:4");
    // 漢 (0x8A 0xBF): searching its second byte finds nothing.
    ASSERT_TRUE(m_searcher.SetSearch("\xBF", false));
    EXPECT_EQ(Find(S("漢漢")), "none");
    EXPECT_EQ(Find(S("漢漢"), 4, false), "none");
}

TEST_F(SearcherTest, CaselessPlainReplace)
{
    ASSERT_TRUE(m_searcher.SetReplace("/cat/dog/i"));
    EXPECT_EQ(Find("a CaT"), "2:3");
    EXPECT_EQ(Find("a CaT cat", 8, false), "6:3");
    // Never folded: trail bytes (ア is 0x83 0x41; 0x83 0x61 is ャ).
    ASSERT_TRUE(m_searcher.SetReplace(("/" + S("ャ") + "/x/i").c_str()));
    EXPECT_EQ(Find(S("ア")), "none");
}

TEST_F(SearcherTest, BadPatternsLeaveNothingToSearchWith)
{
    EXPECT_FALSE(m_searcher.SetSearch("/(a)(b)/", true));
    EXPECT_EQ(Boxes(), "\\) unexpectedly encountered\r\n");
    EXPECT_FALSE(m_searcher.CanSearch());
    EXPECT_EQ(Find("ab"), "none");
    m_ui.Clear();
    EXPECT_FALSE(m_searcher.SetSearch("/ab(/", true));
    EXPECT_EQ(Boxes(), "unexpected end of regular expression");
    m_ui.Clear();
    EXPECT_FALSE(m_searcher.SetSearch("/[ab/", true));
    EXPECT_EQ(Boxes(), "corresponding ']' not found");
}

TEST_F(SearcherTest, ThroughTheLinesOfAText)
{
    CLinesText text({"abc abc", S("漢abc"), "", "xyz"});
    ASSERT_TRUE(m_searcher.SetSearch("abc", false));
    SearchHit hit;
    ASSERT_TRUE(m_searcher.FindForward(text, 0, 0, false, &hit));
    EXPECT_EQ(hit.nLine, 0);
    EXPECT_EQ(hit.nColumn, 0);
    // Skipping the caret's own position finds the next one.
    ASSERT_TRUE(m_searcher.FindForward(text, 0, 0, true, &hit));
    EXPECT_EQ(hit.nColumn, 4);
    ASSERT_TRUE(m_searcher.FindForward(text, 0, 4, true, &hit));
    EXPECT_EQ(hit.nLine, 1);
    EXPECT_EQ(hit.nColumn, 2);
    EXPECT_FALSE(m_searcher.FindForward(text, 1, 2, true, &hit));
    // A caret past the end of its line continues on the next line.
    ASSERT_TRUE(m_searcher.FindForward(text, 0, 20, false, &hit));
    EXPECT_EQ(hit.nLine, 1);

    // Backward: one character before the caret (two over 漢), then lines above.
    ASSERT_TRUE(m_searcher.FindBackward(text, 1, 2, &hit));
    EXPECT_EQ(hit.nLine, 0);
    EXPECT_EQ(hit.nColumn, 4);
    ASSERT_TRUE(m_searcher.FindBackward(text, 0, 4, &hit));
    EXPECT_EQ(hit.nColumn, 0);
    EXPECT_FALSE(m_searcher.FindBackward(text, 0, 0, &hit));
    ASSERT_TRUE(m_searcher.FindBackward(text, 3, 2, &hit));
    EXPECT_EQ(hit.nLine, 1);
    ASSERT_TRUE(m_searcher.FindBackward(text, 0, 30, &hit));
    EXPECT_EQ(hit.nColumn, 4);
    // Below the last line: from the end of the text.
    ASSERT_TRUE(m_searcher.FindBackward(text, 9, 0, &hit));
    EXPECT_EQ(hit.nLine, 1);
}

TEST_F(SearcherTest, TheLastMatchIsAPlaceWithCopiesOfItsGroups)
{
    CLinesText text({"first", "xx key=value"});
    ASSERT_TRUE(m_searcher.SetReplace("s/(k.y)=(v[a-z]*)/$2=$1/"));
    EXPECT_FALSE(m_searcher.HasLastMatch());
    SearchHit hit;
    ASSERT_TRUE(m_searcher.FindForward(text, 0, 0, false, &hit));
    EXPECT_TRUE(m_searcher.IsLastMatchAt(1, 3));
    EXPECT_EQ(m_searcher.LastMatch().nLength, 9);
    // The line changes (or is written back and freed): the replacement still
    // comes from the match as it was.
    text.m_lines[1] = std::string(100, '#');
    text.m_lines[1].shrink_to_fit();
    EXPECT_EQ(m_searcher.Replacement(), "value=key");
    m_searcher.ForgetLastMatch();
    EXPECT_FALSE(m_searcher.HasLastMatch());
    EXPECT_EQ(m_searcher.Replacement(), "=");
}

TEST_F(SearcherTest, ReplaceOnlyAtTheLastMatchAndOnce)
{
    CLinesText text({"a cat and a cat"});
    ASSERT_TRUE(m_searcher.SetReplace("/cat/dog/"));
    SearchHit hit;
    ASSERT_TRUE(m_searcher.FindForward(text, 0, 0, false, &hit));
    EXPECT_FALSE(m_searcher.ReplaceLastMatch(text, 0, 3));
    ASSERT_TRUE(m_searcher.ReplaceLastMatch(text, 0, 2));
    EXPECT_EQ(text.m_lines[0], "a dog and a cat");
    // Pressed again, there is no match at the caret any more.
    EXPECT_FALSE(m_searcher.ReplaceLastMatch(text, 0, 2));
    EXPECT_EQ(text.m_nReplaced, 1);
}

struct ReplaceAllCase {
    const char* command;
    const char* before;
    const char* after;
};

TEST_F(SearcherTest, ReplaceAllEndsEvenOnEmptyMatches)
{
    ReplaceAllCase cases[] = {
        {"s/x*//", "abc", "abc"},
        {"s/x*/y/", "abc", "yaybyc"},
        {"s/x//", "xxx", ""},
        {"s/x*/-/", "axxb", "-a--b"},
        {"s/^/> /", "abc", "> abc"},
        {"s/$/;/", "abc", "abc;"},
        {"s/a/aa/", "aba", "aabaa"},
        {"s/(a+)b/[$1]/", "aab ab", "[aa] [a]"},
        {"/cat/dog/", "cat concat", "dog condog"},
        {"s/[ア-ン]+/K/", "xアイウyエ", "xKyK"},
    };
    for (const ReplaceAllCase& c : cases) {
        CLinesText text({S(c.before), S(c.before)});
        ASSERT_TRUE(m_searcher.SetReplace(c.command)) << c.command;
        m_searcher.ReplaceAll(text, 0, 0);
        EXPECT_EQ(text.m_lines[0], S(c.after)) << c.command;
        EXPECT_EQ(text.m_lines[1], S(c.after)) << c.command;
        EXPECT_FALSE(m_searcher.HasLastMatch());
    }
    EXPECT_TRUE(m_ui.m_boxes.empty());
}

TEST_F(SearcherTest, ReplaceAllStartsAtTheCaretAndMayFindNothing)
{
    CLinesText text({"a a", "a"});
    ASSERT_TRUE(m_searcher.SetReplace("/a/b/"));
    EXPECT_EQ(m_searcher.ReplaceAll(text, 0, 1), 2);
    EXPECT_EQ(text.m_lines[0], "a b");
    EXPECT_EQ(text.m_lines[1], "b");
    ASSERT_TRUE(m_searcher.SetReplace("/q/b/"));
    EXPECT_EQ(m_searcher.ReplaceAll(text, 0, 0), 0);
    EXPECT_EQ(text.m_nReplaced, 2);
    // A refused edit ends the walk.
    ASSERT_TRUE(m_searcher.SetReplace("/b/c/"));
    text.m_bRefuse = true;
    EXPECT_EQ(m_searcher.ReplaceAll(text, 0, 0), 0);
}

TEST(SearcherWalk, NextColumnAfterReplace)
{
    // After a non-empty match: just past the replacement.
    EXPECT_EQ(CSearcher::NextColumnAfterReplace("abXYZd", {0, 2, 1}, 3), 5);
    // After an empty one: one character further, a double-byte character whole.
    std::string line = "y" + Utf8ToSjis("漢") + "c";
    EXPECT_EQ(CSearcher::NextColumnAfterReplace(line.c_str(), {0, 0, 0}, 1), 3);
    EXPECT_EQ(CSearcher::NextColumnAfterReplace("ab", {0, 2, 0}, 0), 3);  // past the end: next line
    EXPECT_EQ(CSearcher::NextColumnAfterReplace("ab", {0, 1, 0}, 0), 2);
}

TEST_F(SearcherTest, ReplacementsNeverMakeALineTooLong)
{
    // 340 copies of a 200-byte group: 68000 bytes.
    std::string many;
    for (int i = 0; i < 340; ++i)
        many += "$1";
    std::string line = "<" + std::string(200, 'g') + ">" + std::string(100, 'x');
    CLinesText text({line});
    ASSERT_TRUE(m_searcher.SetReplace(("s/<(g*)>/" + many + "/").c_str()));
    EXPECT_EQ(m_searcher.ReplaceAll(text, 0, 0), 0);
    EXPECT_EQ(Boxes(), "行が長すぎます");
    EXPECT_EQ(text.m_lines[0], line);

    m_ui.Clear();
    SearchHit hit;
    ASSERT_TRUE(m_searcher.FindForward(text, 0, 0, false, &hit));
    EXPECT_FALSE(m_searcher.ReplaceLastMatch(text, 0, 0));
    EXPECT_EQ(Boxes(), "行が長すぎます");
    EXPECT_EQ(text.m_nReplaced, 0);

    // Up to exactly the longest line is fine.
    CLinesText full({std::string(kMaxLineBytes - 1, 'a')});
    ASSERT_TRUE(m_searcher.SetReplace("s/$/b/"));
    EXPECT_EQ(m_searcher.ReplaceAll(full, 0, 0), 1);
    EXPECT_EQ(full.m_lines[0].size(), static_cast<size_t>(kMaxLineBytes));
    ASSERT_TRUE(m_searcher.SetReplace("s/b/cc/"));
    EXPECT_EQ(m_searcher.ReplaceAll(full, 0, 0), 0);
}

TEST(SearcherApplication, OneSearcherRecreatedByEachCommand)
{
    CScopedFakeUi ui;
    CSearcher& first = NewSearcher();
    EXPECT_EQ(::Searcher(), &first);
    ASSERT_TRUE(first.SetSearch("/a(b)/", true));
    SetHankakuKanaMode(true);
    CSearcher& second = NewSearcher();
    EXPECT_EQ(::Searcher(), &second);
    EXPECT_FALSE(second.CanSearch());
    EXPECT_FALSE(HankakuKanaMode());
    // The search engine's arena is rewound with the old searcher: a thousand
    // searches take no more room than one.
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(NewSearcher().SetSearch(("/" + std::string(1000, 'a') + "/").c_str(), true));
    EXPECT_EQ(SearchRegEx().ArenaBlocks(), 2u);
    SearchHit hit;
    EXPECT_TRUE(::Searcher()->FindInLine(0, std::string(1000, 'a').c_str(), 0, true, &hit));
}

} // namespace
