// The attachment bar.
#include "app/AttachBar_win.h"

#include <shellapi.h>

#include "app/Resource.h"
#include "fw/Dialog_win.h"
#include "fw/MdiFrameWnd_win.h"
#include "keys/CommandIds.h"
#include "platform/Messages.h"
#include "platform/Wide_win.h"
#include "services/PathUtil.h"

namespace {

constexpr int kIconSize = 32;

} // namespace

bool CAttachBar::Create(HWND hParent, UINT nBarId)
{
    if (!CDialogBar::Create(hParent, IDD_ATTACH_BAR, EDock::Bottom, nBarId))
        return false;
    m_hList = ::GetDlgItem(m_hWnd, IDC_ATTACH_LIST);
    if (!m_hList)
        return false;
    m_hImages = ::ImageList_Create(kIconSize, kIconSize, ILC_COLOR32 | ILC_MASK, 4, 4);
    if (!m_hImages)
        return false;
    // Image 0 stands for a file the shell has no icon for.
    HICON hFile = LoadIconResource(IDI_ATTACH_FILE, kIconSize);
    ::ImageList_AddIcon(m_hImages, hFile);
    if (hFile)
        ::DestroyIcon(hFile);
    ListView_SetImageList(m_hList, m_hImages, LVSIL_NORMAL);
    return true;
}

void CAttachBar::AddFile(const std::string& strPath)
{
    int nImage = 0;
    SHFILEINFOW info = {};
    if (::SHGetFileInfoW(Wide(strPath).c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_LARGEICON) && info.hIcon) {
        int n = ::ImageList_AddIcon(m_hImages, info.hIcon);
        ::DestroyIcon(info.hIcon);
        if (n > 0)
            nImage = n;
    } else {
        InfoBox("%s のアイコンを取得できません", strPath.c_str());
    }
    std::wstring name = Wide(FileNameOf(strPath));
    auto* pPath = new std::string(strPath);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = GetCount();
    item.pszText = name.data();
    item.iImage = nImage;
    item.lParam = reinterpret_cast<LPARAM>(pPath);
    if (ListView_InsertItem(m_hList, &item) < 0)
        delete pPath;
}

int CAttachBar::GetCount() const { return m_hList ? ListView_GetItemCount(m_hList) : 0; }

const std::string* CAttachBar::PathAt(int nItem) const
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    if (!ListView_GetItem(m_hList, &item))
        return nullptr;
    return reinterpret_cast<const std::string*>(item.lParam);
}

void CAttachBar::GetPaths(std::vector<std::string>& paths) const
{
    for (int i = 0, n = GetCount(); i < n; ++i)
        if (const std::string* pPath = PathAt(i))
            paths.push_back(*pPath);
}

void CAttachBar::DeleteItem(int nItem)
{
    delete PathAt(nItem);
    ListView_DeleteItem(m_hList, nItem);
}

void CAttachBar::DeleteSelected()
{
    for (int i = GetCount() - 1; i >= 0; --i)
        if (ListView_GetItemState(m_hList, i, LVIS_SELECTED) & LVIS_SELECTED)
            DeleteItem(i);
    if (GetCount() == 0)
        if (auto* pFrame = dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandle(::GetParent(m_hWnd))))
            pFrame->ShowControlBar(this, false);
}

void CAttachBar::FreeAllPaths()
{
    for (int i = GetCount() - 1; i >= 0; --i)
        DeleteItem(i);
}

void CAttachBar::ShowItemMenu()
{
    // The command comes back to the bar, not to the view, where 32815 is
    // another command.
    HMENU hMenu = ::CreatePopupMenu();
    bool bSelected = ListView_GetSelectedCount(m_hList) > 0;
    ::AppendMenuW(hMenu, MF_STRING | (bSelected ? 0 : MF_GRAYED), ID_DELETE_CHAR, L"削除");
    DWORD pos = ::GetMessagePos();
    ::TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, static_cast<short>(LOWORD(pos)),
                     static_cast<short>(HIWORD(pos)), 0, m_hWnd, nullptr);
    ::DestroyMenu(hMenu);
}

LRESULT CAttachBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_SIZE:
        if (m_hList && wParam != SIZE_MINIMIZED)
            ::MoveWindow(m_hList, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_NOTIFY: {
        const auto* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        if (pHdr->hwndFrom == m_hList && pHdr->code == NM_RCLICK) {
            ShowItemMenu();
            return 0;
        }
        break;
    }
    case WM_COMMAND:
        if (lParam == 0 && LOWORD(wParam) == ID_DELETE_CHAR) {
            DeleteSelected();
            return 0;
        }
        break;
    case WM_DESTROY:
        FreeAllPaths();
        break;
    default:
        break;
    }
    return CDialogBar::WindowProc(nMsg, wParam, lParam);
}
