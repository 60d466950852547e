// The key binding table dialog: every bindable command with its keys, the
// change and default buttons, and the two keyboard options. The application's
// table and options change only when it ends with OK.
#pragma once
#include "keys/KeyTableEdit.h"
#include "keys/ModalDialog_win.h"

class CKeyTableDialog : public CModalDialog {
public:
    CKeyTableDialog(CAccelTable& app, bool& bHookNumPad, bool& bReturnChar);

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT nId, UINT nCode) override;
    bool OnNotify(NMHDR* pHdr, LRESULT& result) override;
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
