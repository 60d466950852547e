// The reply of the key binding server: which keys run a command.
#pragma once
#include <cstddef>
#include <string>

class CAccelTable;

// The key names of the entries whose command description is exactly the
// text, in table order, joined by CR LF. When they do not fit in limit bytes
// with the NUL, the reply ends after the last whole name that does.
std::string KeysBoundReply(const CAccelTable& table, const std::string& strDescription, size_t limit);
