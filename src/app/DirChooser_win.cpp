// The folder chooser.
#include "app/DirChooser_win.h"

#include <algorithm>
#include <vector>

#include "app/PartsResource.h"
#include "fw/TreeView_win.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/SettingsStore.h"
#include "platform/Wide_win.h"
#include "services/Base64.h"
#include "services/FileUtils.h"

namespace {

constexpr char kPlacementSection[] = "WindowPlacement";
constexpr char kPlacementKey[] = "DirDialog";
// A child that says "not filled yet" so that the item shows its button.
constexpr LPARAM kUnfilled = 1;

} // namespace

CDirChooser::CDirChooser(std::string strStart) : CDialog(IDD_DIR_CHOOSER), m_strStart(std::move(strStart)) {}

HTREEITEM CDirChooser::AddFolder(HTREEITEM parent, const std::string& name)
{
    std::wstring wide = Wide(name);
    TVINSERTSTRUCTW ins = {};
    ins.hParent = parent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_CHILDREN;
    ins.item.pszText = wide.data();
    ins.item.cChildren = 1;
    return reinterpret_cast<HTREEITEM>(::SendMessageW(m_hTree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
}

std::string CDirChooser::PathOf(HTREEITEM item) const
{
    std::vector<std::string> names;
    for (; item; item = TreeView_GetParent(m_hTree, item)) {
        names.push_back(TreeItemText(m_hTree, item));
    }
    std::string path;
    for (auto it = names.rbegin(); it != names.rend(); ++it)
        path = path.empty() ? *it : JoinPath(path, *it);
    return path;
}

void CDirChooser::FillChildren(HTREEITEM item)
{
    TVITEMW tvi = {};
    tvi.mask = TVIF_PARAM;
    tvi.hItem = item;
    ::SendMessageW(m_hTree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi));
    if (tvi.lParam == kUnfilled + 1)
        return;  // filled before
    std::vector<CFolderEntry> entries;
    std::string path = PathOf(item);
    ListFolder(path.size() == 2 ? path + "\\" : path, entries);
    std::vector<std::string> names;
    for (const CFolderEntry& e : entries)
        if (e.kind == CFolderEntry::Folder)
            names.push_back(e.strName);
    std::sort(names.begin(), names.end());
    for (const std::string& n : names)
        AddFolder(item, n);
    tvi.mask = TVIF_PARAM | TVIF_CHILDREN;
    tvi.lParam = kUnfilled + 1;
    tvi.cChildren = names.empty() ? 0 : 1;
    ::SendMessageW(m_hTree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tvi));
}

HTREEITEM CDirChooser::ShowFolder(const std::string& path)
{
    // Walk down from the drive, one name after the other.
    std::string rest = path;
    HTREEITEM item = nullptr;
    HTREEITEM level = TreeView_GetRoot(m_hTree);
    while (!rest.empty()) {
        size_t sep = rest.find('\\');
        std::string name = rest.substr(0, sep);
        rest = sep == std::string::npos ? std::string() : rest.substr(sep + 1);
        if (name.empty())
            continue;
        HTREEITEM found = nullptr;
        for (HTREEITEM c = level; c; c = TreeView_GetNextSibling(m_hTree, c)) {
            if (::lstrcmpiW(Wide(TreeItemText(m_hTree, c)).c_str(), Wide(name).c_str()) == 0) {
                found = c;
                break;
            }
        }
        if (!found)
            break;
        item = found;
        FillChildren(item);
        TreeView_Expand(m_hTree, item, TVE_EXPAND);
        level = TreeView_GetChild(m_hTree, item);
    }
    if (item) {
        TreeView_SelectItem(m_hTree, item);
        TreeView_EnsureVisible(m_hTree, item);
    }
    return item;
}

bool CDirChooser::OnInitDialog()
{
    m_hTree = Item(IDC_DIR_TREE);
    DWORD drives = ::GetLogicalDrives();
    for (int d = 0; d < 26; ++d)
        if (drives & (1u << d)) {
            std::string name = std::string(1, static_cast<char>('A' + d)) + ":";
            AddFolder(TVI_ROOT, name);
        }
    std::string stored = SettingsStore().GetString(kPlacementSection, kPlacementKey, "");
    WINDOWPLACEMENT wp = {};
    if (!stored.empty() && stored.size() <= Base64EncodedSize(sizeof wp) &&
        Base64Decode(&wp, sizeof wp, stored.c_str()) == static_cast<long>(sizeof wp)) {
        wp.length = sizeof wp;
        wp.showCmd = SW_SHOWNORMAL;
        ::SetWindowPlacement(m_hWnd, &wp);
    }
    ShowFolder(FullPathOf(m_strStart));
    ::SetFocus(m_hTree);
    return false;
}

void CDirChooser::SavePlacement()
{
    WINDOWPLACEMENT wp = {sizeof wp};
    if (!::GetWindowPlacement(m_hWnd, &wp))
        return;
    char text[Base64EncodedSize(sizeof wp) + 1] = {};
    Base64Encode(text, &wp, sizeof wp);
    SettingsStore().WriteString(kPlacementSection, kPlacementKey, text);
}

void CDirChooser::OnOK()
{
    HTREEITEM item = TreeView_GetSelection(m_hTree);
    if (!item) {
        ErrorBox("ﾃﾞｨﾚｸﾄﾘを選択するかｷｬﾝｾﾙしてください");
        return;
    }
    m_strFolder = PathOf(item);
    SavePlacement();
    EndDialog(IDOK);
}

void CDirChooser::OnCancel()
{
    SavePlacement();
    EndDialog(IDCANCEL);
}

INT_PTR CDirChooser::OnMessage(UINT nMsg, WPARAM, LPARAM lParam)
{
    if (nMsg == WM_NOTIFY) {
        const auto* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        if (pHdr->hwndFrom == m_hTree && pHdr->code == TVN_ITEMEXPANDINGW) {
            const auto* pTv = reinterpret_cast<const NMTREEVIEWW*>(lParam);
            if (pTv->action & TVE_EXPAND)
                FillChildren(pTv->itemNew.hItem);
            return FALSE;
        }
    }
    if (nMsg == WM_SIZE && m_hTree) {
        RECT rc;
        ::GetClientRect(m_hWnd, &rc);
        RECT button;
        ::GetWindowRect(Item(IDOK), &button);
        int h = button.bottom - button.top;
        int w = button.right - button.left;
        ::MoveWindow(m_hTree, 10, 10, rc.right - 20, rc.bottom - h - 30, TRUE);
        ::MoveWindow(Item(IDCANCEL), rc.right - w - 10, rc.bottom - h - 10, w, h, TRUE);
        ::MoveWindow(Item(IDOK), rc.right - 2 * w - 20, rc.bottom - h - 10, w, h, TRUE);
        return TRUE;
    }
    return FALSE;
}
