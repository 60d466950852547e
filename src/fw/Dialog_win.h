// A modal dialog on a dialog template of the program: the object behind the
// dialog window, its initialisation, OK and Cancel, the notifications of its
// controls, and small helpers that move values between controls and the
// program (texts in Shift-JIS). No exception crosses into the system from it.
#pragma once
#include <windows.h>

#include <string>

class CDialog {
public:
    explicit CDialog(UINT nTemplateId) : m_nTemplateId(nTemplateId) {}
    virtual ~CDialog() = default;
    CDialog(const CDialog&) = delete;  // one object per dialog window
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog over hParent (the main window when null) until it ends;
    // the result it ended with (IDOK, IDCANCEL), -1 when it could not be shown.
    INT_PTR DoModal(HWND hParent = nullptr);
    HWND GetHwnd() const { return m_hWnd; }
    HWND Item(int nId) const { return ::GetDlgItem(m_hWnd, nId); }

protected:
    // The controls are there; false when the focus was set here.
    virtual bool OnInitDialog() { return true; }
    // OK pressed: check and store the values, then EndDialog(IDOK); a value
    // that does not do keeps the dialog open.
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // A notification of control nId (a click, an edit change); true when handled.
    virtual bool OnControl(int /*nId*/, UINT /*nCode*/, HWND /*hCtrl*/) { return false; }
    // Any other message; the dialog procedure's result (FALSE: not handled).
    virtual INT_PTR OnMessage(UINT /*nMsg*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return FALSE; }
    void EndDialog(INT_PTR nResult) { ::EndDialog(m_hWnd, nResult); }

    bool IsChecked(int nId) const { return ::IsDlgButtonChecked(m_hWnd, nId) == BST_CHECKED; }
    void Check(int nId, bool bOn) { ::CheckDlgButton(m_hWnd, nId, bOn ? BST_CHECKED : BST_UNCHECKED); }
    std::string ItemText(int nId) const;
    void SetItemText(int nId, const std::string& sjis);
    void SetItemInt(int nId, int nValue);
    // The whole number in edit control nId when it lies in nMin..nMax; else the
    // message the user needs, the field selected for correcting, and false.
    bool ItemIntInRange(int nId, int nMin, int nMax, int& nValue);

    HWND m_hWnd = nullptr;

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam);
    INT_PTR DialogProc(UINT nMsg, WPARAM wParam, LPARAM lParam);

    UINT m_nTemplateId;
};

// The program's icon resource nId drawn at nSize pixels; the caller destroys it.
HICON LoadIconResource(UINT nId, int nSize);
