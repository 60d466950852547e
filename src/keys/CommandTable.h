// The commands a user can bind keys to, in the order of the key binding dialog's
// rows (and so of every table the dialog writes), and the descriptions of commands.
#pragma once
#include <cstdint>
#include <string>

constexpr int kBindableCommandCount = 80;
extern const uint16_t kBindableCommands[kBindableCommandCount];

// The description of a command: its string-table text (Shift-JIS) cut before the
// first line feed (the rest is the tool-bar tip); empty when there is none.
std::string CommandDescription(unsigned id);
