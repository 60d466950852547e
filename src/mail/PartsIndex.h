// Reading and writing the index of a parts folder ("~$prtinf.dat"): one line
// "name;type;subtype;inline|attachment" a part, in the order of the mail.
#pragma once
#include <string>
#include <string_view>
#include <vector>

struct CPartsIndexEntry {
    std::string strName;
    std::string strType;
    std::string strSubtype;
    bool bInline = false;
};

// False (no message) when the index cannot be read or a line is not four fields.
bool ReadPartsIndex(std::string_view folder, std::vector<CPartsIndexEntry>& entries);
// Writes the index of the folder anew. "No parts in %s" for an empty list,
// "can't open %s" when the index cannot be made, "write error to %s" when it
// cannot be written; false after each.
bool WritePartsIndex(std::string_view folder, const std::vector<CPartsIndexEntry>& entries);
