// The colour dialog.
#include "app/ColorDialog_win.h"

#include <commdlg.h>

#include "platform/Wide_win.h"

namespace {

UINT_PTR CALLBACK ColorHook(HWND hDlg, UINT nMsg, WPARAM /*wParam*/, LPARAM lParam)
{
    if (nMsg == WM_INITDIALOG) {
        const auto* pCc = reinterpret_cast<const CHOOSECOLORW*>(lParam);
        ::SetWindowTextW(hDlg, reinterpret_cast<const wchar_t*>(pCc->lCustData));
        return TRUE;
    }
    return FALSE;
}

} // namespace

bool CColorDialog::Choose(HWND hOwner, const std::string& strTitle, ColorValue& crColor)
{
    std::wstring title = Wide(strTitle);
    CHOOSECOLORW cc = {};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = hOwner;
    cc.rgbResult = crColor;
    cc.lpCustColors = m_custom;
    cc.Flags = CC_RGBINIT | CC_ANYCOLOR | CC_ENABLEHOOK;
    cc.lCustData = reinterpret_cast<LPARAM>(title.c_str());
    cc.lpfnHook = ColorHook;
    if (!::ChooseColorW(&cc))
        return false;
    crColor = cc.rgbResult;
    return true;
}

CSystemColors CurrentSystemColors()
{
    return CSystemColors{::GetSysColor(COLOR_WINDOWTEXT), ::GetSysColor(COLOR_WINDOW),
                         ::GetSysColor(COLOR_HIGHLIGHTTEXT), ::GetSysColor(COLOR_HIGHLIGHT)};
}
