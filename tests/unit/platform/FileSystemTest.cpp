// The file seam of this platform: exclusive creation, one-step replacement,
// last-write times, path parts.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/FileSystem.h"
#include "support/TempDir.h"

TEST(FileSystem, TempFilesAreNewAndReplaceTheTargetInOneStep)
{
    CTempDir dir;
    std::string target = dir.Path("doc.txt");
    dir.Write("doc.txt", "old");
    std::string temp1, temp2;
    CFileHandle a = CreateTempFileBeside(target, temp1);
    CFileHandle b = CreateTempFileBeside(target, temp2);
    ASSERT_TRUE(a.IsOpen());
    ASSERT_TRUE(b.IsOpen());
    EXPECT_NE(temp1, temp2);
    EXPECT_EQ(FolderOfPath(temp1), FolderOfPath(target));
    ASSERT_TRUE(a.Write("new", 3));
    ASSERT_TRUE(a.Close());
    ASSERT_TRUE(ReplaceFileWith(target, temp1));
    EXPECT_EQ(dir.Read("doc.txt"), "new");
    EXPECT_FALSE(FileExists(temp1));
    b.Close();
    EXPECT_TRUE(RemoveFile(temp2));
    EXPECT_FALSE(RemoveFile(temp2));
    EXPECT_EQ(LastFileError().kind, EFileError::NotFound);
    EXPECT_FALSE(LastFileErrorText().empty());
}

TEST(FileSystem, LastWriteTimeRoundTrips)
{
    CTempDir dir;
    dir.Write("t.txt", "x");
    CFileHandle f = OpenExistingFileExclusive(dir.Path("t.txt"));
    ASSERT_TRUE(f.IsOpen());
    FileTime t = 0;
    ASSERT_TRUE(f.GetLastWriteTime(t));
    EXPECT_GT(t, 116444736000000000LL);  // after 1970
    FileTime earlier = t - 36000000000LL * 24;  // one day
    ASSERT_TRUE(f.SetLastWriteTime(earlier));
    FileTime again = 0;
    ASSERT_TRUE(f.GetLastWriteTime(again));
    EXPECT_EQ(again / 10, earlier / 10);
    EXPECT_FALSE(OpenExistingFileExclusive(dir.Path("missing.txt")).IsOpen());
    EXPECT_EQ(LastFileError().kind, EFileError::NotFound);
}

TEST(FileSystem, ReadingReportsEndAndErrors)
{
    CTempDir dir;
    dir.Write("r.txt", "hello");
    CFileHandle f = OpenFileForReading(dir.Path("r.txt"));
    char buf[16];
    EXPECT_EQ(f.Read(buf, sizeof buf), 5);
    EXPECT_EQ(f.Read(buf, sizeof buf), 0);
    EXPECT_FALSE(OpenFileForReading(dir.Path("none")).IsOpen());
}

TEST(FileSystem, PathParts)
{
#ifdef _WIN32
    EXPECT_EQ(FolderOfPath("C:\\a\\b.txt"), "C:\\a");
    EXPECT_EQ(FolderOfPath("C:\\b.txt"), "C:\\");
    // The second byte of 表 is 0x5C and no separator.
    EXPECT_EQ(FolderOfPath("C:\\\x95\x5C\\x.txt"), "C:\\\x95\x5C");
    EXPECT_EQ(NameOfPath("C:\\dir\\\x95\x5C.txt"), "\x95\x5C.txt");
    EXPECT_EQ(NameOfPath("\x95\x5C.txt"), "\x95\x5C.txt");
#else
    EXPECT_EQ(FolderOfPath("/a/b.txt"), "/a");
    EXPECT_EQ(FolderOfPath("/b.txt"), "/");
    EXPECT_EQ(NameOfPath("dir/b.txt"), "b.txt");
#endif
    EXPECT_EQ(FolderOfPath("b.txt"), "");
}
