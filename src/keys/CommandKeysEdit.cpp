// The keys of one command as the command dialog edits them.
#include "keys/CommandKeysEdit.h"

#include <algorithm>

#include "platform/Messages.h"

CCommandKeysEdit::CCommandKeysEdit(const CAccelTable& row)
    : m_entries(row.Entries()),
      m_wCommand(row.Entries().empty() ? row.GetCommand() : row.Entries().front().wCommand),
      m_strDescription(row.Description())
{
}

int CCommandKeysEdit::Add()
{
    m_entries.push_back(NewAccelEntry(m_wCommand));
    return GetCount() - 1;
}

bool CCommandKeysEdit::CanChange(int nSelected) const
{
    if (nSelected >= 0 && nSelected < GetCount())
        return true;
    InfoBox("キーバインドが選択されていません");
    return false;
}

bool CCommandKeysEdit::Delete(int nSelected)
{
    if (m_entries.empty()) {
        InfoBox("削除すべきキーがありません");
        return false;
    }
    if (nSelected < 0 || nSelected >= GetCount()) {
        InfoBox("削除すべきキーが選択されていません");
        return false;
    }
    m_entries.erase(m_entries.begin() + nSelected);
    return true;
}

void CCommandKeysEdit::Commit(CAccelTable& row) const
{
    std::vector<AccelEntry> keys;
    std::copy_if(m_entries.begin(), m_entries.end(), std::back_inserter(keys),
                 [](const AccelEntry& e) { return e.wKey != 0; });
    row.SetEntries(std::move(keys));
}
