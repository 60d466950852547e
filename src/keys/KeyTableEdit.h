// What the key binding table dialog edits: one row per bindable command, in
// the order of the bindable commands, each holding copies of the application
// table's entries for its command, and working copies of the two keyboard
// options. Nothing reaches the application before Commit.
#pragma once
#include <array>
#include <vector>

#include "keys/AccelTable.h"
#include "keys/CommandTable.h"

class CKeyTableEdit {
public:
    CKeyTableEdit(const CAccelTable& app, bool bHookNumPad, bool bReturnChar);

    static constexpr int GetRowCount() { return kBindableCommandCount; }
    CAccelTable& Row(int i) { return m_rows[static_cast<size_t>(i)]; }
    const CAccelTable& Row(int i) const { return m_rows[static_cast<size_t>(i)]; }

    // The change button: true when a row (its index) is chosen; otherwise says so.
    bool CanChange(int nRow) const;
    // The default button: asks first; on Yes every row takes its entries from
    // built-in table 1 and both options go on. True when that was done.
    bool AskResetToDefaults();
    // The entries of all rows, row by row and in each row's order.
    std::vector<AccelEntry> Gather() const;
    // OK: the gathered entries are checked for a key bound twice and for the
    // size a built table can hold; either refuses OK with its message (false).
    // Otherwise the application table takes them, marked modified, and the
    // options are written back.
    bool Commit(CAccelTable& app, bool& bHookNumPad, bool& bReturnChar) const;

    bool m_bHookNumPad;
    bool m_bReturnChar;

private:
    void Fill(const CAccelTable& source);

    std::array<CAccelTable, kBindableCommandCount> m_rows;
};
