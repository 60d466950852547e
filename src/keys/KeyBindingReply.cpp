// The reply of the key binding server.
#include "keys/KeyBindingReply.h"

#include "keys/AccelTable.h"

std::string KeysBoundReply(const CAccelTable& table, const std::string& strDescription, size_t limit)
{
    if (limit == 0)
        return std::string();
    CAccelTable selected;
    selected.SelectByDescription(table, strDescription);
    std::string all = selected.KeyNames("\r\n");
    if (all.size() < limit)
        return all;
    // Half a key name would name another key.
    size_t cut = all.rfind("\r\n", limit - 1);
    return cut == std::string::npos ? std::string() : all.substr(0, cut);
}
