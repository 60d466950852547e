// Parts dragged out of the parts dialog to other programs, through OLE drag
// and drop: the parts' files as a file drop list (CF_HDROP) and as a shell ID
// list ("Shell IDList Array"), the tree item as "Message Part Item Handle",
// and the part's icon as the drag image.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <objidl.h>

#include <string>
#include <vector>

// Runs the drag until the user drops or gives up; the effect the target chose
// (DROPEFFECT_NONE when nothing was dropped). Needs OLE on this thread.
DWORD DragPartsOut(const std::vector<std::string>& paths, HTREEITEM item);
// The data object the drag offers (one reference, the caller's).
IDataObject* CreatePartsDataObject(const std::vector<std::string>& paths, HTREEITEM item);
// The clipboard formats registered by name.
CLIPFORMAT ShellIdListFormat();
CLIPFORMAT PartItemFormat();
// The single formats (each receiver frees what it gets, as with the clipboard).
HGLOBAL MakeFileDropList(const std::vector<std::string>& paths);
HGLOBAL MakeShellIdList(const std::vector<std::string>& paths);
HGLOBAL MakePartItemHandle(HTREEITEM item);
