// The shell association of ".txt" with the editor: the registry values written
// under the classes root.
#pragma once
#include <string>
#include <vector>

struct CRegistryEntry {
    std::string strKey;    // below the classes root
    std::string strName;   // empty: the key's default value
    std::string strValue;  // Shift-JIS
};

// The values, in writing order, for the editor at strExePath (its short form)
// and the Windows folder strWindowsDir (without a trailing backslash).
std::vector<CRegistryEntry> TxtAssociationEntries(const std::string& strExePath, const std::string& strWindowsDir);
