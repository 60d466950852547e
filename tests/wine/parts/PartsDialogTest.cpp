// The parts dialog opened from the composer's menu command on a multipart
// mail, worked as a user would from a timer inside its modal loop: the parts
// are listed (names from the mail kept inside the parts folder), all parts
// are saved to a folder, one is deleted, one is moved into the nested
// multipart by dragging it in the tree, files are dropped in (one clashing
// with a part, through the overwrite dialog), the warning comes before a
// part of an "ask" type is shown, one part is saved through the file save
// dialog, and the mail saved from the dialog is rebuilt from what the tree
// holds. Opened again with only the body text left, saving turns the mail back
// into a plain text mail.
#include "ShellTestSupport.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/PartsDragOut_win.h"
#include "app/PartsResource.h"
#include "fw/TreeView_win.h"
#include "keys/CommandIds.h"
#include "mail/ContentTypeTable.h"
#include "mail/MailWorkDir.h"
#include "platform/SettingsStore.h"
#include "services/Base64.h"
#include "services/FileUtils.h"
#include "support/Xdotool.h"
#include "text/Unicode.h"

namespace {

std::string Base64Of(const std::string& bytes)
{
    std::string text(Base64EncodedSize(bytes.size()), '\0');
    Base64Encode(text.data(), bytes.data(), bytes.size());
    return text;
}

std::string Attachment(const std::string& type, const std::string& name, const std::string& bytes)
{
    return "Content-Type: " + type + "; name=\"" + name + "\"\r\nContent-Transfer-Encoding: base64\r\n"
           "Content-Disposition: attachment; filename=\"" + name + "\"\r\n\r\n" + Base64Of(bytes) + "\r\n";
}

// A picture of a whole window as the X server shows it (menu bar, caption and
// text included), as PNG in view-shots/: ImageMagick's import is run on the
// window's X window, and waited for while this thread's messages are handled.
void SaveWindowShot(HWND hWnd, const std::string& name)
{
    uintptr_t xid = xdotool::XWindowOf(hWnd);
    wchar_t cwd[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, cwd);
    std::wstring dir(cwd);
    if (!xid || dir.size() < 2 || dir[1] != L':' ||
        ::GetFileAttributesW(L"Z:\\usr\\bin\\import") == INVALID_FILE_ATTRIBUTES)
        return;
    std::filesystem::create_directories("view-shots");
    dir = dir.substr(2);
    for (wchar_t& c : dir)
        if (c == L'\\')
            c = L'/';
    std::wstring done = L"/tmp/tova-shot-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + Wide(name);
    std::wstring line = L"/bin/sh -c \"/usr/bin/import -frame -window " + std::to_wstring(xid) + L" '" + dir +
                        L"/view-shots/" + Wide(name) + L".png'; touch " + done + L"\"";
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return;
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    std::wstring doneWin = L"Z:" + done;
    for (wchar_t& c : doneWin)
        if (c == L'/')
            c = L'\\';
    for (DWORD t0 = ::GetTickCount(); ::GetTickCount() - t0 < 10000;) {
        if (::GetFileAttributesW(doneWin.c_str()) != INVALID_FILE_ATTRIBUTES) {
            ::DeleteFileW(doneWin.c_str());
            return;
        }
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    }
}

struct CFind {
    std::wstring title;
    HWND hFound = nullptr;
};

BOOL CALLBACK FindTitled(HWND h, LPARAM lp)
{
    auto* f = reinterpret_cast<CFind*>(lp);
    wchar_t text[128] = {};
    ::GetWindowTextW(h, text, 128);
    if (::IsWindowVisible(h) && f->title == text) {
        f->hFound = h;
        return FALSE;
    }
    return TRUE;
}

HWND ShownWindow(const wchar_t* title)
{
    CFind f{title};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindTitled, reinterpret_cast<LPARAM>(&f));
    return f.hFound;
}

std::string ItemText(HWND hTree, HTREEITEM item) { return SjisToUtf8(TreeItemText(hTree, item)); }

// The tree as text: "name(child child)" for each item.
std::string TreeText(HWND hTree, HTREEITEM first)
{
    std::string text;
    for (HTREEITEM i = first; i; i = TreeView_GetNextSibling(hTree, i)) {
        if (!text.empty())
            text += " ";
        text += ItemText(hTree, i);
        if (HTREEITEM c = TreeView_GetChild(hTree, i))
            text += "(" + TreeText(hTree, c) + ")";
    }
    return text;
}

HTREEITEM FindItem(HWND hTree, HTREEITEM first, const std::string& utf8)
{
    for (HTREEITEM i = first; i; i = TreeView_GetNextSibling(hTree, i)) {
        if (ItemText(hTree, i) == utf8)
            return i;
        if (HTREEITEM found = FindItem(hTree, TreeView_GetChild(hTree, i), utf8))
            return found;
    }
    return nullptr;
}

// Steps run one after the other from a timer while the dialog's modal loop
// runs; a step returns false while what it waits for is not there yet.
struct CScript {
    std::vector<std::pair<std::string, std::function<bool()>>> steps;
    size_t nNext = 0;
    int nTicks = 0;
};
CScript* g_pScript = nullptr;
int g_nWaited = 0;

// True once a step has come back n ticks: time for a new window to be painted
// before its picture is taken.
bool Waited(int n)
{
    if (++g_nWaited < n)
        return false;
    g_nWaited = 0;
    return true;
}

void CALLBACK ScriptTick(HWND, UINT, UINT_PTR, DWORD)
{
    CScript* s = g_pScript;
    if (!s || s->nNext >= s->steps.size())
        return;
    g_pScript = nullptr;  // a step that pumps messages must not come back in here
    bool bDone = s->steps[s->nNext].second();
    g_pScript = s;
    if (bDone) {
        ++s->nNext;
        s->nTicks = 0;
    } else if (++s->nTicks > 200) {
        ADD_FAILURE() << "step never came about: " << s->steps[s->nNext].first;
        s->nNext = s->steps.size();
        for (const wchar_t* t : {L"ｱｸｼｮﾝの確認", L"ﾊﾟｰﾂの上書きの確認", L"ﾃﾞｨﾚｸﾄﾘを選ぶ", L"Multipart"})
            if (HWND h = ShownWindow(t))
                ::PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
    }
}

class PartsDialogTest : public ShellTest {};

} // namespace

TEST_F(PartsDialogTest, PartsAreListedSavedDeletedMovedDroppedAndTheMailRebuilt)
{
    std::string jpeg(300, '\0');
    for (size_t i = 0; i < jpeg.size(); ++i)
        jpeg[i] = static_cast<char>(i * 13);
    m_dir.Write("m.txt",
                "From: a@example.com\r\nTo: b@example.com\r\nSubject: parts\r\n"
                "Content-Type: multipart/mixed; boundary=\"OUT\"\r\n--------\r\npreamble\r\n"
                "--OUT\r\nContent-Type: text/plain\r\n\r\nbody text\r\n"
                "--OUT\r\n" + Attachment("image/jpeg", "pic.jpg", jpeg) +
                "--OUT\r\n" + Attachment("application/octet-stream", "..\\\\..\\\\evil.bat", "@echo evil\r\n") +
                "--OUT\r\n" + Attachment("application/octet-stream", "CON", "device") +
                "--OUT\r\nContent-Type: multipart/mixed; boundary=\"IN\"\r\n\r\n"
                "--IN\r\n" + Attachment("text/plain", "note.txt", "nested note\r\n") + "--IN--\r\n"
                "--OUT--\r\n");
    m_dir.Write("added.txt", "added\r\n");
    std::filesystem::create_directories(File("drop"));
    m_dir.Write("drop/evil.bat", "@echo replaced\r\n");
    std::filesystem::create_directories(File("out"));
    ASSERT_TRUE(Start("-MAILEDIT \"" + File("m.txt") + "\""));
    Pump();
    SettingsStore().WriteString("Multipart Dialog", "OutputDirectory", File("out"));
    CMemorySettingsStore types;
    types.WriteString("Content Type List", "Type00", "application;octet-stream;0;bin;*");
    types.WriteString("Content Type List", "Type01", "image;jpeg;1;jpg;*");
    types.WriteString("Content Type List", "Type02", "text;plain;2;txt;*");
    ContentTypes().Load(types);

    HWND hDlg = nullptr, hTree = nullptr;
    std::string partsFolder;
    auto post = [&](UINT id) { ::PostMessageW(hDlg, WM_COMMAND, id, 0); };
    auto select = [&](const char* name) {
        HTREEITEM item = FindItem(hTree, TreeView_GetRoot(hTree), name);
        EXPECT_NE(item, nullptr) << name;
        TreeView_SelectItem(hTree, item);
        return item;
    };
    CScript script;
    script.steps = {
        {"the dialog", [&] {
             hDlg = ShownWindow(L"Multipart");
             if (!hDlg)
                 return false;
             if (!Waited(12))
                 return false;
             hTree = ::GetDlgItem(hDlg, IDC_PARTS_TREE);
             EXPECT_EQ(TreeText(hTree, TreeView_GetRoot(hTree)),
                       "m.txt(本文.txt pic.jpg evil.bat _CON multipart5(note.txt))");
             wchar_t subject[64] = {};
             ::GetDlgItemTextW(hDlg, IDC_PARTS_SUBJECT, subject, 64);
             EXPECT_STREQ(subject, L"parts");
             for (const auto& e : std::filesystem::directory_iterator(MailWorkDir()))
                 if (e.path().filename().string().rfind("~$parts", 0) == 0 &&
                     std::filesystem::exists(e.path() / "evil.bat"))
                     partsFolder = e.path().string();
             EXPECT_TRUE(std::filesystem::exists(JoinPath(partsFolder, "evil.bat")));
             EXPECT_TRUE(std::filesystem::exists(JoinPath(partsFolder, "_CON")));
             EXPECT_FALSE(std::filesystem::exists(JoinPath(JoinPath(MailWorkDir(), ".."), "evil.bat")));
             ::RedrawWindow(hDlg, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
             SaveWindowShot(hDlg, "parts-dialog");
             select("m.txt");
             post(ID_PARTS_SAVE);
             return true;
         }},
        {"the folder chooser, OK", [&] {
             HWND h = ShownWindow(L"ﾃﾞｨﾚｸﾄﾘを選ぶ");
             if (!h)
                 return false;
             if (!Waited(12))
                 return false;
             HWND hDirs = ::GetDlgItem(h, IDC_DIR_TREE);
             EXPECT_EQ(ItemText(hDirs, TreeView_GetSelection(hDirs)), "out");
             ::RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
             SaveWindowShot(h, "parts-folder-chooser");
             ::PostMessageW(h, WM_COMMAND, IDOK, 0);
             return true;
         }},
        {"all parts saved; delete _CON", [&] {
             if (ShownWindow(L"ﾃﾞｨﾚｸﾄﾘを選ぶ"))
                 return false;
             for (const char* n : {"pic.jpg", "evil.bat", "_CON", "note.txt"})
                 EXPECT_TRUE(std::filesystem::exists(m_dir.Path("out/" + std::string(n)))) << n;
             EXPECT_EQ(m_dir.Read("out/note.txt"), "nested note\r\n");
             select("_CON");
             post(ID_PARTS_DELETE);
             return true;
         }},
        {"move pic.jpg into multipart5 by dragging", [&] {
             HTREEITEM pic = select("pic.jpg");
             HTREEITEM target = FindItem(hTree, TreeView_GetRoot(hTree), "multipart5");
             NMTREEVIEWW nm = {};
             nm.hdr.hwndFrom = hTree;
             nm.hdr.idFrom = IDC_PARTS_TREE;
             nm.hdr.code = TVN_BEGINDRAGW;
             nm.itemNew.hItem = pic;
             ::SendMessageW(hDlg, WM_NOTIFY, IDC_PARTS_TREE, reinterpret_cast<LPARAM>(&nm));
             RECT rc = {};
             TreeView_GetItemRect(hTree, target, &rc, TRUE);
             POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
             ::MapWindowPoints(hTree, hDlg, &pt, 1);
             ::SendMessageW(hDlg, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
             ::SendMessageW(hDlg, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
             EXPECT_EQ(TreeText(hTree, TreeView_GetRoot(hTree)),
                       "m.txt(本文.txt evil.bat multipart5(note.txt pic.jpg))");
             EXPECT_TRUE(std::filesystem::exists(JoinPath(JoinPath(partsFolder, "multipart5"), "pic.jpg")));
             EXPECT_FALSE(std::filesystem::exists(JoinPath(partsFolder, "pic.jpg")));
             ::PostMessageW(hDlg, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({File("added.txt")})), 0);
             return true;
         }},
        {"added.txt dropped in; drop a second evil.bat", [&] {
             if (!FindItem(hTree, TreeView_GetRoot(hTree), "added.txt"))
                 return false;
             ::PostMessageW(hDlg, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({File("drop/evil.bat")})), 0);
             return true;
         }},
        {"the overwrite dialog, overwrite", [&] {
             HWND h = ShownWindow(L"ﾊﾟｰﾂの上書きの確認");
             if (!h)
                 return false;
             if (!Waited(12))
                 return false;
             wchar_t text[256] = {};
             ::GetDlgItemTextW(h, IDC_OVERWRITE_TEXT, text, 256);
             EXPECT_STREQ(text, L"このメールには既に evil.bat というファイルが添付されています。\n\n上書きしますか。");
             ::RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
             SaveWindowShot(h, "parts-overwrite");
             ::PostMessageW(h, WM_COMMAND, MAKEWPARAM(IDC_OVERWRITE_YES, BN_CLICKED), 0);
             return true;
         }},
        {"evil.bat replaced; show it", [&] {
             if (ShownWindow(L"ﾊﾟｰﾂの上書きの確認"))
                 return false;
             EXPECT_EQ(m_dir.Read("drop/evil.bat"), "@echo replaced\r\n");
             std::ifstream in(JoinPath(partsFolder, "evil.bat"), std::ios::binary);
             std::string now((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
             EXPECT_EQ(now, "@echo replaced\r\n");
             select("evil.bat");
             post(ID_PARTS_SHOW);
             return true;
         }},
        {"the warning first, cancelled", [&] {
             HWND h = ShownWindow(L"ｱｸｼｮﾝの確認");
             if (!h)
                 return false;
             if (!Waited(12))
                 return false;
             EXPECT_EQ(LOWORD(::SendMessageW(h, DM_GETDEFID, 0, 0)), IDC_ACTION_SAVE);
             ::RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
             SaveWindowShot(h, "parts-warning");
             ::PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
             return true;
         }},
        {"save note.txt alone", [&] {
             if (ShownWindow(L"ｱｸｼｮﾝの確認"))
                 return false;
             select("note.txt");
             post(ID_PARTS_SAVE);
             return true;
         }},
        {"the file save dialog, a new name", [&] {
             HWND h = ShownWindow(L"ﾊﾟｰﾂの出力先ﾃﾞｨﾚｸﾄﾘ");
             if (!h)
                 return false;
             std::wstring target = Wide(File("out")) + L"\\single.txt";
             if (!::SetDlgItemTextW(h, 1152, target.c_str()))
                 ::SetDlgItemTextW(h, 1148, target.c_str());
             ::PostMessageW(h, WM_COMMAND, IDOK, 0);
             return true;
         }},
        {"save the mail", [&] {
             if (ShownWindow(L"ﾊﾟｰﾂの出力先ﾃﾞｨﾚｸﾄﾘ"))
                 return false;
             EXPECT_EQ(m_dir.Read("out/single.txt"), "nested note\r\n");
             post(ID_FILE_SAVE);
             return true;
         }},
        {"close", [&] {
             post(ID_PARTS_EXIT);
             return true;
         }},
    };
    g_pScript = &script;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, ScriptTick);
    ::SendMessageW(Main()->GetHwnd(), WM_COMMAND, ID_MAIL_PARTS, 0);
    ::KillTimer(nullptr, timer);
    g_pScript = nullptr;
    EXPECT_EQ(script.nNext, script.steps.size());

    // The rebuilt mail: the parts in the tree's order, the deleted one gone,
    // the nested one with the moved part, the dropped ones in.
    std::string mail = m_dir.Read("m.txt");
    auto at = [&](const std::string& s) { return mail.find(s); };
    EXPECT_NE(at("Subject: parts\r\n"), std::string::npos);
    EXPECT_NE(at("\r\n\r\nbody text\r\n"), std::string::npos);
    EXPECT_EQ(at("_CON"), std::string::npos);
    size_t evil = at("filename=\"evil.bat\"\r\n\r\n" + Base64Of("@echo replaced\r\n") + "\r\n");
    size_t note = at("filename=\"note.txt\"");
    size_t pic = at("filename=\"pic.jpg\"");
    size_t added = at("filename=\"added.txt\"\r\n\r\n" + Base64Of("added\r\n") + "\r\n");
    ASSERT_NE(evil, std::string::npos);
    ASSERT_NE(added, std::string::npos);
    EXPECT_LT(evil, note);
    EXPECT_LT(note, pic);
    EXPECT_LT(pic, added);
    EXPECT_EQ(mail.find("evil.bat", evil + 20), std::string::npos);  // no second one
    // The chooser's folder and its window placement (44 bytes in Base64) are kept.
    EXPECT_EQ(StoredString(L"Multipart Dialog", L"OutputDirectory"), Wide(File("out")));
    EXPECT_EQ(StoredString(L"WindowPlacement", L"DirDialog").size(), Base64EncodedSize(sizeof(WINDOWPLACEMENT)));
    // The parts folder went with the dialog.
    EXPECT_FALSE(std::filesystem::exists(partsFolder));

    // Opened again with only the body text left, saving offers to turn the
    // mail back into a plain text mail; on Yes the dialog's work ends.
    CScript again;
    again.steps = {
        {"delete all but the body text", [&] {
             hDlg = ShownWindow(L"Multipart");
             if (!hDlg)
                 return false;
             hTree = ::GetDlgItem(hDlg, IDC_PARTS_TREE);
             for (const char* n : {"evil.bat", "multipart3", "added.txt"}) {
                 select(n);
                 ::SendMessageW(hDlg, WM_COMMAND, ID_PARTS_DELETE, 0);
             }
             EXPECT_EQ(TreeText(hTree, TreeView_GetRoot(hTree)), "m.txt(本文.txt)");
             m_ui.AnswerNext(true);
             post(ID_FILE_SAVE);
             return true;
         }},
        // Only a dialog that stays open comes here (and is then cancelled).
        {"the dialog ended by itself", [&] { return ShownWindow(L"Multipart") == nullptr; }},
    };
    size_t nBoxes = m_ui.m_boxes.size();
    g_pScript = &again;
    timer = ::SetTimer(nullptr, 0, 50, ScriptTick);
    ::SendMessageW(Main()->GetHwnd(), WM_COMMAND, ID_MAIL_PARTS, 0);
    ::KillTimer(nullptr, timer);
    g_pScript = nullptr;
    EXPECT_EQ(again.nNext, 1u);  // the dialog ended before a second step was needed
    // (The document then says its reloaded text has no line end at its end.)
    ASSERT_GT(m_ui.m_boxes.size(), nBoxes);
    EXPECT_EQ(m_ui.m_boxes[nBoxes].text, "プレインテキストメールに戻しますか");
    mail = m_dir.Read("m.txt");
    EXPECT_EQ(mail.find("multipart"), std::string::npos);
    const std::string plainEnd = "\r\n--------\r\nbody text";
    ASSERT_GT(mail.size(), plainEnd.size());
    EXPECT_EQ(mail.substr(mail.size() - plainEnd.size()), plainEnd);
    EXPECT_EQ(CloseAndRun(), 0);
}

// What a part dragged out offers another program: its files as a drop list and
// as shell ID lists below the desktop (parts of a nested multipart lie in a
// folder of their own), the tree item it came from, and what a drop helper
// stored in it (the drag image).
TEST_F(PartsDialogTest, ADraggedPartOffersFilesIdListsAndItsItem)
{
    m_dir.Write("a.txt", "a");
    std::filesystem::create_directory(File("multipart1"));
    m_dir.Write("multipart1\\b.jpg", "b");
    std::vector<std::string> paths = {File("a.txt"), File("multipart1\\b.jpg")};
    ::CoInitialize(nullptr);  // the shell's ID lists (already done when the program started OLE)
    IDataObject* pData = CreatePartsDataObject(paths, reinterpret_cast<HTREEITEM>(0x1234));
    auto get = [&](CLIPFORMAT cf, STGMEDIUM& medium) {
        FORMATETC format = {cf, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return pData->GetData(&format, &medium) == S_OK;
    };
    STGMEDIUM medium = {};
    ASSERT_TRUE(get(CF_HDROP, medium));
    auto hDrop = static_cast<HDROP>(medium.hGlobal);
    ASSERT_EQ(::DragQueryFileW(hDrop, 0xFFFFFFFF, nullptr, 0), 2u);
    for (UINT i = 0; i < 2; ++i) {
        wchar_t name[MAX_PATH] = {};
        ::DragQueryFileW(hDrop, i, name, MAX_PATH);
        EXPECT_EQ(Narrow(name), paths[i]);
    }
    ::ReleaseStgMedium(&medium);

    ASSERT_TRUE(get(ShellIdListFormat(), medium));
    auto* cida = static_cast<const CIDA*>(::GlobalLock(medium.hGlobal));
    ASSERT_EQ(cida->cidl, 2u);
    auto* base = reinterpret_cast<const BYTE*>(cida);
    EXPECT_EQ(reinterpret_cast<const ITEMIDLIST*>(base + cida->aoffset[0])->mkid.cb, 0);  // the desktop
    for (UINT i = 0; i < 2; ++i) {
        wchar_t name[MAX_PATH] = {};
        ASSERT_TRUE(::SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(base + cida->aoffset[i + 1]), name));
        EXPECT_EQ(Narrow(name), paths[i]);
    }
    ::GlobalUnlock(medium.hGlobal);
    ::ReleaseStgMedium(&medium);

    ASSERT_TRUE(get(PartItemFormat(), medium));
    EXPECT_EQ(*static_cast<HTREEITEM*>(::GlobalLock(medium.hGlobal)), reinterpret_cast<HTREEITEM>(0x1234));
    ::GlobalUnlock(medium.hGlobal);
    ::ReleaseStgMedium(&medium);

    // A format stored by a helper comes back; one never offered is refused.
    auto cfImage = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"tova test image"));
    FORMATETC format = {cfImage, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM stored = {TYMED_HGLOBAL, {}, nullptr};
    stored.hGlobal = MakePartItemHandle(reinterpret_cast<HTREEITEM>(0x5678));
    ASSERT_EQ(pData->SetData(&format, &stored, TRUE), S_OK);
    ASSERT_TRUE(get(cfImage, medium));
    EXPECT_EQ(*static_cast<HTREEITEM*>(::GlobalLock(medium.hGlobal)), reinterpret_cast<HTREEITEM>(0x5678));
    ::GlobalUnlock(medium.hGlobal);
    ::ReleaseStgMedium(&medium);
    EXPECT_FALSE(get(CF_TEXT, medium));
    IEnumFORMATETC* pEnum = nullptr;
    ASSERT_EQ(pData->EnumFormatEtc(DATADIR_GET, &pEnum), S_OK);
    FORMATETC all[8] = {};
    ULONG n = 0;
    pEnum->Next(8, all, &n);
    EXPECT_EQ(n, 4u);
    pEnum->Release();
    pData->Release();
    ::CoUninitialize();
}
