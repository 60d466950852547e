// The buffered file stream: lines, positions, reading and writing in turn.
#include <gtest/gtest.h>

#include <string>

#include "services/FileStream.h"
#include "support/TempDir.h"

TEST(FileStream, LinesPositionsAndUpdates)
{
    CTempDir dir;
    dir.Write("f.txt", "one\r\ntwo\nstill two\r\nlast");
    CFileStream s;
    ASSERT_TRUE(s.Open(dir.Path("f.txt"), CFileStream::EMode::Update));
    std::string line;
    ASSERT_TRUE(s.ReadLine(line, 100));
    EXPECT_EQ(line, "one\r\n");
    EXPECT_EQ(s.Tell(), 5);
    ASSERT_TRUE(s.ReadLine(line, 100));
    EXPECT_EQ(line, "two\nstill two\r\n");  // an LF alone ends no line
    ASSERT_TRUE(s.ReadLine(line, 2));
    EXPECT_EQ(line, "la");
    // Writing where the reader stands, then reading on.
    ASSERT_TRUE(s.Write("ST"));
    EXPECT_EQ(s.Tell(), 24);
    ASSERT_TRUE(s.Seek(0));
    EXPECT_EQ(s.GetByte(), 'o');
    ASSERT_TRUE(s.Seek(20));
    ASSERT_TRUE(s.ReadLine(line, 100));
    EXPECT_EQ(line, "laST");
    EXPECT_FALSE(s.ReadLine(line, 100));
    EXPECT_TRUE(s.AtEnd());
    EXPECT_TRUE(s.Close());
    EXPECT_EQ(dir.Read("f.txt"), "one\r\ntwo\nstill two\r\nlaST");

    // More than one buffer's worth.
    std::string big(200000, 'x');
    ASSERT_TRUE(s.Open(dir.Path("big.txt"), CFileStream::EMode::Write));
    ASSERT_TRUE(s.Write(big));
    ASSERT_TRUE(s.Write("\r\n"));
    ASSERT_TRUE(s.Close());
    ASSERT_TRUE(s.Open(dir.Path("big.txt"), CFileStream::EMode::Read));
    ASSERT_TRUE(s.ReadLine(line, 1 << 20));
    EXPECT_EQ(line.size(), big.size() + 2);
    EXPECT_FALSE(s.Open(dir.Path("big.txt"), CFileStream::EMode::CreateNew));
    std::string text;
    EXPECT_TRUE(ReadWholeFile(dir.Path("big.txt"), text, 10));
    EXPECT_EQ(text, "xxxxxxxxxx");
}
