// The settings dialogs, the colour and font commands, About, the attachment
// bar and the composer's drop menu, run inside the test program: each dialog
// is opened through its command and worked through its controls, as a user
// would, from a timer that fires inside the dialog's own message loop.
#include "ShellTestSupport.h"

#include <commctrl.h>
#include <commdlg.h>

#include "app/ChildFrame_win.h"
#include "app/Resource.h"
#include "fw/MdiChildWnd_win.h"
#include "fw/View_win.h"
#include "keys/CommandIds.h"
#include "text/Unicode.h"
#include "view/Vu.h"

namespace {

// A script for the window a modal loop of this thread shows (a dialog, a
// pop-up menu): run once that window is up.
struct CModalScript {
    const wchar_t* pszClass;
    std::function<void(HWND)> act;
    int nTicks = 0;
    bool bDone = false;
};

CModalScript* g_pScript = nullptr;
UINT_PTR g_nTimer = 0;

struct CFindArgs {
    const wchar_t* pszClass;
    HWND hFound;
};

BOOL CALLBACK FindShownWindow(HWND h, LPARAM lp)
{
    auto* a = reinterpret_cast<CFindArgs*>(lp);
    wchar_t name[64] = {};
    ::GetClassNameW(h, name, 64);
    if (::IsWindowVisible(h) && std::wstring(name) == a->pszClass) {
        a->hFound = h;
        return FALSE;
    }
    return TRUE;
}

HWND ShownWindowOfClass(const wchar_t* pszClass)
{
    CFindArgs args{pszClass, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindShownWindow, reinterpret_cast<LPARAM>(&args));
    return args.hFound;
}

void CALLBACK ScriptTimer(HWND, UINT, UINT_PTR, DWORD)
{
    CModalScript* p = g_pScript;
    if (!p || p->bDone)
        return;
    HWND h = ShownWindowOfClass(p->pszClass);
    if (!h && ++p->nTicks < 300)
        return;
    p->bDone = true;
    ::KillTimer(nullptr, g_nTimer);
    if (h) {
        p->act(h);
        return;
    }
    // Never came: whatever did come is closed, so the test does not hang.
    ADD_FAILURE() << "no window of class " << Narrow(p->pszClass);
    if (HWND d = ShownWindowOfClass(L"#32770"))
        ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    ::EndMenu();
}

// Runs run, which enters a modal loop, and act on the window of class pszClass
// that the loop shows.
void WhileModal(const wchar_t* pszClass, const std::function<void(HWND)>& act, const std::function<void()>& run)
{
    CModalScript script{pszClass, act};
    g_pScript = &script;
    g_nTimer = ::SetTimer(nullptr, 0, 30, ScriptTimer);
    run();
    ::KillTimer(nullptr, g_nTimer);
    g_pScript = nullptr;
    EXPECT_TRUE(script.bDone) << "the modal loop ended before its window came";
}

std::wstring TextOf(HWND h)
{
    wchar_t text[512] = {};
    ::GetWindowTextW(h, text, 512);
    return text;
}

std::wstring ItemText(HWND dlg, int nId) { return TextOf(::GetDlgItem(dlg, nId)); }
void SetItem(HWND dlg, int nId, const wchar_t* text) { ::SetDlgItemTextW(dlg, nId, text); }
bool Checked(HWND dlg, int nId) { return ::IsDlgButtonChecked(dlg, nId) == BST_CHECKED; }
void Click(HWND dlg, int nId) { ::SendMessageW(::GetDlgItem(dlg, nId), BM_CLICK, 0, 0); }

// Chooses item nItem (from 0) of the pop-up menu that is up, with the keys.
void ChooseMenuItem(HWND hMenuWindow, int nItem)
{
    for (int i = 0; i <= nItem; ++i)
        ::PostMessageW(hMenuWindow, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(hMenuWindow, WM_KEYDOWN, VK_RETURN, 0);
}

class DialogsTest : public ShellTest {
protected:
    // Runs command nId of the main window with act working its dialog.
    void WithDialog(unsigned nId, const std::function<void(HWND)>& act)
    {
        WhileModal(L"#32770", act, [&] { Main()->RunCommand(nId); });
    }
    long StoredInt(const wchar_t* section, const wchar_t* name) const
    {
        DWORD value = 0, size = sizeof value;
        std::wstring key = m_strSettingsKey + L"\\" + section;
        if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
            ERROR_SUCCESS)
            return -99999;
        return static_cast<long>(value);
    }
    // The row pitch an editor view measures.
    static int LineHeightOf(CView* pView) { return dynamic_cast<CVu&>(*pView->GetDocView()).m_metrics.nLineHeight; }
    // The composer with a mail, and two files beside it to drop.
    bool StartComposer()
    {
        m_dir.Write("m.txt", "Subject: s\r\n\r\nbody\r\n");
        m_dir.Write("d1.txt", "1\r\n");
        m_dir.Write("d2.txt", "2\r\n");
        return Start("-MAILEDIT \"" + File("m.txt") + "\"");
    }
    // Drops d1.txt and d2.txt on the main window and chooses item nItem of the
    // menu that comes (0 "添付", 1 "開く").
    void DropTwoFilesAndChoose(int nItem)
    {
        HDROP hDrop = MakeDrop({File("d1.txt"), File("d2.txt")});
        WhileModal(L"#32768", [nItem](HWND menu) { ChooseMenuItem(menu, nItem); },
                   [&] { ::SendMessageW(Main()->GetHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0); });
        Pump();
    }
    std::vector<std::string> BoxTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& box : m_ui.m_boxes)
            texts.push_back(box.text);
        return texts;
    }
};

std::wstring RegClassesValue(const wchar_t* key, const wchar_t* name)
{
    wchar_t buf[1024] = {};
    DWORD size = sizeof buf;
    if (::RegGetValueW(HKEY_CLASSES_ROOT, key, name, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return buf;
}

} // namespace

// The dialog shows the settings; OK stores what was set in the application,
// the views are laid out again for the new row gap, and the values reach the
// registry at exit.
TEST_F(DialogsTest, OtherSettingsAreStoredAndWrittenAtExit)
{
    m_dir.Write("a.txt", "a\r\n");
    ASSERT_TRUE(Start("\"" + File("a.txt") + "\""));
    CView* pView = Main()->MDIGetActive()->GetActiveView();
    int nPitch = LineHeightOf(pView);
    WithDialog(ID_OTHER_SETTINGS, [&](HWND dlg) {
        EXPECT_EQ(TextOf(dlg), L"その他の設定");
        EXPECT_TRUE(Checked(dlg, IDC_CURSOR_BLINK));
        EXPECT_FALSE(Checked(dlg, IDC_TITLE_FULL_PATH));
        EXPECT_FALSE(Checked(dlg, IDC_FAST_SCROLL));
        EXPECT_TRUE(Checked(dlg, IDC_URL_SENSITIVE));
        EXPECT_TRUE(Checked(dlg, IDC_HILIGHT_MARK));
        EXPECT_FALSE(Checked(dlg, IDC_SPACE_ASCII));
        EXPECT_TRUE(Checked(dlg, IDC_READ_TAB_8));
        EXPECT_EQ(ItemText(dlg, IDC_LINE_LENGTH), L"72");
        EXPECT_EQ(ItemText(dlg, IDC_GAP_PIXEL), L"0");
        EXPECT_EQ(ItemText(dlg, IDC_MAX_HISTORY), L"1024");
        EXPECT_EQ(ItemText(dlg, IDC_ASSOCIATE_TXT), L"拡張子 .txt を Tova に関連付ける");
        // The spin buttons are bound to their fields with the ranges.
        EXPECT_EQ(reinterpret_cast<HWND>(::SendDlgItemMessageW(dlg, IDC_LINE_LENGTH_SPIN, UDM_GETBUDDY, 0, 0)),
                  ::GetDlgItem(dlg, IDC_LINE_LENGTH));
        int nLow = 0, nHigh = 0;
        ::SendDlgItemMessageW(dlg, IDC_GAP_PIXEL_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&nLow),
                              reinterpret_cast<LPARAM>(&nHigh));
        EXPECT_EQ(nLow, 0);
        EXPECT_EQ(nHigh, 8);
        Click(dlg, IDC_CURSOR_BLINK);
        Click(dlg, IDC_TITLE_FULL_PATH);
        Click(dlg, IDC_FAST_SCROLL);
        Click(dlg, IDC_URL_SENSITIVE);
        Click(dlg, IDC_HILIGHT_MARK);
        Click(dlg, IDC_SPACE_ASCII);
        Click(dlg, IDC_READ_TAB_4);
        SetItem(dlg, IDC_LINE_LENGTH, L"100");
        SetItem(dlg, IDC_GAP_PIXEL, L"３");  // typed with the input method on
        SetItem(dlg, IDC_MAX_HISTORY, L"2048");
        Click(dlg, IDOK);
    });
    const CAppSettings& s = AppSettings();
    EXPECT_FALSE(s.m_bCursorBlink);
    EXPECT_TRUE(s.m_bTitleFullPath);
    EXPECT_TRUE(s.m_bFastScroll);
    EXPECT_FALSE(s.m_bUrlSensitive);
    EXPECT_FALSE(s.m_bHilightMark);
    EXPECT_TRUE(s.m_bSpaceAscii);
    EXPECT_EQ(s.m_nReadTab, 4);
    EXPECT_EQ(s.m_nLineLength, 100);
    EXPECT_EQ(s.m_nGapPixel, 3);
    EXPECT_EQ(s.m_nMaxHistory, 2048);
    EXPECT_EQ(LineHeightOf(pView), nPitch + 3);
    // The window shows its file by its full path from now on.
    EXPECT_EQ(m_pApp->GetDocuments()[0]->GetTitle(), File("a.txt"));
    EXPECT_EQ(TextOf(Main()->MDIGetActive()->GetHwnd()), Wide(File("a.txt")));
    EXPECT_TRUE(m_ui.m_boxes.empty());
    // Written at exit, not before.
    EXPECT_EQ(StoredInt(L"Other", L"ReadTab"), -99999);
    EXPECT_EQ(CloseAndRun(), 0);
    EXPECT_EQ(StoredInt(L"Other", L"CursorBlink"), 0);
    EXPECT_EQ(StoredInt(L"Other", L"TitleFullPath"), 1);
    EXPECT_EQ(StoredInt(L"Other", L"FastScroll"), 1);
    EXPECT_EQ(StoredInt(L"Other", L"URLSensitive"), 0);
    EXPECT_EQ(StoredInt(L"Other", L"HilightMark"), 0);
    EXPECT_EQ(StoredInt(L"Other", L"ReadTab"), 4);
    EXPECT_EQ(StoredInt(L"Other", L"Line Length"), 100);
    EXPECT_EQ(StoredInt(L"Other", L"GapPixel"), 3);
    EXPECT_EQ(StoredInt(L"Other", L"MaxHistory"), 2048);
    EXPECT_EQ(StoredInt(L"Rectangle Filling", L"Space Ascii"), 1);
}

// A number out of its range (or no number) is refused with a message and the
// dialog stays open on it; Cancel takes nothing.
TEST_F(DialogsTest, OutOfRangeNumbersKeepTheDialogOpen)
{
    ASSERT_TRUE(Start(""));
    WithDialog(ID_OTHER_SETTINGS, [&](HWND dlg) {
        auto refused = [&](int nId, const wchar_t* text, const std::string& message) {
            m_ui.Clear();
            SetItem(dlg, nId, text);
            Click(dlg, IDOK);
            EXPECT_TRUE(::IsWindowVisible(dlg)) << Narrow(text);
            EXPECT_EQ(BoxTexts(), std::vector<std::string>{message}) << Narrow(text);
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg, nId)) << Narrow(text);
        };
        refused(IDC_LINE_LENGTH, L"300", "16 から 256 までの整数を入力してください。");
        refused(IDC_LINE_LENGTH, L"15", "16 から 256 までの整数を入力してください。");
        refused(IDC_LINE_LENGTH, L"8O", "整数を入力してください。");
        SetItem(dlg, IDC_LINE_LENGTH, L"256");
        refused(IDC_GAP_PIXEL, L"9", "0 から 8 までの整数を入力してください。");
        refused(IDC_GAP_PIXEL, L"-1", "0 から 8 までの整数を入力してください。");
        SetItem(dlg, IDC_GAP_PIXEL, L"8");
        refused(IDC_MAX_HISTORY, L"15", "16 から 65535 までの整数を入力してください。");
        refused(IDC_MAX_HISTORY, L"65536", "16 から 65535 までの整数を入力してください。");
        refused(IDC_MAX_HISTORY, L"", "整数を入力してください。");
        // Nothing was taken while the dialog was refused.
        EXPECT_EQ(AppSettings().m_nLineLength, 72);
        SetItem(dlg, IDC_MAX_HISTORY, L"16");
        m_ui.Clear();
        Click(dlg, IDOK);
    });
    EXPECT_TRUE(m_ui.m_boxes.empty());
    EXPECT_EQ(AppSettings().m_nLineLength, 256);
    EXPECT_EQ(AppSettings().m_nGapPixel, 8);
    EXPECT_EQ(AppSettings().m_nMaxHistory, 16);
    WithDialog(ID_OTHER_SETTINGS, [&](HWND dlg) {
        EXPECT_EQ(ItemText(dlg, IDC_LINE_LENGTH), L"256");
        SetItem(dlg, IDC_LINE_LENGTH, L"20");
        Click(dlg, IDC_CURSOR_BLINK);
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(AppSettings().m_nLineLength, 256);
    EXPECT_TRUE(AppSettings().m_bCursorBlink);
    EXPECT_EQ(CloseAndRun(), 0);
}

// The ".txt" button writes the association at once, whatever the dialog ends with.
TEST_F(DialogsTest, AssociationButtonWritesTheClassesRoot)
{
    ASSERT_TRUE(Start(""));
    WithDialog(ID_OTHER_SETTINGS, [&](HWND dlg) {
        Click(dlg, IDC_ASSOCIATE_TXT);
        Click(dlg, IDCANCEL);
    });
    EXPECT_TRUE(m_ui.m_boxes.empty());
    wchar_t path[MAX_PATH] = {}, shortPath[MAX_PATH] = {}, windows[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    ASSERT_GT(::GetShortPathNameW(path, shortPath, MAX_PATH), 0u);
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    EXPECT_EQ(RegClassesValue(L".txt", nullptr), L"txtfile");
    EXPECT_EQ(RegClassesValue(L".txt\\ShellNew", L"NullFile"), L"");
    EXPECT_EQ(RegClassesValue(L"txtfile", nullptr), L"ﾃｷｽﾄ ﾌｧｲﾙ");
    EXPECT_EQ(RegClassesValue(L"txtfile\\DefaultIcon", nullptr), std::wstring(windows) + L"\\notepad.exe,1");
    EXPECT_EQ(RegClassesValue(L"txtfile\\shell\\open\\command", nullptr), std::wstring(shortPath) + L" -max \"%1\"");
    EXPECT_EQ(RegClassesValue(L"txtfile\\shell\\open\\ddeexec", nullptr), L"[open(-max,\"%1\")]");
    EXPECT_EQ(CloseAndRun(), 0);
}

// The pointer dialog: pictures on the five buttons, the choice and "Chase"
// stored, the cursor loaded again and shown over the text.
TEST_F(DialogsTest, MousePointerChoiceLoadsItsCursor)
{
    m_dir.Write("a.txt", "a\r\n");
    ASSERT_TRUE(Start("\"" + File("a.txt") + "\""));
    HINSTANCE hInst = ::GetModuleHandleW(nullptr);
    EXPECT_EQ(m_pApp->GetPointerCursor(), ::LoadCursorW(hInst, MAKEINTRESOURCEW(IDCUR_TOVA_HAND)));
    WithDialog(ID_MOUSE_POINTER, [&](HWND dlg) {
        EXPECT_EQ(TextOf(dlg), L"ﾏｳｽﾎﾟｲﾝﾀ");
        for (int i = 0; i < kPointerCount; ++i)
            EXPECT_NE(::SendDlgItemMessageW(dlg, IDC_POINTER_FIRST + i, BM_GETIMAGE, IMAGE_ICON, 0), 0) << i;
        EXPECT_TRUE(Checked(dlg, IDC_POINTER_FIRST + kPointerTovaHand));
        EXPECT_TRUE(Checked(dlg, IDC_CHASE));
        Click(dlg, IDC_POINTER_FIRST + kPointerCross);
        EXPECT_FALSE(Checked(dlg, IDC_POINTER_FIRST + kPointerTovaHand));
        Click(dlg, IDC_CHASE);
        Click(dlg, IDOK);
    });
    EXPECT_EQ(AppSettings().m_nPointer, kPointerCross);
    EXPECT_FALSE(AppSettings().m_bChase);
    HCURSOR hCross = ::LoadCursorW(hInst, MAKEINTRESOURCEW(IDCUR_CROSS));
    ASSERT_NE(hCross, nullptr);
    EXPECT_EQ(m_pApp->GetPointerCursor(), hCross);
    HWND hView = Main()->MDIGetActive()->GetActiveView()->GetHwnd();
    // Over the middle of the text (the top and bottom rows have a cursor of
    // their own).
    RECT rc = {};
    ::GetClientRect(hView, &rc);
    POINT middle = {rc.right / 2, rc.bottom / 2};
    ::ClientToScreen(hView, &middle);
    ::SetCursorPos(middle.x, middle.y);
    ::SendMessageW(hView, WM_SETCURSOR, reinterpret_cast<WPARAM>(hView), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), hCross);

    struct {
        int nPointer;
        HCURSOR hCursor;
    } const others[] = {
        {kPointerArrow, ::LoadCursorW(nullptr, IDC_ARROW)},
        {kPointerIBeam, ::LoadCursorW(nullptr, IDC_IBEAM)},
        {kPointerCustom, ::LoadCursorW(hInst, MAKEINTRESOURCEW(IDCUR_CUSTOM))},
    };
    for (const auto& other : others) {
        WithDialog(ID_MOUSE_POINTER, [&](HWND dlg) {
            Click(dlg, IDC_POINTER_FIRST + other.nPointer);
            Click(dlg, IDOK);
        });
        EXPECT_NE(other.hCursor, nullptr);
        EXPECT_EQ(m_pApp->GetPointerCursor(), other.hCursor) << other.nPointer;
    }
    EXPECT_EQ(CloseAndRun(), 0);
    EXPECT_EQ(StoredString(L"Mouse", L"PointerName"), L"FuckYou");
    EXPECT_EQ(StoredInt(L"Mouse", L"Chase"), 0);
}

// Each colour command shows the colour dialog with its title, starting at the
// colour it changes; OK stores the chosen colour. System colours put back the
// four that follow the system and leave URL and tag colours alone.
TEST_F(DialogsTest, ColourCommandsAndSystemColours)
{
    ASSERT_TRUE(Start(""));
    // The dialog's red, green and blue fields (of its custom colour part).
    auto setColor = [](HWND dlg, ColorValue rgb) {
        SetItem(dlg, 706, std::to_wstring(rgb & 0xFF).c_str());
        SetItem(dlg, 707, std::to_wstring((rgb >> 8) & 0xFF).c_str());
        SetItem(dlg, 708, std::to_wstring((rgb >> 16) & 0xFF).c_str());
    };
    struct {
        unsigned nId;
        const wchar_t* title;
        ColorValue CAppSettings::*pColor;
        ColorValue chosen;
    } const commands[] = {
        {ID_TEXT_COLOR, L"文字の色", &CAppSettings::m_crText, 0x102030},
        {ID_BACK_COLOR, L"背景の色", &CAppSettings::m_crBack, 0x405060},
        {ID_URL_COLOR, L"URL", &CAppSettings::m_crUrl, 0x708090},
        {ID_TAG_BACK_COLOR, L"タグ行の背景", &CAppSettings::m_crTag, 0xA0B0C0},
        {ID_MARK_TEXT_COLOR, L"ﾏｰｸ範囲の文字", &CAppSettings::m_crHiText, 0x0000FF},
        {ID_MARK_BACK_COLOR, L"ﾏｰｸ範囲の背景", &CAppSettings::m_crHiBack, 0x00FFFF},
    };
    for (const auto& c : commands) {
        ColorValue before = AppSettings().*c.pColor;
        WithDialog(c.nId, [&](HWND dlg) {
            EXPECT_EQ(TextOf(dlg), c.title);
            setColor(dlg, c.chosen);
            Click(dlg, IDOK);
        });
        EXPECT_EQ(AppSettings().*c.pColor, c.chosen) << Narrow(c.title);
        // Cancel keeps the colour.
        WithDialog(c.nId, [&](HWND dlg) {
            setColor(dlg, before);
            Click(dlg, IDCANCEL);
        });
        EXPECT_EQ(AppSettings().*c.pColor, c.chosen) << Narrow(c.title);
    }
    ASSERT_TRUE(Main()->RunCommand(ID_SYSTEM_COLORS));
    const CAppSettings& s = AppSettings();
    EXPECT_EQ(s.m_crText, ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(s.m_crBack, ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(s.m_crHiText, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(s.m_crHiBack, ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(s.m_crUrl, 0x708090u);
    EXPECT_EQ(s.m_crTag, 0xA0B0C0u);
    EXPECT_EQ(CloseAndRun(), 0);
    EXPECT_EQ(StoredInt(L"Color", L"URL"), 0x708090);
    EXPECT_EQ(StoredInt(L"Color", L"Tag"), 0xA0B0C0);
    EXPECT_EQ(StoredInt(L"Color", L"Text"), static_cast<long>(::GetSysColor(COLOR_WINDOWTEXT)));
}

// The font dialog lists fixed-pitch faces only, hides the style box, starts
// from the view font; OK makes the new font, writes "Font" at once and lays
// the views out again.
TEST_F(DialogsTest, FontDialogChoosesFaceAndSize)
{
    m_dir.Write("a.txt", "a\r\n");
    ASSERT_TRUE(Start("\"" + File("a.txt") + "\""));
    CView* pView = Main()->MDIGetActive()->GetActiveView();
    HFONT hOld = m_pApp->GetViewFont().Get();
    int nPitch = LineHeightOf(pView);
    WithDialog(ID_FONT, [&](HWND dlg) {
        EXPECT_EQ(TextOf(dlg), L"フォントの指定");
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dlg, 1137)));
        HWND hFaces = ::GetDlgItem(dlg, 1136);
        int n = static_cast<int>(::SendMessageW(hFaces, CB_GETCOUNT, 0, 0));
        EXPECT_GT(n, 0);
        for (int i = 0; i < n; ++i) {
            wchar_t face[LF_FACESIZE + 8] = {};
            ::SendMessageW(hFaces, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(face));
            EXPECT_NE(face[0], L'@') << Narrow(face);  // no vertical faces
            EXPECT_NE(std::wstring(face), L"IPA Pゴシック");  // proportional
        }
        // The current font is where it starts.
        EXPECT_EQ(ItemText(dlg, 1136), L"IPAゴシック");
        HWND hSizes = ::GetDlgItem(dlg, 1138);
        LRESULT nSize = ::SendMessageW(hSizes, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"20"));
        ASSERT_NE(nSize, CB_ERR);
        ::SendMessageW(hSizes, CB_SETCURSEL, static_cast<WPARAM>(nSize), 0);
        ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(1138, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hSizes));
        Click(dlg, IDOK);
    });
    EXPECT_TRUE(m_ui.m_boxes.empty());
    EXPECT_EQ(AppSettings().m_nPointSize, 200);
    EXPECT_EQ(SjisToUtf8(AppSettings().m_strFaceName), "IPAゴシック");
    EXPECT_NE(m_pApp->GetViewFont().Get(), hOld);
    EXPECT_GT(LineHeightOf(pView), nPitch);
    // Written at once.
    EXPECT_EQ(StoredInt(L"Font", L"PointSize"), 200);
    EXPECT_EQ(StoredString(L"Font", L"FaceName"), L"IPAゴシック");
    EXPECT_EQ(CloseAndRun(), 0);
}

TEST_F(DialogsTest, AboutShowsNameVersionAndLink)
{
    ASSERT_TRUE(Start(""));
    WithDialog(ID_APP_ABOUT, [&](HWND dlg) {
        EXPECT_EQ(ItemText(dlg, IDC_ABOUT_NAME), L"tova_shell_tests バージョン 1.0.0");
        EXPECT_EQ(ItemText(dlg, IDC_ABOUT_LINK).rfind(L"https://", 0), 0u);
        Click(dlg, IDOK);
    });
    EXPECT_EQ(CloseAndRun(), 0);
}

// The composer: two files dropped on it and "開く" opens both.
TEST_F(DialogsTest, ComposerDropMenuOpensBoth)
{
    ASSERT_TRUE(StartComposer());
    DropTwoFilesAndChoose(1);
    ASSERT_EQ(m_pApp->GetDocuments().size(), 3u);
    EXPECT_EQ(m_pApp->GetDocuments()[1]->GetTitle(), "d1.txt");
    EXPECT_EQ(m_pApp->GetDocuments()[2]->GetTitle(), "d2.txt");
    EXPECT_FALSE(Main()->GetAttachBar().IsVisible());
    // The files were taken: the commands have nothing left to work on.
    EXPECT_FALSE(Main()->GetRoute().QueryState(ID_DROP_OPEN).IsEnabled());
    EXPECT_FALSE(Main()->GetRoute().QueryState(ID_DROP_ATTACH).IsEnabled());
    EXPECT_EQ(CloseAndRun(), 0);
}

// "添付" shows the attachment bar with both files and marks the mail modified;
// "削除" of the right-click menu removes items, and the last one hides the bar.
TEST_F(DialogsTest, ComposerDropMenuAttachesAndDeletingTheLastHidesTheBar)
{
    ASSERT_TRUE(StartComposer());
    CDocBase* pMail = m_pApp->GetDocuments()[0];
    CAttachBar& bar = Main()->GetAttachBar();
    EXPECT_FALSE(bar.IsVisible());
    DropTwoFilesAndChoose(0);
    EXPECT_EQ(m_pApp->GetDocuments().size(), 1u);
    EXPECT_TRUE(pMail->IsModified());
    ASSERT_TRUE(bar.IsVisible());
    std::vector<std::string> paths;
    bar.GetPaths(paths);
    EXPECT_EQ(paths, (std::vector<std::string>{File("d1.txt"), File("d2.txt")}));
    wchar_t name[64] = {};
    ListView_GetItemText(bar.GetList(), 1, 0, name, 64);
    EXPECT_EQ(std::wstring(name), L"d2.txt");
    EXPECT_TRUE(m_ui.m_boxes.empty());  // both had icons
    // The document windows make room for the bar.
    RECT barRect = {}, mdi = {};
    ::GetWindowRect(bar.GetHwnd(), &barRect);
    ::GetWindowRect(Main()->GetMdiClient(), &mdi);
    EXPECT_EQ(mdi.bottom, barRect.top);
    EXPECT_EQ(Main()->GetMdiClientScreenRect().bottom, barRect.top);
    EXPECT_TRUE(Main()->GetRoute().QueryState(ID_VIEW_ATTACH_BAR).IsChecked());

    // Right click, "削除", on each item in turn.
    auto deleteItem = [&](int nItem) {
        ListView_SetItemState(bar.GetList(), -1, 0, LVIS_SELECTED);
        ListView_SetItemState(bar.GetList(), nItem, LVIS_SELECTED, LVIS_SELECTED);
        NMHDR hdr = {bar.GetList(), IDC_ATTACH_LIST, static_cast<UINT>(NM_RCLICK)};
        WhileModal(L"#32768", [](HWND menu) { ChooseMenuItem(menu, 0); },
                   [&] { ::SendMessageW(bar.GetHwnd(), WM_NOTIFY, IDC_ATTACH_LIST, reinterpret_cast<LPARAM>(&hdr)); });
        Pump();
    };
    deleteItem(0);
    paths.clear();
    bar.GetPaths(paths);
    EXPECT_EQ(paths, std::vector<std::string>{File("d2.txt")});
    EXPECT_TRUE(bar.IsVisible());
    // A file the shell has no icon for is still attached, with the bar's own picture.
    bar.AddFile(File("gone.txt"));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{File("gone.txt") + " のアイコンを取得できません"});
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = 1;
    ASSERT_TRUE(ListView_GetItem(bar.GetList(), &item));
    EXPECT_EQ(item.iImage, 0);
    deleteItem(1);
    EXPECT_TRUE(bar.IsVisible());
    deleteItem(0);
    EXPECT_EQ(bar.GetCount(), 0);
    EXPECT_FALSE(bar.IsVisible());
    paths.clear();
    bar.GetPaths(paths);
    EXPECT_TRUE(paths.empty());
    ::GetWindowRect(Main()->GetMdiClient(), &mdi);
    RECT status = {};
    ::GetWindowRect(Main()->GetStatusBarEx().GetHwnd(), &status);
    EXPECT_EQ(mdi.bottom, status.top);
    // Leave without the question about the changed mail.
    pMail->SetModifiedFlag(false);
    EXPECT_EQ(CloseAndRun(), 0);
}

// The row gap relays out both panes of a split mail window.
TEST_F(DialogsTest, RowGapRelaysOutBothPanes)
{
    m_dir.Write("m.txt", "Subject: s\r\nTo: t\r\n\r\nbody\r\n");
    ASSERT_TRUE(Start("-MAIL \"" + File("m.txt") + "\""));
    auto* pFrame = dynamic_cast<CChildFrame*>(Main()->MDIGetActive());
    ASSERT_TRUE(pFrame && pFrame->IsSplit());
    int nHeader = LineHeightOf(pFrame->GetHeaderView()), nBody = LineHeightOf(pFrame->GetBodyView());
    WithDialog(ID_OTHER_SETTINGS, [&](HWND dlg) {
        SetItem(dlg, IDC_GAP_PIXEL, L"5");
        Click(dlg, IDOK);
    });
    EXPECT_EQ(LineHeightOf(pFrame->GetHeaderView()), nHeader + 5);
    EXPECT_EQ(LineHeightOf(pFrame->GetBodyView()), nBody + 5);
    EXPECT_EQ(CloseAndRun(), 0);
}
