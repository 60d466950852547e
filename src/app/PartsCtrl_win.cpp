// The tree of a mail's parts.
#include "app/PartsCtrl_win.h"

#include <shellapi.h>

#include "fw/TreeView_win.h"
#include "platform/Messages.h"
#include "platform/Wide_win.h"
#include "services/TextUtils.h"

bool CPartItem::IsMultipart() const { return EqualsNoCase(strType, "multipart"); }

CPartsCtrl::~CPartsCtrl()
{
    // The tree does not own the lists: it may be gone already.
    if (m_hSmall)
        ::ImageList_Destroy(m_hSmall);
    if (m_hLarge)
        ::ImageList_Destroy(m_hLarge);
}

void CPartsCtrl::Attach(HWND hTree)
{
    m_hTree = hTree;
    m_hSmall = ::ImageList_Create(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                  ILC_COLOR32 | ILC_MASK, 8, 8);
    m_hLarge = ::ImageList_Create(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON),
                                  ILC_COLOR32 | ILC_MASK, 8, 8);
    TreeView_SetImageList(m_hTree, m_hSmall, TVSIL_NORMAL);
}

int CPartsCtrl::IconOf(const std::string& path)
{
    // The small icon shows in the tree; the large one goes with a dragged part.
    SHFILEINFOW small = {}, large = {};
    std::wstring wide = Wide(path);
    if (!::SHGetFileInfoW(wide.c_str(), 0, &small, sizeof small, SHGFI_ICON | SHGFI_SMALLICON) || !small.hIcon ||
        !::SHGetFileInfoW(wide.c_str(), 0, &large, sizeof large, SHGFI_ICON | SHGFI_LARGEICON) || !large.hIcon) {
        TraceLog("SHGetFileInfo returned NULL\r\n");
        if (small.hIcon)
            ::DestroyIcon(small.hIcon);
        return -1;
    }
    int n = ::ImageList_AddIcon(m_hSmall, small.hIcon);
    int nLarge = ::ImageList_AddIcon(m_hLarge, large.hIcon);
    ::DestroyIcon(small.hIcon);
    ::DestroyIcon(large.hIcon);
    if (n < 0 || nLarge < 0) {
        TraceLog("can't add icon to image list\r\n");
        return -1;
    }
    return n;
}

HTREEITEM CPartsCtrl::Insert(HTREEITEM parent, HTREEITEM after, const std::string& text, CPartItem part)
{
    int nImage = IconOf(part.strPath);
    m_parts.push_back(std::make_unique<CPartItem>(std::move(part)));
    std::wstring wide = Wide(text);
    TVINSERTSTRUCTW ins = {};
    ins.hParent = parent;
    ins.hInsertAfter = after;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM | (nImage >= 0 ? TVIF_IMAGE | TVIF_SELECTEDIMAGE : 0);
    ins.item.pszText = wide.data();
    ins.item.iImage = ins.item.iSelectedImage = nImage;
    ins.item.lParam = reinterpret_cast<LPARAM>(m_parts.back().get());
    auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(m_hTree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
    if (parent != TVI_ROOT)
        TreeView_Expand(m_hTree, parent, TVE_EXPAND);
    return item;
}

void CPartsCtrl::Remove(HTREEITEM item) { TreeView_DeleteItem(m_hTree, item); }

CPartItem* CPartsCtrl::PartOf(HTREEITEM item) const
{
    if (!item)
        return nullptr;
    TVITEMW tvi = {};
    tvi.mask = TVIF_PARAM;
    tvi.hItem = item;
    if (!::SendMessageW(m_hTree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi)))
        return nullptr;
    return reinterpret_cast<CPartItem*>(tvi.lParam);
}

std::vector<HTREEITEM> CPartsCtrl::Children(HTREEITEM item) const
{
    std::vector<HTREEITEM> children;
    for (HTREEITEM c = TreeView_GetChild(m_hTree, item); c; c = TreeView_GetNextSibling(m_hTree, c))
        children.push_back(c);
    return children;
}

std::string CPartsCtrl::Text(HTREEITEM item) const { return TreeItemText(m_hTree, item); }

void CPartsCtrl::SetText(HTREEITEM item, const std::string& text)
{
    std::wstring wide = Wide(text);
    TVITEMW tvi = {};
    tvi.mask = TVIF_TEXT;
    tvi.hItem = item;
    tvi.pszText = wide.data();
    ::SendMessageW(m_hTree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tvi));
}

HTREEITEM CPartsCtrl::HitTest(POINT pt) const
{
    TVHITTESTINFO hit = {};
    hit.pt = pt;
    return TreeView_HitTest(m_hTree, &hit);
}

bool CPartsCtrl::IsWithin(HTREEITEM item, HTREEITEM ancestor) const
{
    for (; item; item = Parent(item))
        if (item == ancestor)
            return true;
    return false;
}

HTREEITEM CPartsCtrl::CopySubtree(HTREEITEM item, HTREEITEM parent, HTREEITEM after)
{
    TVITEMW tvi = {};
    wchar_t buf[MAX_PATH + 1] = {};
    tvi.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tvi.hItem = item;
    tvi.pszText = buf;
    tvi.cchTextMax = MAX_PATH;
    ::SendMessageW(m_hTree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi));
    TVINSERTSTRUCTW ins = {};
    ins.hParent = parent;
    ins.hInsertAfter = after;
    ins.item = tvi;
    ins.item.hItem = nullptr;
    auto copy = reinterpret_cast<HTREEITEM>(::SendMessageW(m_hTree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
    for (HTREEITEM c : Children(item))
        CopySubtree(c, copy, TVI_LAST);
    TreeView_Expand(m_hTree, copy, TVE_EXPAND);
    return copy;
}

HTREEITEM CPartsCtrl::Move(HTREEITEM item, HTREEITEM parent, HTREEITEM after)
{
    HTREEITEM copy = CopySubtree(item, parent, after);
    TreeView_DeleteItem(m_hTree, item);
    TreeView_Expand(m_hTree, parent, TVE_EXPAND);
    return copy;
}
