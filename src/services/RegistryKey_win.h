// One open registry key, opened or created through a path of nested keys.
// Paths, names and string values are Shift-JIS; the key is reached through the
// wide API, so a path is split at backslashes only between characters.
#pragma once
#include <windows.h>

#include <string>

class CRegistryKey {
public:
    CRegistryKey() = default;
    ~CRegistryKey() { Close(); }
    CRegistryKey(const CRegistryKey&) = delete;  // owns its key
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Opens root\path one component after the other with full access; with
    // bCreate each missing component is made. Closes the key held before.
    // False (nothing held) when any step fails.
    bool Open(HKEY hRoot, const std::string& path, bool bCreate);
    // Reads a value's data into buffer (size in bytes; on return the bytes
    // read). String data (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) comes as
    // Shift-JIS with its NUL; other types as stored. False when the value is
    // missing or does not fit.
    bool QueryValue(const std::string& name, void* buffer, DWORD& size) const;
    // Writes a value. String types take Shift-JIS data (size counts its NUL).
    bool SetValue(const std::string& name, DWORD type, const void* data, DWORD size);
    // Deletes a subkey (it must have no subkeys of its own).
    bool DeleteKey(const std::string& name);
    void Close();
    HKEY Get() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};

// A string value (REG_SZ or REG_EXPAND_SZ) of root\path, read without write
// access, as Shift-JIS. False when the key or value is missing, is of another
// type, or holds nMax characters or more (with its NUL it would not have fit
// the buffers such values were once read into).
bool ReadRegistryString(HKEY hRoot, const std::string& path, const std::string& name, size_t nMax,
                        std::string& value);
