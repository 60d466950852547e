// The mail code's work folder.
#include "mail/MailWorkDir.h"

#include "platform/System.h"
#include "services/FileUtils.h"

namespace {

std::string g_strWorkDir;

} // namespace

void SetMailWorkDir(std::string_view dir) { g_strWorkDir.assign(dir); }

std::string MailWorkDir()
{
    std::string dir = g_strWorkDir;
    if (dir.empty() && !GetEnvironmentValue("TEMP", dir) && !GetEnvironmentValue("TMP", dir))
        dir = GetCurrentDir();
    size_t sep = LastPathSeparator(dir);
    if (sep != std::string::npos && sep > 0 && sep + 1 == dir.size())
        dir.pop_back();
    return dir;
}
