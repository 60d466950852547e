// The key binding dialogs run for real: a second thread plays the user (a
// modal dialog keeps the test's thread until it ends), pressing keys with
// xdotool and buttons with the mouse or their messages, and reads what the
// dialogs show.
#include "KeyTestSupport.h"

#include <commctrl.h>

#include <thread>

#include "app/Resource.h"
#include "keys/BuiltinAccelTables.h"
#include "keys/CommandTable.h"
#include "keys/KeyDialogs_win.h"
#include "keys/KeyboardHooks_win.h"
#include "platform/Wide_win.h"

namespace {

// The user's side of the dialogs, on a thread of its own.
class CDialogUser {
public:
    explicit CDialogUser(std::function<void(CDialogUser&)> script)
        : m_nUiThread(::GetCurrentThreadId()), m_thread([this, script] {
              script(*this);
              CancelAll();
          })
    {
    }
    ~CDialogUser() { m_thread.join(); }
    CDialogUser(const CDialogUser&) = delete;
    CDialogUser& operator=(const CDialogUser&) = delete;

    // A dialog of the test's thread with this title, once it is shown.
    HWND WaitForDialog(const char* utf8Title)
    {
        std::wstring title = WideFromUtf8(utf8Title);
        HWND found = nullptr;
        WaitUntil([&] { return (found = FindDialog(title)) != nullptr; });
        if (found)
            xdotool::Activate(found);
        return found;
    }
    static bool WaitUntil(const std::function<bool()>& done, DWORD ms = 10000)
    {
        for (DWORD start = ::GetTickCount(); !done(); ::Sleep(20))
            if (::GetTickCount() - start > ms)
                return false;
        return true;
    }
    // A button pressed, as its click would (the dialog handles it in its own time).
    static void Press(HWND hDialog, int nId)
    {
        ::PostMessageW(hDialog, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hDialog, nId)));
    }
    // A mouse click into the list below its rows, nX pixels from its left: the
    // label being edited loses the focus.
    static bool ClickBelowRows(HWND hList, int nX)
    {
        RECT rc = {};
        ::GetWindowRect(hList, &rc);
        return xdotool::Click(POINT{rc.left + nX, rc.bottom - 8});
    }
    static std::wstring ItemText(HWND hList, int nRow, int nColumn)
    {
        wchar_t buf[256] = {};
        LVITEMW item = {};
        item.iSubItem = nColumn;
        item.pszText = buf;
        item.cchTextMax = 256;
        ::SendMessageW(hList, LVM_GETITEMTEXTW, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&item));
        return buf;
    }
    static std::wstring Text(HWND hWnd)
    {
        wchar_t buf[256] = {};
        ::GetWindowTextW(hWnd, buf, 256);
        return buf;
    }

private:
    HWND FindDialog(const std::wstring& title) const
    {
        DialogSearch search{&title, nullptr};
        ::EnumThreadWindows(m_nUiThread, FindDialogProc, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    struct DialogSearch {
        const std::wstring* title;
        HWND found;
    };
    static BOOL CALLBACK FindDialogProc(HWND h, LPARAM lp)
    {
        auto* s = reinterpret_cast<DialogSearch*>(lp);
        wchar_t cls[16] = {};
        ::GetClassNameW(h, cls, 16);
        if (::IsWindowVisible(h) && std::wstring(cls) == L"#32770" && Text(h) == *s->title) {
            s->found = h;
            return FALSE;
        }
        return TRUE;
    }
    // Whatever the script left open is cancelled, so the test's thread gets back.
    void CancelAll()
    {
        for (int i = 0; i < 100; ++i) {
            HWND h = FindDialog(WideFromUtf8("ｷｰﾊﾞｲﾝﾃﾞｨﾝｸﾞ"));
            if (!h)
                h = FindDialog(WideFromUtf8("ｷｰﾊﾞｲﾝﾃﾞｨﾝｸﾞﾃｰﾌﾞﾙ"));
            if (!h)
                return;
            Press(h, IDCANCEL);
            ::Sleep(100);
        }
    }

    DWORD m_nUiThread;
    std::thread m_thread;
};

constexpr char kTableTitle[] = "ｷｰﾊﾞｲﾝﾃﾞｨﾝｸﾞﾃｰﾌﾞﾙ";
constexpr char kCommandTitle[] = "ｷｰﾊﾞｲﾝﾃﾞｨﾝｸﾞ";

int RowOf(uint16_t command)
{
    return static_cast<int>(std::find(kBindableCommands, kBindableCommands + kBindableCommandCount, command) -
                            kBindableCommands);
}

// Selects a row of a list from the user's thread.
void Choose(HWND hList, int nRow)
{
    LVITEMW item = {};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(hList, LVM_SETITEMSTATE, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&item));
}

// Opens the command dialog of a row from the table dialog.
HWND OpenCommandDialog(CDialogUser& user, HWND hTable, uint16_t command)
{
    Choose(::GetDlgItem(hTable, IDC_KEY_TABLE_LIST), RowOf(command));
    CDialogUser::Press(hTable, IDC_KEY_CHANGE);
    return user.WaitForDialog(kCommandTitle);
}

// Adds a key in the command dialog and presses keys into its label; the label
// edit control, once it shows expected.
HWND AddKey(HWND hCommand, const std::wstring& keys, const char* utf8Expected)
{
    HWND hList = ::GetDlgItem(hCommand, IDC_COMMAND_KEY_LIST);
    CDialogUser::Press(hCommand, IDC_KEY_ADD);
    HWND hEdit = nullptr;
    CDialogUser::WaitUntil([&] {
        hEdit = reinterpret_cast<HWND>(::SendMessageW(hList, LVM_GETEDITCONTROL, 0, 0));
        return hEdit && IsKeyCaptureHookInstalled();
    });
    if (!hEdit || !xdotool::Keys(keys))
        return nullptr;
    std::wstring expected = WideFromUtf8(utf8Expected);
    return CDialogUser::WaitUntil([&] { return CDialogUser::Text(hEdit) == expected; }) ? hEdit : nullptr;
}

} // namespace

// A key added in the command dialog by pressing it into the label works as
// soon as the table dialog is confirmed, and is stored at exit. Escape, Return
// and Tab are captured like any key; a row added without a key is dropped.
TEST_F(KeyTest, BindingChangedInTheDialogsWorksAtOnceAndIsStored)
{
    REQUIRE_KEYS();
    ASSERT_TRUE(StartWithFile());
    std::wstring stored;
    {
        CDialogUser user([&](CDialogUser& u) {
            HWND hTable = u.WaitForDialog(kTableTitle);
            ASSERT_NE(hTable, nullptr);
            EXPECT_FALSE(IsKeypadHookInstalled());  // off while the dialog runs
            EXPECT_NE(::SendMessageW(hTable, WM_GETICON, ICON_BIG, 0), 0);
            HWND hList = ::GetDlgItem(hTable, IDC_KEY_TABLE_LIST);
            EXPECT_EQ(ListView_GetItemCount(hList), 80);
            EXPECT_EQ(CDialogUser::ItemText(hList, 0, 0), WideFromUtf8("コマンドモード"));
            EXPECT_EQ(CDialogUser::ItemText(hList, 0, 1), WideFromUtf8("0(ﾃﾝｷｰ)"));
            EXPECT_EQ(SelectedRow(hList), 0);
            RECT rc = {};
            ::GetClientRect(hList, &rc);
            int c0 = ListView_GetColumnWidth(hList, 0), c1 = ListView_GetColumnWidth(hList, 1);
            // Halves of the width the scroll bar leaves (80 rows need one).
            EXPECT_EQ(c0 + c1, rc.right);
            EXPECT_TRUE(c1 == c0 || c1 == c0 + 1);
            EXPECT_EQ(::IsDlgButtonChecked(hTable, IDC_HOOK_NUMPAD), BST_CHECKED);
            EXPECT_EQ(::IsDlgButtonChecked(hTable, IDC_RETURN_CHAR), BST_CHECKED);

            HWND hCommand = OpenCommandDialog(u, hTable, ID_PAGE_DOWN);
            ASSERT_NE(hCommand, nullptr);
            EXPECT_EQ(CDialogUser::Text(::GetDlgItem(hCommand, IDC_COMMAND_NAME)), WideFromUtf8("画面を次の頁へ移動"));
            HWND hKeys = ::GetDlgItem(hCommand, IDC_COMMAND_KEY_LIST);
            EXPECT_EQ(ListView_GetItemCount(hKeys), 2);
            EXPECT_EQ(CDialogUser::ItemText(hKeys, 1, 0), WideFromUtf8("7(ﾃﾝｷｰ)"));
            HWND hEdit = AddKey(hCommand, L"ctrl+shift+F5", "Shift+Ctrl+F5");
            ASSERT_NE(hEdit, nullptr);
            for (auto [key, name] : {std::pair{L"Escape", "ESCAPE"}, {L"Tab", "TAB"}, {L"Return", "RETURN"},
                                     {L"ctrl+shift+F5", "Shift+Ctrl+F5"}}) {
                EXPECT_TRUE(xdotool::Keys(key));
                std::wstring expected = WideFromUtf8(name);
                EXPECT_TRUE(u.WaitUntil([&] { return CDialogUser::Text(hEdit) == expected; })) << name;
                EXPECT_TRUE(::IsWindowVisible(hCommand));
            }
            // A click elsewhere ends the edit.
            EXPECT_TRUE(CDialogUser::ClickBelowRows(hKeys, 20));
            EXPECT_TRUE(u.WaitUntil([] { return !IsKeyCaptureHookInstalled(); }));
            EXPECT_EQ(CDialogUser::ItemText(hKeys, 2, 0), L"Shift+Ctrl+F5");
            // Added, then left without a key.
            CDialogUser::Press(hCommand, IDC_KEY_ADD);
            EXPECT_TRUE(u.WaitUntil([] { return IsKeyCaptureHookInstalled(); }));
            EXPECT_TRUE(CDialogUser::ClickBelowRows(hKeys, 80));
            EXPECT_TRUE(u.WaitUntil([] { return !IsKeyCaptureHookInstalled(); }));
            EXPECT_EQ(ListView_GetItemCount(hKeys), 4);
            CDialogUser::Press(hCommand, IDOK);
            EXPECT_TRUE(u.WaitUntil([&] { return !::IsWindow(hCommand); }));
            EXPECT_EQ(CDialogUser::ItemText(hList, RowOf(ID_PAGE_DOWN), 1),
                      WideFromUtf8("NEXT  7(ﾃﾝｷｰ)  Shift+Ctrl+F5"));
            CDialogUser::Press(hTable, IDOK);
        });
        Main()->RunCommand(ID_CUSTOMIZE_KEYS);
    }
    EXPECT_TRUE(IsKeypadHookInstalled());
    const CAccelTable& table = m_pApp->GetKeyTable();
    EXPECT_TRUE(table.IsModified());
    ASSERT_EQ(table.Entries().size(), 82u);  // Ctrl+G (go to line, not bindable) is gone

    CCommandSpy spy({ID_PAGE_DOWN});
    Main()->SetFirstTarget(&spy);
    ASSERT_TRUE(FocusView());
    EXPECT_TRUE(PressUntil(L"ctrl+shift+F5", [&] { return !spy.m_ran.empty(); }));
    Main()->SetFirstTarget(nullptr);
    EXPECT_EQ(CloseAndRun(), 0);
    int found = -1;
    for (int n = 0; n < 82; ++n)
        if (StoredString(L"Key Binding Table", (L"Entry" + std::to_wstring(n)).c_str()) == L"15 116 32773")
            found = n;
    EXPECT_GE(found, 0);
    EXPECT_EQ(StoredString(L"Key Binding Table", L"Entry81"), L"11 65 57644");  // Ctrl+A, redo: the last row with keys
    EXPECT_EQ(StoredString(L"Key Binding Table", L"Entry82"), L"");
}

// OK in the table dialog refuses a key bound twice, naming the key, the earlier
// row's command and the later one's; the default button resets rows and
// options after asking; cancel leaves the application as it was.
TEST_F(KeyTest, DuplicateIsRefusedAndCancelChangesNothing)
{
    REQUIRE_KEYS();
    ASSERT_TRUE(StartWithFile());
    std::vector<AccelEntry> before = m_pApp->GetKeyTable().Entries();
    m_ui.AnswerNext(true);  // the default button's question
    size_t nBoxesAtOk = 0;
    {
        CDialogUser user([&](CDialogUser& u) {
            HWND hTable = u.WaitForDialog(kTableTitle);
            ASSERT_NE(hTable, nullptr);
            HWND hList = ::GetDlgItem(hTable, IDC_KEY_TABLE_LIST);
            HWND hCommand = OpenCommandDialog(u, hTable, ID_MARK);
            ASSERT_NE(hCommand, nullptr);
            ASSERT_NE(AddKey(hCommand, L"ctrl+s", "Ctrl+S"), nullptr);
            CDialogUser::Press(hCommand, IDOK);  // the edit ends with the dialog
            EXPECT_TRUE(u.WaitUntil([&] { return !::IsWindow(hCommand); }));
            EXPECT_FALSE(IsKeyCaptureHookInstalled());
            EXPECT_EQ(CDialogUser::ItemText(hList, RowOf(ID_MARK), 1), WideFromUtf8("/(ﾃﾝｷｰ)  Ctrl+S"));
            // Handled before SendMessage returns: the box is recorded, the dialog stays.
            ::SendMessageW(hTable, WM_COMMAND, IDOK, 0);
            nBoxesAtOk = m_ui.m_boxes.size();
            EXPECT_TRUE(::IsWindowVisible(hTable));

            ::SendDlgItemMessageW(hTable, IDC_RETURN_CHAR, BM_SETCHECK, BST_UNCHECKED, 0);
            ::SendMessageW(hTable, WM_COMMAND, IDC_KEY_DEFAULT, 0);
            EXPECT_EQ(CDialogUser::ItemText(hList, RowOf(ID_MARK), 1), WideFromUtf8("/(ﾃﾝｷｰ)"));
            EXPECT_EQ(::IsDlgButtonChecked(hTable, IDC_RETURN_CHAR), BST_CHECKED);
            CDialogUser::Press(hTable, IDCANCEL);
        });
        Main()->RunCommand(ID_CUSTOMIZE_KEYS);
    }
    EXPECT_EQ(nBoxesAtOk, 1u);
    ASSERT_EQ(m_ui.m_boxes.size(), 2u);
    EXPECT_EQ(m_ui.m_boxes[0].kind, EMessageBox::Information);
    EXPECT_EQ(m_ui.m_boxes[0].text, "Ctrl+S が\n\n【マーク】と\n\n【上書き保存】に\n\n重複してバインドされています。");
    EXPECT_EQ(m_ui.m_boxes[1].text, "すべてのキーの設定を初期状態に戻しますか");
    EXPECT_EQ(m_pApp->GetKeyTable().Entries(), before);
    EXPECT_FALSE(m_pApp->GetKeyTable().IsModified());
    EXPECT_TRUE(AppSettings().m_bReturnChar);
    EXPECT_EQ(CloseAndRun(), 0);
    EXPECT_EQ(StoredString(L"Key Binding Table", L"Entry0"), L"<missing>");
}

// Confirmed in control-code input mode, the new table waits until the mode
// ends (the main window keeps no table meanwhile); the options come back from
// the dialog, and with "HookNumPad" off the keypad hook stays off.
TEST_F(KeyTest, TableConfirmedInControlCodeModeWaitsForTheModeToEnd)
{
    ASSERT_TRUE(Start(""));
    Main()->RunCommand(ID_CONTROL_CODE_MODE);
    {
        CDialogUser user([&](CDialogUser& u) {
            HWND hTable = u.WaitForDialog(kTableTitle);
            ASSERT_NE(hTable, nullptr);
            ::SendDlgItemMessageW(hTable, IDC_HOOK_NUMPAD, BM_SETCHECK, BST_UNCHECKED, 0);
            CDialogUser::Press(hTable, IDOK);
        });
        Main()->RunCommand(ID_CUSTOMIZE_KEYS);
    }
    EXPECT_EQ(Main()->GetAccelTable(), nullptr);
    EXPECT_TRUE(m_pApp->GetKeyTable().IsModified());
    EXPECT_FALSE(AppSettings().m_bHookNumPad);
    EXPECT_FALSE(IsKeypadHookInstalled());
    Main()->RunCommand(ID_CONTROL_CODE_MODE);
    EXPECT_EQ(::CopyAcceleratorTableW(Main()->GetAccelTable(), nullptr, 0), 81);
    EXPECT_EQ(CloseAndRun(), 0);
    EXPECT_EQ(StoredString(L"Key Binding Table", L"Entry81"), L"");
}
