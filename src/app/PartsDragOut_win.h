// Parts dragged out of the parts dialog to other programs: offered as a file
// drop list (CF_HDROP) of the parts' files, through OLE drag and drop.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Runs the drag until the user drops or gives up; the effect the target chose
// (DROPEFFECT_NONE when nothing was dropped). Needs OLE on this thread.
DWORD DragFilesOut(const std::vector<std::string>& paths);
// The drop list the drag offers (the receiver frees it, as with the clipboard).
HGLOBAL MakeFileDropList(const std::vector<std::string>& paths);
