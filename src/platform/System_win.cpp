// The system seam on Windows: wide API calls, Shift-JIS texts.
#include "platform/System.h"

#include <windows.h>

#include "platform/Wide_win.h"

bool GetEnvironmentValue(const char* name, std::string& value)
{
    std::wstring wName = Wide(name);
    DWORD n = ::GetEnvironmentVariableW(wName.c_str(), nullptr, 0);
    if (n <= 1)
        return false;
    std::wstring w(n, L'\0');
    DWORD got = ::GetEnvironmentVariableW(wName.c_str(), w.data(), n);
    if (got == 0 || got >= n)
        return false;
    w.resize(got);
    value = Narrow(w);
    return true;
}

bool SetEnvironmentValue(const char* name, const char* value)
{
    std::wstring wName = Wide(name);
    if (!value)
        return ::SetEnvironmentVariableW(wName.c_str(), nullptr) != FALSE;
    return ::SetEnvironmentVariableW(wName.c_str(), Wide(value).c_str()) != FALSE;
}

std::string ComputerName()
{
    wchar_t buf[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD n = MAX_COMPUTERNAME_LENGTH + 1;
    if (!::GetComputerNameW(buf, &n))
        return "UNKNOWN";
    std::string name = Narrow(std::wstring_view(buf, n));
    if (name.size() > 15)
        name.resize(15);
    return name;
}

bool ReadUserRegistryString(std::string_view keyPath, std::string_view valueName, std::string& value)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(keyPath).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    std::wstring wName = Wide(valueName);
    DWORD type = 0;
    DWORD size = 0;
    bool ok = false;
    if (::RegQueryValueExW(key, wName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::wstring w(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(w.size() * sizeof(wchar_t));
        if (::RegQueryValueExW(key, wName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(w.data()), &got) ==
            ERROR_SUCCESS) {
            w.resize(got / sizeof(wchar_t));
            while (!w.empty() && w.back() == L'\0')
                w.pop_back();
            value = Narrow(w);
            ok = true;
        }
    }
    ::RegCloseKey(key);
    return ok;
}
