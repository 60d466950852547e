// The command line of a shell command and the lines its output is cut into.
#include <gtest/gtest.h>

#include "command/ShellOutput.h"
#include "text/LineStore.h"
#include "text/Unicode.h"

using Lines = std::vector<std::string>;

TEST(ShellOutput, LineEndsAndRunsAfterALoneCr)
{
    bool bCut = true;
    EXPECT_EQ(SplitShellOutput("x\r\r\ny", &bCut), (Lines{"x", "y"}));
    EXPECT_FALSE(bCut);
    EXPECT_EQ(SplitShellOutput("a\r\nb\nc\r\n", nullptr), (Lines{"a", "b", "c"}));
    EXPECT_EQ(SplitShellOutput("a\n\nb", nullptr), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitShellOutput("a\r\n\r\n", nullptr), (Lines{"a", ""}));
    EXPECT_EQ(SplitShellOutput("a\rb\r", nullptr), (Lines{"a", "b"}));
    EXPECT_EQ(SplitShellOutput(std::string_view("a\nb\0c\n", 6), nullptr), (Lines{"a", "b"}));
    EXPECT_TRUE(SplitShellOutput("", nullptr).empty());
}

TEST(ShellOutput, LongLinesAreCutOnCharacterBoundaries)
{
    // 漢 straddles the store's limit: it goes whole into the second piece.
    std::string kanji = Utf8ToSjis("漢");
    std::string line = std::string(MaxLineLength - 1, 'a') + kanji + std::string(5000, 'b');
    bool bCut = false;
    Lines lines = SplitShellOutput(line + "\r\nend", &bCut);
    EXPECT_TRUE(bCut);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::string(MaxLineLength - 1, 'a'));
    EXPECT_EQ(lines[1], kanji + std::string(5000, 'b'));
    EXPECT_EQ(lines[2], "end");
    EXPECT_EQ(SplitShellOutput(std::string(70000, 'x'), nullptr).size(), 2u);
}

TEST(ShellOutput, CommandLinesKeepAPathWithBlanksWhole)
{
    std::string line;
    ASSERT_TRUE(BuildShellCommandLine("C:\\Program Files\\sh.exe", "sort", line));
    EXPECT_EQ(line, "\"C:\\Program Files\\sh.exe\" /C sort");
    ASSERT_TRUE(BuildShellCommandLine("cmd.exe", "echo a", line));
    EXPECT_EQ(line, "cmd.exe /C echo a");
    EXPECT_FALSE(BuildShellCommandLine("cmd.exe", std::string(kMaxCommandLine, 'x'), line));
    EXPECT_EQ(ShellCommandText(" \t dir"), "dir");
    EXPECT_EQ(ShellCommandText("   "), "");
}
