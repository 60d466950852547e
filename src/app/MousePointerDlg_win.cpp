// The mouse pointer dialog.
#include "app/MousePointerDlg_win.h"

#include "app/Resource.h"

CMousePointerDlg::CMousePointerDlg(int nPointer, bool bChase)
    : CDialog(IDD_MOUSE_POINTER), m_nPointer(nPointer), m_bChase(bChase)
{
}

CMousePointerDlg::~CMousePointerDlg()
{
    for (HICON h : m_hIcons)
        if (h)
            ::DestroyIcon(h);
}

bool CMousePointerDlg::OnInitDialog()
{
    for (int i = 0; i < kPointerCount; ++i) {
        m_hIcons[i] = LoadIconResource(IDI_POINTER_FIRST + i, 32);
        ::SendMessageW(Item(IDC_POINTER_FIRST + i), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(m_hIcons[i]));
    }
    int nChoice = (m_nPointer >= 0 && m_nPointer < kPointerCount) ? m_nPointer : kPointerTovaHand;
    ::CheckRadioButton(m_hWnd, IDC_POINTER_FIRST, IDC_POINTER_FIRST + kPointerCount - 1, IDC_POINTER_FIRST + nChoice);
    Check(IDC_CHASE, m_bChase);
    return true;
}

void CMousePointerDlg::OnOK()
{
    for (int i = 0; i < kPointerCount; ++i)
        if (IsChecked(IDC_POINTER_FIRST + i))
            m_nPointer = i;
    m_bChase = IsChecked(IDC_CHASE);
    EndDialog(IDOK);
}
