// The mail settings.
#include "mail/MailSettings.h"

#include "platform/SettingsStore.h"
#include "platform/System.h"
#include "services/FileUtils.h"

CMailSettings& MailSettings()
{
    static CMailSettings s_settings;
    return s_settings;
}

void LoadMailSettings(ISettingsStore& store, CMailSettings& s)
{
    s.m_strTimeZone = store.GetString("Mail", "TimeZone", "+0900");
    s.m_strDateFormat = store.GetString("Mail", "DateFormat", "%y/%m/%d %H:%M:%S");
}

std::string MailWorkDir()
{
    std::string dir = MailSettings().m_strWorkDir;
    if (dir.empty() && !GetEnvironmentValue("TEMP", dir) && !GetEnvironmentValue("TMP", dir))
        dir = GetCurrentDir();
    size_t sep = LastPathSeparator(dir);
    if (sep != std::string::npos && sep > 0 && sep + 1 == dir.size())
        dir.pop_back();
    return dir;
}
