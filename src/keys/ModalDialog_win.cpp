// Modal dialogs.
#include "keys/ModalDialog_win.h"

#include <new>

#include "fw/Wnd_win.h"
#include "platform/Wide_win.h"

INT_PTR CModalDialog::DoModal(HWND hOwner)
{
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nTemplateId), hOwner, StaticDialogProc,
                             reinterpret_cast<LPARAM>(this));
}

bool CModalDialog::OnCommand(UINT nId, UINT /*nCode*/)
{
    switch (nId) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    default:
        return false;
    }
}

void CModalDialog::SetBigIcon(UINT nIconId)
{
    HICON hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nIconId));
    if (hIcon)
        ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
}

INT_PTR CALLBACK CModalDialog::StaticDialogProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    auto* pDialog = reinterpret_cast<CModalDialog*>(::GetWindowLongPtrW(hWnd, DWLP_USER));
    if (nMsg == WM_INITDIALOG) {
        pDialog = reinterpret_cast<CModalDialog*>(lParam);
        ::SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
        pDialog->m_hWnd = hWnd;
    }
    if (!pDialog)
        return FALSE;
    INT_PTR result = FALSE;
    try {
        result = pDialog->DialogProc(nMsg, wParam, lParam);
    } catch (const std::bad_alloc&) {
        ReportUnexpectedFailure(true);
    } catch (...) {
        ReportUnexpectedFailure(false);
    }
    if (nMsg == WM_NCDESTROY)
        pDialog->m_hWnd = nullptr;
    return result;
}

INT_PTR CModalDialog::DialogProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!OnNotify(reinterpret_cast<NMHDR*>(lParam), result))
            return FALSE;
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    default:
        return OnMessage(nMsg, wParam, lParam) ? TRUE : FALSE;
    }
}

int SelectedRow(HWND hList) { return static_cast<int>(ListView_GetNextItem(hList, -1, LVNI_SELECTED)); }

void SelectRow(HWND hList, int nRow)
{
    UINT state = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(hList, nRow, state, state);
    ListView_EnsureVisible(hList, nRow, FALSE);
}

void SetRowText(HWND hList, int nRow, int nColumn, const std::string& sjis)
{
    std::wstring text = Wide(sjis);
    ListView_SetItemText(hList, nRow, nColumn, text.data());
}
