// Path splitting on character boundaries.
#include <gtest/gtest.h>

#include "services/PathUtil.h"

// 表 is 0x95 0x5C and ソ is 0x83 0x5C: their second byte is a backslash value.
TEST(PathUtil, SecondBytesThatLookLikeBackslashesDoNotSplit)
{
    const std::string path = "C:\\\x95\x5C\\\x83\x5C.txt";  // C:\表\ソ.txt
    EXPECT_EQ(LastBackslash(path), 5u);
    EXPECT_EQ(DirectoryOf(path), "C:\\\x95\x5C");
    EXPECT_EQ(FileNameOf(path), "\x83\x5C.txt");
    EXPECT_EQ(FolderPrefixOf(path), "C:\\\x95\x5C\\");
    EXPECT_EQ(FileNameOf("\x95\x5C"), "\x95\x5C");  // a bare name ending in 表
    EXPECT_EQ(WithoutTrailingBackslash("C:\\\x95\x5C"), "C:\\\x95\x5C");
    EXPECT_EQ(WithoutTrailingBackslash("C:\\\x95\x5C\\"), "C:\\\x95\x5C");
}

TEST(PathUtil, FoldersAndNames)
{
    EXPECT_EQ(DirectoryOf("C:\\a\\b.txt"), "C:\\a");
    EXPECT_EQ(DirectoryOf("C:\\b.txt"), "C:");
    EXPECT_EQ(DirectoryOf("C:b.txt"), "C:");
    EXPECT_EQ(DirectoryOf("b.txt"), "");
    EXPECT_EQ(FileNameOf("a\\b\\"), "b");
    EXPECT_EQ(FileNameOf("b.txt"), "b.txt");
    EXPECT_EQ(FolderPrefixOf("b.txt"), "");
    EXPECT_EQ(FolderPrefixOf("C:b.txt"), "C:");
}

TEST(PathUtil, ComparisonFoldsOnlyOneByteLetters)
{
    EXPECT_TRUE(PathsEqual("C:\\Memo.TXT", "c:\\memo.txt"));
    EXPECT_FALSE(PathsEqual("C:\\memo.txt", "C:\\memo.txt2"));
    // ア (0x83 0x41) and a second byte 0x61 ("a") are different characters.
    EXPECT_FALSE(PathsEqual("\x83\x41", "\x83\x61"));
    EXPECT_TRUE(PathsEqual("\x83\x41X", "\x83\x41x"));
}
