// Settings in the registry: HKEY_CURRENT_USER\Software\Brellix\tova\<section>\<key>,
// integers as REG_DWORD, strings as REG_SZ (converted from Shift-JIS).
#pragma once
#include <windows.h>

#include <string>

#include "platform/SettingsStore.h"

class CRegistrySettingsStore : public ISettingsStore {
public:
    explicit CRegistrySettingsStore(std::wstring baseKey = L"Software\\Brellix\\tova") : m_strBase(std::move(baseKey)) {}

    int GetInt(std::string_view section, std::string_view key, int def) override;
    std::string GetString(std::string_view section, std::string_view key, std::string_view def) override;
    bool WriteInt(std::string_view section, std::string_view key, int value) override;
    bool WriteString(std::string_view section, std::string_view key, std::string_view value) override;
    bool DeleteValue(std::string_view section, std::string_view key) override;

private:
    HKEY OpenSection(std::string_view section, bool create) const;

    std::wstring m_strBase;
};
