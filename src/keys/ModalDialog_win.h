// A modal dialog on a template of the program's resources, with the object
// behind it getting the dialog's messages through a few virtual handlers.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

class CModalDialog {
public:
    explicit CModalDialog(UINT nTemplateId) : m_nTemplateId(nTemplateId) {}
    virtual ~CModalDialog() = default;
    CModalDialog(const CModalDialog&) = delete;  // one object per dialog window
    CModalDialog& operator=(const CModalDialog&) = delete;

    // Runs the dialog owned by hOwner: IDOK or IDCANCEL, -1 when it could not be made.
    INT_PTR DoModal(HWND hOwner);
    HWND GetHwnd() const { return m_hWnd; }

protected:
    // WM_INITDIALOG: false when the handler set the focus itself.
    virtual bool OnInitDialog() { return true; }
    // A button or menu command; true when handled. OK and Cancel go to OnOK
    // and OnCancel.
    virtual bool OnCommand(UINT nId, UINT nCode);
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // A control's notification; true when handled, with its answer in result.
    virtual bool OnNotify(NMHDR* /*pHdr*/, LRESULT& /*result*/) { return false; }
    // Any other message; true when handled.
    virtual bool OnMessage(UINT /*nMsg*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return false; }

    void EndDialog(INT_PTR nResult) { ::EndDialog(m_hWnd, nResult); }
    HWND Item(int nId) const { return ::GetDlgItem(m_hWnd, nId); }
    // Shows icon resource nIconId as the dialog's big icon.
    void SetBigIcon(UINT nIconId);

    HWND m_hWnd = nullptr;

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    INT_PTR DialogProc(UINT nMsg, WPARAM wParam, LPARAM lParam);

    UINT m_nTemplateId;
};

// List-view helpers the dialogs share.
// The selected row, or -1.
int SelectedRow(HWND hList);
// Selects and focuses a row and scrolls it into view.
void SelectRow(HWND hList, int nRow);
// Sets the text of a row's column (Shift-JIS).
void SetRowText(HWND hList, int nRow, int nColumn, const std::string& sjis);
