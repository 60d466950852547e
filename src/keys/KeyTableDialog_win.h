// The key binding table dialog: every bindable command with its keys, the
// change and default buttons, and the two keyboard options. The application's
// table and options change only when it ends with OK.
#pragma once
#include "fw/Dialog_win.h"
#include "keys/KeyTableEdit.h"

class CKeyTableDialog : public CDialog {
public:
    CKeyTableDialog(CAccelTable& app, bool& bHookNumPad, bool& bReturnChar);

protected:
    bool OnInitDialog() override;
    bool OnControl(int nId, UINT nCode, HWND hCtrl) override;
    INT_PTR OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    HWND List() const;
    void FillList();
    void ShowRow(int nRow);
    void ShowOptions();
    void OnChange();
    void OnDefault();

    CKeyTableEdit m_edit;
    CAccelTable& m_app;
    bool& m_bHookNumPad;
    bool& m_bReturnChar;
};
