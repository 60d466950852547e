// Start-up folders.
#include "app/StartupPaths.h"

#include "platform/Messages.h"
#include "services/PathUtil.h"

std::string ProgramDirOf(std::string_view exePath)
{
    size_t slash = LastBackslash(exePath);
    if (slash == std::string_view::npos || slash < 5)
        ErrorBox("Abnormal path %s\nThis program must be placed in a subdirectory", std::string(exePath).c_str());
    return slash == std::string_view::npos ? std::string() : std::string(exePath.substr(0, slash));
}

std::string ChooseTempDir(const std::optional<std::string>& temp, const std::optional<std::string>& tmp,
                          const std::string& programDir)
{
    if (temp)
        return WithoutTrailingBackslash(*temp);
    if (tmp)
        return WithoutTrailingBackslash(*tmp);
    return programDir;
}
