// The other-settings dialog (template 124): check boxes, the tab width of
// reading, line length, row gap and undo size with their ranges, and the button
// that associates ".txt" with the editor at once.
#pragma once
#include "settings/AppSettings.h"
#include "fw/Dialog_win.h"

class COtherSettingsDlg : public CDialog {
public:
    // Shows the values of s; after OK, m_values holds them as edited.
    explicit COtherSettingsDlg(const CAppSettings& s);
    ~COtherSettingsDlg() override;

    CAppSettings m_values;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnControl(int nId, UINT nCode, HWND hCtrl) override;

private:
    HICON m_hIcon = nullptr;
    HICON m_hSmallIcon = nullptr;
};
