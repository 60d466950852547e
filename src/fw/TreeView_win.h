// Small helpers over the tree control's messages.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/Wide_win.h"

// The label of a tree item, as Shift-JIS (at most MAX_PATH characters).
inline std::string TreeItemText(HWND hTree, HTREEITEM item)
{
    wchar_t buf[MAX_PATH + 1] = {};
    TVITEMW tvi = {};
    tvi.mask = TVIF_TEXT;
    tvi.hItem = item;
    tvi.pszText = buf;
    tvi.cchTextMax = MAX_PATH;
    ::SendMessageW(hTree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi));
    return Narrow(buf);
}
