// The recent file list and its settings.
#include <gtest/gtest.h>

#include "fw/RecentFileList.h"
#include "platform/SettingsStore.h"

TEST(RecentFileList, NewestFirstDuplicatesMoveUpAndNineAtMost)
{
    CRecentFileList list;
    for (int i = 1; i <= 10; ++i)
        list.Add("C:\\f" + std::to_string(i) + ".txt");
    ASSERT_EQ(list.GetSize(), 9u);
    EXPECT_EQ(list[0], "C:\\f10.txt");
    EXPECT_EQ(list[8], "C:\\f2.txt");
    list.Add("c:\\F5.TXT");  // the same file, other letter case
    EXPECT_EQ(list.GetSize(), 9u);
    EXPECT_EQ(list[0], "c:\\F5.TXT");
    EXPECT_EQ(list[1], "C:\\f10.txt");
    list.Remove(0);
    EXPECT_EQ(list[0], "C:\\f10.txt");
}

TEST(RecentFileList, SavedAsFileNumbersFromOneAndStaleEntriesRemoved)
{
    CMemorySettingsStore store;
    store.WriteString("Recent File List", "File3", "C:\\old.txt");
    CRecentFileList list;
    list.Add("C:\\a.txt");
    list.Add("C:\\b.txt");
    list.Save(store);
    EXPECT_EQ(store.GetString("Recent File List", "File1", ""), "C:\\b.txt");
    EXPECT_EQ(store.GetString("Recent File List", "File2", ""), "C:\\a.txt");
    EXPECT_EQ(store.Find("Recent File List", "File3"), nullptr);

    CRecentFileList again;
    again.Load(store);
    ASSERT_EQ(again.GetSize(), 2u);
    EXPECT_EQ(again[1], "C:\\a.txt");
}

TEST(RecentFileList, MenuTextNumbersEscapesAndShortens)
{
    CRecentFileList list;
    list.Add("C:\\R&D\\a.txt");
    EXPECT_EQ(list.MenuText(0), "&1 C:\\R&&D\\a.txt");
    list.Add("C:\\" + std::string(60, 'x') + "\\\x95\x5C.txt");  // ...\表.txt
    EXPECT_EQ(list.MenuText(0), "&1 C:\\...\\\x95\x5C.txt");
}
