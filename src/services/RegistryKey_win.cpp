// The registry key wrapper.
#include "services/RegistryKey_win.h"

#include <cstring>
#include <vector>

#include "platform/Wide_win.h"

namespace {

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

} // namespace

bool CRegistryKey::Open(HKEY hRoot, const std::string& path, bool bCreate)
{
    Close();
    // Widened first: a 0x5C second byte of a Shift-JIS character is no separator.
    std::wstring wide = Wide(path);
    HKEY hCurrent = hRoot;
    bool bOwned = false;
    size_t start = 0;
    while (start <= wide.size()) {
        size_t end = wide.find(L'\\', start);
        if (end == std::wstring::npos)
            end = wide.size();
        std::wstring part = wide.substr(start, end - start);
        start = end + 1;
        if (part.empty())
            continue;
        HKEY hNext = nullptr;
        LONG rc = bCreate ? ::RegCreateKeyExW(hCurrent, part.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hNext,
                                              nullptr)
                          : ::RegOpenKeyExW(hCurrent, part.c_str(), 0, KEY_ALL_ACCESS, &hNext);
        if (bOwned)
            ::RegCloseKey(hCurrent);
        if (rc != ERROR_SUCCESS)
            return false;
        hCurrent = hNext;
        bOwned = true;
    }
    if (!bOwned)
        return false;  // an empty path names no key of our own
    m_hKey = hCurrent;
    return true;
}

bool CRegistryKey::QueryValue(const std::string& name, void* buffer, DWORD& size) const
{
    if (!m_hKey)
        return false;
    std::wstring wname = Wide(name);
    DWORD type = 0, bytes = 0;
    if (::RegQueryValueExW(m_hKey, wname.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
        return false;
    std::vector<BYTE> data(bytes + sizeof(wchar_t), 0);
    if (::RegQueryValueExW(m_hKey, wname.c_str(), nullptr, &type, data.data(), &bytes) != ERROR_SUCCESS)
        return false;
    if (!IsStringType(type)) {
        if (bytes > size)
            return false;
        std::memcpy(buffer, data.data(), bytes);
        size = bytes;
        return true;
    }
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), bytes / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0' && type != REG_MULTI_SZ)
        text.pop_back();
    std::string sjis = Narrow(text);
    if (sjis.size() + 1 > size)
        return false;
    std::memcpy(buffer, sjis.c_str(), sjis.size() + 1);
    size = static_cast<DWORD>(sjis.size() + 1);
    return true;
}

bool CRegistryKey::SetValue(const std::string& name, DWORD type, const void* data, DWORD size)
{
    if (!m_hKey)
        return false;
    std::wstring wname = Wide(name);
    if (!IsStringType(type))
        return ::RegSetValueExW(m_hKey, wname.c_str(), 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    std::string sjis(static_cast<const char*>(data), size);
    if (type != REG_MULTI_SZ)
        sjis = sjis.c_str();  // up to its NUL
    std::wstring wide = Wide(sjis);
    return ::RegSetValueExW(m_hKey, wname.c_str(), 0, type, reinterpret_cast<const BYTE*>(wide.c_str()),
                            static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool CRegistryKey::DeleteKey(const std::string& name)
{
    return m_hKey && ::RegDeleteKeyW(m_hKey, Wide(name).c_str()) == ERROR_SUCCESS;
}

void CRegistryKey::Close()
{
    if (m_hKey)
        ::RegCloseKey(m_hKey);
    m_hKey = nullptr;
}

bool ReadRegistryString(HKEY hRoot, const std::string& path, const std::string& name, size_t nMax,
                        std::string& value)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(hRoot, Wide(path).c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    std::wstring wname = Wide(name);
    DWORD type = 0, bytes = 0;
    bool ok = ::RegQueryValueExW(hKey, wname.c_str(), nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
              (type == REG_SZ || type == REG_EXPAND_SZ);
    std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1, L'\0');
    if (ok)
        ok = ::RegQueryValueExW(hKey, wname.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes) ==
             ERROR_SUCCESS;
    ::RegCloseKey(hKey);
    if (!ok)
        return false;
    value = Narrow(data.data());
    return value.size() < nMax;
}
