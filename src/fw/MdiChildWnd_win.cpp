// Document windows.
#include "fw/MdiChildWnd_win.h"

#include "fw/DocBase.h"
#include "fw/DocFlow_win.h"
#include "fw/DocTemplate_win.h"
#include "fw/MdiFrameWnd_win.h"
#include "fw/View_win.h"
#include "fw/WinApp_win.h"
#include "keys/CommandIds.h"
#include "platform/Wide_win.h"

namespace {

constexpr wchar_t kClass[] = L"TovaDocFrame";
constexpr UINT kFirstViewId = 0xE900;

} // namespace

bool CMDIChildWnd::Create(CMDIFrameWnd* pMainFrame, CDocTemplate* pTemplate, CDocBase* pDoc)
{
    m_pMainFrame = pMainFrame;
    m_pTemplate = pTemplate;
    m_pDocument = pDoc;
    HICON hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(pTemplate->GetResourceId()));
    RegisterWindowClass(kClass, CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                        reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), hIcon ? hIcon : ::LoadIconW(nullptr, IDI_APPLICATION));
    // Made hidden through the MDI client; shown by InitialUpdateFrame. A
    // maximized sibling would make the new window maximized and visible at once,
    // so that case creates it maximized from the start.
    bool bMaximized = false;
    if (CMDIChildWnd* pActive = pMainFrame->MDIGetActive())
        bMaximized = pActive->IsMaximized();
    std::wstring title = Wide(pDoc->GetTitle());
    DWORD style = WS_CHILD | WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (bMaximized ? WS_MAXIMIZE : 0);
    if (!CreateEx(WS_EX_MDICHILD, kClass, title.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, pMainFrame->GetMdiClient(), nullptr))
        return false;
    if (!OnCreateClient()) {
        DestroyWindow();
        return false;
    }
    RecalcLayout();
    return true;
}

bool CMDIChildWnd::OnCreateClient()
{
    CView* pView = CreateView(m_hWnd, kFirstViewId);
    if (!pView)
        return false;
    SetContent(pView);
    m_pActiveView = pView;
    return true;
}

CView* CMDIChildWnd::CreateView(HWND hParent, UINT nId)
{
    CView* pView = m_pTemplate->CreateView();
    if (!pView->Create(hParent, nId, m_pDocument)) {
        delete pView;
        return nullptr;
    }
    return pView;
}

void CMDIChildWnd::SetActiveView(CView* pView, bool bFocus)
{
    if (pView != m_pActiveView) {
        CView* pOld = m_pActiveView;
        m_pActiveView = pView;
        if (pOld)
            pOld->OnActivateView(false);
        if (pView)
            pView->OnActivateView(true);
    }
    if (bFocus && pView && ::GetFocus() != pView->GetHwnd())
        ::SetFocus(pView->GetHwnd());
}

void CMDIChildWnd::InitialUpdateFrame()
{
    if (m_pDocument)
        for (CViewBase* v : m_pDocument->GetViews())
            if (CView* pView = CView::FromDocView(v); pView && pView->GetParentFrame() == this)
                pView->OnInitialUpdate();
    ActivateFrame();
    if (m_pDocument)
        for (CMDIChildWnd* pFrame : FramesOf(m_pDocument))
            pFrame->UpdateTitle();
    m_pMainFrame->UpdateFrameTitle();
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
        nCmdShow = ::IsWindowVisible(m_hWnd) ? (::IsIconic(m_hWnd) ? SW_RESTORE : SW_SHOW) : SW_SHOWNORMAL;
    if (IsMaximized() && nCmdShow == SW_SHOWNORMAL)
        nCmdShow = SW_SHOW;
    if (nCmdShow == SW_SHOWMAXIMIZED) {
        // A document window is maximized by its MDI client.
        ::ShowWindow(m_hWnd, SW_SHOW);
        ::SendMessageW(m_pMainFrame->GetMdiClient(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
    } else {
        ::ShowWindow(m_hWnd, nCmdShow);
    }
    MDIActivate();
    if (m_pActiveView)
        ::SetFocus(m_pActiveView->GetHwnd());
}

void CMDIChildWnd::MDIActivate() { ::SendMessageW(m_pMainFrame->GetMdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0); }

void CMDIChildWnd::MDIDestroy() { ::SendMessageW(m_pMainFrame->GetMdiClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0); }

bool CMDIChildWnd::IsMaximized() const { return m_hWnd && (::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_MAXIMIZE); }

void CMDIChildWnd::UpdateTitle()
{
    if (!m_pDocument)
        return;
    std::wstring title = Wide(m_pDocument->GetTitle());
    std::vector<CMDIChildWnd*> frames = FramesOf(m_pDocument);
    if (frames.size() > 1)
        for (size_t i = 0; i < frames.size(); ++i)
            if (frames[i] == this)
                title += L":" + std::to_wstring(i + 1);
    ::SetWindowTextW(m_hWnd, title.c_str());
}

bool CMDIChildWnd::IsShownDocument() const
{
    // Its own visibility: the main window itself may not be shown yet.
    return m_pDocument && !m_bDestroying && (::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_VISIBLE);
}

HACCEL CMDIChildWnd::GetDefaultAccelerator() { return m_pTemplate ? m_pTemplate->GetAccelTable() : nullptr; }

bool CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return false;
    // A matched key sends its command to the main window, as a menu would.
    HACCEL hAccel = GetDefaultAccelerator();
    return hAccel && ::TranslateAcceleratorW(m_pMainFrame->GetHwnd(), hAccel, pMsg);
}

bool CMDIChildWnd::OnCommand(unsigned nId, CCmdUi* pUi)
{
    if (!m_pDocument)
        return false;
    switch (nId) {
    case ID_FILE_CLOSE:
        if (!pUi && SaveModified(m_pDocument))
            CloseDocument(m_pDocument);
        return true;
    case ID_FILE_SAVE:
        if (pUi)
            pUi->Enable(m_pDocument->IsModified());
        else
            DoSave(m_pDocument, false);
        return true;
    case ID_FILE_SAVE_AS:
        if (!pUi)
            DoSave(m_pDocument, true);
        return true;
    case ID_WINDOW_NEW:
        if (!pUi)
            if (CMDIChildWnd* pFrame = m_pTemplate->CreateNewFrame(m_pDocument))
                pFrame->InitialUpdateFrame();
        return true;
    default:
        return false;
    }
}

void CMDIChildWnd::RecalcLayout()
{
    if (!m_pContent || !m_pContent->GetHwnd())
        return;
    RECT rc = ClientRect();
    ::MoveWindow(m_pContent->GetHwnd(), 0, 0, rc.right, rc.bottom, TRUE);
}

void CMDIChildWnd::OnClose()
{
    // The document's last window asks about its changes and closes the document;
    // one of several windows just goes.
    if (m_pDocument && FramesOf(m_pDocument).size() <= 1) {
        if (!SaveModified(m_pDocument))
            return;
        CloseDocument(m_pDocument);
        return;
    }
    MDIDestroy();
}

LRESULT CMDIChildWnd::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_SIZE: {
        LRESULT result = DefaultProc(nMsg, wParam, lParam);
        if (wParam != SIZE_MINIMIZED)
            RecalcLayout();
        return result;
    }
    case WM_SETFOCUS:
        if (m_pActiveView && m_pActiveView->GetHwnd())
            ::SetFocus(m_pActiveView->GetHwnd());
        return 0;
    case WM_MDIACTIVATE: {
        bool bActivating = reinterpret_cast<HWND>(lParam) == m_hWnd;
        if (bActivating)
            m_pMainFrame->SetMenuForChild(m_pTemplate->GetMenu());
        else if (!lParam)
            m_pMainFrame->SetMenuForChild(nullptr);
        if (m_pActiveView)
            m_pActiveView->OnActivateView(bActivating);
        LRESULT result = DefaultProc(nMsg, wParam, lParam);
        m_pMainFrame->UpdateFrameTitle();
        return result;
    }
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_COMMAND:
        // Commands meant for the program go to the main window's route.
        return ::SendMessageW(m_pMainFrame->GetHwnd(), nMsg, wParam, lParam);
    case WM_DESTROY:
        m_bDestroying = true;
        m_pActiveView = nullptr;
        m_pContent = nullptr;
        break;
    case WM_NCDESTROY:
        // The views are gone: the document's other windows renumber their
        // titles (the document itself may have gone with its last view).
        if (m_pDocument && m_pTemplate->Owns(m_pDocument))
            for (CMDIChildWnd* pFrame : FramesOf(m_pDocument))
                pFrame->UpdateTitle();
        m_pDocument = nullptr;
        // The main title must not keep naming a document that is gone (the
        // last window closed, or an open that failed after its window was made).
        m_pMainFrame->UpdateFrameTitle();
        break;
    default:
        break;
    }
    return DefaultProc(nMsg, wParam, lParam);
}

LRESULT CMDIChildWnd::DefaultProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcW(m_hWnd, nMsg, wParam, lParam);
}
