// Keys pressed for real (xdotool under Xvfb) in a running editor: the default
// key binding table runs its commands, control-code input mode lets keys reach
// the view as characters, the keypad hook turns keypad keys into key-downs; and
// the table as start-up loads it and exit stores it.
#include "KeyTestSupport.h"

#include "keys/BuiltinAccelTables.h"
#include "keys/CommandIds.h"
#include "keys/CommandTable.h"
#include "keys/KeyNames.h"
#include "keys/KeyboardHooks_win.h"
#include "text/Unicode.h"

namespace {

// xdotool's name for an entry's key combination. Keypad keys go by their X
// key codes, which mean the keypad whatever the key map says.
std::wstring XKeyName(const AccelEntry& e)
{
    std::wstring name;
    if (e.fFlags & kAccelShift)
        name += L"shift+";
    if (e.fFlags & kAccelControl)
        name += L"ctrl+";
    if (e.fFlags & kAccelAlt)
        name += L"alt+";
    static const int kKeypadCodes[] = {90, 87, 88, 89, 83, 84, 85, 79, 80, 81, 63, 86, 0, 82, 91, 106};
    if (e.wKey >= 'A' && e.wKey <= 'Z')
        return name + static_cast<wchar_t>(e.wKey - 'A' + 'a');
    if (e.wKey >= VK_NUMPAD0 && e.wKey <= VK_DIVIDE)
        return name + std::to_wstring(kKeypadCodes[e.wKey - VK_NUMPAD0]);
    static const std::pair<WORD, const wchar_t*> kNames[] = {
        {VK_BACK, L"BackSpace"}, {VK_TAB, L"Tab"},   {VK_RETURN, L"Return"}, {VK_PRIOR, L"Prior"},
        {VK_NEXT, L"Next"},      {VK_END, L"End"},   {VK_HOME, L"Home"},     {VK_LEFT, L"Left"},
        {VK_UP, L"Up"},          {VK_RIGHT, L"Right"}, {VK_DOWN, L"Down"},   {VK_INSERT, L"Insert"},
        {VK_DELETE, L"Delete"},
    };
    for (const auto& [key, keysym] : kNames)
        if (e.wKey == key)
            return name + keysym;
    return name + L"F" + std::to_wstring(e.wKey - VK_F1 + 1);
}

std::set<unsigned> AllBoundCommands()
{
    std::set<unsigned> ids(kBindableCommands, kBindableCommands + kBindableCommandCount);
    ids.insert(ID_GOTO_LINE);
    return ids;
}

int AcceleratorCount(HACCEL hAccel) { return hAccel ? ::CopyAcceleratorTableW(hAccel, nullptr, 0) : 0; }

} // namespace

TEST_F(KeyTest, StartUpInstallsTheStoredTableAndExitKeepsItUnlessChanged)
{
    std::wstring section = m_strSettingsKey + L"\\Key Binding Table";
    auto store = [&](const wchar_t* name, const wchar_t* value) {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, section.c_str(), name, REG_SZ, value,
                          static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    };
    store(L"Entry0", L"11 83 57600");  // Ctrl+S makes a new file
    store(L"Entry1", L"");
    store(L"Entry2", L"11 78 57603");  // behind the end: never read
    DWORD off = 0;
    ::RegSetKeyValueW(HKEY_CURRENT_USER, section.c_str(), L"HookNumPad", REG_DWORD, &off, sizeof off);
    ASSERT_TRUE(Start(""));
    EXPECT_EQ(m_pApp->GetKeyTable().Entries(), (std::vector<AccelEntry>{{11, 83, ID_FILE_NEW}}));
    EXPECT_EQ(AcceleratorCount(Main()->GetAccelTable()), 1);
    EXPECT_FALSE(AppSettings().m_bHookNumPad);
    EXPECT_FALSE(IsKeypadHookInstalled());
    EXPECT_EQ(CloseAndRun(), 0);
    EXPECT_EQ(StoredString(L"Key Binding Table", L"Entry0"), L"11 83 57600");
    EXPECT_EQ(StoredString(L"Key Binding Table", L"Entry2"), L"11 78 57603");

    // Nothing stored: built-in table 1, the keypad hook on until exit, and the
    // defaults (never confirmed in the dialog) are not written.
    ::RegDeleteTreeW(HKEY_CURRENT_USER, m_strSettingsKey.c_str());
    AppSettings() = CAppSettings();
    ASSERT_TRUE(Start(""));
    EXPECT_EQ(m_pApp->GetKeyTable().Entries().size(), 82u);
    EXPECT_EQ(AcceleratorCount(Main()->GetAccelTable()), 82);
    EXPECT_TRUE(IsKeypadHookInstalled());
    EXPECT_EQ(CloseAndRun(), 0);
    EXPECT_FALSE(IsKeypadHookInstalled());
    EXPECT_EQ(StoredString(L"Key Binding Table", L"Entry0"), L"<missing>");
}

// Every combination of the default table, pressed on the keyboard, runs its
// command in a document window (the keypad ones through the keypad hook).
TEST_F(KeyTest, DefaultTableKeysRunTheirCommands)
{
    REQUIRE_KEYS();
    ASSERT_TRUE(StartWithFile());
    CCommandSpy spy(AllBoundCommands());
    Main()->SetFirstTarget(&spy);
    ASSERT_TRUE(FocusView());
    ASSERT_TRUE(NumLockOn(spy));

    std::wstring keys;
    std::vector<unsigned> expected;
    std::vector<AccelEntry> alt;
    for (const AccelEntry& e : BuiltinAccelTable(1)) {
        if (e.fFlags & kAccelAlt) {
            alt.push_back(e);
            continue;
        }
        keys += L" " + XKeyName(e);
        expected.push_back(e.wCommand);
    }
    EXPECT_TRUE(PressUntil(keys, [&] { return spy.m_ran.size() >= expected.size(); }))
        << spy.m_ran.size() << " of " << expected.size();
    EXPECT_EQ(spy.m_ran, expected);

    // An Alt combination runs its command and leaves the next key working (the
    // menu bar does not take it).
    CMenuWatch menu;
    for (const AccelEntry& e : alt) {
        spy.m_ran.clear();
        std::vector<unsigned> two = {e.wCommand, ID_SEARCH_NEXT};
        EXPECT_TRUE(PressUntil(XKeyName(e) + L" F3", [&] { return spy.m_ran.size() >= 2; }))
            << SjisToUtf8(KeyName(e));
        EXPECT_EQ(spy.m_ran, two) << SjisToUtf8(KeyName(e));
    }
    EXPECT_FALSE(menu.MenuWasOpened());
    Main()->SetFirstTarget(nullptr);
    EXPECT_EQ(CloseAndRun(), 0);
}

// In control-code input mode no binding runs a command: Ctrl+S reaches the view
// as the control character and saves nothing; the mode shows its check mark.
// Turned off, the table is built again and Ctrl+S saves.
TEST_F(KeyTest, ControlCodeModeLetsKeysReachTheViewAsCharacters)
{
    REQUIRE_KEYS();
    ASSERT_TRUE(StartWithFile(3));
    CDocBase* pDoc = Frame()->GetDocument();
    ASSERT_TRUE(FocusView());
    HWND hView = View()->GetHwnd();
    CMessageRecorder seen;
    pDoc->SetModifiedFlag(true);

    Main()->RunCommand(ID_CONTROL_CODE_MODE);
    EXPECT_TRUE(Main()->GetRoute().QueryState(ID_CONTROL_CODE_MODE).IsChecked());
    EXPECT_EQ(Main()->GetAccelTable(), nullptr);
    EXPECT_EQ(Frame()->GetDefaultAccelerator(), nullptr);
    EXPECT_TRUE(PressUntil(L"ctrl+s ctrl+n", [&] { return seen.Count(hView, WM_CHAR, 0x0E) == 1; }));
    EXPECT_EQ(seen.Count(hView, WM_CHAR, 0x13), 1);
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_EQ(m_pApp->GetDocuments().size(), 1u);

    Main()->RunCommand(ID_CONTROL_CODE_MODE);
    EXPECT_FALSE(Main()->GetRoute().QueryState(ID_CONTROL_CODE_MODE).IsChecked());
    EXPECT_EQ(AcceleratorCount(Main()->GetAccelTable()), 82);
    EXPECT_TRUE(PressUntil(L"ctrl+s", [&] { return !pDoc->IsModified(); }));
    EXPECT_EQ(seen.Count(hView, WM_CHAR, 0x13), 1);
    EXPECT_EQ(CloseAndRun(), 0);
}

// The keypad hook posts a keypad key again as a key-down for the focus window
// and drops its release; other keys are left alone. Without the hook the
// keypad key has its release as usual.
TEST_F(KeyTest, KeypadHookRepostsKeypadKeysAsKeyDowns)
{
    REQUIRE_KEYS();
    ASSERT_TRUE(StartWithFile());
    CCommandSpy spy({ID_MARK, ID_OPEN, ID_SEARCH_NEXT});
    Main()->SetFirstTarget(&spy);
    ASSERT_TRUE(FocusView());
    HWND hView = View()->GetHwnd();
    ASSERT_TRUE(IsKeypadHookInstalled());
    CMessageRecorder seen;
    // X key code 106 is the keypad's "/", whatever Num Lock says.
    EXPECT_TRUE(PressUntil(L"106 F3", [&] { return spy.m_ran.size() == 2 && seen.Count(hView, WM_KEYUP, VK_F3); }));
    EXPECT_EQ(spy.m_ran, (std::vector<unsigned>{ID_MARK, ID_SEARCH_NEXT}));
    EXPECT_EQ(seen.Count(hView, WM_KEYDOWN, VK_DIVIDE), 1);
    EXPECT_EQ(seen.Count(hView, WM_KEYUP, VK_DIVIDE), 0);

    RemoveKeypadHook();
    spy.m_ran.clear();
    seen.Clear();
    EXPECT_TRUE(PressUntil(L"63", [&] { return seen.Count(hView, WM_KEYUP, VK_MULTIPLY) == 1; }));
    EXPECT_EQ(spy.m_ran, (std::vector<unsigned>{ID_OPEN}));
    Main()->SetFirstTarget(nullptr);
    EXPECT_EQ(CloseAndRun(), 0);
}
