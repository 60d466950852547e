// The About box (template 100): the program's name and version, and a button
// whose text is the program's home page, opened in the browser when pressed.
#pragma once
#include <string>

#include "fw/Dialog_win.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    bool OnInitDialog() override;
    bool OnControl(int nId, UINT nCode, HWND hCtrl) override;
};

// "1.2.3" (the fourth part when it is not 0) from the program's version
// resource; empty when it has none.
std::string ProgramVersion();
