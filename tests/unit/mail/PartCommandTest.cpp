// What showing a part does, its command line, and the names a user may give a part.
#include <gtest/gtest.h>

#include "mail/ContentTypeTable.h"
#include "mail/PartCommand.h"
#include "mail/PartNames.h"

TEST(PartCommand, TheActionComesFromTheRowOfTheTypeWithoutRegardToCase)
{
    CContentTypeTable table;  // the built-in rows
    EXPECT_EQ(PartActionOf(table, "TEXT", "Plain"), EPartAction::Run);
    EXPECT_EQ(PartActionOf(table, "application", "octet-stream"), EPartAction::Save);
    EXPECT_EQ(PartActionOf(table, "video", "mpeg"), EPartAction::Save);  // in no row
    ASSERT_NE(table.FindByType("Image", "JPEG"), nullptr);
    EXPECT_EQ(table.FindByType("image", "png"), nullptr);
}

TEST(PartCommand, CommandLinesQuotePathsWithBlanksAndAreNeverCut)
{
    std::string line;
    ASSERT_TRUE(MakePartCommandLine("C:\\p\\a.txt", "viewer.exe", line));
    EXPECT_EQ(line, "viewer.exe \"C:\\p\\a.txt\"");
    ASSERT_TRUE(MakePartCommandLine("C:\\my parts\\a.txt", "v.exe /x %1 /y", line));
    EXPECT_EQ(line, "v.exe /x \"C:\\my parts\\a.txt\" /y");
    ASSERT_TRUE(MakePartCommandLine("C:\\my parts\\a.txt", "\"C:\\v w\\v.exe\" \"%1\"", line));
    EXPECT_EQ(line, "\"C:\\v w\\v.exe\" \"C:\\my parts\\a.txt\"");
    ASSERT_TRUE(MakePartCommandLine("C:\\p\\a.txt", "C:\\Program Files\\v.exe /p %1", line));
    EXPECT_EQ(line, "\"C:\\Program Files\\v.exe\" /p C:\\p\\a.txt");
    ASSERT_TRUE(MakePartCommandLine("C:\\p\\a.txt", "C:\\Program Files\\v.exe", line));
    EXPECT_EQ(line, "\"C:\\Program Files\\v.exe\" \"C:\\p\\a.txt\"");
    // A program part runs itself, whatever the program; a ".bat" does not.
    ASSERT_TRUE(MakePartCommandLine("C:\\my parts\\setup.EXE", "", line));
    EXPECT_EQ(line, "\"C:\\my parts\\setup.EXE\"");
    EXPECT_FALSE(MakePartCommandLine("C:\\p\\run.bat", "", line));

    std::string longPath = "C:\\" + std::string(1008, 'a') + ".txt";
    line = "kept";
    EXPECT_FALSE(MakePartCommandLine(longPath, "viewer.exe", line));
    EXPECT_EQ(line, "kept");
    EXPECT_TRUE(MakePartCommandLine(longPath, "v.exe", line));  // 1023 bytes fit
    EXPECT_EQ(line.size(), kMaxPartCommandLine);
}

TEST(PartNames, NamesAreReducedAndMadeUnique)
{
    EXPECT_EQ(PlainPartName("..\\..\\evil.bat"), "evil.bat");
    EXPECT_EQ(PlainPartName("a/b/c.txt"), "c.txt");
    EXPECT_EQ(PlainPartName("nul.txt"), "_nul.txt");
    EXPECT_EQ(PlainPartName("COM9"), "_COM9");
    EXPECT_EQ(PlainPartName("COM10"), "COM10");
    EXPECT_EQ(PlainPartName("  a<b>\t.txt . "), "a_b__.txt");
    EXPECT_EQ(PlainPartName(".."), "");
    EXPECT_EQ(PlainPartName("\x95\x5C.txt"), "\x95\x5C.txt");  // 表: its 0x5C is no separator
    std::string longName = std::string(300, 'n') + ".jpeg";
    EXPECT_EQ(PlainPartName(longName), std::string(kMaxPartNameBytes - 5, 'n') + ".jpeg");
    EXPECT_EQ(PlainPartName(std::string(179, 'n') + "\x88\x9F"), std::string(kMaxPartNameBytes - 1, 'n'));

    EXPECT_EQ(UniquePartName("a.txt", {"b.txt"}), "a.txt");
    EXPECT_EQ(UniquePartName("a.txt", {"A.TXT", "a(2).txt"}), "a(3).txt");

    EXPECT_STREQ(NewPartNameProblem(" "), "新しい名前を入力してください");
    EXPECT_STREQ(NewPartNameProblem("..\\x.txt"), "パスでなくファイル名だけを入力してください");
    EXPECT_STREQ(NewPartNameProblem("c:x.txt"), "パスでなくファイル名だけを入力してください");
    EXPECT_STREQ(NewPartNameProblem("readme"), "ファイル名には拡張子が必要です");
    EXPECT_STREQ(NewPartNameProblem("readme."), "ファイル名には拡張子が必要です");
    EXPECT_STREQ(NewPartNameProblem("a;b.txt"), "パスでなくファイル名だけを入力してください");
    EXPECT_EQ(NewPartNameProblem("readme.txt"), nullptr);
}
