// Dialog bars.
#include "fw/DialogBar_win.h"

#include "fw/MdiFrameWnd_win.h"

namespace {

INT_PTR CALLBACK NoDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

} // namespace

bool CDialogBar::Create(HWND hParent, UINT nTemplateId, EDock eDock, UINT nBarId, bool bVisible)
{
    m_nBarId = nBarId;
    m_eDock = eDock;
    HWND h = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nTemplateId), hParent, NoDialogProc, 0);
    if (!h)
        return false;
    // The template is made a child bar whatever its own style says.
    LONG style = ::GetWindowLongW(h, GWL_STYLE);
    style = (style & ~(WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_VISIBLE)) | WS_CHILD;
    ::SetWindowLongW(h, GWL_STYLE, style);
    ::SetParent(h, hParent);
    ::SetWindowLongPtrW(h, GWLP_ID, static_cast<LONG_PTR>(nBarId));
    RECT rc = {};
    ::GetWindowRect(h, &rc);
    m_nHeight = rc.bottom - rc.top;
    if (!SubclassWindow(h)) {
        ::DestroyWindow(h);
        return false;
    }
    if (bVisible)
        ::ShowWindow(h, SW_SHOWNOACTIVATE);
    return true;
}

int CDialogBar::CalcHeight(int /*nWidth*/) { return m_nHeight; }

bool CDialogBar::PreTranslateMessage(MSG* pMsg)
{
    // Tab and Shift+Tab move between the bar's controls; other keys stay with
    // the program's bindings.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB)
        return ::IsDialogMessageW(m_hWnd, pMsg);
    return false;
}

LRESULT CDialogBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_COMMAND && lParam) {
        UINT nId = LOWORD(wParam), nCode = HIWORD(wParam);
        if (OnControl(nId, nCode, reinterpret_cast<HWND>(lParam)))
            return 0;
        if (nCode == BN_CLICKED)
            if (auto* pFrame = dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandle(::GetParent(m_hWnd))))
                pFrame->RunCommand(nId);
        return 0;
    }
    return DefaultProc(nMsg, wParam, lParam);
}
