// The in-memory settings store and the slot for the installed one.
#include "platform/SettingsStore.h"

#include <cstdlib>

namespace {

CMemorySettingsStore g_defaultStore;
ISettingsStore* g_store = &g_defaultStore;

std::pair<std::string, std::string> MakeKey(std::string_view section, std::string_view key)
{
    return {std::string(section), std::string(key)};
}

} // namespace

int CMemorySettingsStore::GetInt(std::string_view section, std::string_view key, int def)
{
    const Value* v = Find(section, key);
    if (!v)
        return def;
    if (v->bIsInt)
        return v->nValue;
    // A string holding a number reads as that number, as the registry's profile calls do.
    char* end = nullptr;
    long n = std::strtol(v->strValue.c_str(), &end, 10);
    return (end != v->strValue.c_str() && *end == '\0') ? static_cast<int>(n) : def;
}

std::string CMemorySettingsStore::GetString(std::string_view section, std::string_view key, std::string_view def)
{
    const Value* v = Find(section, key);
    if (!v)
        return std::string(def);
    return v->bIsInt ? std::to_string(v->nValue) : v->strValue;
}

bool CMemorySettingsStore::WriteInt(std::string_view section, std::string_view key, int value)
{
    m_values[MakeKey(section, key)] = Value{true, value, {}};
    return true;
}

bool CMemorySettingsStore::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    m_values[MakeKey(section, key)] = Value{false, 0, std::string(value)};
    return true;
}

bool CMemorySettingsStore::DeleteValue(std::string_view section, std::string_view key)
{
    m_values.erase(MakeKey(section, key));
    return true;
}

const CMemorySettingsStore::Value* CMemorySettingsStore::Find(std::string_view section, std::string_view key) const
{
    auto it = m_values.find(MakeKey(section, key));
    return it == m_values.end() ? nullptr : &it->second;
}

ISettingsStore& SettingsStore() { return *g_store; }

ISettingsStore* SetSettingsStore(ISettingsStore* store)
{
    ISettingsStore* old = g_store;
    g_store = store ? store : &g_defaultStore;
    return old;
}
