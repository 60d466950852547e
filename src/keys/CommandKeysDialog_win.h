// The key binding command dialog: the keys of one command, added, changed and
// deleted. A key is entered by pressing it while its label is being edited:
// the key-capture hook turns the press, whatever the key, into the label.
#pragma once
#include "keys/CommandKeysEdit.h"
#include "keys/ModalDialog_win.h"

class CCommandKeysDialog : public CModalDialog {
public:
    // row: the command's row of the table dialog; it takes the keys on OK.
    explicit CCommandKeysDialog(CAccelTable& row);

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT nId, UINT nCode) override;
    bool OnNotify(NMHDR* pHdr, LRESULT& result) override;
    bool OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;

private:
    HWND List() const;
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
