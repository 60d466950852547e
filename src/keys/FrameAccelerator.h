// Which key binding table a document window translates keys with.
#pragma once
#include "platform/Accelerators.h"

// None in control-code input mode (keys reach the view as characters);
// otherwise the main window's table, the user's bindings; only while the main
// window has none, the document kind's own table (built-in table 2 for plain
// text, none for mail).
AcceleratorHandle FrameAccelerator(bool bControlCodeMode, AcceleratorHandle hMainTable, AcceleratorHandle hKindTable);
