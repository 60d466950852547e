// Where settings live between runs: integers and strings by section and key.
// On Windows the registry under HKEY_CURRENT_USER\Software\Brellix\tova\<section>
// (RegistrySettingsStore_win.cpp); in tests and tools an in-memory map.
// Strings are Shift-JIS bytes; section and key names are ASCII.
#pragma once
#include <map>
#include <string>
#include <string_view>

class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    // The stored integer, or def when the value is missing or not an integer.
    virtual int GetInt(std::string_view section, std::string_view key, int def) = 0;
    // The stored string, or def when the value is missing.
    virtual std::string GetString(std::string_view section, std::string_view key, std::string_view def) = 0;
    virtual bool WriteInt(std::string_view section, std::string_view key, int value) = 0;
    virtual bool WriteString(std::string_view section, std::string_view key, std::string_view value) = 0;
    // Removes one value (a missing one is no failure).
    virtual bool DeleteValue(std::string_view section, std::string_view key) = 0;
};

// Settings kept in memory; what tests and the command-line tools use.
class CMemorySettingsStore : public ISettingsStore {
public:
    struct Value {
        bool bIsInt = false;
        int nValue = 0;
        std::string strValue;
    };

    int GetInt(std::string_view section, std::string_view key, int def) override;
    std::string GetString(std::string_view section, std::string_view key, std::string_view def) override;
    bool WriteInt(std::string_view section, std::string_view key, int value) override;
    bool WriteString(std::string_view section, std::string_view key, std::string_view value) override;
    bool DeleteValue(std::string_view section, std::string_view key) override;

    // The stored value, or nullptr (for tests that check what was written).
    const Value* Find(std::string_view section, std::string_view key) const;
    const std::map<std::pair<std::string, std::string>, Value>& Values() const { return m_values; }
    void Clear() { m_values.clear(); }

private:
    std::map<std::pair<std::string, std::string>, Value> m_values;
};

// The installed store (the registry in the program, a memory store by default).
ISettingsStore& SettingsStore();
// Installs store (not owned); nullptr restores the default memory store. Returns the previous one.
ISettingsStore* SetSettingsStore(ISettingsStore* store);
