// How a key combination is named on screen: "Shift+", "Ctrl+", "Alt+" (in that
// order, each when its flag is set) and the key's name. Keys without a name
// (the digit and punctuation keys) give the modifiers alone: Ctrl+1 is "Ctrl+".
#pragma once
#include <string>

#include "platform/AccelEntry.h"

// The name of a virtual key (Shift-JIS): "A".."Z", or the key-name table's entry; empty when none.
std::string VirtualKeyName(unsigned key);
// The whole name of an entry's key combination (Shift-JIS).
std::string KeyName(const AccelEntry& entry);
