// The main window.
#include "fw/MdiFrameWnd_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "fw/ControlBar_win.h"
#include "fw/DocFlow_win.h"
#include "fw/FileDialog_win.h"
#include "fw/MdiChildWnd_win.h"
#include "fw/StatusBar_win.h"
#include "fw/ToolBar_win.h"
#include "fw/View_win.h"
#include "fw/WinApp_win.h"
#include "keys/CommandIds.h"
#include "platform/StringTable.h"
#include "platform/Wide_win.h"

namespace {

constexpr wchar_t kClass[] = L"TovaMainFrame";
constexpr UINT kIdIdleMessage = 57345;
constexpr UINT kIdMdiChildPrompt = 57346;

} // namespace

HMENU FindWindowMenu(HMENU hMenu)
{
    if (!hMenu)
        return nullptr;
    for (int i = ::GetMenuItemCount(hMenu) - 1; i >= 0; --i) {
        HMENU hSub = ::GetSubMenu(hMenu, i);
        if (hSub && ::GetMenuState(hSub, ID_WINDOW_CASCADE, MF_BYCOMMAND) != static_cast<UINT>(-1))
            return hSub;
    }
    return nullptr;
}

std::wstring CMDIFrameWnd::IdleMessage()
{
    const char* text = LoadUtf8String(kIdIdleMessage);
    return text ? WideFromUtf8(text) : std::wstring();
}

bool CMDIFrameWnd::Create(const wchar_t* pszTitle, UINT nMenuId, HICON hIcon, const RECT* pRect)
{
    m_strTitle = pszTitle;
    RegisterWindowClass(kClass, CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), nullptr,
                        hIcon ? hIcon : ::LoadIconW(nullptr, IDI_APPLICATION));
    m_hMenuDefault = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nMenuId));
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, cx = CW_USEDEFAULT, cy = CW_USEDEFAULT;
    if (pRect) {
        x = pRect->left;
        y = pRect->top;
        cx = pRect->right - pRect->left;
        cy = pRect->bottom - pRect->top;
    }
    if (!CreateEx(WS_EX_ACCEPTFILES, kClass, pszTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, cx, cy, nullptr,
                  m_hMenuDefault))
        return false;
    if (!OnCreate()) {
        DestroyWindow();
        return false;
    }
    return true;
}

bool CMDIFrameWnd::OnCreate()
{
    CLIENTCREATESTRUCT ccs = {};
    ccs.hWindowMenu = FindWindowMenu(m_hMenuDefault);
    ccs.idFirstChild = kFirstMdiChild;
    m_hMdiClient = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                     WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0, 0, 0,
                                     m_hWnd, nullptr, ::GetModuleHandleW(nullptr), &ccs);
    return m_hMdiClient != nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive() const
{
    if (!m_hMdiClient)
        return nullptr;
    HWND h = reinterpret_cast<HWND>(::SendMessageW(m_hMdiClient, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<CMDIChildWnd*>(CWnd::FromHandle(h));
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::GetChildFrames() const
{
    std::vector<CMDIChildWnd*> frames;
    for (HWND h = m_hMdiClient ? ::GetWindow(m_hMdiClient, GW_CHILD) : nullptr; h; h = ::GetWindow(h, GW_HWNDNEXT))
        if (auto* pFrame = dynamic_cast<CMDIChildWnd*>(CWnd::FromHandle(h)))
            frames.push_back(pFrame);
    return frames;
}

void CMDIFrameWnd::SetMenuForChild(HMENU hMenu)
{
    if (!hMenu)
        hMenu = m_hMenuDefault;
    if (::GetMenu(m_hWnd) == hMenu)
        return;
    ::SendMessageW(m_hMdiClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenu),
                   reinterpret_cast<LPARAM>(FindWindowMenu(hMenu)));
    ::DrawMenuBar(m_hWnd);
}

void CMDIFrameWnd::UpdateFrameTitle()
{
    // A maximized document window shows its title in the frame's by itself.
    std::wstring title = m_strTitle;
    CMDIChildWnd* pActive = MDIGetActive();
    if (pActive && pActive->IsShownDocument() && !pActive->IsMaximized())
        title += L" - " + Wide(pActive->GetDocument()->GetTitle());
    wchar_t current[512] = {};
    ::GetWindowTextW(m_hWnd, current, 512);
    if (title != current)
        ::SetWindowTextW(m_hWnd, title.c_str());
}

void CMDIFrameWnd::AddControlBar(CControlBar* pBar) { m_bars.push_back(pBar); }

CControlBar* CMDIFrameWnd::GetControlBar(UINT nBarId) const
{
    for (CControlBar* pBar : m_bars)
        if (pBar->GetBarId() == nBarId)
            return pBar;
    return nullptr;
}

void CMDIFrameWnd::ShowControlBar(CControlBar* pBar, bool bShow)
{
    if (!pBar || !pBar->GetHwnd())
        return;
    ::ShowWindow(pBar->GetHwnd(), bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    RecalcLayout();
}

void CMDIFrameWnd::RecalcLayout()
{
    if (!m_hWnd || ::IsIconic(m_hWnd))
        return;
    RECT rc = ClientRect();
    int width = rc.right - rc.left;
    for (CControlBar* pBar : m_bars) {
        if (!pBar->IsVisible())
            continue;
        int h = pBar->CalcHeight(width);
        if (pBar->GetDock() == CControlBar::EDock::Top) {
            ::MoveWindow(pBar->GetHwnd(), rc.left, rc.top, width, h, TRUE);
            rc.top += h;
        } else {
            rc.bottom -= h;
            ::MoveWindow(pBar->GetHwnd(), rc.left, rc.bottom, width, h, TRUE);
        }
    }
    if (!m_hMdiClient)
        return;
    RECT old = {};
    ::GetWindowRect(m_hMdiClient, &old);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&old), 2);
    ::MoveWindow(m_hMdiClient, rc.left, rc.top, width, std::max(0L, rc.bottom - rc.top), TRUE);
    // A bar shown or hidden moves the client's top: the document windows keep
    // their places in it, and their frames (captions) must be drawn again too,
    // or a strip under the bar stays unpainted.
    if (old.top != rc.top || old.bottom != rc.bottom)
        ::RedrawWindow(m_hMdiClient, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void CMDIFrameWnd::SetMessageText(const std::wstring& text)
{
    if (m_pStatusBar && m_pStatusBar->GetHwnd())
        m_pStatusBar->SetPaneText(0, text);
}

CCmdRoute CMDIFrameWnd::GetRoute() const
{
    CMDIChildWnd* pChild = MDIGetActive();
    CView* pView = pChild ? pChild->GetActiveView() : nullptr;
    CCmdRoute route;
    route.Add(m_pFirstTarget);
    route.Add(pView);
    route.Add(pChild ? pChild->GetDocument() : nullptr);
    route.Add(pChild);
    route.Add(const_cast<CMDIFrameWnd*>(this));
    route.Add(App());
    return route;
}

bool CMDIFrameWnd::RunCommand(unsigned nId) { return GetRoute().Execute(nId); }

void CMDIFrameWnd::UpdateCommandState()
{
    CCmdRoute route = GetRoute();
    for (CControlBar* pBar : m_bars)
        if (pBar->IsVisible())
            pBar->UpdateCommandState(route);
}

bool CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return false;
    if (m_hAccel && ::TranslateAcceleratorW(m_hWnd, m_hAccel, pMsg))
        return true;
    return MDIGetActive() && ::TranslateMDISysAccel(m_hMdiClient, pMsg);
}

bool CMDIFrameWnd::OnCommand(unsigned nId, CCmdUi* pUi)
{
    if (CControlBar* pBar = GetControlBar(nId)) {
        if (pUi)
            pUi->SetCheck(pBar->IsVisible());
        else
            ShowControlBar(pBar, !pBar->IsVisible());
        return true;
    }
    UINT nMdiMsg = 0;
    WPARAM wArg = 0;
    switch (nId) {
    case ID_WINDOW_CASCADE: nMdiMsg = WM_MDICASCADE; break;
    case ID_WINDOW_TILE_HORZ: nMdiMsg = WM_MDITILE; wArg = MDITILE_HORIZONTAL; break;
    case ID_WINDOW_TILE_VERT: nMdiMsg = WM_MDITILE; wArg = MDITILE_VERTICAL; break;
    case ID_WINDOW_ARRANGE: nMdiMsg = WM_MDIICONARRANGE; break;
    case ID_NEXT_PANE:
    case ID_PREV_PANE: {
        CMDIChildWnd* pActive = MDIGetActive();
        if (pUi) {
            pUi->Enable(pActive != nullptr);
        } else if (pActive) {
            ::SendMessageW(m_hMdiClient, WM_MDINEXT, reinterpret_cast<WPARAM>(pActive->GetHwnd()),
                           nId == ID_PREV_PANE ? 1 : 0);
        }
        return true;
    }
    default:
        return false;
    }
    if (pUi)
        pUi->Enable(MDIGetActive() != nullptr);
    else
        ::SendMessageW(m_hMdiClient, nMdiMsg, wArg, 0);
    return true;
}

void CMDIFrameWnd::OnClose()
{
    if (App() && !App()->SaveAllModified())
        return;
    if (App())
        App()->CloseAllDocuments();
    DestroyWindow();
}

void CMDIFrameWnd::OnDropFiles(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths)
        if (App())
            App()->OpenDocumentFile(path);
}

void CMDIFrameWnd::OnDropFilesMessage(HDROP hDrop)
{
    std::vector<std::string> paths;
    UINT n = ::DragQueryFileW(hDrop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < n; ++i) {
        UINT len = ::DragQueryFileW(hDrop, i, nullptr, 0);
        std::wstring wide(len + 1, L'\0');
        ::DragQueryFileW(hDrop, i, wide.data(), len + 1);
        wide.resize(len);
        std::string path;
        if (PathFromSystem(wide, path))
            paths.push_back(path);
    }
    ::DragFinish(hDrop);
    ::SetActiveWindow(m_hWnd);
    OnDropFiles(paths);
}

void CMDIFrameWnd::UpdateRecentFileMenu(HMENU hMenu)
{
    // The list takes the place of the first recent-file item (or of a
    // placeholder with that id) and of the separator after it.
    int nPos = -1;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
        UINT id = ::GetMenuItemID(hMenu, i);
        if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE9) {
            if (nPos < 0)
                nPos = i;
            ::DeleteMenu(hMenu, static_cast<UINT>(i--), MF_BYPOSITION);
        }
    }
    if (nPos < 0 || !App())
        return;
    CRecentFileList& list = App()->RecentFiles();
    if (list.GetSize() == 0) {
        ::InsertMenuW(hMenu, static_cast<UINT>(nPos), MF_BYPOSITION | MF_STRING | MF_GRAYED, ID_FILE_MRU_FILE1,
                      L"最近使ったファイル");
        return;
    }
    for (size_t i = 0; i < list.GetSize(); ++i)
        ::InsertMenuW(hMenu, static_cast<UINT>(nPos) + static_cast<UINT>(i), MF_BYPOSITION | MF_STRING,
                      ID_FILE_MRU_FILE1 + i, Wide(list.MenuText(i)).c_str());
}

void CMDIFrameWnd::OnInitMenuPopup(HMENU hMenu, bool bSystemMenu)
{
    if (bSystemMenu)
        return;
    if (::GetMenuState(hMenu, ID_FILE_MRU_FILE1, MF_BYCOMMAND) != static_cast<UINT>(-1))
        UpdateRecentFileMenu(hMenu);
    CCmdRoute route = GetRoute();
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
        UINT id = ::GetMenuItemID(hMenu, i);
        if (id == 0 || id == static_cast<UINT>(-1) || id >= kFirstMdiChild)
            continue;  // separator, popup or a document window of the window menu
        if (id == ID_FILE_MRU_FILE1 && App() && App()->RecentFiles().GetSize() == 0)
            continue;
        CCmdUi ui = route.QueryState(id);
        ::EnableMenuItem(hMenu, static_cast<UINT>(i), MF_BYPOSITION | (ui.IsEnabled() ? MF_ENABLED : MF_GRAYED));
        ::CheckMenuItem(hMenu, static_cast<UINT>(i), MF_BYPOSITION | (ui.IsChecked() ? MF_CHECKED : MF_UNCHECKED));
    }
}

void CMDIFrameWnd::OnMenuSelect(UINT nId, UINT nFlags, HMENU hMenu)
{
    if (nFlags == 0xFFFF && !hMenu) {
        SetMessageText(IdleMessage());  // the menu closed
        return;
    }
    std::wstring prompt;
    if (!(nFlags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU)))
        prompt = nId >= kFirstMdiChild ? CommandPrompt(kIdMdiChildPrompt) : CommandPrompt(nId);
    SetMessageText(prompt);
}

bool CMDIFrameWnd::OnNotify(NMHDR* pHdr, LRESULT& result)
{
    if (pHdr->code != TTN_GETDISPINFOW)
        return false;
    auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pHdr);
    if (pInfo->uFlags & TTF_IDISHWND)
        return false;
    m_strTipBuffer = CommandTip(static_cast<unsigned>(pHdr->idFrom));
    pInfo->lpszText = m_strTipBuffer.data();
    result = 0;
    return true;
}

LRESULT CMDIFrameWnd::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            RecalcLayout();
        return 0;
    case WM_COMMAND: {
        UINT nId = LOWORD(wParam);
        // Menus and accelerators (no control), and buttons (click notification).
        bool bCommand = lParam == 0 || HIWORD(wParam) == BN_CLICKED;
        if (bCommand && nId < kFirstMdiChild && RunCommand(nId))
            return 0;
        break;
    }
    case WM_INITMENUPOPUP:
        DefaultProc(nMsg, wParam, lParam);
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), HIWORD(lParam) != 0);
        return 0;
    case WM_MENUSELECT:
        OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        break;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(reinterpret_cast<NMHDR*>(lParam), result))
            return result;
        break;
    }
    case WM_DROPFILES:
        OnDropFilesMessage(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DESTROY:
        // The frame's own menu is freed in PostNcDestroy; a template's menu
        // belongs to its template.
        ::SetMenu(m_hWnd, nullptr);
        ::PostQuitMessage(0);
        break;
    default:
        break;
    }
    return DefaultProc(nMsg, wParam, lParam);
}

LRESULT CMDIFrameWnd::DefaultProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcW(m_hWnd, m_hMdiClient, nMsg, wParam, lParam);
}

void CMDIFrameWnd::PostNcDestroy()
{
    if (App() && App()->GetMainWnd() == this)
        App()->SetMainWnd(nullptr);
    if (m_hMenuDefault)
        ::DestroyMenu(m_hMenuDefault);
    delete this;
}
