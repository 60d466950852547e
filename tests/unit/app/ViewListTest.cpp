// The stored window list: format both ways, malformed entries, numbering.
#include <gtest/gtest.h>

#include "app/ViewList.h"
#include "fakes/FakeUi.h"
#include "platform/SettingsStore.h"

TEST(ViewList, PathsEncodeBlanksAndPercentAndKeepDoubleByteCharacters)
{
    EXPECT_EQ(EncodeViewPath("C:\\My Docs\\100%.txt"), "C:\\My%20Docs\\100%25.txt");
    EXPECT_EQ(EncodeViewPath("C:\\\x95\x5C \x83\x5C"), "C:\\\x95\x5C%20\x83\x5C");  // 表 ソ
    EXPECT_EQ(DecodeViewPath("C:\\My%20Docs\\100%25.txt"), "C:\\My Docs\\100%.txt");
    EXPECT_EQ(DecodeViewPath("a%2"), "a%2");    // cut short: kept
    EXPECT_EQ(DecodeViewPath("a%zz"), "a%zz");  // not hex: kept
    EXPECT_EQ(DecodeViewPath("%41%2f"), "A/");
}

TEST(ViewList, EntryFormatRoundTrips)
{
    CViewListEntry e;
    e.nShowCmd = 3;
    e.nLeft = -4;
    e.nTop = 10;
    e.nRight = 600;
    e.nBottom = 420;
    e.strPath = "C:\\a b\\memo.txt";
    e.nLeftCol = 8;
    e.nTopLine = 1200;
    e.nCaretCol = 5;
    e.nCaretRow = 7;
    e.nTabWidth = 4;
    e.nMinX = -1;
    e.nMinY = -1;
    std::string value = FormatViewEntry(e);
    EXPECT_EQ(value, "3 -4 10 600 420 C:\\a%20b\\memo.txt 8 1200 5 7 4 -1 -1");
    CViewListEntry back;
    ASSERT_TRUE(ParseViewEntry(value, back));
    EXPECT_EQ(back.nShowCmd, 3);
    EXPECT_EQ(back.nLeft, -4);
    EXPECT_EQ(back.nBottom, 420);
    EXPECT_EQ(back.strPath, e.strPath);
    EXPECT_EQ(back.nLeftCol, 8);
    EXPECT_EQ(back.nTopLine, 1200);
    EXPECT_EQ(back.nCaretCol, 5);
    EXPECT_EQ(back.nCaretRow, 7);
    EXPECT_EQ(back.nTabWidth, 4);
    EXPECT_EQ(back.nMinY, -1);
}

TEST(ViewList, MalformedEntries)
{
    CViewListEntry e;
    EXPECT_FALSE(ParseViewEntry("1 0 0 100 100 C:\\a.txt 0 0 0 0 8 -1", e));      // twelve fields
    EXPECT_FALSE(ParseViewEntry("1 0 0 100 100 C:\\a b.txt 0 0 0 0 8 -1 -1", e));  // unencoded blank
    EXPECT_FALSE(ParseViewEntry("1 0 x 100 100 C:\\a.txt 0 0 0 0 8 -1 -1", e));
    EXPECT_TRUE(ParseViewEntry("  1 0 0 100 100 C:\\a.txt 0 0 0 0 8 -1 -1 extra", e));
    // The path field is bounded; one byte more is a malformed entry.
    std::string fits(kMaxViewPathField, 'p'), tooLong(kMaxViewPathField + 1, 'p');
    EXPECT_TRUE(ParseViewEntry("1 0 0 1 1 " + fits + " 0 0 0 0 0 0 0", e));
    EXPECT_EQ(e.strPath.size(), kMaxViewPathField);
    EXPECT_FALSE(ParseViewEntry("1 0 0 1 1 " + tooLong + " 0 0 0 0 0 0 0", e));
}

TEST(ViewList, TabWidthIsTakenOnlyWhenFourOrEight)
{
    EXPECT_EQ(ReopenTabWidth(4, 8), 4);
    EXPECT_EQ(ReopenTabWidth(8, 4), 8);
    EXPECT_EQ(ReopenTabWidth(0, 4), 4);  // the file had no tabs: keep "ReadTab"
    EXPECT_EQ(ReopenTabWidth(0, 8), 8);
    EXPECT_EQ(ReopenTabWidth(5, 4), 4);
    EXPECT_EQ(ReopenTabWidth(-8, 8), 8);
}

TEST(ViewList, WrittenListEndsWithAnEmptyValueAndReadsBackInOrder)
{
    CMemorySettingsStore store;
    store.WriteString("View List", "View3", "1 0 0 1 1 C:\\stale.txt 0 0 0 0 0 0 0");
    CViewListEntry a, b;
    a.strPath = "C:\\a.txt";
    b.strPath = "C:\\dir with blank\\b.txt";
    b.nTopLine = 40;
    WriteViewList(store, {a, b});
    EXPECT_EQ(store.GetString("View List", "View2", "missing"), "");

    std::vector<CViewListEntry> read;
    ReadViewList(store, [&](const CViewListEntry& e) { read.push_back(e); });
    ASSERT_EQ(read.size(), 2u);  // the stale "View3" lies after the end
    EXPECT_EQ(read[0].strPath, "C:\\a.txt");
    EXPECT_EQ(read[1].strPath, "C:\\dir with blank\\b.txt");
    EXPECT_EQ(read[1].nTopLine, 40);
}

TEST(ViewList, MalformedEntryShowsMessage63AndTheRestStillOpen)
{
    CScopedFakeUi ui;
    CMemorySettingsStore store;
    store.WriteString("View List", "View0", "1 0 0 100 100 C:\\a.txt 0 0");
    store.WriteString("View List", "View1", "1 0 0 100 100 C:\\b.txt 0 0 0 0 8 -1 -1");
    std::vector<std::string> opened;
    ReadViewList(store, [&](const CViewListEntry& e) { opened.push_back(e.strPath); });
    EXPECT_EQ(opened, std::vector<std::string>{"C:\\b.txt"});
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].kind, EMessageBox::Information);
    EXPECT_EQ(ui.m_boxes[0].text, "TOVA.INI の View List ｾｸｼｮﾝにｴﾗｰがあります");
}
