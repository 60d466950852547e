// The ".txt" association.
#include "app/TxtAssociation.h"

#include "text/Unicode.h"

std::vector<CRegistryEntry> TxtAssociationEntries(const std::string& strExePath, const std::string& strWindowsDir)
{
    // The short form of a path has no blanks; where the system keeps no short
    // names the path may have some, and unquoted the shell would run only the
    // part before the first blank.
    std::string exe = strExePath;
    if (exe.find(' ') != std::string::npos)
        exe = "\"" + exe + "\"";
    return {
        {".txt", "", "txtfile"},
        {".txt\\ShellNew", "NullFile", ""},
        {"txtfile", "", Utf8ToSjis("ﾃｷｽﾄ ﾌｧｲﾙ")},
        {"txtfile\\DefaultIcon", "", strWindowsDir + "\\notepad.exe,1"},
        {"txtfile\\shell\\open\\command", "", exe + " -max \"%1\""},
        {"txtfile\\shell\\open\\ddeexec", "", "[open(-max,\"%1\")]"},
    };
}
