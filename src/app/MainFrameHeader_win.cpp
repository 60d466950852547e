// The main window's mail header bar: made in the mail modes, told which mail
// is active, asked to store, and kept clear of the key bindings.
#include "app/MainFrame_win.h"

#include "settings/AppSettings.h"
#include "app/EditorApp_win.h"
#include "keys/CommandIds.h"

bool CMainFrame::CreateHeaderBar()
{
    int nMode = AppSettings().m_nMailMode;
    if (nMode == 1)
        m_pHeaderBar = std::make_unique<CHeaderViewBar>();
    else if (nMode == 2)
        m_pHeaderBar = std::make_unique<CHeaderEditBar>();
    else
        return true;
    if (!m_pHeaderBar->Create(m_hWnd, ID_VIEW_HEADER_BAR))
        return false;
    m_pHeaderBar->ApplyFont(EditorApp()->GetViewFont().Get());
    AddControlBar(m_pHeaderBar.get());
    return true;
}

void CMainFrame::ShowHeaderOf(CDoc* pDoc)
{
    if (m_pHeaderBar && pDoc)
        m_pHeaderBar->ShowOrStore(pDoc);
}

void CMainFrame::StoreHeader()
{
    if (m_pHeaderBar)
        m_pHeaderBar->ShowOrStore(nullptr);
}

bool CMainFrame::IsHeaderBarVisible() const
{
    return m_pHeaderBar && m_pHeaderBar->GetHwnd() &&
           (::GetWindowLongW(m_pHeaderBar->GetHwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool CMainFrame::IsHeaderBarMessage(const MSG& msg) const
{
    // Editing keys (Ctrl+C, Ctrl+V, Delete, the arrows) belong to the field,
    // not to the commands bound to them; Tab was taken by the bar before.
    return m_pHeaderBar && msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST &&
           m_pHeaderBar->IsBarControl(msg.hwnd);
}

bool CMainFrame::SendEditCommandToHeaderBar(unsigned nId)
{
    // Menus and toolbar buttons leave the focus where it is: in a header
    // field, cut, copy, paste and undo mean that field, not the mail's body.
    HWND hFocus = ::GetFocus();
    if (!m_pHeaderBar || !m_pHeaderBar->IsBarControl(hFocus))
        return false;
    UINT nMsg = 0;
    switch (nId) {
    case ID_EDIT_CUT: nMsg = WM_CUT; break;
    case ID_EDIT_COPY: nMsg = WM_COPY; break;
    case ID_EDIT_PASTE: nMsg = WM_PASTE; break;
    case ID_EDIT_UNDO: nMsg = WM_UNDO; break;
    default: return false;
    }
    ::SendMessageW(hFocus, nMsg, 0, 0);
    return true;
}
