// URLs opened through the two stand-in browsers (by DDE to a running one, by
// the registered command line otherwise), from a key and from the context
// menu; and a spell check through the stand-in library whose candidate dialog
// is worked as a user would, from a timer inside its modal loop.
#include "ViewWindowSupport.h"

#include <commctrl.h>
#include <ddeml.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "services/BrowserInfo.h"
#include "spell/OrthaneLink_win.h"
#include "spell/SpellResource.h"
#include "view/Caret.h"

namespace {

// Acts on each new window of a class that a modal loop of this thread shows,
// one action a window, in order.
struct CModalScript {
    const wchar_t* pszClass;
    std::vector<std::function<void(HWND)>> acts;
    size_t nNext = 0;
    HWND hLast = nullptr;
    int nTicks = 0;
};

CModalScript* g_pScript = nullptr;

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

void CALLBACK ScriptTimer(HWND, UINT, UINT_PTR, DWORD)
{
    CModalScript* p = g_pScript;
    if (!p || p->nNext >= p->acts.size())
        return;
    CFindArgs args{p->pszClass, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindShownWindow, reinterpret_cast<LPARAM>(&args));
    if (!args.hFound || args.hFound == p->hLast) {
        if (++p->nTicks > 300) {  // never came: whatever is up goes
            ADD_FAILURE() << "window " << p->nNext << " never came";
            p->nNext = p->acts.size();
            if (HWND d = args.hFound)
                ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
            ::EndMenu();
        }
        return;
    }
    p->nTicks = 0;
    p->hLast = args.hFound;
    p->acts[p->nNext++](args.hFound);
}

void WhileModal(const wchar_t* pszClass, std::vector<std::function<void(HWND)>> acts, const std::function<void()>& run)
{
    CModalScript script{pszClass, std::move(acts)};
    g_pScript = &script;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 30, ScriptTimer);
    run();
    ::KillTimer(nullptr, timer);
    g_pScript = nullptr;
    EXPECT_EQ(script.nNext, script.acts.size()) << "the modal loop ended before all its windows came";
}

// Chooses item nItem (from 0, separators not counted) of the pop-up menu that is up.
void ChooseMenuItem(HWND hMenuWindow, int nItem)
{
    for (int i = 0; i <= nItem; ++i)
        ::PostMessageW(hMenuWindow, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(hMenuWindow, WM_KEYDOWN, VK_RETURN, 0);
}

// A client-only instance is told nothing it must answer. A named function:
// a lambda does not convert to the 32-bit build's stdcall callback.
HDDEDATA CALLBACK IgnoreDdeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return nullptr;
}

// A DDE execute as the DDE client will make it: what the browser launch is
// given in the program once that client is plugged in.
bool DdemlExecute(const std::string& app, const std::string& topic, const std::string& command)
{
    DWORD idInst = 0;
    if (::DdeInitializeW(&idInst, IgnoreDdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return false;
    HSZ hszApp = ::DdeCreateStringHandleW(idInst, Wide(app).c_str(), CP_WINUNICODE);
    HSZ hszTopic = ::DdeCreateStringHandleW(idInst, Wide(topic).c_str(), CP_WINUNICODE);
    bool ok = false;
    if (HCONV hConv = ::DdeConnect(idInst, hszApp, hszTopic, nullptr)) {
        std::wstring text = Wide(command);
        DWORD result = 0;
        ok = ::DdeClientTransaction(reinterpret_cast<LPBYTE>(text.data()),
                                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)), hConv, nullptr, 0,
                                    XTYP_EXECUTE, 5000, &result) != nullptr;
        ::DdeDisconnect(hConv);
    }
    ::DdeFreeStringHandle(idInst, hszApp);
    ::DdeFreeStringHandle(idInst, hszTopic);
    ::DdeUninitialize(idInst);
    return ok;
}

void SetClassValue(const std::wstring& path, const std::wstring& value, const wchar_t* name = nullptr)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey,
                                nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(hKey);
}

std::wstring CurrentDir()
{
    wchar_t dir[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, dir);
    return dir;
}

class LinksTest : public ViewWindowTest {
protected:
    void SetUp() override
    {
        ViewWindowTest::SetUp();
        ::SetEnvironmentVariableW(L"TOVA_BROWSER_LOG", Wide(File("browser.log")).c_str());
    }
    void TearDown() override
    {
        ::SetEnvironmentVariableW(L"TOVA_BROWSER_LOG", nullptr);
        ViewWindowTest::TearDown();
    }
    // The browser log once it holds n lines (waiting up to five seconds).
    std::vector<std::string> BrowserLog(size_t n)
    {
        std::vector<std::string> lines;
        for (int i = 0; i < 100; ++i) {
            lines.clear();
            std::ifstream in(File("browser.log"));
            for (std::string line; std::getline(in, line);)
                lines.push_back(line);
            if (lines.size() >= n)
                break;
            ::Sleep(50);
        }
        return lines;
    }
    void PutCaret(long nCol, long nLine)
    {
        Vu().Caret().SetCell(nCol - Vu().m_nLeftCol, nLine - Vu().m_nTopLine);
        Pump();
    }
    // Right click on a cell with act working the menu.
    void ContextMenu(long nCol, long nRow, const std::function<void(HWND)>& act)
    {
        WhileModal(L"#32768", {act}, [&] { Vu().OnRButtonDown(nCol * Cw() + 2, nRow * Lh() + 2); });
        Pump();
    }
};

} // namespace

TEST_F(LinksTest, UrlsOpenThroughBothStandinBrowsersFromAKeyAndTheContextMenu)
{
    std::wstring dir = CurrentDir();
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L"http\\shell\\open");
    SetClassValue(L".htm", L"htmlfile");
    SetClassValue(L"http\\shell\\open\\command", L"\"" + dir + L"\\standin_browser_plain.exe\" %1");
    // Not on the top or bottom row, where the right button scrolls.
    Open({"", "see http://x.jp/a_b now", "", "mail ab@example.com here"});
    ASSERT_FALSE(HasFatalFailure());

    // From a key, at the caret.
    PutCaret(8, 1);
    Command(ID_OPEN_URL);
    std::string plain = Narrow(L"cmd \"" + dir + L"\\standin_browser_plain.exe\" ");
    EXPECT_EQ(BrowserLog(1), (std::vector<std::string>{plain + "http://x.jp/a_b"}));

    // The context menu over the URL, then over the mail address.
    int nItems = 0;
    ContextMenu(6, 1, [&](HWND hMenu) {
        nItems = ::GetMenuItemCount(reinterpret_cast<HMENU>(::SendMessageW(hMenu, MN_GETHMENU, 0, 0)));
        CViewShot(hMenu).Save("context-menu-url");
        ChooseMenuItem(hMenu, 6);  // "URL を開く"
    });
    EXPECT_EQ(nItems, 11);
    EXPECT_EQ(BrowserLog(2).back(), plain + "http://x.jp/a_b");
    ContextMenu(8, 3, [&](HWND hMenu) {
        nItems = ::GetMenuItemCount(reinterpret_cast<HMENU>(::SendMessageW(hMenu, MN_GETHMENU, 0, 0)));
        ChooseMenuItem(hMenu, 7);  // "アドレスを登録"
    });
    EXPECT_EQ(nItems, 12);
    // The address goes to the mail client link; no mail client is installed here.
    ASSERT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(m_ui.m_boxes[0].text,
              "Mavlen (Version 321.2b2 以降) がインストールされていないか、一度も実行されていません");

    // The DDE-capable browser through the program's own DDE client: not
    // running, it is started by its command line; running, it gets the URL by DDE.
    SetClassValue(L"http\\shell\\open\\command", L"\"" + dir + L"\\standin_browser_dde.exe\" %1");
    SetClassValue(L"http\\shell\\open\\ddeexec", L"%1");
    SetClassValue(L"http\\shell\\open\\ddeexec\\Application", L"StandinBrowser");
    SetClassValue(L"http\\shell\\open\\ddeexec\\Topic", L"WWW_OpenURL");
    // A URL with "%20" reaches the browser unchanged.
    EXPECT_TRUE(OpenURL("http://x.jp/first%20x"));
    EXPECT_EQ(BrowserLog(3).back(), Narrow(L"cmd \"" + dir + L"\\standin_browser_dde.exe\" http://x.jp/first%20x"));
    std::wstring serve = L"\"" + dir + L"\\standin_browser_dde.exe\" -serve";
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(::CreateProcessW(nullptr, serve.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    EXPECT_EQ(BrowserLog(4).back(), "serving");
    EXPECT_TRUE(OpenURL("http://x.jp/second?q=1"));
    EXPECT_EQ(BrowserLog(5).back(), "dde http://x.jp/second?q=1");
    DdemlExecute("StandinBrowser", "WWW_OpenURL", "[quit]");
    EXPECT_EQ(::WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L"http\\shell\\open");
}

TEST_F(LinksTest, SpellCheckOffersCandidatesReplacesAWordAndAddsOneToTheUserDictionary)
{
    std::filesystem::create_directory(File("dic"));
    m_dir.Write("dic/words.txt", "test\n");
    const wchar_t* key = L"Software\\Brellix\\Orthane\\Settings";
    std::wstring dic = Wide(File("dic"));
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Dic", REG_SZ, dic.c_str(),
                                static_cast<DWORD>((dic.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    ReleaseOrthaneLink();
    Open({"This is a tset of the spell check.", Sjis("日本語 and wrold")});
    ASSERT_FALSE(HasFatalFailure());
    PutCaret(0, 0);

    std::vector<std::wstring> rows;
    bool bButton1 = false, bLastHidden = false;
    auto rowsOf = [](HWND dlg) {
        HWND hList = ::GetDlgItem(dlg, IDC_SPELL_LIST);
        std::vector<std::wstring> texts;
        for (int i = 0; i < ListView_GetItemCount(hList); ++i) {
            wchar_t text[128] = {};
            LVITEMW item = {};
            item.pszText = text;
            item.cchTextMax = 128;
            ::SendMessageW(hList, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            texts.push_back(text);
        }
        return texts;
    };
    WhileModal(L"#32770",
               {[&](HWND dlg) {
                    rows = rowsOf(dlg);
                    bButton1 = ::IsWindowVisible(::GetDlgItem(dlg, IDC_SPELL_1));
                    bLastHidden = !::IsWindowVisible(::GetDlgItem(dlg, IDC_SPELL_9));
                    CViewShot(dlg).Save("spell-dialog");
                    auto it = std::find(rows.begin(), rows.end(), L"test");
                    if (it == rows.end() || it - rows.begin() >= 9) {
                        ::PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
                        return;
                    }
                    ::PostMessageW(::GetDlgItem(dlg, IDC_SPELL_1 + static_cast<int>(it - rows.begin())), BM_CLICK, 0,
                                   0);
                },
                [&](HWND dlg) {
                    // "wrold": into the user dictionary, then kept.
                    EXPECT_EQ(rowsOf(dlg).front(), L"wrold");
                    ::SendMessageW(::GetDlgItem(dlg, IDC_SPELL_REGISTER), BM_CLICK, 0, 0);
                    ::PostMessageW(dlg, WM_COMMAND, IDOK, 0);
                }},
               [&] { Command(ID_SPELL_CHECK); });
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], L"tset");
    EXPECT_TRUE(bButton1);
    EXPECT_TRUE(bLastHidden || rows.size() >= 9);
    EXPECT_EQ(std::string(Vu().PeekLine(0)), "This is a test of the spell check.");
    EXPECT_TRUE(m_ui.m_boxes.empty());
    // One dictionary: the user dictionary was made beside it and "Dic" names both.
    wchar_t value[1024] = {};
    DWORD size = sizeof value;
    ::RegGetValueW(HKEY_CURRENT_USER, key, L"Dic", RRF_RT_REG_SZ, nullptr, value, &size);
    EXPECT_EQ(std::wstring(value), dic + L";" + dic + L"\\tovauser.wtr");
    EXPECT_EQ(m_dir.Read("dic/tovauser.wtr"), "wrold\n");
    // A second check knows the added word and runs to the end with a beep.
    Vu().Caret().SetCell(0, 0);
    Command(ID_SPELL_CHECK);
    EXPECT_EQ(m_ui.m_nBeeps, 2);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(std::string(Vu().PeekLine(0)), "This is a tset of the spell check.");
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"Dic");
    ReleaseOrthaneLink();
}
