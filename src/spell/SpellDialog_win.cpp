// The spell candidate dialog.
#include "spell/SpellDialog_win.h"

#include <commctrl.h>

#include "platform/Messages.h"
#include "platform/Wide_win.h"
#include "spell/OrthaneLink_win.h"
#include "spell/SpellResource.h"

namespace {

constexpr int kButtons = IDC_SPELL_9 - IDC_SPELL_1 + 1;

} // namespace

CSpellDialog::CSpellDialog(const std::string& word, const std::vector<std::string>& candidates,
                           const CSpellPlace& place, COrthaneLink* pLink)
    : CDialog(IDD_SPELL_CANDIDATES), m_place(place), m_pLink(pLink)
{
    m_rows.push_back(word);
    m_rows.insert(m_rows.end(), candidates.begin(), candidates.end());
}

bool CSpellDialog::OnInitDialog()
{
    HWND hList = Item(IDC_SPELL_LIST);
    ListView_SetExtendedListViewStyle(hList, LVS_EX_FULLROWSELECT);
    RECT rc;
    ::GetClientRect(hList, &rc);
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH;
    column.cx = rc.right - ::GetSystemMetrics(SM_CXVSCROLL);
    ListView_InsertColumn(hList, 0, &column);
    for (size_t i = 0; i < m_rows.size(); ++i) {
        std::wstring text = Wide(m_rows[i]);
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = text.data();
        ListView_InsertItem(hList, &item);
    }
    ListView_SetItemState(hList, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SetItemText(IDC_SPELL_WORD, m_rows[0]);
    PlaceButtons();
    PlaceDialog();
    ::SetFocus(hList);
    return false;
}

void CSpellDialog::PlaceButtons()
{
    HWND hList = Item(IDC_SPELL_LIST);
    for (int k = 0; k < kButtons; ++k) {
        HWND hButton = Item(IDC_SPELL_1 + k);
        RECT row;
        if (k >= static_cast<int>(m_rows.size()) || !ListView_GetItemRect(hList, k, &row, LVIR_BOUNDS)) {
            ::ShowWindow(hButton, SW_HIDE);
            continue;
        }
        ::MapWindowPoints(hList, m_hWnd, reinterpret_cast<POINT*>(&row), 2);
        RECT button;
        ::GetWindowRect(hButton, &button);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&button), 2);
        ::MoveWindow(hButton, button.left, row.top, button.right - button.left, row.bottom - row.top, FALSE);
    }
}

void CSpellDialog::PlaceDialog()
{
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    int width = rc.right - rc.left, height = rc.bottom - rc.top;
    int x = m_place.x, y = m_place.y;
    RECT screen;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
    if (y + height > screen.bottom)
        y = m_place.nWordTop - height;
    if (x + width > screen.right)
        x = m_place.nWordRight - width;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSpellDialog::OnOK()
{
    int row = ListView_GetNextItem(Item(IDC_SPELL_LIST), -1, LVNI_SELECTED);
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        ErrorBeep();
        return;
    }
    m_choice = row == 0 ? ESpellChoice::Keep : ESpellChoice::Replace;
    m_strReplacement = m_rows[static_cast<size_t>(row)];
    EndDialog(IDOK);
}

bool CSpellDialog::OnControl(int nId, UINT nCode, HWND)
{
    if (nCode != BN_CLICKED)
        return false;
    if (nId >= IDC_SPELL_1 && nId <= IDC_SPELL_9) {
        HWND hList = Item(IDC_SPELL_LIST);
        int row = ListView_GetTopIndex(hList) + nId - IDC_SPELL_1;
        ListView_SetItemState(hList, -1, 0, LVIS_SELECTED);
        ListView_SetItemState(hList, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        OnOK();
        return true;
    }
    if (nId == IDC_SPELL_REGISTER) {
        std::string text = ItemText(IDC_SPELL_WORD);
        if (text.empty())
            InfoBox("登録する綴りがありません");
        else if (m_pLink)
            m_pLink->AddSpell(text);
        return true;
    }
    return false;
}

INT_PTR CSpellDialog::OnMessage(UINT nMsg, WPARAM, LPARAM lParam)
{
    auto* pHdr = reinterpret_cast<NMHDR*>(lParam);
    if (nMsg == WM_NOTIFY && pHdr->idFrom == IDC_SPELL_LIST && pHdr->code == NM_DBLCLK) {
        OnOK();
        return TRUE;
    }
    return FALSE;
}
