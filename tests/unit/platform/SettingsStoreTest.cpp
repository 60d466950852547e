// The in-memory settings store behaves as the registry does for the program.
#include <gtest/gtest.h>

#include "platform/SettingsStore.h"

TEST(MemorySettingsStore, DefaultsWritesAndNumbersInStrings)
{
    CMemorySettingsStore s;
    EXPECT_EQ(s.GetInt("Other", "ReadTab", 8), 8);
    EXPECT_EQ(s.GetString("Font", "FaceName", "FixedSys"), "FixedSys");
    s.WriteInt("Other", "ReadTab", 4);
    s.WriteString("Key Binding Table", "Entry0", "11 65 57644");
    EXPECT_EQ(s.GetInt("Other", "ReadTab", 8), 4);
    EXPECT_EQ(s.GetString("Key Binding Table", "Entry0", ""), "11 65 57644");
    EXPECT_EQ(s.GetInt("Key Binding Table", "Entry0", -1), -1);  // not a whole number
    s.WriteString("Other", "GapPixel", "3");
    EXPECT_EQ(s.GetInt("Other", "GapPixel", 0), 3);
    s.DeleteValue("Other", "ReadTab");
    EXPECT_EQ(s.Find("Other", "ReadTab"), nullptr);
}

TEST(MemorySettingsStore, InstalledStoreIsRestored)
{
    CMemorySettingsStore mine;
    ISettingsStore* old = SetSettingsStore(&mine);
    SettingsStore().WriteInt("A", "B", 1);
    EXPECT_EQ(mine.GetInt("A", "B", 0), 1);
    SetSettingsStore(old);
    EXPECT_NE(&SettingsStore(), &mine);
}
