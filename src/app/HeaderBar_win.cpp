// The mail header bars.
#include "app/HeaderBar_win.h"

#include <algorithm>

#include "app/HeaderBarResource.h"
#include "mail/HeaderBarText.h"
#include "mail/Mail.h"
#include "platform/Wide_win.h"
#include "text/Doc.h"
#include "text/DocHeader.h"
#include "text/LineStore.h"
#include "view/Vu.h"

namespace {

// Pixels: the label column's margins, the gap between rows beyond the line
// height, and what an edit field's border and inner margin add to a line.
constexpr int kLabelLeft = 4;
constexpr int kLabelRight = 8;
constexpr int kRightMargin = 2;
constexpr int kTopMargin = 2;
constexpr int kRowSpacing = 8;
constexpr int kEditExtra = 6;

} // namespace

CHeaderBar::CHeaderBar(UINT nTemplateId, std::vector<CRow> rows, bool bEditable)
    : m_nTemplateId(nTemplateId), m_rows(std::move(rows)), m_bEditable(bEditable)
{
}

CHeaderBar::~CHeaderBar() { DetachHooks(); }

bool CHeaderBar::Create(HWND hParent, UINT nBarId)
{
    if (!CDialogBar::Create(hParent, m_nTemplateId, EDock::Top, nBarId))
        return false;
    for (const CRow& row : m_rows) {
        HWND hEdit = ::GetDlgItem(m_hWnd, static_cast<int>(row.nEditId));
        if (!hEdit || !::GetDlgItem(m_hWnd, static_cast<int>(row.nLabelId)))
            return false;
        // The byte limit of a line is kept when the text is stored.
        ::SendMessageW(hEdit, EM_SETLIMITTEXT, static_cast<WPARAM>(MaxLineLength), 0);
    }
    return true;
}

void CHeaderBar::AttachHooks()
{
    CDocHeader* pHeader = m_pDoc ? m_pDoc->GetHeaderDoc() : nullptr;
    if (!pHeader)
        return;
    pHeader->m_onBeforeStore = [this](CDocHeader&) { ShowOrStore(nullptr); };
    pHeader->m_onDestroy = [this](CDocHeader& header) { ForgetDocument(header.GetParentDoc()); };
}

void CHeaderBar::DetachHooks()
{
    if (CDocHeader* pHeader = m_pDoc ? m_pDoc->GetHeaderDoc() : nullptr) {
        pHeader->m_onBeforeStore = nullptr;
        pHeader->m_onDestroy = nullptr;
    }
}

void CHeaderBar::SetDocument(CDoc* pDoc)
{
    DetachHooks();
    m_pMail.reset();
    m_pDoc = pDoc;
    m_bChanged = false;
    if (!pDoc)
        return;
    AttachHooks();
    // The header is read from its lines: the working line goes back first.
    FlushAnyWorkLine();
    m_pMail = std::make_unique<CMail>(pDoc);
    // What could not be read stays out; what came before it is shown.
    m_pMail->Load(false, false);
}

void CHeaderBar::ForgetDocument(const CDoc* pDoc)
{
    if (!pDoc || pDoc != m_pDoc)
        return;
    // Called while the header document goes: its hooks go with it.
    m_pMail.reset();
    m_pDoc = nullptr;
    m_bChanged = false;
    ClearFields();
}

void CHeaderBar::SetFieldText(UINT nEditId, const std::string& text)
{
    m_bFilling = true;
    ::SetDlgItemTextW(m_hWnd, static_cast<int>(nEditId), Wide(text).c_str());
    m_bFilling = false;
}

void CHeaderBar::ClearFields()
{
    if (!m_hWnd)
        return;
    for (const CRow& row : m_rows)
        SetFieldText(row.nEditId, std::string());
}

std::string CHeaderBar::GetFieldText(UINT nEditId) const
{
    HWND hEdit = ::GetDlgItem(m_hWnd, static_cast<int>(nEditId));
    if (!hEdit)
        return std::string();
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(hEdit)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(hEdit, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

bool CHeaderBar::IsBarControl(HWND h) const { return m_hWnd && h && h != m_hWnd && ::IsChild(m_hWnd, h); }

void CHeaderBar::ApplyFont(HFONT hFont)
{
    m_hFont = hFont;
    if (!m_hWnd)
        return;
    HDC hdc = ::GetDC(m_hWnd);
    HGDIOBJ hOld = ::SelectObject(hdc, hFont ? static_cast<HGDIOBJ>(hFont) : ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(hdc, &tm);
    SIZE size = {};
    ::GetTextExtentPoint32W(hdc, L"Subject", 7, &size);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(m_hWnd, hdc);
    m_nLineHeight = std::max(1, static_cast<int>(tm.tmHeight + tm.tmExternalLeading));
    m_nLabelWidth = kLabelLeft + static_cast<int>(size.cx) + kLabelRight;
    for (const CRow& row : m_rows) {
        for (UINT nId : {row.nLabelId, row.nEditId})
            ::SendDlgItemMessageW(m_hWnd, static_cast<int>(nId), WM_SETFONT, reinterpret_cast<WPARAM>(hFont), TRUE);
    }
    RECT rc = {};
    ::GetClientRect(m_hWnd, &rc);
    LayoutRows(rc.right);
}

int CHeaderBar::CalcHeight(int /*nWidth*/)
{
    return kTopMargin + static_cast<int>(m_rows.size()) * (m_nLineHeight + kRowSpacing);
}

void CHeaderBar::LayoutRows(int nWidth)
{
    int nEditLeft = m_nLabelWidth;
    int nEditWidth = std::max(0, nWidth - nEditLeft - kRightMargin);
    int nEditHeight = m_nLineHeight + kEditExtra;
    int y = kTopMargin;
    for (const CRow& row : m_rows) {
        // The label's text sits on the edit's text line.
        ::MoveWindow(::GetDlgItem(m_hWnd, static_cast<int>(row.nLabelId)), kLabelLeft, y + kEditExtra / 2,
                     m_nLabelWidth - kLabelLeft, m_nLineHeight, TRUE);
        ::MoveWindow(::GetDlgItem(m_hWnd, static_cast<int>(row.nEditId)), nEditLeft, y, nEditWidth, nEditHeight, TRUE);
        y += m_nLineHeight + kRowSpacing;
    }
}

bool CHeaderBar::OnControl(UINT nCtrlId, UINT nCode, HWND /*hCtrl*/)
{
    bool bEdit = std::any_of(m_rows.begin(), m_rows.end(), [&](const CRow& r) { return r.nEditId == nCtrlId; });
    if (!bEdit)
        return false;
    if (nCode == EN_CHANGE && m_bEditable && !m_bFilling && m_pDoc) {
        m_bChanged = true;
        // The mail is changed as much as by typing into it: saving, sending
        // and the question at closing must know.
        if (!m_pDoc->IsModified())
            m_pDoc->SetModifiedFlag(true);
    }
    return true;
}

LRESULT CHeaderBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_SIZE && wParam != SIZE_MINIMIZED) {
        LayoutRows(LOWORD(lParam));
        return 0;
    }
    return CDialogBar::WindowProc(nMsg, wParam, lParam);
}

// ---- The reader's bar ----

CHeaderViewBar::CHeaderViewBar()
    : CHeaderBar(IDD_HEADER_VIEW_BAR,
                 {{IDC_HEADER_SUBJECT_LABEL, IDC_HEADER_SUBJECT},
                  {IDC_HEADER_FROM_LABEL, IDC_HEADER_FROM},
                  {IDC_HEADER_DATE_LABEL, IDC_HEADER_DATE},
                  {IDC_HEADER_TO_LABEL, IDC_HEADER_TO},
                  {IDC_HEADER_CC_LABEL, IDC_HEADER_CC}},
                 false)
{
}

void CHeaderViewBar::ShowOrStore(CDoc* pDoc)
{
    if (!pDoc)
        return;  // nothing here is edited
    SetDocument(pDoc);
    CHeaderShown shown = HeaderShownOf(*m_pMail);
    SetFieldText(IDC_HEADER_SUBJECT, shown.strSubject);
    SetFieldText(IDC_HEADER_FROM, shown.strFrom);
    SetFieldText(IDC_HEADER_DATE, shown.strDate);
    SetFieldText(IDC_HEADER_TO, shown.strTo);
    SetFieldText(IDC_HEADER_CC, shown.strCc);
}

// ---- The composer's bar ----

CHeaderEditBar::CHeaderEditBar()
    : CHeaderBar(IDD_HEADER_EDIT_BAR,
                 {{IDC_HEADER_SUBJECT_LABEL, IDC_HEADER_SUBJECT},
                  {IDC_HEADER_TO_LABEL, IDC_HEADER_TO},
                  {IDC_HEADER_CC_LABEL, IDC_HEADER_CC}},
                 true)
{
}

void CHeaderEditBar::ShowOrStore(CDoc* pDoc)
{
    if (!pDoc) {
        Store();
        return;
    }
    if (pDoc == GetDocument() && m_bChanged)
        return;  // the user's edits for this mail are still waiting
    // Edits made for the mail shown before go into it before another is shown.
    Store();
    SetDocument(pDoc);
    Show();
}

void CHeaderEditBar::Show()
{
    if (!m_pMail)
        return;
    CHeaderShown shown = HeaderShownOf(*m_pMail);
    SetFieldText(IDC_HEADER_SUBJECT, shown.strSubject);
    SetFieldText(IDC_HEADER_TO, shown.strTo);
    SetFieldText(IDC_HEADER_CC, shown.strCc);
}

void CHeaderEditBar::Store()
{
    CDoc* pDoc = GetDocument();
    if (!m_bChanged || !pDoc)
        return;
    CHeaderEdits edits;
    edits.strSubject = FieldBodyOf(GetFieldText(IDC_HEADER_SUBJECT));
    edits.strTo = FieldBodyOf(GetFieldText(IDC_HEADER_TO));
    edits.strCc = FieldBodyOf(GetFieldText(IDC_HEADER_CC));
    if (!StoreHeaderEdits(*pDoc, edits))
        return;
    m_bChanged = false;
    // The header pane's undo records describe lines that were just replaced:
    // undoing one now would garble the header.
    for (CViewBase* pView : pDoc->GetViews())
        if (auto* pVu = dynamic_cast<CVu*>(pView); pVu && pVu->IsHeaderView())
            pVu->History().Clear();
}
