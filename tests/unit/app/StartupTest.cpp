// Start-up folders and the view font's replacement rule.
#include <gtest/gtest.h>

#include <vector>

#include "app/FontSlot.h"
#include "app/StartupPaths.h"
#include "fakes/FakeUi.h"

TEST(StartupPaths, ProgramFolderAndAbnormalPaths)
{
    CScopedFakeUi ui;
    EXPECT_EQ(ProgramDirOf("C:\\Program Files\\tova\\tova.exe"), "C:\\Program Files\\tova");
    EXPECT_TRUE(ui.m_boxes.empty());
    EXPECT_EQ(ProgramDirOf("C:\\tova.exe"), "C:");
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "Abnormal path C:\\tova.exe\nThis program must be placed in a subdirectory");
    ui.Clear();
    EXPECT_EQ(ProgramDirOf("tova.exe"), "");
    EXPECT_EQ(ui.m_boxes.size(), 1u);
    ui.Clear();
    // C:\表 is five bytes, its last a 0x5C second byte: a folder, no separator.
    EXPECT_EQ(ProgramDirOf("C:\\\x95\x5C\\tova.exe"), "C:\\\x95\x5C");
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(StartupPaths, TemporaryFolderChoice)
{
    EXPECT_EQ(ChooseTempDir(std::string("C:\\T\\"), std::string("C:\\U"), "C:\\P"), "C:\\T");
    EXPECT_EQ(ChooseTempDir(std::nullopt, std::string("C:\\U"), "C:\\P"), "C:\\U");
    EXPECT_EQ(ChooseTempDir(std::nullopt, std::nullopt, "C:\\P"), "C:\\P");
    EXPECT_EQ(ChooseTempDir(std::string("C:\\\x95\x5C"), std::nullopt, "C:\\P"), "C:\\\x95\x5C");  // C:\表 stays
}

TEST(FontSlot, NewFontIsMadeBeforeTheOldGoesAndFailureKeepsTheOld)
{
    CScopedFakeUi ui;
    std::vector<CFontSlot::Handle> deleted;
    CFontSlot::Handle next = 100;
    bool bFail = false;
    {
        CFontSlot slot([&](const std::string&, int) -> CFontSlot::Handle { return bFail ? 0 : next++; },
                       [&](CFontSlot::Handle h) { deleted.push_back(h); });
        ASSERT_TRUE(slot.Replace("FixedSys", 140));
        EXPECT_EQ(slot.Get(), 100u);
        bFail = true;
        EXPECT_FALSE(slot.Replace("NoSuchFace", 140));
        EXPECT_EQ(slot.Get(), 100u);  // the views keep their font
        EXPECT_TRUE(deleted.empty());
        ASSERT_EQ(ui.m_boxes.size(), 1u);
        EXPECT_EQ(ui.m_boxes[0].text, "couldn't create font");
        bFail = false;
        ASSERT_TRUE(slot.Replace("IPAGothic", 100));
        EXPECT_EQ(slot.Get(), 101u);
        EXPECT_EQ(deleted, std::vector<CFontSlot::Handle>{100});
    }
    EXPECT_EQ(deleted, (std::vector<CFontSlot::Handle>{100, 101}));
}
