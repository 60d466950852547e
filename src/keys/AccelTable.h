// The key binding table: an ordered list of bindings (the stored order, and the
// order in which a built table is searched: first match wins), the built
// accelerator table it owns, and what the key binding dialogs and queries ask of it.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/AccelEntry.h"
#include "platform/Accelerators.h"

// The settings section of the application's key binding table, with the two
// keyboard options "HookNumPad" and "ReturnChar".
constexpr char kKeyBindingSection[] = "Key Binding Table";

class CAccelTable {
public:
    // A built accelerator table holds at most this many entries.
    static constexpr int kMaxEntries = 256;

    CAccelTable() = default;
    ~CAccelTable();
    CAccelTable(const CAccelTable&) = delete;  // owns its built table
    CAccelTable& operator=(const CAccelTable&) = delete;

    // Reads "Entry0", "Entry1", ... of the section until one is missing or empty.
    // An entry that is not three numbers shows "Profile format error in [%s] section"
    // and ends the table there; more than kMaxEntries shows "Too many accelerators"
    // and keeps the first kMaxEntries. False when nothing was read (the table is
    // empty). Clears the modified flag.
    bool LoadFromProfile(std::string_view section);
    // Loads built-in table 1 or 2. Clears the modified flag.
    bool LoadFromResource(int id);
    // Writes "Entry0".."Entry<n-1>" and an empty "Entry<n>" that ends the table,
    // only when the table was modified (confirmed in the key binding dialog).
    void SaveToProfile(std::string_view section) const;
    // Builds (again) the platform's accelerator table from the entries, in order;
    // the table keeps and owns it.
    AcceleratorHandle Build();
    AcceleratorHandle GetHandle() const { return m_hAccel; }

    // The duplicate check of the key binding dialog: true when no two entries share
    // their flags and key; otherwise shows the message naming the later entry's key,
    // the earlier entry's command and the later one's, and returns false.
    bool FindDuplicate() const;
    // Makes this table hold copies of source's entries for the command; returns their number.
    int SelectByCommand(const CAccelTable& source, uint16_t command);
    // Makes this table hold copies of source's entries whose command description is
    // exactly the text (byte for byte); the command becomes the last match's.
    int SelectByDescription(const CAccelTable& source, std::string_view description);
    // The description of the first entry's command, or of the table's command when empty.
    std::string Description() const;
    // The key names of all entries joined by the separator (two spaces in the dialog).
    std::string KeyNames(std::string_view separator = "  ") const;
    // Sets the entry's key and its Shift, Ctrl and Alt flags from the keys held now;
    // other flag bits are kept.
    static void SetFromKeyboard(AccelEntry& entry, uint16_t key);

    const std::vector<AccelEntry>& Entries() const { return m_entries; }
    // Replaces the entries (they move into the table); the built table is not touched.
    void SetEntries(std::vector<AccelEntry> entries) { m_entries = std::move(entries); }
    void Add(const AccelEntry& entry) { m_entries.push_back(entry); }

    uint16_t GetCommand() const { return m_wCommand; }
    void SetCommand(uint16_t command) { m_wCommand = command; }
    bool IsModified() const { return m_bModified; }
    void SetModified(bool modified = true) { m_bModified = modified; }

private:
    void Discard();

    std::vector<AccelEntry> m_entries;
    AcceleratorHandle m_hAccel = nullptr;
    uint16_t m_wCommand = 0;
    bool m_bModified = false;
};
