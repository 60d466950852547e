// Lock files: names, holders, and what a second editor sees.
#include <gtest/gtest.h>

#include "fakes/FakeUi.h"
#include "platform/FileSystem.h"
#include "platform/System.h"
#include "services/LockFile.h"
#include "support/TempDir.h"

TEST(LockFile, SecondLockerSeesTheHolder)
{
    CScopedFakeUi ui;
    CTempDir dir;
    EXPECT_EQ(CLockFile::LockPathOf("C:\\d\\a.txt"), "C:\\d\\a.lk");
    EXPECT_EQ(CLockFile::LockPathOf("C:\\d.x\\a"), "C:\\d.x\\a.lk");
    EXPECT_EQ(CLockFile::LockPathOf("\x95\x5C.txt"), "\x95\x5C.lk");

    CLockFile first, second;
    ASSERT_TRUE(first.Lock(dir.Path("a.txt")));
    EXPECT_TRUE(first.IsLocked());
    std::string content = dir.Read("a.lk");
    size_t blank = content.find(' ');
    ASSERT_NE(blank, std::string::npos);
    EXPECT_EQ(content.size(), blank + 1 + ComputerName().size());  // no line end
    EXPECT_EQ(content[4], '/');
    EXPECT_EQ(content[10], '-');

    // a.doc shares a.lk with a.txt.
    EXPECT_FALSE(second.Lock(dir.Path("a.doc")));
    EXPECT_EQ(second.HolderTime(), content.substr(0, blank));
    EXPECT_EQ(second.HolderComputer(), ComputerName());
    EXPECT_TRUE(ui.m_boxes.empty());

    first.Unlock();
    EXPECT_FALSE(FileExists(dir.Path("a.lk")));
    EXPECT_TRUE(second.Lock(dir.Path("a.doc")));
    second.Unlock();
}

TEST(LockFile, RefusedAndUnreadableLocks)
{
    CScopedFakeUi ui;
    CTempDir dir;
    CLockFile lock;
    EXPECT_FALSE(lock.Lock(dir.Path("a.lk")));
    EXPECT_FALSE(lock.Lock(dir.Path("b.LK")));
    ASSERT_EQ(ui.m_boxes.size(), 2u);
    EXPECT_EQ(ui.m_boxes[0].text, "can't lock " + dir.Path("a.lk"));
    ui.Clear();

    // A holder whose lock file says nothing useful.
    CFileHandle holder = OpenLockFile(dir.Path("c.lk"));
    ASSERT_TRUE(holder.IsOpen());
    ASSERT_TRUE(holder.Write("justoneword", 11));
    EXPECT_FALSE(lock.Lock(dir.Path("c.txt")));
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, dir.Path("c.lk") + " から情報を取り出せません。");
}
