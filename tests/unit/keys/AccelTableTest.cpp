// The key binding table: its stored format, key names, the duplicate check and
// the built-in tables. The stored format is users' data kept for years.
#include <gtest/gtest.h>

#include "fakes/FakeUi.h"
#include "keys/AccelTable.h"
#include "keys/BuiltinAccelTables.h"
#include "keys/CommandIds.h"
#include "keys/KeyNames.h"
#include "platform/SettingsStore.h"
#include "text/Unicode.h"

namespace {

constexpr char kSection[] = "Key Binding Table";

class AccelTableTest : public ::testing::Test {
protected:
    void SetUp() override { m_pOld = SetSettingsStore(&m_store); }
    void TearDown() override { SetSettingsStore(m_pOld); }
    void Store(int n, const char* value) { m_store.WriteString(kSection, "Entry" + std::to_string(n), value); }

    CMemorySettingsStore m_store;
    ISettingsStore* m_pOld = nullptr;
    CScopedFakeUi m_ui;
};

std::string Utf8KeyName(uint8_t flags, uint16_t key) { return SjisToUtf8(KeyName(AccelEntry{flags, key, 0})); }

} // namespace

TEST_F(AccelTableTest, LoadStopsAtTheFirstMissingOrEmptyEntry)
{
    for (int n = 0; n < 5; ++n)
        Store(n, "11 65 57644");
    Store(5, "");
    Store(6, "3 66 32817");
    CAccelTable table;
    EXPECT_TRUE(table.LoadFromProfile(kSection));
    EXPECT_EQ(table.Entries().size(), 5u);
    EXPECT_EQ(table.Entries()[0], (AccelEntry{11, 65, 57644}));
    EXPECT_FALSE(table.IsModified());
    EXPECT_TRUE(m_ui.m_boxes.empty());
}

TEST_F(AccelTableTest, FormatErrorEndsTheTableOnceAndKeepsWhatWasRead)
{
    Store(0, "11 65 57644");
    Store(1, "3 46 32815");
    Store(2, "11 65");
    Store(3, "3 8 32806");
    CAccelTable table;
    EXPECT_TRUE(table.LoadFromProfile(kSection));
    EXPECT_EQ(table.Entries().size(), 2u);
    ASSERT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(m_ui.m_boxes[0].kind, EMessageBox::Error);
    EXPECT_EQ(m_ui.m_boxes[0].text, "Profile format error in [Key Binding Table] section");
}

TEST_F(AccelTableTest, EmptyOrUnreadableFirstEntryMeansNoTable)
{
    CAccelTable table;
    EXPECT_FALSE(table.LoadFromProfile(kSection));
    Store(0, "garbage");
    EXPECT_FALSE(table.LoadFromProfile(kSection));
    EXPECT_TRUE(table.Entries().empty());
}

TEST_F(AccelTableTest, ValuesAreTruncatedToTheirFieldWidths)
{
    Store(0, "267 65601 98304");  // 0x10B, 0x10041, 0x18000
    CAccelTable table;
    table.LoadFromProfile(kSection);
    EXPECT_EQ(table.Entries()[0], (AccelEntry{0x0B, 0x0041, 0x8000}));
}

TEST_F(AccelTableTest, DamagedNumbersLoadWithADefinedValue)
{
    Store(0, "99999999999999999999999 65 32817");  // far too large for any integer
    Store(1, " -1\t+66  32817 trailing text");
    Store(2, "3 -x 32817");
    CAccelTable table;
    EXPECT_TRUE(table.LoadFromProfile(kSection));
    ASSERT_EQ(table.Entries().size(), 2u);
    EXPECT_EQ(table.Entries()[0], (AccelEntry{0xFF, 65, ID_MARK}));
    EXPECT_EQ(table.Entries()[1], (AccelEntry{0xFF, 66, ID_MARK}));
    ASSERT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(m_ui.m_boxes[0].text, "Profile format error in [Key Binding Table] section");
}

TEST_F(AccelTableTest, MoreThan256StoredEntriesKeepTheFirst256)
{
    for (int n = 0; n < 300; ++n)
        Store(n, "3 65 32817");
    CAccelTable table;
    EXPECT_TRUE(table.LoadFromProfile(kSection));
    EXPECT_EQ(table.Entries().size(), 256u);
    ASSERT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(m_ui.m_boxes[0].text, "Too many accelerators");
    EXPECT_NE(table.Build(), nullptr);
}

TEST_F(AccelTableTest, SavesOnlyWhenModifiedWithAnEmptyEndMarker)
{
    CAccelTable table;
    table.LoadFromResource(1);
    table.SaveToProfile(kSection);
    EXPECT_TRUE(m_store.Values().empty());  // defaults that were never confirmed are not written

    table.SetEntries({{11, 65, 57644}, {3, 46, 32815}});
    table.SetModified();
    Store(5, "3 8 32806");  // an older, longer table stays behind the end marker
    table.SaveToProfile(kSection);
    EXPECT_EQ(m_store.GetString(kSection, "Entry0", "?"), "11 65 57644");
    EXPECT_EQ(m_store.GetString(kSection, "Entry1", "?"), "3 46 32815");
    EXPECT_EQ(m_store.GetString(kSection, "Entry2", "?"), "");

    CAccelTable reread;
    reread.LoadFromProfile(kSection);
    EXPECT_EQ(reread.Entries(), table.Entries());
}

TEST(KeyNames, ModifierOrderAndNamedKeys)
{
    EXPECT_EQ(Utf8KeyName(kAccelVirtKey | kAccelControl | kAccelShift, 35), "Shift+Ctrl+END(98HELP)");
    EXPECT_EQ(Utf8KeyName(kAccelVirtKey | kAccelAlt, 99), "Alt+3(ﾃﾝｷｰ)");
    EXPECT_EQ(Utf8KeyName(kAccelVirtKey | kAccelControl, '5'), "Ctrl+");  // main keyboard digits have no name
    EXPECT_EQ(Utf8KeyName(kAccelVirtKey | kAccelShift | kAccelControl | kAccelAlt, 116), "Shift+Ctrl+Alt+F5");
    EXPECT_EQ(Utf8KeyName(kAccelVirtKey, 37), "←");
    EXPECT_EQ(Utf8KeyName(kAccelVirtKey, 146), "EQUAL(98)");
    EXPECT_EQ(Utf8KeyName(kAccelVirtKey, 'Q'), "Q");
    EXPECT_EQ(Utf8KeyName(kAccelVirtKey, 0), "");
    int named = 0;
    for (unsigned k = 0; k < 256; ++k)
        named += !VirtualKeyName(k).empty() && !(k >= 'A' && k <= 'Z');
    EXPECT_EQ(named, 71);
}

TEST_F(AccelTableTest, DuplicateNamesTheLaterKeyThenTheEarlierCommand)
{
    CAccelTable table;
    table.SetEntries({{11, 'A', ID_EDIT_REDO}, {3, 46, ID_DELETE_CHAR}, {11, 'A', ID_MARK}});
    EXPECT_FALSE(table.FindDuplicate());
    ASSERT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(m_ui.m_boxes[0].kind, EMessageBox::Information);
    EXPECT_EQ(m_ui.m_boxes[0].text, "Ctrl+A が\n\n【取り消した動作を復活する】と\n\n【マーク】に\n\n重複してバインドされています。");

    // The same combination bound twice to one command is a duplicate too; flags compare whole.
    m_ui.Clear();
    table.SetEntries({{3, 'B', ID_MARK}, {7, 'B', ID_MARK}, {3, 'B', ID_MARK}});
    EXPECT_FALSE(table.FindDuplicate());
    table.SetEntries({{3, 'B', ID_MARK}, {7, 'B', ID_MARK}});
    EXPECT_TRUE(table.FindDuplicate());
}

TEST_F(AccelTableTest, BuiltInTablesHaveNoDuplicates)
{
    CAccelTable table;
    ASSERT_TRUE(table.LoadFromResource(1));
    EXPECT_EQ(table.Entries().size(), 82u);
    EXPECT_TRUE(table.FindDuplicate());
    for (const AccelEntry& e : table.Entries())
        EXPECT_EQ(e.fFlags & 3, 3) << e.wCommand;
    // Ctrl+A is stored as "11 65 57644".
    EXPECT_EQ(table.Entries()[0], (AccelEntry{11, 65, ID_EDIT_REDO}));
    ASSERT_TRUE(table.LoadFromResource(2));
    EXPECT_EQ(table.Entries().size(), 10u);
    EXPECT_TRUE(table.FindDuplicate());
    EXPECT_FALSE(table.LoadFromResource(3));
}

TEST_F(AccelTableTest, SelectionsByCommandAndByDescription)
{
    CAccelTable app;
    app.LoadFromResource(1);
    CAccelTable row;
    EXPECT_EQ(row.SelectByCommand(app, ID_DELETE_CHAR), 3);
    EXPECT_EQ(SjisToUtf8(row.KeyNames()), "Ctrl+D  DELETE  -(ﾃﾝｷｰ)");
    EXPECT_EQ(SjisToUtf8(row.Description()), "文字の削除");
    EXPECT_EQ(SjisToUtf8(row.KeyNames("\r\n")), "Ctrl+D\r\nDELETE\r\n-(ﾃﾝｷｰ)");

    CAccelTable none;
    EXPECT_EQ(none.SelectByCommand(app, ID_SPELL_CHECK), 0);
    EXPECT_EQ(SjisToUtf8(none.Description()), "現在位置より後方の最初の綴り誤りへ移動");
    EXPECT_EQ(none.KeyNames(), "");

    CAccelTable query;
    EXPECT_EQ(query.SelectByDescription(app, Utf8ToSjis("パラグラフの整形")), 1);
    EXPECT_EQ(query.GetCommand(), ID_FORMAT_PARAGRAPH);
    EXPECT_EQ(query.SelectByDescription(app, Utf8ToSjis("パラグラフの整形 ")), 0);  // byte for byte
}

TEST(AccelTable, SetFromKeyboardKeepsOtherFlagBits)
{
    AccelEntry e{0x03 | kAccelShift | 0x40, 0, ID_MARK};
    CAccelTable::SetFromKeyboard(e, 116);
    EXPECT_EQ(e.fFlags, 0x43);  // no modifier is held here; the unknown 0x40 bit stays
    EXPECT_EQ(e.wKey, 116);
    EXPECT_EQ(NewAccelEntry(ID_MARK), (AccelEntry{3, 0, ID_MARK}));
}
