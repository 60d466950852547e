// The key binding table dialog.
#include "keys/KeyTableDialog_win.h"

#include <commctrl.h>

#include "app/Resource.h"
#include "keys/CommandKeysDialog_win.h"
#include "keys/KeyDialogs_win.h"
#include "platform/Messages.h"
#include "platform/Wide_win.h"

CKeyTableDialog::CKeyTableDialog(CAccelTable& app, bool& bHookNumPad, bool& bReturnChar)
    : CDialog(IDD_KEY_TABLE), m_edit(app, bHookNumPad, bReturnChar), m_app(app), m_bHookNumPad(bHookNumPad),
      m_bReturnChar(bReturnChar)
{
}

HWND CKeyTableDialog::List() const { return Item(IDC_KEY_TABLE_LIST); }

bool CKeyTableDialog::OnInitDialog()
{
    ShowKeyBindingIcon(m_hWnd);
    ShowOptions();
    HWND hList = List();
    ListView_SetExtendedListViewStyle(hList, LVS_EX_FULLROWSELECT);
    // Two halves of the width a vertical scroll bar leaves; the second column
    // takes the odd pixel.
    RECT rc = {};
    ::GetClientRect(hList, &rc);
    int width = rc.right - ::GetSystemMetrics(SM_CXVSCROLL);
    std::wstring titles[2] = {WideFromUtf8("コマンド"), WideFromUtf8("キー")};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNW col = {};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.cx = i == 0 ? width / 2 : width - width / 2;
        col.pszText = titles[i].data();
        ListView_InsertColumn(hList, i, &col);
    }
    FillList();
    return true;
}

void CKeyTableDialog::FillList()
{
    HWND hList = List();
    ListView_DeleteAllItems(hList);
    for (int i = 0; i < m_edit.GetRowCount(); ++i) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = i;
        item.pszText = const_cast<wchar_t*>(L"");
        item.lParam = reinterpret_cast<LPARAM>(&m_edit.Row(i));
        if (ListView_InsertItem(hList, &item) != i) {
            ErrorBox("can't add list item");
            break;
        }
        ShowRow(i);
    }
    SelectRow(hList, 0);
}

void CKeyTableDialog::ShowRow(int nRow)
{
    const CAccelTable& row = m_edit.Row(nRow);
    SetRowText(List(), nRow, 0, row.Description());
    SetRowText(List(), nRow, 1, row.KeyNames());
}

void CKeyTableDialog::ShowOptions()
{
    Check(IDC_HOOK_NUMPAD, m_edit.m_bHookNumPad);
    Check(IDC_RETURN_CHAR, m_edit.m_bReturnChar);
}

bool CKeyTableDialog::OnControl(int nId, UINT nCode, HWND /*hCtrl*/)
{
    if (nCode != BN_CLICKED)
        return false;
    switch (nId) {
    case IDC_KEY_CHANGE:
        OnChange();
        return true;
    case IDC_KEY_DEFAULT:
        OnDefault();
        return true;
    default:
        return false;
    }
}

INT_PTR CKeyTableDialog::OnMessage(UINT nMsg, WPARAM /*wParam*/, LPARAM lParam)
{
    auto* pHdr = reinterpret_cast<NMHDR*>(lParam);
    if (nMsg == WM_NOTIFY && pHdr->idFrom == IDC_KEY_TABLE_LIST && pHdr->code == NM_DBLCLK) {
        OnChange();
        return NotifyResult(m_hWnd, 0);
    }
    return FALSE;
}

void CKeyTableDialog::OnChange()
{
    int nRow = SelectedRow(List());
    if (!m_edit.CanChange(nRow))
        return;
    CCommandKeysDialog dialog(m_edit.Row(nRow));
    if (dialog.DoModal(m_hWnd) == IDOK)
        ShowRow(nRow);
}

void CKeyTableDialog::OnDefault()
{
    if (!m_edit.AskResetToDefaults())
        return;
    FillList();
    ShowOptions();
}

void CKeyTableDialog::OnOK()
{
    m_edit.m_bHookNumPad = IsChecked(IDC_HOOK_NUMPAD);
    m_edit.m_bReturnChar = IsChecked(IDC_RETURN_CHAR);
    if (m_edit.Commit(m_app, m_bHookNumPad, m_bReturnChar))
        EndDialog(IDOK);
}
