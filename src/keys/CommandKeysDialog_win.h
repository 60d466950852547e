// The key binding command dialog: the keys of one command, added, changed and
// deleted. A key is entered by pressing it while its label is being edited:
// the key-capture hook turns the press, whatever the key, into the label.
#pragma once
#include "fw/Dialog_win.h"
#include "keys/CommandKeysEdit.h"

class CCommandKeysDialog : public CDialog {
public:
    // row: the command's row of the table dialog; it takes the keys on OK.
    explicit CCommandKeysDialog(CAccelTable& row);

protected:
    bool OnInitDialog() override;
    bool OnControl(int nId, UINT nCode, HWND hCtrl) override;
    INT_PTR OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;

private:
    HWND List() const;
    INT_PTR OnNotify(const NMHDR* pHdr);
    bool InsertRow(int nRow);
    void OnAdd();
    void OnChange();
    void OnDelete();
    void OnBeginEdit(int nRow);
    void OnCapturedKey(unsigned key);
    void OnEndEdit();

    CCommandKeysEdit m_edit;
    CAccelTable& m_row;
    HWND m_hLabelEdit = nullptr;  // while a label is being edited
    int m_nEditRow = -1;
};
