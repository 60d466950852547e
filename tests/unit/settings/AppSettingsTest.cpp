// The settings table: defaults, range rules and what is written when.
#include <gtest/gtest.h>

#include "settings/AppSettings.h"
#include "platform/SettingsStore.h"
#include "text/Unicode.h"

namespace {

CAppSettings LoadAll(CMemorySettingsStore& store, int nMailMode = 0)
{
    CAppSettings s;
    s.m_nMailMode = nMailMode;
    LoadOtherSettings(store, s, "C:\\work");
    LoadColorSettings(store, s, CSystemColors{0x111111, 0x222222, 0x333333, 0x444444});
    LoadFontSettings(store, s);
    LoadFrameRect(store, s);
    LoadFillingSettings(store, s);
    LoadMouseSettings(store, s);
    LoadKeyOptions(store, s);
    LoadMailSettings(store, s);
    return s;
}

} // namespace

TEST(AppSettings, DefaultsOfAnEmptyStore)
{
    CMemorySettingsStore store;
    CAppSettings s = LoadAll(store);
    EXPECT_TRUE(s.m_bCursorBlink);
    EXPECT_EQ(s.m_nReadTab, 8);
    EXPECT_FALSE(s.m_bTitleFullPath);
    EXPECT_FALSE(s.m_bFastScroll);
    EXPECT_TRUE(s.m_bUrlSensitive);
    EXPECT_TRUE(s.m_bHilightMark);
    EXPECT_EQ(s.m_strOpenFileDir, "C:\\work");
    EXPECT_EQ(s.m_nLineLength, 72);
    EXPECT_EQ(s.m_nGapPixel, 0);
    EXPECT_EQ(s.m_nMaxHistory, 1024);
    EXPECT_TRUE(s.m_bToolBarVisible);
    EXPECT_TRUE(s.m_bStatusBarVisible);
    EXPECT_EQ(s.m_nFrameLeft, kNoFrameRect);
    EXPECT_EQ(s.m_nFrameHeight, kNoFrameRect);
    EXPECT_EQ(s.m_crText, 0x111111u);
    EXPECT_EQ(s.m_crBack, 0x222222u);
    EXPECT_EQ(s.m_crHiText, 0x333333u);
    EXPECT_EQ(s.m_crHiBack, 0x444444u);
    EXPECT_EQ(s.m_crUrl, 0xFF0000u);
    EXPECT_EQ(s.m_crTag, 0x00FF00u);
    EXPECT_EQ(s.m_strFaceName, "FixedSys");
    EXPECT_EQ(s.m_nPointSize, 140);
    EXPECT_EQ(s.m_strTimeZone, "+0900");
    EXPECT_EQ(s.m_strDateFormat, "%y/%m/%d %H:%M:%S");
    EXPECT_TRUE(s.m_bChase);
    EXPECT_EQ(s.m_nPointer, kPointerTovaHand);
    EXPECT_TRUE(s.m_bHookNumPad);
    EXPECT_TRUE(s.m_bReturnChar);
    EXPECT_FALSE(s.m_bSpaceAscii);
    EXPECT_EQ(SjisToUtf8(s.m_strRightProhibition),
              ",.!?)]}ﾟﾞ､ｧｨｩｪｫｯｬｭｮｰ、。．？”」）｝』】〕］》ァィゥェォッャュョぁぃぅぇぉっゃゅょー");
    EXPECT_EQ(SjisToUtf8(s.m_strLeftProhibition), "([{“「（｛『【〔［《");
    EXPECT_EQ(SjisToUtf8(s.m_strLeftSticker), "、。．”」）｝』】〕］》");
    EXPECT_EQ(s.m_strRightSticker, "");
}

TEST(AppSettings, LineLengthDefaultFollowsTheMode)
{
    CMemorySettingsStore store;
    EXPECT_EQ(LoadAll(store, 1).m_nLineLength, 60);
    EXPECT_EQ(LoadAll(store, 2).m_nLineLength, 60);
    store.WriteInt("Other", "Line Length", 80);
    EXPECT_EQ(LoadAll(store, 2).m_nLineLength, 80);
}

TEST(AppSettings, RangeRules)
{
    CMemorySettingsStore store;
    for (int tab : {4, 8}) {
        store.WriteInt("Other", "ReadTab", tab);
        EXPECT_EQ(LoadAll(store).m_nReadTab, tab);
    }
    for (int tab : {0, 2, 5, 16, -4}) {
        store.WriteInt("Other", "ReadTab", tab);
        EXPECT_EQ(LoadAll(store).m_nReadTab, 8) << tab;
    }
    store.WriteInt("Other", "MaxHistory", 3);
    EXPECT_EQ(LoadAll(store).m_nMaxHistory, 16);
    store.WriteInt("Other", "MaxHistory", 16);
    EXPECT_EQ(LoadAll(store).m_nMaxHistory, 16);
    store.WriteInt("Other", "MaxHistory", 5000);
    EXPECT_EQ(LoadAll(store).m_nMaxHistory, 5000);
}

TEST(AppSettings, EmptyFillingListsMeanTheBuiltInOnes)
{
    CMemorySettingsStore store;
    store.WriteString("Rectangle Filling", "Right Prohibition", "");
    store.WriteString("Rectangle Filling", "Left Prohibition", "(");
    store.WriteString("Rectangle Filling", "Right Sticker", "");
    store.WriteString("Rectangle Filling", "Left Sticker", "");
    CAppSettings s = LoadAll(store);
    EXPECT_EQ(s.m_strRightProhibition.size(), Utf8ToSjis(",.!?)]}ﾟﾞ､ｧｨｩｪｫｯｬｭｮｰ、。．？”」）｝』】〕］》ァィゥェォッャュョぁぃぅぇぉっゃゅょー").size());
    EXPECT_EQ(s.m_strLeftProhibition, "(");
    EXPECT_EQ(s.m_strRightSticker, "");
    EXPECT_EQ(SjisToUtf8(s.m_strLeftSticker), "、。．”」）｝』】〕］》");
}

TEST(AppSettings, PointerNamesAndUnknownNameKeepsTheChoice)
{
    CMemorySettingsStore store;
    store.WriteString("Mouse", "PointerName", "FuckYou");
    CAppSettings s = LoadAll(store);
    EXPECT_EQ(s.m_nPointer, kPointerCustom);
    store.WriteString("Mouse", "PointerName", "Pointer");
    LoadMouseSettings(store, s);
    EXPECT_EQ(s.m_nPointer, kPointerCustom);
    store.WriteString("Mouse", "PointerName", "IBeam");
    LoadMouseSettings(store, s);
    EXPECT_EQ(s.m_nPointer, kPointerIBeam);
    EXPECT_STREQ(PointerName(kPointerCross), "Cross");
    EXPECT_EQ(PointerFromName("arrow"), -1);  // names are stored exactly
}

TEST(AppSettings, ExitWritesItsSectionsAndRoundTrips)
{
    CMemorySettingsStore store;
    CAppSettings s = LoadAll(store);
    s.m_nReadTab = 4;
    s.m_strOpenFileDir = "D:\\\x95\x5C";  // D:\表
    s.m_crTag = 0x123456;
    s.m_nPointer = kPointerArrow;
    s.m_bStatusBarVisible = false;
    SaveExitSettings(store, s);
    EXPECT_EQ(store.Find("Main Frame Rect", "Left"), nullptr);  // written by the frame, not here
    EXPECT_EQ(store.Find("Font", "FaceName"), nullptr);         // written when the font changes
    EXPECT_EQ(store.GetString("Mouse", "PointerName", ""), "Arrow");
    EXPECT_EQ(store.GetInt("Color", "Tag", 0), 0x123456);
    ASSERT_NE(store.Find("Rectangle Filling", "Right Sticker"), nullptr);

    CAppSettings back = LoadAll(store);
    EXPECT_EQ(back.m_nReadTab, 4);
    EXPECT_EQ(back.m_strOpenFileDir, "D:\\\x95\x5C");
    EXPECT_EQ(back.m_crTag, 0x123456u);
    EXPECT_FALSE(back.m_bStatusBarVisible);
    EXPECT_EQ(back.m_strLeftSticker, s.m_strLeftSticker);
}

TEST(AppSettings, FrameFontAndKeyOptionsAreWrittenOnTheirOwn)
{
    CMemorySettingsStore store;
    CAppSettings s;
    s.m_nFrameLeft = 10;
    s.m_nFrameTop = 20;
    s.m_nFrameWidth = 600;
    s.m_nFrameHeight = 400;
    s.m_bToolBarVisible = false;
    SaveFrameSettings(store, s);
    CAppSettings back;
    LoadFrameRect(store, back);
    EXPECT_EQ(back.m_nFrameLeft, 10);
    EXPECT_EQ(back.m_nFrameHeight, 400);
    EXPECT_EQ(store.GetInt("Other", "ToolBarVisible", 1), 0);

    s.m_strFaceName = "IPAGothic";
    s.m_nPointSize = 100;
    SaveFontSettings(store, s);
    LoadFontSettings(store, back);
    EXPECT_EQ(back.m_strFaceName, "IPAGothic");
    EXPECT_EQ(back.m_nPointSize, 100);

    s.m_bHookNumPad = false;
    SaveKeyOptions(store, s);
    LoadKeyOptions(store, back);
    EXPECT_FALSE(back.m_bHookNumPad);
    EXPECT_TRUE(back.m_bReturnChar);
}

TEST(AppSettings, SystemColorsResetFourAndKeepUrlAndTag)
{
    CAppSettings s;
    s.m_crText = s.m_crBack = s.m_crHiText = s.m_crHiBack = 0xABCDEF;
    s.m_crUrl = 1;
    s.m_crTag = 2;
    ApplySystemColors(s, CSystemColors{5, 6, 7, 8});
    EXPECT_EQ(s.m_crText, 5u);
    EXPECT_EQ(s.m_crHiBack, 8u);
    EXPECT_EQ(s.m_crUrl, 1u);
    EXPECT_EQ(s.m_crTag, 2u);
}

TEST(AppSettings, OpenFileFiltersAndFolder)
{
    CMemorySettingsStore store;
    CAppSettings s;
    EnsureFilterString(store, s);
    EXPECT_EQ(s.m_strFilterString.rfind("Text (*.txt;*.doc)|", 0), 0u);
    EXPECT_EQ(store.GetString("OpenFileDialog", "FilterString", ""), s.m_strFilterString);  // written back

    store.WriteInt("OpenFileDialog", "FilterIndex", 3);
    EXPECT_EQ(FilterIndex(store, s), 3);
    store.WriteInt("OpenFileDialog", "FilterIndex", 4);
    EXPECT_EQ(FilterIndex(store, s), 3);  // read once
    StoreFilterIndex(store, s, 2);
    EXPECT_EQ(store.GetInt("OpenFileDialog", "FilterIndex", 0), 2);

    s.m_strOpenFileDir = "C:\\start";
    RememberOpenFileDir(s, "memo.txt");
    EXPECT_EQ(s.m_strOpenFileDir, "C:\\start");
    RememberOpenFileDir(s, "C:\\\x95\x5C\\\x83\x5C.txt");  // C:\表\ソ.txt
    EXPECT_EQ(s.m_strOpenFileDir, "C:\\\x95\x5C");
}
