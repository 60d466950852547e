// The key binding command dialog.
#include "keys/CommandKeysDialog_win.h"

#include <commctrl.h>

#include "app/Resource.h"
#include "keys/KeyDialogs_win.h"
#include "keys/KeyNames.h"
#include "keys/KeyboardHooks_win.h"
#include "platform/Messages.h"
#include "platform/Wide_win.h"

CCommandKeysDialog::CCommandKeysDialog(CAccelTable& row) : CDialog(IDD_COMMAND_KEYS), m_edit(row), m_row(row) {}

HWND CCommandKeysDialog::List() const { return Item(IDC_COMMAND_KEY_LIST); }

bool CCommandKeysDialog::OnInitDialog()
{
    ShowKeyBindingIcon(m_hWnd);
    SetItemText(IDC_COMMAND_NAME, m_edit.Description());
    HWND hList = List();
    RECT rc = {};
    ::GetClientRect(hList, &rc);
    LVCOLUMNW col = {};
    col.mask = LVCF_WIDTH;
    col.cx = rc.right;
    ListView_InsertColumn(hList, 0, &col);
    for (int i = 0; i < m_edit.GetCount(); ++i)
        if (!InsertRow(i))
            break;
    SelectRow(hList, 0);
    return true;
}

bool CCommandKeysDialog::InsertRow(int nRow)
{
    std::wstring name = Wide(KeyName(m_edit.Entry(nRow)));
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nRow;
    item.pszText = name.data();
    if (ListView_InsertItem(List(), &item) == nRow)
        return true;
    ErrorBox("can't add list item");
    return false;
}

bool CCommandKeysDialog::OnControl(int nId, UINT nCode, HWND /*hCtrl*/)
{
    if (nCode != BN_CLICKED)
        return false;
    switch (nId) {
    case IDC_KEY_ADD:
        OnAdd();
        return true;
    case IDC_KEY_EDIT:
        OnChange();
        return true;
    case IDC_KEY_DELETE:
        OnDelete();
        return true;
    default:
        return false;
    }
}

INT_PTR CCommandKeysDialog::OnNotify(const NMHDR* pHdr)
{
    if (pHdr->idFrom != IDC_COMMAND_KEY_LIST)
        return FALSE;
    switch (pHdr->code) {
    case LVN_BEGINLABELEDITW:
        OnBeginEdit(reinterpret_cast<const NMLVDISPINFOW*>(pHdr)->item.iItem);
        return NotifyResult(m_hWnd, FALSE);  // the edit goes ahead
    case LVN_ENDLABELEDITW:
        OnEndEdit();
        return NotifyResult(m_hWnd, FALSE);  // the row's text is set already
    case LVN_KEYDOWN: {
        WORD key = reinterpret_cast<const NMLVKEYDOWN*>(pHdr)->wVKey;
        if (key == VK_INSERT)
            OnAdd();
        else if (key == VK_DELETE)
            OnDelete();
        return FALSE;
    }
    default:
        return FALSE;
    }
}

INT_PTR CCommandKeysDialog::OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
    case WM_CAPTURED_KEY:
        OnCapturedKey(static_cast<unsigned>(wParam));
        return TRUE;
    case WM_DESTROY:
        OnEndEdit();
        return FALSE;
    default:
        return FALSE;
    }
}

void CCommandKeysDialog::OnAdd()
{
    HWND hList = List();
    ::SetFocus(hList);
    int nRow = m_edit.Add();
    if (!InsertRow(nRow)) {
        m_edit.Delete(nRow);
        return;
    }
    SelectRow(hList, nRow);
    ListView_EditLabel(hList, nRow);
}

void CCommandKeysDialog::OnChange()
{
    int nRow = SelectedRow(List());
    if (!m_edit.CanChange(nRow))
        return;
    ::SetFocus(List());
    ListView_EditLabel(List(), nRow);
}

void CCommandKeysDialog::OnDelete()
{
    int nRow = SelectedRow(List());
    if (m_edit.Delete(nRow))
        ListView_DeleteItem(List(), nRow);
}

void CCommandKeysDialog::OnBeginEdit(int nRow)
{
    m_hLabelEdit = ListView_GetEditControl(List());
    m_nEditRow = nRow;
    // Without the hook the label takes typed text, which the entry ignores.
    InstallKeyCaptureHook(m_hWnd);
}

void CCommandKeysDialog::OnCapturedKey(unsigned key)
{
    if (m_nEditRow < 0 || m_nEditRow >= m_edit.GetCount())
        return;
    AccelEntry& entry = m_edit.Entry(m_nEditRow);
    CAccelTable::SetFromKeyboard(entry, static_cast<uint16_t>(key));
    if (m_hLabelEdit)
        ::SetWindowTextW(m_hLabelEdit, Wide(KeyName(entry)).c_str());
}

void CCommandKeysDialog::OnEndEdit()
{
    if (m_nEditRow < 0)
        return;
    RemoveKeyCaptureHook();
    // The row shows the key its entry holds, whatever the label was given.
    if (m_nEditRow < m_edit.GetCount())
        SetRowText(List(), m_nEditRow, 0, KeyName(m_edit.Entry(m_nEditRow)));
    m_hLabelEdit = nullptr;
    m_nEditRow = -1;
}

void CCommandKeysDialog::OnOK()
{
    OnEndEdit();
    m_edit.Commit(m_row);
    EndDialog(IDOK);
}

void CCommandKeysDialog::OnCancel()
{
    OnEndEdit();
    EndDialog(IDCANCEL);
}
