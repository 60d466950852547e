// The command history between runs: settings section "Command History", keys
// "00", "01", ... in order, the first missing or empty one ending the list.
#pragma once
#include <string>
#include <vector>

class CLineStore;
class ISettingsStore;

// How many of the newest entries are saved.
inline constexpr int kSavedHistoryEntries = 16;

// The stored entries, oldest first. A value that no line can hold (too long,
// or with a line end in it) is passed over.
std::vector<std::string> ReadHistory(ISettingsStore& store);
// Saves the last kSavedHistoryEntries of entries: blank ones are left out, the
// others lose their leading blanks; the key after the last is written empty.
void WriteHistory(ISettingsStore& store, const std::vector<std::string>& entries);
