// The registry-backed settings store.
#include "platform/RegistrySettingsStore_win.h"

#include <vector>

#include "platform/Wide_win.h"

HKEY CRegistrySettingsStore::OpenSection(std::string_view section, bool create) const
{
    std::wstring path = m_strBase + L"\\" + Wide(section);
    HKEY key = nullptr;
    LONG rc = create ? ::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                         nullptr, &key, nullptr)
                     : ::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
    return rc == ERROR_SUCCESS ? key : nullptr;
}

int CRegistrySettingsStore::GetInt(std::string_view section, std::string_view key, int def)
{
    HKEY h = OpenSection(section, false);
    if (!h)
        return def;
    DWORD type = 0, value = 0, size = sizeof value;
    LONG rc = ::RegQueryValueExW(h, Wide(key).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    ::RegCloseKey(h);
    return (rc == ERROR_SUCCESS && type == REG_DWORD) ? static_cast<int>(value) : def;
}

std::string CRegistrySettingsStore::GetString(std::string_view section, std::string_view key, std::string_view def)
{
    HKEY h = OpenSection(section, false);
    if (!h)
        return std::string(def);
    std::wstring name = Wide(key);
    DWORD type = 0, size = 0;
    LONG rc = ::RegQueryValueExW(h, name.c_str(), nullptr, &type, nullptr, &size);
    std::string result(def);
    if (rc == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::vector<wchar_t> buf(size / sizeof(wchar_t) + 1, L'\0');
        rc = ::RegQueryValueExW(h, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &size);
        if (rc == ERROR_SUCCESS)
            result = Narrow(std::wstring_view(buf.data()));
    }
    ::RegCloseKey(h);
    return result;
}

bool CRegistrySettingsStore::WriteInt(std::string_view section, std::string_view key, int value)
{
    HKEY h = OpenSection(section, true);
    if (!h)
        return false;
    DWORD v = static_cast<DWORD>(value);
    LONG rc = ::RegSetValueExW(h, Wide(key).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
    ::RegCloseKey(h);
    return rc == ERROR_SUCCESS;
}

bool CRegistrySettingsStore::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    HKEY h = OpenSection(section, true);
    if (!h)
        return false;
    std::wstring w = Wide(value);
    LONG rc = ::RegSetValueExW(h, Wide(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(w.c_str()),
                               static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(h);
    return rc == ERROR_SUCCESS;
}

bool CRegistrySettingsStore::DeleteValue(std::string_view section, std::string_view key)
{
    HKEY h = OpenSection(section, true);
    if (!h)
        return false;
    LONG rc = ::RegDeleteValueW(h, Wide(key).c_str());
    ::RegCloseKey(h);
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}
