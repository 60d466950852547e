// The font dialog.
#include "app/FontDialogX_win.h"

#include <commdlg.h>

#include "platform/Wide_win.h"

namespace {

// The dialog's style box and its label.
constexpr int kStyleBox = 1137;
constexpr int kStyleLabel = 1089;

UINT_PTR CALLBACK FontHook(HWND hDlg, UINT nMsg, WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (nMsg == WM_INITDIALOG) {
        ::SetWindowTextW(hDlg, L"フォントの指定");
        for (int nId : {kStyleBox, kStyleLabel})
            if (HWND h = ::GetDlgItem(hDlg, nId))
                ::ShowWindow(h, SW_HIDE);
        return TRUE;
    }
    return FALSE;
}

// The font as made, under the face the system really gave it (the face asked
// for may not exist and have been replaced by one that does).
LOGFONTW CurrentLogFont(HFONT hFont)
{
    LOGFONTW lf = {};
    if (!hFont || !::GetObjectW(hFont, sizeof lf, &lf))
        return lf;
    HDC hdc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(hdc, hFont);
    wchar_t face[LF_FACESIZE] = {};
    if (::GetTextFaceW(hdc, LF_FACESIZE, face) > 0)
        ::lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    ::SelectObject(hdc, old);
    ::ReleaseDC(nullptr, hdc);
    return lf;
}

} // namespace

bool CFontDialogX::Choose(HWND hOwner, HFONT hCurrent, std::string& strFace, int& nPointSize)
{
    LOGFONTW lf = CurrentLogFont(hCurrent);
    CHOOSEFONTW cf = {};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = hOwner;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_FIXEDPITCHONLY | CF_FORCEFONTEXIST | CF_NOVERTFONTS | CF_NOSCRIPTSEL |
               CF_ENABLEHOOK | (hCurrent ? CF_INITTOLOGFONTSTRUCT : 0);
    cf.lpfnHook = FontHook;
    if (!::ChooseFontW(&cf))
        return false;
    strFace = Narrow(lf.lfFaceName);
    nPointSize = cf.iPointSize;
    return true;
}
