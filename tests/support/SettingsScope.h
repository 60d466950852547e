// Puts the application's settings back as they were when the scope ends.
#pragma once
#include "settings/AppSettings.h"

class CSettingsScope {
public:
    CSettingsScope() : m_saved(AppSettings()) {}
    ~CSettingsScope() { AppSettings() = m_saved; }
    CSettingsScope(const CSettingsScope&) = delete;
    CSettingsScope& operator=(const CSettingsScope&) = delete;

private:
    CAppSettings m_saved;
};
