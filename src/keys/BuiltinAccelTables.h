// The two built-in key binding tables: table 1, the default bindings (used when
// the settings hold no table, and by the dialog's default button), and table 2,
// the plain-text windows' fallback when the main window has no table.
#pragma once
#include <span>

#include "platform/AccelEntry.h"

// Table 1 or 2; an empty span for any other id.
std::span<const AccelEntry> BuiltinAccelTable(int id);
