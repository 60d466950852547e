// The rows and options the key binding table dialog edits.
#include "keys/KeyTableEdit.h"

#include "platform/Messages.h"

CKeyTableEdit::CKeyTableEdit(const CAccelTable& app, bool bHookNumPad, bool bReturnChar)
    : m_bHookNumPad(bHookNumPad), m_bReturnChar(bReturnChar)
{
    Fill(app);
}

void CKeyTableEdit::Fill(const CAccelTable& source)
{
    for (int i = 0; i < GetRowCount(); ++i)
        Row(i).SelectByCommand(source, kBindableCommands[i]);
}

bool CKeyTableEdit::CanChange(int nRow) const
{
    if (nRow >= 0 && nRow < GetRowCount())
        return true;
    InfoBox("ｷｰﾊﾞｲﾝﾃﾞｨﾝｸﾞを選択してください");
    return false;
}

bool CKeyTableEdit::AskResetToDefaults()
{
    if (!QuestionBox("すべてのキーの設定を初期状態に戻しますか"))
        return false;
    CAccelTable defaults;
    defaults.LoadFromResource(1);
    Fill(defaults);
    m_bHookNumPad = true;
    m_bReturnChar = true;
    return true;
}

std::vector<AccelEntry> CKeyTableEdit::Gather() const
{
    std::vector<AccelEntry> all;
    for (const CAccelTable& row : m_rows)
        all.insert(all.end(), row.Entries().begin(), row.Entries().end());
    return all;
}

bool CKeyTableEdit::Commit(CAccelTable& app, bool& bHookNumPad, bool& bReturnChar) const
{
    CAccelTable gathered;
    gathered.SetEntries(Gather());
    if (!gathered.FindDuplicate())
        return false;
    // More than a built table holds would leave the last bindings shown here
    // without effect, and the stored table would not load whole again.
    if (gathered.Entries().size() > static_cast<size_t>(CAccelTable::kMaxEntries)) {
        ErrorBox("Too many accelerators");
        return false;
    }
    app.SetEntries(gathered.Entries());
    app.SetModified();
    bHookNumPad = m_bHookNumPad;
    bReturnChar = m_bReturnChar;
    return true;
}
