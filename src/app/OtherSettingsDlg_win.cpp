// The other-settings dialog.
#include "app/OtherSettingsDlg_win.h"

#include <commctrl.h>

#include "app/EditorApp_win.h"
#include "app/OtherSettings.h"
#include "app/Resource.h"

namespace {

struct CCheckBoxSetting {
    int nControlId;
    bool CAppSettings::*pFlag;
};

constexpr CCheckBoxSetting kCheckBoxes[] = {
    {IDC_CURSOR_BLINK, &CAppSettings::m_bCursorBlink},   {IDC_TITLE_FULL_PATH, &CAppSettings::m_bTitleFullPath},
    {IDC_FAST_SCROLL, &CAppSettings::m_bFastScroll},     {IDC_URL_SENSITIVE, &CAppSettings::m_bUrlSensitive},
    {IDC_HILIGHT_MARK, &CAppSettings::m_bHilightMark},   {IDC_SPACE_ASCII, &CAppSettings::m_bSpaceAscii},
};

} // namespace

COtherSettingsDlg::COtherSettingsDlg(const CAppSettings& s) : CDialog(IDD_OTHER_SETTINGS), m_values(s) {}

COtherSettingsDlg::~COtherSettingsDlg()
{
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
    if (m_hSmallIcon)
        ::DestroyIcon(m_hSmallIcon);
}

bool COtherSettingsDlg::OnInitDialog()
{
    m_hIcon = LoadIconResource(IDI_OTHER_SETTINGS, ::GetSystemMetrics(SM_CXICON));
    m_hSmallIcon = LoadIconResource(IDI_OTHER_SETTINGS, ::GetSystemMetrics(SM_CXSMICON));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hSmallIcon));
    for (const CCheckBoxSetting& box : kCheckBoxes)
        Check(box.nControlId, m_values.*box.pFlag);
    ::CheckRadioButton(m_hWnd, IDC_READ_TAB_4, IDC_READ_TAB_8,
                       m_values.m_nReadTab == 4 ? IDC_READ_TAB_4 : IDC_READ_TAB_8);
    ::SendMessageW(Item(IDC_LINE_LENGTH_SPIN), UDM_SETRANGE32, kLineLengthRange.nMin, kLineLengthRange.nMax);
    ::SendMessageW(Item(IDC_GAP_PIXEL_SPIN), UDM_SETRANGE32, kGapPixelRange.nMin, kGapPixelRange.nMax);
    SetItemInt(IDC_LINE_LENGTH, m_values.m_nLineLength);
    SetItemInt(IDC_GAP_PIXEL, m_values.m_nGapPixel);
    SetItemInt(IDC_MAX_HISTORY, m_values.m_nMaxHistory);
    return true;
}

void COtherSettingsDlg::OnOK()
{
    // Every number is checked before anything is taken: a refused one keeps
    // the dialog open with the others as typed.
    CAppSettings edited = m_values;
    if (!ItemIntInRange(IDC_LINE_LENGTH, kLineLengthRange.nMin, kLineLengthRange.nMax, edited.m_nLineLength) ||
        !ItemIntInRange(IDC_GAP_PIXEL, kGapPixelRange.nMin, kGapPixelRange.nMax, edited.m_nGapPixel) ||
        !ItemIntInRange(IDC_MAX_HISTORY, kMaxHistoryRange.nMin, kMaxHistoryRange.nMax, edited.m_nMaxHistory))
        return;
    for (const CCheckBoxSetting& box : kCheckBoxes)
        edited.*box.pFlag = IsChecked(box.nControlId);
    edited.m_nReadTab = IsChecked(IDC_READ_TAB_4) ? 4 : 8;
    m_values = edited;
    EndDialog(IDOK);
}

bool COtherSettingsDlg::OnControl(int nId, UINT nCode, HWND /*hCtrl*/)
{
    if (nId != IDC_ASSOCIATE_TXT || nCode != BN_CLICKED)
        return false;
    EditorApp()->AssociateTxt();
    return true;
}
