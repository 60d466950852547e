// What the settings dialogs store and set off, the colour commands, the
// pointers' cursors and the ".txt" association.
#include <gtest/gtest.h>

#include "app/ColorCommands.h"
#include "app/OtherSettings.h"
#include "app/PointerCursor.h"
#include "app/Resource.h"
#include "app/TxtAssociation.h"
#include "keys/CommandIds.h"
#include "text/Unicode.h"

TEST(OtherSettings, RangesOfTheNumbers)
{
    EXPECT_TRUE(kLineLengthRange.Contains(16));
    EXPECT_TRUE(kLineLengthRange.Contains(256));
    EXPECT_FALSE(kLineLengthRange.Contains(15));
    EXPECT_FALSE(kLineLengthRange.Contains(257));
    EXPECT_TRUE(kGapPixelRange.Contains(0));
    EXPECT_TRUE(kGapPixelRange.Contains(8));
    EXPECT_FALSE(kGapPixelRange.Contains(-1));
    EXPECT_FALSE(kGapPixelRange.Contains(9));
    EXPECT_TRUE(kMaxHistoryRange.Contains(16));
    EXPECT_TRUE(kMaxHistoryRange.Contains(65535));
    EXPECT_FALSE(kMaxHistoryRange.Contains(15));
    EXPECT_FALSE(kMaxHistoryRange.Contains(65536));
}

// Only the dialog's settings are taken; a new row gap relays the views out,
// anything else repaints them; a new undo size resizes their histories.
TEST(OtherSettings, StoringTakesTheDialogsSettingsAndSaysWhatFollows)
{
    CAppSettings s;
    s.m_nMailMode = 2;
    s.m_crText = 0x123456;
    CAppSettings edited = s;
    edited.m_bCursorBlink = false;
    edited.m_bTitleFullPath = true;
    edited.m_bFastScroll = true;
    edited.m_bUrlSensitive = false;
    edited.m_bHilightMark = false;
    edited.m_bSpaceAscii = true;
    edited.m_nReadTab = 4;
    edited.m_nLineLength = 100;
    edited.m_nMailMode = 0;    // not the dialog's
    edited.m_crText = 0x000001;  // not the dialog's
    COtherSettingsEffects e = StoreOtherSettings(edited, s);
    EXPECT_FALSE(e.bRelayout);
    EXPECT_TRUE(e.bRepaint);
    EXPECT_FALSE(e.bResizeHistory);
    EXPECT_TRUE(e.bRetitle);
    EXPECT_FALSE(s.m_bCursorBlink);
    EXPECT_TRUE(s.m_bTitleFullPath);
    EXPECT_TRUE(s.m_bFastScroll);
    EXPECT_FALSE(s.m_bUrlSensitive);
    EXPECT_FALSE(s.m_bHilightMark);
    EXPECT_TRUE(s.m_bSpaceAscii);
    EXPECT_EQ(s.m_nReadTab, 4);
    EXPECT_EQ(s.m_nLineLength, 100);
    EXPECT_EQ(s.m_nMailMode, 2);
    EXPECT_EQ(s.m_crText, 0x123456u);

    edited = s;
    edited.m_nGapPixel = 3;
    edited.m_nMaxHistory = 16;
    e = StoreOtherSettings(edited, s);
    EXPECT_TRUE(e.bRelayout);
    EXPECT_FALSE(e.bRepaint);
    EXPECT_TRUE(e.bResizeHistory);
    EXPECT_FALSE(e.bRetitle);
    EXPECT_EQ(s.m_nGapPixel, 3);
    EXPECT_EQ(s.m_nMaxHistory, 16);
}

TEST(ColorCommands, EachCommandChangesItsSettingUnderItsTitle)
{
    struct {
        unsigned nId;
        ColorValue CAppSettings::*pColor;
        const char* title;
    } const cases[] = {
        {ID_TEXT_COLOR, &CAppSettings::m_crText, "文字の色"},
        {ID_BACK_COLOR, &CAppSettings::m_crBack, "背景の色"},
        {ID_URL_COLOR, &CAppSettings::m_crUrl, "URL"},
        {ID_TAG_BACK_COLOR, &CAppSettings::m_crTag, "タグ行の背景"},
        {ID_MARK_TEXT_COLOR, &CAppSettings::m_crHiText, "ﾏｰｸ範囲の文字"},
        {ID_MARK_BACK_COLOR, &CAppSettings::m_crHiBack, "ﾏｰｸ範囲の背景"},
    };
    for (const auto& c : cases) {
        const CColorCommand* pCommand = ColorCommandOf(c.nId);
        ASSERT_NE(pCommand, nullptr) << c.nId;
        EXPECT_EQ(pCommand->pColor, c.pColor) << c.nId;
        EXPECT_EQ(SjisToUtf8(ColorDialogTitle(*pCommand)), c.title);
    }
    EXPECT_EQ(ColorCommandOf(ID_SYSTEM_COLORS), nullptr);
    EXPECT_EQ(ColorCommandOf(ID_FONT), nullptr);
}

// The system colours replace the four that follow the system; URL and tag
// colours are the user's own and stay.
TEST(ColorCommands, SystemColoursKeepUrlAndTag)
{
    CAppSettings s;
    s.m_crUrl = 0x0000AA;
    s.m_crTag = 0x00BB00;
    s.m_crText = s.m_crBack = s.m_crHiText = s.m_crHiBack = 0x777777;
    ApplySystemColors(s, CSystemColors{0x010101, 0x020202, 0x030303, 0x040404});
    EXPECT_EQ(s.m_crText, 0x010101u);
    EXPECT_EQ(s.m_crBack, 0x020202u);
    EXPECT_EQ(s.m_crHiText, 0x030303u);
    EXPECT_EQ(s.m_crHiBack, 0x040404u);
    EXPECT_EQ(s.m_crUrl, 0x0000AAu);
    EXPECT_EQ(s.m_crTag, 0x00BB00u);
}

TEST(PointerCursor, EachPointerHasItsCursor)
{
    auto same = [](CPointerCursor a, bool bSystem, unsigned nId) { return a.bSystem == bSystem && a.nId == nId; };
    EXPECT_TRUE(same(PointerCursorOf(kPointerTovaHand), false, IDCUR_TOVA_HAND));
    EXPECT_TRUE(same(PointerCursorOf(kPointerArrow), true, 32512));
    EXPECT_TRUE(same(PointerCursorOf(kPointerIBeam), true, 32513));
    EXPECT_TRUE(same(PointerCursorOf(kPointerCross), false, IDCUR_CROSS));
    EXPECT_TRUE(same(PointerCursorOf(kPointerCustom), false, IDCUR_CUSTOM));
    EXPECT_TRUE(same(PointerCursorOf(-1), false, IDCUR_TOVA_HAND));
    EXPECT_TRUE(same(PointerCursorOf(kPointerCount), false, IDCUR_TOVA_HAND));
}

TEST(TxtAssociation, TheValuesWritten)
{
    std::vector<CRegistryEntry> e = TxtAssociationEntries("C:\\PROGRA~1\\TOVA\\TOVA.EXE", "C:\\WINDOWS");
    ASSERT_EQ(e.size(), 6u);
    auto is = [](const CRegistryEntry& x, const char* key, const char* name, const std::string& value) {
        return x.strKey == key && x.strName == name && x.strValue == value;
    };
    EXPECT_TRUE(is(e[0], ".txt", "", "txtfile"));
    EXPECT_TRUE(is(e[1], ".txt\\ShellNew", "NullFile", ""));
    EXPECT_TRUE(is(e[2], "txtfile", "", Utf8ToSjis("ﾃｷｽﾄ ﾌｧｲﾙ")));
    EXPECT_TRUE(is(e[3], "txtfile\\DefaultIcon", "", "C:\\WINDOWS\\notepad.exe,1"));
    EXPECT_TRUE(is(e[4], "txtfile\\shell\\open\\command", "", "C:\\PROGRA~1\\TOVA\\TOVA.EXE -max \"%1\""));
    EXPECT_TRUE(is(e[5], "txtfile\\shell\\open\\ddeexec", "", "[open(-max,\"%1\")]"));
}

// Without short names the path may hold blanks: quoted, the shell still runs
// the editor and not a program named by the path's first part.
TEST(TxtAssociation, APathWithBlanksIsQuoted)
{
    std::vector<CRegistryEntry> e = TxtAssociationEntries("C:\\Program Files\\tova\\tova.exe", "C:\\Windows");
    EXPECT_EQ(e[4].strValue, "\"C:\\Program Files\\tova\\tova.exe\" -max \"%1\"");
}
