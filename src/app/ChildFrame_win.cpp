// The editor's document window.
#include "app/ChildFrame_win.h"

#include "settings/AppSettings.h"
#include "app/EditorApp_win.h"
#include "app/MainFrame_win.h"
#include "app/PartsDialog_win.h"
#include "fw/DocFlow_win.h"
#include "fw/MdiFrameWnd_win.h"
#include "fw/View_win.h"
#include "keys/CommandIds.h"
#include "keys/FrameAccelerator.h"
#include "text/Doc.h"
#include "view/VuHeader.h"
#include "view/VuWnd_win.h"

bool CChildFrame::OnCreateClient()
{
    if (AppSettings().m_nMailMode == 0) {
        if (!CMDIChildWnd::OnCreateClient())
            return false;
        m_pBodyView = GetActiveView();
        return true;
    }
    if (!m_splitter.CreateStatic(m_hWnd, CSplitterWnd::kFirstPaneId))
        return false;
    CView* pHeader = CreateHeaderView();
    if (!pHeader->Create(m_splitter.GetHwnd(), CSplitterWnd::PaneId(0), GetDocument())) {
        delete pHeader;
        return false;
    }
    m_splitter.SetPane(0, pHeader);
    m_pBodyView = CreateView(m_splitter.GetHwnd(), CSplitterWnd::PaneId(1));
    if (!m_pBodyView)
        return false;
    m_splitter.SetPane(1, m_pBodyView);
    // The header pane starts closed.
    m_splitter.SetRowInfo(0, 0, 0);
    SetContent(&m_splitter);
    SetActiveView(m_pBodyView, false);
    return true;
}

CView* CChildFrame::CreateHeaderView() { return new CVuWnd(std::make_unique<CVuHeader>()); }

CView* CChildFrame::GetBodyView() const { return m_pBodyView; }

void CChildFrame::ActivateFrame(int nCmdShow)
{
    // The first showing (the window may already be visible: some systems show
    // a new document window as soon as it is made).
    if (!m_bShown) {
        m_bShown = true;
        if (const WINDOWPLACEMENT* pPlacement = EditorApp()->GetRestorePlacement()) {
            WINDOWPLACEMENT wp = *pPlacement;
            wp.length = sizeof wp;
            // (-1, -1) stands for "no minimized position of its own".
            wp.flags = (wp.ptMinPosition.x == -1 && wp.ptMinPosition.y == -1) ? 0 : WPF_SETMINPOSITION;
            nCmdShow = static_cast<int>(wp.showCmd);
            wp.showCmd = SW_HIDE;
            ::SetWindowPlacement(m_hWnd, &wp);
            if (nCmdShow == SW_SHOWMINIMIZED || nCmdShow == SW_MINIMIZE)
                nCmdShow = SW_SHOWMINNOACTIVE;
        }
        if (AppSettings().m_bMaximize)
            nCmdShow = SW_SHOWMAXIMIZED;
    }
    CMDIChildWnd::ActivateFrame(nCmdShow);
    ShowHeaderInBar();
}

void CChildFrame::ShowHeaderInBar()
{
    // Before its first showing the document may not be loaded yet.
    CMainFrame* pMain = Main();
    if (!IsSplit() || !m_bShown || !pMain || pMain->MDIGetActive() != this)
        return;
    pMain->ShowHeaderOf(dynamic_cast<CDoc*>(GetDocument()));
}

CMainFrame* CChildFrame::Main() const { return dynamic_cast<CMainFrame*>(GetMainFrame()); }

LRESULT CChildFrame::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CMDIChildWnd::WindowProc(nMsg, wParam, lParam);
    if (nMsg == WM_MDIACTIVATE && reinterpret_cast<HWND>(lParam) == m_hWnd)
        ShowHeaderInBar();
    return result;
}

HACCEL CChildFrame::GetDefaultAccelerator()
{
    CEditorApp* pApp = EditorApp();
    return static_cast<HACCEL>(
        FrameAccelerator(pApp->m_bControlCodeMode, GetMainFrame()->GetAccelTable(), pApp->GetDocumentAccelerator()));
}

void CChildFrame::ToggleHeaderPane()
{
    GetMainFrame()->RunCommand(ID_VIEW_HEADER_BAR);
    if (m_bHeaderPaneOpen)
        CloseHeaderPane();
    else
        OpenHeaderPane();
}

void CChildFrame::OpenHeaderPane()
{
    if (!IsSplit() || m_bHeaderPaneOpen)
        return;
    m_bHeaderPaneOpen = true;
    CView* pHeader = GetHeaderView();
    int nIdeal = 0, nMin = 0;
    if (!pHeader->GetPaneHeights(nIdeal, nMin))
        nIdeal = nMin = 0;
    m_splitter.SetRowInfo(0, nIdeal, nMin);
    m_splitter.RecalcLayout();
    SetActiveView(pHeader);
}

void CChildFrame::ActivateBodyPane() { SetActiveView(m_pBodyView); }

void CChildFrame::CloseHeaderPane()
{
    m_bHeaderPaneOpen = false;
    m_splitter.SetRowInfo(0, 0, 0);
    m_splitter.RecalcLayout();
    SetActiveView(m_pBodyView);
}

void CChildFrame::SwitchPane()
{
    if (!IsSplit() || !m_bHeaderPaneOpen)
        return;
    SetActiveView(GetActiveView() == GetHeaderView() ? m_pBodyView : GetHeaderView());
}

bool CChildFrame::OnCommand(unsigned nId, CCmdUi* pUi)
{
    if (nId == ID_HEADER_PANE) {
        if (!IsSplit())
            return false;
        if (pUi)
            pUi->SetCheck(m_bHeaderPaneOpen);
        else
            ToggleHeaderPane();
        return true;
    }
    if (nId == ID_MAIL_PARTS) {
        CDocBase* pDoc = GetDocument();
        bool bEnabled = AppSettings().m_nMailMode != 0 && pDoc && !pDoc->GetPathName().empty();
        if (pUi)
            pUi->Enable(bEnabled);
        else if (bEnabled)
            OpenPartsDialog(pDoc);
        return true;
    }
    return CMDIChildWnd::OnCommand(nId, pUi);
}

void CChildFrame::OpenPartsDialog(CDocBase* pDoc)
{
    // The dialog works on the mail file: what is typed goes there first, and
    // the document reads the file again when the dialog rewrote it.
    std::string path = pDoc->GetPathName();
    if (pDoc->IsModified() && !DoSave(pDoc, false))
        return;
    CPartsDialog dialog(path);
    dialog.DoModal(GetMainFrame()->GetHwnd());
    if (dialog.MailRewritten() && pDoc->OnOpenDocument(path)) {
        pDoc->SetModifiedFlag(false);
        pDoc->UpdateAllViews(nullptr);
    }
}
