// The mouse pointer dialog (template 118): five picture buttons choose the
// pointer shown over text, and "Chase" says whether a click moves the caret.
#pragma once
#include "settings/AppSettings.h"
#include "fw/Dialog_win.h"

class CMousePointerDlg : public CDialog {
public:
    CMousePointerDlg(int nPointer, bool bChase);
    ~CMousePointerDlg() override;

    // The choice (pointer number) and "Chase", as shown and, after OK, as chosen.
    int m_nPointer;
    bool m_bChase;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    HICON m_hIcons[kPointerCount] = {};
};
