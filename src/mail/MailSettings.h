// The settings of the mail code: section "Mail" of the settings store, and the
// folder the mail code keeps its temporary files in.
#pragma once
#include <string>

class ISettingsStore;

struct CMailSettings {
    std::string m_strTimeZone = "+0900";                 // "TimeZone": the local zone of mail dates
    std::string m_strDateFormat = "%y/%m/%d %H:%M:%S";  // "DateFormat": kept, read by no one yet
    // The application's work folder (TEMP, else TMP, else the program's folder,
    // without a trailing separator), set at start-up. Empty: worked out from
    // the environment when first needed.
    std::string m_strWorkDir;
};

CMailSettings& MailSettings();
// Reads section "Mail" into s.
void LoadMailSettings(ISettingsStore& store, CMailSettings& s);
// The folder for the mail code's temporary files (m_strWorkDir, or TEMP, TMP,
// the current folder, in that order).
std::string MailWorkDir();
