// The parts dialog of a multipart mail.
#include "app/PartsDialog_win.h"

#include <windowsx.h>

#include "app/DirChooser_win.h"
#include "app/PartsDragOut_win.h"
#include "app/PartsPrompts_win.h"
#include "app/PartsResource.h"
#include "fw/FileDialog_win.h"
#include "keys/CommandIds.h"
#include "mail/ContentTypeTable.h"
#include "mail/Mail.h"
#include "mail/MailPartsSplit.h"
#include "mail/MailWorkDir.h"
#include "mail/PartCommand.h"
#include "mail/PartNames.h"
#include "mail/PartsIndex.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/SettingsStore.h"
#include "platform/Wide_win.h"
#include "services/FileUtils.h"
#include "services/Process_win.h"
#include "services/TextUtils.h"
#include "settings/AppSettings.h"
#include "text/Unicode.h"

namespace {

constexpr char kSection[] = "Multipart Dialog";
constexpr char kOutputDirectory[] = "OutputDirectory";

bool CopyPartFile(const std::string& from, const std::string& to)
{
    if (::CopyFileW(Wide(from).c_str(), Wide(to).c_str(), FALSE))
        return true;
    ErrorBox("can't copy %s to %s", from.c_str(), to.c_str());
    return false;
}

// The registered open command of a file's extension ("" when none).
std::string RegisteredOpenCommand(const std::string& path)
{
    auto read = [](const std::wstring& key, std::wstring& value) {
        HKEY h = nullptr;
        if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
            return false;
        wchar_t buf[1024] = {};
        DWORD size = sizeof buf - sizeof(wchar_t);
        DWORD type = 0;
        bool ok = ::RegQueryValueExW(h, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) ==
                      ERROR_SUCCESS &&
                  (type == REG_SZ || type == REG_EXPAND_SZ);
        ::RegCloseKey(h);
        value = buf;
        return ok && !value.empty();
    };
    std::string ext = ExtensionOf(path);
    std::wstring fileType, command;
    if (ext.empty() || !read(Wide(ext), fileType))
        return std::string();
    wchar_t key[600];
    ::swprintf(key, 600, L"%ls\\shell\\open\\command", fileType.c_str());
    if (!read(key, command))
        return std::string();
    return Narrow(command);
}

std::string OwnProgramPath()
{
    wchar_t buf[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, buf, MAX_PATH);
    return Narrow(buf);
}

} // namespace

CPartsDialog::CPartsDialog(std::string strMailPath) : CDialog(IDD_PARTS), m_strMailPath(std::move(strMailPath)) {}

CPartsDialog::~CPartsDialog()
{
    if (!m_strFolder.empty())
        RemoveDirectoryTree(m_strFolder);
}

bool CPartsDialog::OnInitDialog()
{
    m_tree.Attach(Item(IDC_PARTS_TREE));
    CMail mail(m_strMailPath);
    mail.Load(false, false);
    SetItemText(IDC_PARTS_FROM, DecodeHeaderWords(TrimOf(mail.GetField("FROM"), " \t")));
    SetItemText(IDC_PARTS_TO, DecodeHeaderWords(TrimOf(mail.GetField("TO"), " \t")));
    SetItemText(IDC_PARTS_CC, DecodeHeaderWords(TrimOf(mail.GetField("CC"), " \t")));
    SetItemText(IDC_PARTS_SUBJECT, DecodeHeaderWords(TrimOf(mail.GetField("SUBJECT"), " \t")));

    m_strFolder = MakePartsFolder(MailWorkDir());
    if (m_strFolder.empty() || !SplitMailIntoParts(m_strMailPath, m_strFolder)) {
        EndDialog(IDCANCEL);
        return true;
    }
    CPartItem root;
    root.strPath = m_strMailPath;
    root.strType = "multipart";
    root.strSubtype = "mixed";
    HTREEITEM hRoot = m_tree.Insert(TVI_ROOT, TVI_LAST, FileNameOf(m_strMailPath), root);
    FillFolder(hRoot, m_strFolder);
    TreeView_Expand(m_tree.GetHwnd(), hRoot, TVE_EXPAND);
    TreeView_SelectItem(m_tree.GetHwnd(), hRoot);
    ::DragAcceptFiles(m_hWnd, TRUE);
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    LayOut(rc.right, rc.bottom);
    ::SetFocus(m_tree.GetHwnd());
    return false;
}

void CPartsDialog::FillFolder(HTREEITEM parent, const std::string& folder)
{
    std::vector<CPartsIndexEntry> entries;
    ReadPartsIndex(folder, entries);
    for (const CPartsIndexEntry& e : entries) {
        CPartItem part;
        part.strPath = JoinPath(folder, e.strName);
        part.strType = e.strType;
        part.strSubtype = e.strSubtype;
        part.bInline = e.bInline;
        part.nTime = part.IsMultipart() ? -1 : FileTimeOf(part.strPath);
        bool bMultipart = part.IsMultipart();
        HTREEITEM item = m_tree.Insert(parent, TVI_LAST, e.strName, std::move(part));
        if (bMultipart)
            FillFolder(item, JoinPath(folder, e.strName));
    }
}

std::string CPartsDialog::FolderOf(HTREEITEM item) const
{
    if (item == m_tree.Root())
        return m_strFolder;
    const CPartItem* part = m_tree.PartOf(item);
    return part ? part->strPath : std::string();
}

HTREEITEM CPartsDialog::FindChild(HTREEITEM folderItem, const std::string& name) const
{
    for (HTREEITEM c : m_tree.Children(folderItem))
        if (EqualsNoCase(FileNameOf(m_tree.PartOf(c)->strPath), name))
            return c;
    return nullptr;
}

void CPartsDialog::CollectLeaves(HTREEITEM item, std::vector<HTREEITEM>& leaves) const
{
    for (HTREEITEM c : m_tree.Children(item)) {
        if (m_tree.PartOf(c)->IsMultipart())
            CollectLeaves(c, leaves);
        else
            leaves.push_back(c);
    }
}

// ---- command enabling ----

bool CPartsDialog::PartFileChanged(HTREEITEM item)
{
    for (HTREEITEM c : m_tree.Children(item)) {
        const CPartItem* part = m_tree.PartOf(c);
        if (part->IsMultipart() ? PartFileChanged(c) : FileTimeOf(part->strPath) > part->nTime)
            return true;
    }
    return false;
}

bool CPartsDialog::CanSaveMail()
{
    // A part edited in its own program since it was loaded or saved changes the mail too.
    if (!m_bModified && m_tree.Root() && PartFileChanged(m_tree.Root()))
        m_bModified = true;
    return m_bModified;
}

bool CPartsDialog::CanShow() const
{
    HTREEITEM item = m_tree.Selected();
    return item && (item == m_tree.Root() || !m_tree.PartOf(item)->IsMultipart());
}

bool CPartsDialog::CanDelete() const
{
    HTREEITEM item = m_tree.Selected();
    return item && item != m_tree.Root();
}

void CPartsDialog::UpdateMenu(HMENU hMenu)
{
    auto enable = [hMenu](UINT id, bool bOn) { ::EnableMenuItem(hMenu, id, MF_BYCOMMAND | (bOn ? MF_ENABLED : MF_GRAYED)); };
    enable(ID_FILE_SAVE, CanSaveMail());
    enable(ID_PARTS_SHOW, CanShow());
    enable(ID_PARTS_SAVE, CanSavePart());
    enable(ID_PARTS_DELETE, CanDelete());
    bool bRoot = m_tree.Selected() && m_tree.Selected() == m_tree.Root();
    ::ModifyMenuW(hMenu, ID_PARTS_SAVE, MF_BYCOMMAND | MF_STRING | (CanSavePart() ? 0 : MF_GRAYED), ID_PARTS_SAVE,
                  bRoot ? L"全ﾊﾟｰﾂ保存(&S)" : L"保存(&S)");
}

void CPartsDialog::RunCommand(int nId)
{
    switch (nId) {
    case ID_FILE_SAVE:
        if (CanSaveMail())
            SaveMail();
        break;
    case ID_PARTS_EXIT:
        Close();
        break;
    case ID_PARTS_SHOW:
        if (CanShow())
            ShowPart();
        break;
    case ID_PARTS_SAVE:
        if (CanSavePart())
            SavePart();
        break;
    case ID_PARTS_DELETE:
        if (CanDelete())
            DeletePart();
        break;
    default:
        break;
    }
}

bool CPartsDialog::OnControl(int nId, UINT, HWND hCtrl)
{
    if (hCtrl)
        return false;
    switch (nId) {
    case ID_FILE_SAVE:
    case ID_PARTS_EXIT:
    case ID_PARTS_SHOW:
    case ID_PARTS_SAVE:
    case ID_PARTS_DELETE:
        RunCommand(nId);
        return true;
    default:
        return false;
    }
}

void CPartsDialog::OnCancel() { Close(); }

// ---- the commands ----

void CPartsDialog::ShowPart()
{
    HTREEITEM item = m_tree.Selected();
    if (item == m_tree.Root()) {
        Close();
        return;
    }
    const CPartItem part = *m_tree.PartOf(item);
    switch (PartActionOf(ContentTypes(), part.strType, part.strSubtype)) {
    case EPartAction::Run:
        RunPart(part);
        break;
    case EPartAction::Save:
        SavePart();
        break;
    case EPartAction::Ask: {
        CPartActionDlg warning(FileNameOf(part.strPath));
        INT_PTR answer = warning.DoModal(m_hWnd);
        if (answer == IDC_ACTION_SAVE)
            SavePart();
        else if (answer == IDC_ACTION_RUN)
            RunPart(part);
        break;
    }
    }
}

void CPartsDialog::RunPart(const CPartItem& part)
{
    std::string program;
    if (const CContentType* row = ContentTypes().FindByType(part.strType, part.strSubtype))
        program = row->strLast;
    if (program.empty())
        program = RegisteredOpenCommand(part.strPath);
    if (program.empty())
        program = OwnProgramPath();
    std::string line;
    if (!MakePartCommandLine(part.strPath, program, line)) {
        ErrorBox("コマンドラインが長すぎます");
        return;
    }
    if (HANDLE h = StartProcess("%s", line.c_str()))
        ::CloseHandle(h);
}

std::string CPartsDialog::OutputDirectory() const
{
    return SettingsStore().GetString(kSection, kOutputDirectory, AppSettings().m_strOpenFileDir);
}

void CPartsDialog::SetOutputDirectory(const std::string& dir) { SettingsStore().WriteString(kSection, kOutputDirectory, dir); }

void CPartsDialog::SavePart()
{
    HTREEITEM item = m_tree.Selected();
    if (!item)
        return;
    const CPartItem* part = m_tree.PartOf(item);
    if (item == m_tree.Root() || part->IsMultipart()) {
        SaveAllBelow(item);
        return;
    }
    std::string name = FileNameOf(part->strPath);
    std::string ext = ExtensionOf(name);
    std::string type = part->strType + "/" + part->strSubtype;
    CFileDialogOptions o;
    o.strTitle = Utf8ToSjis("ﾊﾟｰﾂの出力先ﾃﾞｨﾚｸﾄﾘ");
    o.strFilter = type + " (*" + ext + ")|*" + ext + "|all (*.*)|*.*||";
    o.strInitialDir = OutputDirectory();
    o.strFileName = name;
    o.strDefExt = ext.empty() ? std::string() : ext.substr(1);
    if (!PromptSaveFileName(m_hWnd, o))
        return;
    if (CopyPartFile(part->strPath, o.strFileName))
        SetOutputDirectory(DirectoryOf(o.strFileName));
}

void CPartsDialog::SaveAllBelow(HTREEITEM item)
{
    std::vector<HTREEITEM> leaves;
    CollectLeaves(item, leaves);
    if (leaves.empty()) {
        ErrorBox("This multipart message has no parts");
        return;
    }
    CDirChooser chooser(OutputDirectory());
    if (chooser.DoModal(m_hWnd) != IDOK)
        return;
    std::string folder = chooser.Folder();
    SetOutputDirectory(folder);
    bool bOverwriteAll = false;
    for (HTREEITEM leaf : leaves) {
        const CPartItem* part = m_tree.PartOf(leaf);
        std::string name = FileNameOf(part->strPath);
        std::string ext = ExtensionOf(name);
        std::string target = folder + "\\" + name.substr(0, name.size() - ext.size()) + ext;
        // A file that is there already is replaced only when the user says so.
        while (!bOverwriteAll && (FileExists(target) || FolderExists(target))) {
            COverwriteDlg ask(FileNameOf(target));
            EOverwrite answer = ask.Ask(m_hWnd);
            if (answer == EOverwrite::Cancel)
                return;
            if (answer == EOverwrite::Skip) {
                target.clear();
                break;
            }
            if (answer == EOverwrite::OverwriteAll)
                bOverwriteAll = true;
            if (answer != EOverwrite::Rename)
                break;
            target = folder + "\\" + ask.NewName();
        }
        if (!target.empty() && !CopyPartFile(part->strPath, target))
            return;
    }
}

void CPartsDialog::DeletePart()
{
    HTREEITEM item = m_tree.Selected();
    m_tree.Remove(item);
    m_bModified = true;
}

bool CPartsDialog::WriteIndexes(HTREEITEM folderItem)
{
    std::vector<CPartsIndexEntry> entries;
    for (HTREEITEM c : m_tree.Children(folderItem)) {
        const CPartItem* part = m_tree.PartOf(c);
        entries.push_back({FileNameOf(part->strPath), part->strType, part->strSubtype, part->bInline});
        if (part->IsMultipart() && !WriteIndexes(c))
            return false;
    }
    return WritePartsIndex(FolderOf(folderItem), entries);
}

void CPartsDialog::RecordTimes(HTREEITEM item)
{
    for (HTREEITEM c : m_tree.Children(item)) {
        CPartItem* part = m_tree.PartOf(c);
        if (part->IsMultipart())
            RecordTimes(c);
        else
            part->nTime = FileTimeOf(part->strPath);
    }
}

bool CPartsDialog::SaveMail()
{
    HTREEITEM root = m_tree.Root();
    std::vector<HTREEITEM> top = m_tree.Children(root);
    if (top.size() == 1) {
        const CPartItem* only = m_tree.PartOf(top[0]);
        if (EqualsNoCase(only->strType, "text") && EqualsNoCase(only->strSubtype, "plain") &&
            QuestionBox("プレインテキストメールに戻しますか")) {
            CMail mail(m_strMailPath);
            if (!mail.Load(false, false) || !mail.RevertToPlainText(only->strPath))
                return false;
            m_bRewritten = true;
            m_bModified = false;
            EndDialog(IDOK);
            return true;
        }
    }
    if (!WriteIndexes(root))
        return false;
    RecordTimes(root);
    CMail mail(m_strMailPath);
    if (!mail.Load(false, false) || !mail.RebuildFromParts(m_strFolder))
        return false;
    m_bRewritten = true;
    m_bModified = false;
    if (m_bCloseAfterSave)
        EndDialog(IDOK);
    return true;
}

void CPartsDialog::Close()
{
    if (CanSaveMail() && QuestionBox("変更を保存しますか")) {
        m_bCloseAfterSave = true;
        if (!SaveMail())
            m_bCloseAfterSave = false;
        return;
    }
    EndDialog(m_bRewritten ? IDOK : IDCANCEL);
}

// ---- mouse, keys, drops ----

void CPartsDialog::ShowPopup()
{
    DWORD pos = ::GetMessagePos();
    POINT pt = {GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
    POINT client = pt;
    ::ScreenToClient(m_tree.GetHwnd(), &client);
    if (HTREEITEM item = m_tree.HitTest(client))
        TreeView_SelectItem(m_tree.GetHwnd(), item);
    HMENU hMenu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_PARTS_MENU));
    HMENU hParts = ::GetSubMenu(hMenu, 1);
    UpdateMenu(hParts);
    int nId = ::TrackPopupMenu(hParts, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, pt.x, pt.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(hMenu);
    if (nId)
        RunCommand(nId);
}

void CPartsDialog::DropPlace(HTREEITEM target, HTREEITEM& folderItem, HTREEITEM& after) const
{
    if (!target)
        target = m_tree.Root();
    if (target == m_tree.Root() || m_tree.PartOf(target)->IsMultipart()) {
        folderItem = target;
        after = TVI_LAST;
    } else {
        folderItem = m_tree.Parent(target);
        after = target;
    }
}

void CPartsDialog::DropFiles(HDROP hDrop)
{
    POINT pt = {};
    ::DragQueryPoint(hDrop, &pt);
    ::MapWindowPoints(m_hWnd, m_tree.GetHwnd(), &pt, 1);
    HTREEITEM folderItem = nullptr, after = nullptr;
    DropPlace(m_tree.HitTest(pt), folderItem, after);
    std::string folder = FolderOf(folderItem);
    std::vector<std::string> files;
    UINT n = ::DragQueryFileW(hDrop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < n; ++i) {
        UINT len = ::DragQueryFileW(hDrop, i, nullptr, 0);
        std::wstring wide(len + 1, L'\0');
        ::DragQueryFileW(hDrop, i, wide.data(), len + 1);
        wide.resize(len);
        std::string path;
        if (PathFromSystem(wide, path))
            files.push_back(path);
    }
    ::DragFinish(hDrop);

    bool bOverwriteAll = false;
    for (const std::string& file : files) {
        if (FolderExists(file))
            continue;
        std::string name = PlainPartName(FileNameOf(file));
        if (name.empty())
            continue;
        HTREEITEM existing = FindChild(folderItem, name);
        bool bSkip = false;
        while (existing && !bOverwriteAll) {
            COverwriteDlg ask(name);
            EOverwrite answer = ask.Ask(m_hWnd);
            if (answer == EOverwrite::Cancel)
                return;
            if (answer == EOverwrite::Skip) {
                bSkip = true;
                break;
            }
            if (answer == EOverwrite::OverwriteAll)
                bOverwriteAll = true;
            if (answer != EOverwrite::Rename)
                break;
            name = ask.NewName();
            existing = FindChild(folderItem, name);
        }
        if (bSkip)
            continue;
        if (existing && m_tree.PartOf(existing)->IsMultipart()) {
            ErrorBox("can't copy %s to %s", file.c_str(), m_tree.PartOf(existing)->strPath.c_str());
            continue;
        }
        std::string target = JoinPath(folder, name);
        if (!CopyPartFile(file, target))
            return;
        std::string type = ContentTypes().MediaTypeOf(name);
        CPartItem part;
        part.strPath = target;
        part.strType = type.substr(0, type.find('/'));
        part.strSubtype = type.substr(type.find('/') + 1);
        part.nTime = FileTimeOf(target);
        if (existing) {
            // The new file takes the place of the one it replaced.
            HTREEITEM at = existing;
            HTREEITEM prev = TreeView_GetPrevSibling(m_tree.GetHwnd(), existing);
            m_tree.Remove(existing);
            at = m_tree.Insert(folderItem, prev ? prev : TVI_FIRST, name, std::move(part));
            after = at;
        } else {
            after = m_tree.Insert(folderItem, after, name, std::move(part));
        }
        m_bModified = true;
    }
}

void CPartsDialog::DragOut(HTREEITEM item)
{
    std::vector<std::string> paths;
    if (m_tree.PartOf(item)->IsMultipart()) {
        std::vector<HTREEITEM> leaves;
        CollectLeaves(item, leaves);
        for (HTREEITEM leaf : leaves)
            paths.push_back(m_tree.PartOf(leaf)->strPath);
    } else {
        paths.push_back(m_tree.PartOf(item)->strPath);
    }
    if (!paths.empty())
        DragPartsOut(paths, item);
}

void CPartsDialog::ChangePaths(HTREEITEM item, const std::string& oldPrefix, const std::string& newPrefix)
{
    for (HTREEITEM c : m_tree.Children(item)) {
        CPartItem* part = m_tree.PartOf(c);
        if (part->strPath.compare(0, oldPrefix.size(), oldPrefix) == 0)
            part->strPath = newPrefix + part->strPath.substr(oldPrefix.size());
        ChangePaths(c, oldPrefix, newPrefix);
    }
}

void CPartsDialog::MovePart(HTREEITEM item, HTREEITEM target)
{
    if (!item || item == m_tree.Root() || item == target)
        return;
    HTREEITEM folderItem = nullptr, after = nullptr;
    DropPlace(target, folderItem, after);
    if (m_tree.IsWithin(folderItem, item))
        return;  // into itself
    CPartItem* part = m_tree.PartOf(item);
    std::string name = FileNameOf(part->strPath);
    if (m_tree.Parent(item) != folderItem) {
        std::string folder = FolderOf(folderItem);
        HTREEITEM existing = FindChild(folderItem, name);
        std::string target = JoinPath(folder, name);
        // A name that is taken there is replaced only when the user says so.
        while (existing || FileExists(target) || FolderExists(target)) {
            COverwriteDlg ask(name);
            EOverwrite answer = ask.Ask(m_hWnd);
            if (answer == EOverwrite::Cancel || answer == EOverwrite::Skip)
                return;
            if (answer == EOverwrite::Rename) {
                name = ask.NewName();
                existing = FindChild(folderItem, name);
                target = JoinPath(folder, name);
                continue;
            }
            if (part->IsMultipart() || (existing && m_tree.PartOf(existing)->IsMultipart()) || FolderExists(target)) {
                ErrorBox("can't move %s to %s", part->strPath.c_str(), target.c_str());
                return;
            }
            if (existing) {
                if (after == existing)
                    after = TreeView_GetPrevSibling(m_tree.GetHwnd(), existing);
                if (!after)
                    after = TVI_FIRST;
                m_tree.Remove(existing);
            }
            ::DeleteFileW(Wide(target).c_str());
            break;
        }
        if (!::MoveFileExW(Wide(part->strPath).c_str(), Wide(target).c_str(), MOVEFILE_COPY_ALLOWED)) {
            ErrorBox("can't move %s to %s", part->strPath.c_str(), target.c_str());
            return;
        }
        std::string old = part->strPath;
        part->strPath = target;
        ChangePaths(item, old, target);
    }
    HTREEITEM moved = m_tree.Move(item, folderItem, after);
    m_tree.SetText(moved, name);
    TreeView_SelectItem(m_tree.GetHwnd(), moved);
    m_bModified = true;
}

void CPartsDialog::LayOut(int cx, int cy)
{
    HWND hTree = m_tree.GetHwnd();
    if (!hTree)
        return;
    RECT rc;
    ::GetWindowRect(hTree, &rc);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    int margin = rc.left;
    ::MoveWindow(hTree, rc.left, rc.top, std::max(20, static_cast<int>(cx - rc.left - margin)),
                 std::max(20, static_cast<int>(cy - rc.top - margin)), TRUE);
    for (int id : {IDC_PARTS_FROM, IDC_PARTS_TO, IDC_PARTS_CC, IDC_PARTS_SUBJECT}) {
        RECT r;
        ::GetWindowRect(Item(id), &r);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        ::MoveWindow(Item(id), r.left, r.top, std::max(20, static_cast<int>(cx - r.left - margin)), r.bottom - r.top, TRUE);
    }
}

INT_PTR CPartsDialog::OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_INITMENUPOPUP:
        UpdateMenu(reinterpret_cast<HMENU>(wParam));
        return TRUE;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            LayOut(LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_DROPFILES:
        DropFiles(reinterpret_cast<HDROP>(wParam));
        return TRUE;
    case WM_MOUSEMOVE:
        if (m_hDragItem) {
            POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            POINT screen = pt;
            ::ClientToScreen(m_hWnd, &screen);
            RECT rcWindow;
            ::GetWindowRect(m_hWnd, &rcWindow);
            if (!::PtInRect(&rcWindow, screen)) {
                // Out of the dialog: the part goes to another program as files.
                HTREEITEM item = m_hDragItem;
                m_hDragItem = nullptr;
                ::ReleaseCapture();
                TreeView_SelectDropTarget(m_tree.GetHwnd(), nullptr);
                DragOut(item);
                return TRUE;
            }
            ::MapWindowPoints(m_hWnd, m_tree.GetHwnd(), &pt, 1);
            TreeView_SelectDropTarget(m_tree.GetHwnd(), m_tree.HitTest(pt));
            return TRUE;
        }
        return FALSE;
    case WM_LBUTTONUP:
        if (m_hDragItem) {
            HTREEITEM item = m_hDragItem;
            m_hDragItem = nullptr;
            ::ReleaseCapture();
            TreeView_SelectDropTarget(m_tree.GetHwnd(), nullptr);
            POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ::MapWindowPoints(m_hWnd, m_tree.GetHwnd(), &pt, 1);
            MovePart(item, m_tree.HitTest(pt));
            return TRUE;
        }
        return FALSE;
    case WM_CAPTURECHANGED:
        if (m_hDragItem && reinterpret_cast<HWND>(lParam) != m_hWnd) {
            m_hDragItem = nullptr;
            TreeView_SelectDropTarget(m_tree.GetHwnd(), nullptr);
        }
        return FALSE;
    case WM_NOTIFY: {
        const auto* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        if (pHdr->hwndFrom != m_tree.GetHwnd())
            return FALSE;
        switch (pHdr->code) {
        case NM_DBLCLK:
            if (CanShow())
                ShowPart();
            ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case NM_RCLICK:
            ShowPopup();
            ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case TVN_KEYDOWN: {
            const auto* pKey = reinterpret_cast<const NMTVKEYDOWN*>(lParam);
            if (pKey->wVKey == VK_DELETE)
                RunCommand(ID_PARTS_DELETE);
            else if (pKey->wVKey == 'S' && (::GetKeyState(VK_CONTROL) & 0x8000))
                RunCommand(ID_FILE_SAVE);
            return TRUE;
        }
        case TVN_BEGINDRAGW:
        case TVN_BEGINDRAGA: {
            const auto* pTv = reinterpret_cast<const NMTREEVIEWW*>(lParam);
            if (pTv->itemNew.hItem && pTv->itemNew.hItem != m_tree.Root()) {
                m_hDragItem = pTv->itemNew.hItem;
                ::SetCapture(m_hWnd);
            }
            return TRUE;
        }
        default:
            return FALSE;
        }
    }
    default:
        return FALSE;
    }
}
