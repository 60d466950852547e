// What the key binding dialogs share.
#include "keys/KeyDialogs_win.h"

#include <commctrl.h>

#include "app/Resource.h"
#include "platform/Wide_win.h"

void ShowKeyBindingIcon(HWND hDialog)
{
    // A shared icon of the module: it needs no freeing.
    if (HICON hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_KEY_BINDING)))
        ::SendMessageW(hDialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
}

int SelectedRow(HWND hList) { return static_cast<int>(ListView_GetNextItem(hList, -1, LVNI_SELECTED)); }

void SelectRow(HWND hList, int nRow)
{
    UINT state = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(hList, nRow, state, state);
    ListView_EnsureVisible(hList, nRow, FALSE);
}

void SetRowText(HWND hList, int nRow, int nColumn, const std::string& sjis)
{
    std::wstring text = Wide(sjis);
    ListView_SetItemText(hList, nRow, nColumn, text.data());
}

INT_PTR NotifyResult(HWND hDialog, LRESULT result)
{
    ::SetWindowLongPtrW(hDialog, DWLP_MSGRESULT, result);
    return TRUE;
}
