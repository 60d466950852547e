// What the key binding dialogs edit: the table dialog's rows and options, and
// the command dialog's keys of one command. Nothing reaches the application's
// table before OK, and OK refuses a key bound twice.
#include <gtest/gtest.h>

#include "fakes/FakeUi.h"
#include "keys/CommandIds.h"
#include "keys/CommandKeysEdit.h"
#include "keys/KeyTableEdit.h"
#include "text/Unicode.h"

namespace {

constexpr uint8_t kCtrl = 0x0B;  // virtual key, no flash, Ctrl

class KeyBindingEditTest : public ::testing::Test {
protected:
    void SetUp() override { m_app.LoadFromResource(1); }

    int RowOf(uint16_t command) const
    {
        for (int i = 0; i < kBindableCommandCount; ++i)
            if (kBindableCommands[i] == command)
                return i;
        return -1;
    }

    CAccelTable m_app;
    CScopedFakeUi m_ui;
};

} // namespace

TEST_F(KeyBindingEditTest, RowsHoldEachCommandsKeysInTableOrder)
{
    CKeyTableEdit edit(m_app, true, false);
    EXPECT_EQ(edit.GetRowCount(), 80);
    const CAccelTable& del = edit.Row(RowOf(ID_DELETE_CHAR));
    EXPECT_EQ(SjisToUtf8(del.KeyNames()), "Ctrl+D  DELETE  -(ﾃﾝｷｰ)");
    EXPECT_EQ(SjisToUtf8(edit.Row(0).Description()), "コマンドモード");
    EXPECT_TRUE(edit.Row(RowOf(ID_SPELL_CHECK)).Entries().empty());
    EXPECT_EQ(edit.Row(RowOf(ID_SPELL_CHECK)).GetCommand(), ID_SPELL_CHECK);

    // Gathered row by row: the command mode's keypad 0 comes first, and Ctrl+G
    // (go to line, not a bindable command) is not among them.
    std::vector<AccelEntry> all = edit.Gather();
    EXPECT_EQ(all.size(), 81u);
    EXPECT_EQ(all.front(), (AccelEntry{3, 96, ID_COMMAND_MODE}));
    EXPECT_EQ(all.back(), (AccelEntry{kCtrl, 'A', ID_EDIT_REDO}));
    for (const AccelEntry& e : all)
        EXPECT_NE(e.wCommand, ID_GOTO_LINE);
}

TEST_F(KeyBindingEditTest, OkMovesTheRowsIntoTheApplicationTable)
{
    CKeyTableEdit edit(m_app, true, true);
    edit.Row(RowOf(ID_MARK)).Add(AccelEntry{kCtrl, 'Q', ID_MARK});
    edit.m_bReturnChar = false;
    bool bHook = true, bReturn = true;
    ASSERT_TRUE(edit.Commit(m_app, bHook, bReturn));
    EXPECT_TRUE(m_app.IsModified());
    EXPECT_EQ(m_app.Entries(), edit.Gather());
    EXPECT_TRUE(bHook);
    EXPECT_FALSE(bReturn);
    EXPECT_TRUE(m_ui.m_boxes.empty());
}

TEST_F(KeyBindingEditTest, OkRefusesAKeyBoundTwiceAndChangesNothing)
{
    std::vector<AccelEntry> before = m_app.Entries();
    CKeyTableEdit edit(m_app, true, true);
    // Ctrl+S for the mark while it still saves: the mark's row comes first.
    edit.Row(RowOf(ID_MARK)).Add(AccelEntry{kCtrl, 'S', ID_MARK});
    edit.m_bHookNumPad = false;
    bool bHook = true, bReturn = true;
    EXPECT_FALSE(edit.Commit(m_app, bHook, bReturn));
    ASSERT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(m_ui.m_boxes[0].kind, EMessageBox::Information);
    EXPECT_EQ(m_ui.m_boxes[0].text, "Ctrl+S が\n\n【マーク】と\n\n【上書き保存】に\n\n重複してバインドされています。");
    EXPECT_EQ(m_app.Entries(), before);
    EXPECT_FALSE(m_app.IsModified());
    EXPECT_TRUE(bHook);
}

TEST_F(KeyBindingEditTest, OkRefusesMoreKeysThanABuiltTableHolds)
{
    CKeyTableEdit edit(m_app, true, true);
    CAccelTable& row = edit.Row(RowOf(ID_SPELL_CHECK));
    for (uint16_t key = 1; row.Entries().size() + 81 < 256; ++key)
        row.Add(AccelEntry{0x1F, key, ID_SPELL_CHECK});  // Shift+Ctrl+Alt, no clash with the defaults
    bool bHook = true, bReturn = true;
    ASSERT_EQ(edit.Gather().size(), 256u);
    EXPECT_TRUE(edit.Commit(m_app, bHook, bReturn));
    row.Add(AccelEntry{0x1F, 300, ID_SPELL_CHECK});
    EXPECT_FALSE(edit.Commit(m_app, bHook, bReturn));
    ASSERT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(m_ui.m_boxes[0].text, "Too many accelerators");
    EXPECT_EQ(m_app.Entries().size(), 256u);
}

TEST_F(KeyBindingEditTest, DefaultAsksThenTakesTableOneAndBothOptions)
{
    m_app.SetEntries({{kCtrl, 'Q', ID_MARK}});
    CKeyTableEdit edit(m_app, false, false);
    m_ui.AnswerNext(false);
    EXPECT_FALSE(edit.AskResetToDefaults());
    EXPECT_EQ(edit.Gather().size(), 1u);
    EXPECT_FALSE(edit.m_bHookNumPad);

    m_ui.AnswerNext(true);
    EXPECT_TRUE(edit.AskResetToDefaults());
    ASSERT_EQ(m_ui.m_boxes.size(), 2u);
    EXPECT_EQ(m_ui.m_boxes[1].text, "すべてのキーの設定を初期状態に戻しますか");
    EXPECT_EQ(edit.Gather().size(), 81u);
    EXPECT_TRUE(edit.m_bHookNumPad);
    EXPECT_TRUE(edit.m_bReturnChar);
    // Nothing reached the application: cancelling now leaves it as it was.
    EXPECT_EQ(m_app.Entries().size(), 1u);
}

TEST_F(KeyBindingEditTest, ChangeNeedsAChosenRow)
{
    CKeyTableEdit edit(m_app, true, true);
    EXPECT_TRUE(edit.CanChange(0));
    EXPECT_FALSE(edit.CanChange(-1));
    ASSERT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(m_ui.m_boxes[0].text, "ｷｰﾊﾞｲﾝﾃﾞｨﾝｸﾞを選択してください");
}

TEST_F(KeyBindingEditTest, CommandKeysAddChangeDelete)
{
    CAccelTable row;
    row.SelectByCommand(m_app, ID_SPELL_CHECK);  // no key yet
    CCommandKeysEdit keys(row);
    EXPECT_EQ(SjisToUtf8(keys.Description()), "現在位置より後方の最初の綴り誤りへ移動");
    EXPECT_FALSE(keys.CanChange(-1));
    EXPECT_FALSE(keys.Delete(-1));
    int n = keys.Add();
    EXPECT_EQ(n, 0);
    EXPECT_EQ(keys.Entry(0), (AccelEntry{3, 0, ID_SPELL_CHECK}));
    EXPECT_TRUE(keys.CanChange(0));
    EXPECT_FALSE(keys.Delete(-1));
    EXPECT_TRUE(keys.Delete(0));
    ASSERT_EQ(m_ui.m_boxes.size(), 3u);
    EXPECT_EQ(m_ui.m_boxes[0].text, "キーバインドが選択されていません");
    EXPECT_EQ(m_ui.m_boxes[1].text, "削除すべきキーがありません");
    EXPECT_EQ(m_ui.m_boxes[2].text, "削除すべきキーが選択されていません");
    EXPECT_TRUE(row.Entries().empty());  // the row changes only on OK
}

TEST_F(KeyBindingEditTest, CommandKeysOkDropsKeysNeverChosen)
{
    CAccelTable row;
    row.SelectByCommand(m_app, ID_DELETE_CHAR);
    CCommandKeysEdit keys(row);
    int added = keys.Add();
    keys.Add();  // left without a key
    keys.Entry(added).wKey = 116;
    keys.Entry(added).fFlags |= 0x0C;  // Shift+Ctrl+F5
    keys.Delete(0);                    // Ctrl+D
    keys.Commit(row);
    ASSERT_EQ(row.Entries().size(), 3u);
    EXPECT_EQ(SjisToUtf8(row.KeyNames()), "DELETE  -(ﾃﾝｷｰ)  Shift+Ctrl+F5");
    EXPECT_EQ(row.Entries()[2], (AccelEntry{0x0F, 116, ID_DELETE_CHAR}));
}
