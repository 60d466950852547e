// The mail header bars along the top of the main window: rows of a label and
// an edit field showing the main fields of the active mail's header. The
// reader's bar (template 1545) shows Subject, From, Date, To and Cc read-only;
// the composer's (template 1546) edits Subject, To and Cc and writes them back
// into the header document before the mail is saved.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "fw/DialogBar_win.h"

class CDoc;
class CMail;

class CHeaderBar : public CDialogBar {
public:
    struct CRow {
        UINT nLabelId;
        UINT nEditId;
    };

    ~CHeaderBar() override;

    // Makes the bar from its template, hidden, as bar nBarId of the main window.
    virtual bool Create(HWND hParent, UINT nBarId);
    // With a document: shows its header (a bar with unsaved edits for another
    // document stores them there first). Without: stores the edits into the
    // shown document.
    virtual void ShowOrStore(CDoc* pDoc) = 0;

    // Takes a new mail object on the document (header only, no alias
    // expansion); null shows nothing.
    void SetDocument(CDoc* pDoc);
    CDoc* GetDocument() const { return m_pDoc; }
    // The document is going away: the bar lets go of it and empties.
    void ForgetDocument(const CDoc* pDoc);

    // The view font: every control takes it and the rows are measured again.
    void ApplyFont(HFONT hFont);
    int CalcHeight(int nWidth) override;
    // The text of an edit field (Shift-JIS).
    std::string GetFieldText(UINT nEditId) const;
    // h is one of the bar's controls.
    bool IsBarControl(HWND h) const;
    bool IsChanged() const { return m_bChanged; }

protected:
    CHeaderBar(UINT nTemplateId, std::vector<CRow> rows, bool bEditable);

    void SetFieldText(UINT nEditId, const std::string& text);
    void ClearFields();
    // Changed by the user since shown or stored.
    bool m_bChanged = false;
    std::unique_ptr<CMail> m_pMail;

    bool OnControl(UINT nCtrlId, UINT nCode, HWND hCtrl) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    void LayoutRows(int nWidth);
    void AttachHooks();
    void DetachHooks();

    UINT m_nTemplateId;
    std::vector<CRow> m_rows;
    bool m_bEditable;
    CDoc* m_pDoc = nullptr;
    bool m_bFilling = false;  // the bar itself is setting the texts
    HFONT m_hFont = nullptr;  // not owned
    int m_nLineHeight = 16;
    int m_nLabelWidth = 60;
};

// The reader's bar: Subject, From, Date, To, Cc, read-only.
class CHeaderViewBar : public CHeaderBar {
public:
    CHeaderViewBar();
    void ShowOrStore(CDoc* pDoc) override;
};

// The composer's bar: Subject, To, Cc, editable.
class CHeaderEditBar : public CHeaderBar {
public:
    CHeaderEditBar();
    void ShowOrStore(CDoc* pDoc) override;

private:
    void Show();
    void Store();
};
