// Splitting, joining and argument substitution.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeUi.h"
#include "services/StringUtils.h"

using V = std::vector<std::string>;

TEST(StringUtils, SplitStringSkipsRunsOfSeparators)
{
    CScopedFakeUi ui;
    V t;
    EXPECT_EQ(SplitString(t, ";;a;;b;", ";"), 2);
    EXPECT_EQ(t, V({"a", "b"}));
    EXPECT_EQ(SplitString(t, " x\ty  z ", " \t"), 3);
    EXPECT_EQ(SplitString(t, ";;;", ";"), 0);
    EXPECT_TRUE(t.empty());

    char buf[] = "Software\\Brellix\\\\tova";
    char* ptrs[4];
    EXPECT_EQ(SplitString(ptrs, 4, buf, "\\"), 3);
    EXPECT_STREQ(ptrs[0], "Software");
    EXPECT_STREQ(ptrs[2], "tova");
    char buf2[] = "a b c";
    EXPECT_EQ(SplitString(ptrs, 2, buf2, " "), -1);
    EXPECT_EQ(ui.m_boxes.at(0).text, "buffer overflow (1) in SplitString");
}

TEST(StringUtils, SplitLimits)
{
    CScopedFakeUi ui;
    V t;
    std::string longText(2047, 'a');
    EXPECT_EQ(SplitString(t, longText.c_str(), " "), 1);
    longText += 'a';
    EXPECT_EQ(SplitString(t, longText.c_str(), " "), -1);
    EXPECT_EQ(SplitStringQ(t, longText.c_str(), " ", false), -1);
    // 1024 one-byte tokens need 2047 bytes: the most a text below the limit can hold.
    std::string many = "a";
    for (int i = 1; i < 1024; ++i)
        many += " a";
    EXPECT_EQ(SplitString(t, many.c_str(), " "), 1024);
    EXPECT_EQ(SplitStringQ(t, many.c_str(), " ", true), 1024);
    ASSERT_EQ(ui.m_boxes.size(), 2u);
    EXPECT_EQ(ui.m_boxes[0].text, "buffer overflow (0) in SplitString");
    EXPECT_EQ(ui.m_boxes[1].text, "buffer overflow (0) in SplitStringQ");
}

TEST(StringUtils, SplitStringQKeepsQuotedSections)
{
    CScopedFakeUi ui;
    V t;
    EXPECT_EQ(SplitStringQ(t, "-max,\"a,b.txt\"", ",", true), 2);
    EXPECT_EQ(t, V({"-max", "a,b.txt"}));
    EXPECT_EQ(SplitStringQ(t, "-max,\"a,b.txt\"", ",", false), 2);
    EXPECT_EQ(t, V({"-max", "\"a,b.txt\""}));
    EXPECT_EQ(SplitStringQ(t, "a\"b,c\"d,e", ",", false), 2);
    EXPECT_EQ(t, V({"a\"b,c\"d", "e"}));
    EXPECT_EQ(SplitStringQ(t, "\"\" \"x\" \"C:\\My Files\\a.txt\"", " ", true), 3);
    EXPECT_EQ(t, V({"\"\"", "x", "C:\\My Files\\a.txt"}));
    EXPECT_TRUE(ui.m_boxes.empty());
    EXPECT_EQ(SplitStringQ(t, "x,\"y", ",", true), -1);
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "end \" missing");
}

TEST(StringUtils, JoinStringsFitsTheBufferOrGivesNothing)
{
    const char* items[] = {"ab", "cd", "ef"};
    char buf[16];
    EXPECT_STREQ(JoinStrings(buf, sizeof buf, items, 3, ", "), "ab, cd, ef");
    EXPECT_STREQ(JoinStrings(buf, 11, items, 3, ", "), "ab, cd, ef");
    EXPECT_EQ(JoinStrings(buf, 10, items, 3, ", "), nullptr);
    EXPECT_EQ(JoinStrings(buf, 2, items, 1, ","), nullptr);
    EXPECT_STREQ(JoinStrings(buf, 1, items, 0, ","), "");
    EXPECT_EQ(JoinStrings(buf, 0, items, 0, ","), nullptr);
    EXPECT_EQ(JoinStrings(V({"a", "b", "c"}), "\\"), "a\\b\\c");
    EXPECT_EQ(JoinStrings(V(), ","), "");
}

TEST(StringUtils, SubstituteArgumentReplacesTheFirstPercentOne)
{
    EXPECT_EQ(SubstituteArgument("app.exe -h \"%1\"", "u"), "app.exe -h \"u\"");
    EXPECT_EQ(SubstituteArgument("app.exe", "u"), "app.exe u");
    EXPECT_EQ(SubstituteArgument("%1 %1 %s 100%", "x"), "x %1 %s 100%");
}
