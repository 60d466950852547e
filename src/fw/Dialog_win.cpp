// Modal dialogs.
#include "fw/Dialog_win.h"

#include <new>

#include "fw/MdiFrameWnd_win.h"
#include "fw/NumberField.h"
#include "fw/WinApp_win.h"
#include "fw/Wnd_win.h"
#include "platform/Messages.h"
#include "platform/Wide_win.h"

INT_PTR CDialog::DoModal(HWND hParent)
{
    if (!hParent && App() && App()->GetMainWnd())
        hParent = App()->GetMainWnd()->GetHwnd();
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nTemplateId), hParent, StaticDialogProc,
                             reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    auto* pDlg = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hDlg, DWLP_USER));
    if (nMsg == WM_INITDIALOG) {
        pDlg = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrW(hDlg, DWLP_USER, lParam);
        pDlg->m_hWnd = hDlg;
    }
    if (!pDlg)
        return FALSE;
    INT_PTR result = FALSE;
    try {
        result = pDlg->DialogProc(nMsg, wParam, lParam);
    } catch (const std::bad_alloc&) {
        ReportUnexpectedFailure(true);
    } catch (...) {
        ReportUnexpectedFailure(false);
    }
    if (nMsg == WM_NCDESTROY)
        pDlg->m_hWnd = nullptr;
    return result;
}

INT_PTR CDialog::DialogProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND: {
        int nId = LOWORD(wParam);
        UINT nCode = HIWORD(wParam);
        auto hCtrl = reinterpret_cast<HWND>(lParam);
        if (OnControl(nId, nCode, hCtrl))
            return TRUE;
        if (nCode == BN_CLICKED || !hCtrl) {
            if (nId == IDOK) {
                OnOK();
                return TRUE;
            }
            if (nId == IDCANCEL) {
                OnCancel();
                return TRUE;
            }
        }
        return FALSE;
    }
    default:
        return OnMessage(nMsg, wParam, lParam);
    }
}

std::string CDialog::ItemText(int nId) const
{
    HWND h = Item(nId);
    int n = h ? ::GetWindowTextLengthW(h) : 0;
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    if (h)
        n = ::GetWindowTextW(h, text.data(), n + 1);
    text.resize(static_cast<size_t>(n));
    return Narrow(text);
}

void CDialog::SetItemText(int nId, const std::string& sjis) { ::SetDlgItemTextW(m_hWnd, nId, Wide(sjis).c_str()); }

void CDialog::SetItemInt(int nId, int nValue) { ::SetDlgItemInt(m_hWnd, nId, static_cast<UINT>(nValue), TRUE); }

bool CDialog::ItemIntInRange(int nId, int nMin, int nMax, int& nValue)
{
    int n = 0;
    bool bNumber = ParseNumberField(ItemText(nId), n);
    if (bNumber && n >= nMin && n <= nMax) {
        nValue = n;
        return true;
    }
    if (bNumber)
        InfoBox("%d から %d までの整数を入力してください。", nMin, nMax);
    else
        InfoBox("整数を入力してください。");
    HWND h = Item(nId);
    ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(h), TRUE);
    ::SendMessageW(h, EM_SETSEL, 0, -1);
    return false;
}

HICON LoadIconResource(UINT nId, int nSize)
{
    return static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nId), IMAGE_ICON, nSize, nSize, 0));
}
