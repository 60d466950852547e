// The mouse pointers of the editor view.
#pragma once
#include <windows.h>

#include "view/ViewSurface.h"

// The pointer for a place in the view: the application's configured pointer,
// the magnifying glass over an address, the up-and-down arrow on the rows that
// scroll. Shared handles; never destroyed by the caller.
HCURSOR ViewCursor(EViewCursor kind);
