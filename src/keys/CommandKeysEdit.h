// What the key binding command dialog edits: the keys of one command, copied
// from its row of the table dialog, which takes them back only on OK.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "keys/AccelTable.h"

class CCommandKeysEdit {
public:
    explicit CCommandKeysEdit(const CAccelTable& row);

    int GetCount() const { return static_cast<int>(m_entries.size()); }
    AccelEntry& Entry(int i) { return m_entries[static_cast<size_t>(i)]; }
    const AccelEntry& Entry(int i) const { return m_entries[static_cast<size_t>(i)]; }
    // The command's description.
    const std::string& Description() const { return m_strDescription; }

    // Appends a new entry for the command, no key chosen yet; returns its index.
    int Add();
    // The change button: true when an entry (its index, or -1) is chosen;
    // otherwise says so.
    bool CanChange(int nSelected) const;
    // Deletes the chosen entry; says why not when there is none to delete.
    bool Delete(int nSelected);
    // OK: the row takes the entries, less those never given a key.
    void Commit(CAccelTable& row) const;

private:
    std::vector<AccelEntry> m_entries;
    uint16_t m_wCommand;
    std::string m_strDescription;
};
