// The key binding table.
#include "keys/AccelTable.h"

#include <cstdio>
#include <cstdlib>

#include "keys/BuiltinAccelTables.h"
#include "keys/CommandTable.h"
#include "keys/KeyNames.h"
#include "platform/Messages.h"
#include "platform/SettingsStore.h"

namespace {

// Reads the three numbers of a stored entry the way "%u %u %u" does (blanks
// before each, a sign allowed, trailing text ignored), but with a defined result
// for numbers too large for any field: sscanf's is undefined, and a damaged
// settings store must not decide what the program does.
bool ScanEntry(const char* text, unsigned long long (&fields)[3])
{
    for (unsigned long long& field : fields) {
        char* end = nullptr;
        field = std::strtoull(text, &end, 10);
        if (end == text)
            return false;
        text = end;
    }
    return true;
}

} // namespace

CAccelTable::~CAccelTable() { DestroyAcceleratorHandle(m_hAccel); }

void CAccelTable::Discard()
{
    m_entries.clear();
    DestroyAcceleratorHandle(m_hAccel);
    m_hAccel = nullptr;
}

bool CAccelTable::LoadFromProfile(std::string_view section)
{
    Discard();
    m_bModified = false;
    std::string sectionName(section);
    for (int n = 0;; ++n) {
        std::string value = SettingsStore().GetString(section, "Entry" + std::to_string(n), "");
        if (value.empty())
            break;
        if (n == kMaxEntries) {
            // The rest stays in the settings, untouched unless the user rewrites the table.
            ErrorBox("Too many accelerators");
            break;
        }
        unsigned long long fields[3] = {};
        if (!ScanEntry(value.c_str(), fields)) {
            ErrorBox("Profile format error in [%s] section", sectionName.c_str());
            break;
        }
        // Each number keeps the low bits its field holds.
        m_entries.push_back(AccelEntry{static_cast<uint8_t>(fields[0]), static_cast<uint16_t>(fields[1]),
                                       static_cast<uint16_t>(fields[2])});
    }
    return !m_entries.empty();
}

bool CAccelTable::LoadFromResource(int id)
{
    Discard();
    m_bModified = false;
    auto table = BuiltinAccelTable(id);
    if (table.size() > static_cast<size_t>(kMaxEntries)) {
        ErrorBox("Too many accelerators");
        return false;
    }
    m_entries.assign(table.begin(), table.end());
    return !m_entries.empty();
}

void CAccelTable::SaveToProfile(std::string_view section) const
{
    if (!m_bModified)
        return;
    int n = 0;
    for (const AccelEntry& e : m_entries) {
        char value[32];
        std::snprintf(value, sizeof value, "%u %u %u", static_cast<unsigned>(e.fFlags), static_cast<unsigned>(e.wKey),
                      static_cast<unsigned>(e.wCommand));
        SettingsStore().WriteString(section, "Entry" + std::to_string(n++), value);
    }
    SettingsStore().WriteString(section, "Entry" + std::to_string(n), "");
}

AcceleratorHandle CAccelTable::Build()
{
    DestroyAcceleratorHandle(m_hAccel);
    int count = static_cast<int>(m_entries.size());
    m_hAccel = CreateAcceleratorHandle(m_entries.data(), count < kMaxEntries ? count : kMaxEntries);
    return m_hAccel;
}

bool CAccelTable::FindDuplicate() const
{
    for (size_t i = 1; i < m_entries.size(); ++i) {
        for (size_t j = 0; j < i; ++j) {
            const AccelEntry& a = m_entries[j];
            const AccelEntry& b = m_entries[i];
            if (a.fFlags == b.fFlags && a.wKey == b.wKey) {
                InfoBox("%s が\n\n【%s】と\n\n【%s】に\n\n重複してバインドされています。", KeyName(b).c_str(),
                        CommandDescription(a.wCommand).c_str(), CommandDescription(b.wCommand).c_str());
                return false;
            }
        }
    }
    return true;
}

int CAccelTable::SelectByCommand(const CAccelTable& source, uint16_t command)
{
    m_entries.clear();
    for (const AccelEntry& e : source.m_entries)
        if (e.wCommand == command)
            m_entries.push_back(e);
    m_wCommand = command;
    return static_cast<int>(m_entries.size());
}

int CAccelTable::SelectByDescription(const CAccelTable& source, std::string_view description)
{
    m_entries.clear();
    for (const AccelEntry& e : source.m_entries) {
        if (CommandDescription(e.wCommand) == description) {
            m_entries.push_back(e);
            m_wCommand = e.wCommand;
        }
    }
    return static_cast<int>(m_entries.size());
}

std::string CAccelTable::Description() const
{
    return CommandDescription(m_entries.empty() ? m_wCommand : m_entries.front().wCommand);
}

std::string CAccelTable::KeyNames(std::string_view separator) const
{
    std::string text;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (i)
            text += separator;
        text += KeyName(m_entries[i]);
    }
    return text;
}

void CAccelTable::SetFromKeyboard(AccelEntry& entry, uint16_t key)
{
    entry.fFlags = static_cast<uint8_t>((entry.fFlags & ~kAccelModifiers) | CurrentModifierFlags());
    entry.wKey = key;
}
