// The editor's status bar.
#include "app/MyStatusBar_win.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "app/EditorApp_win.h"
#include "app/MainFrame_win.h"
#include "command/ComWin.h"
#include "command/ComWinWnd_win.h"
#include "fw/MdiChildWnd_win.h"
#include "platform/Messages.h"
#include "view/VuWnd_win.h"
#include "keys/CommandIds.h"
#include "platform/StringTable.h"
#include "platform/Wide_win.h"

namespace {

constexpr UINT kStatusBarId = ID_VIEW_STATUS_BAR;

// Width of text in the bar's font, with the pane's own margins.
int MeasuredWidth(HWND hWnd, const char* utf8)
{
    HDC hdc = ::GetDC(hWnd);
    HGDIOBJ old = ::SelectObject(hdc, reinterpret_cast<HGDIOBJ>(::SendMessageW(hWnd, WM_GETFONT, 0, 0)));
    std::wstring w = WideFromUtf8(utf8 ? utf8 : "");
    SIZE size = {};
    ::GetTextExtentPoint32W(hdc, w.c_str(), static_cast<int>(w.size()), &size);
    ::SelectObject(hdc, old);
    ::ReleaseDC(hWnd, hdc);
    return size.cx + 4 * ::GetSystemMetrics(SM_CXEDGE);
}

} // namespace

bool CMyStatusBar::Create(HWND hParent)
{
    if (!CStatusBar::Create(hParent, kStatusBarId,
                            {0, 0, 0, ID_INDICATOR_KANA, ID_INDICATOR_CAPS, ID_INDICATOR_INS, ID_INDICATOR_MARK}))
        return false;
    // The command window is the bar's hidden child over the message pane, with
    // its own document holding the command history.
    auto pWnd = std::make_unique<CComWinWnd>(*this);
    if (!pWnd->CreateHidden(m_hWnd, kCommandWindowId)) {
        ErrorBox("can't create command window");
        ::DestroyWindow(m_hWnd);
        return false;
    }
    m_pComWinWnd = pWnd.release();
    PlaceCommandWindow();
    return true;
}

HWND CMyStatusBar::CommandWindowHwnd() const { return m_pComWinWnd ? m_pComWinWnd->GetHwnd() : nullptr; }

CComWin* CMyStatusBar::GetComWin() const { return m_pComWinWnd ? &m_pComWinWnd->ComWin() : nullptr; }

bool CMyStatusBar::IsCommandWindowShown() const
{
    HWND h = CommandWindowHwnd();
    return h && ::IsWindowVisible(h);
}

void CMyStatusBar::PlaceCommandWindow()
{
    HWND h = CommandWindowHwnd();
    if (!h || GetPaneCount() == 0)
        return;
    RECT rc = GetPaneRect(kPaneMessage);
    ::InflateRect(&rc, -::GetSystemMetrics(SM_CXEDGE), -::GetSystemMetrics(SM_CYEDGE));
    // At least one whole row of the view font, or the window would have no
    // line for the caret; the bar clips what reaches past the pane.
    int height = std::max<int>(rc.bottom - rc.top, m_pComWinWnd->MeasureFont().nLineHeight);
    ::SetWindowPos(h, nullptr, rc.left, rc.top, std::max<int>(rc.right - rc.left, 1), height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMyStatusBar::ShowCommandWindow()
{
    HWND h = CommandWindowHwnd();
    if (!h)
        return;
    PlaceCommandWindow();
    ::ShowWindow(h, SW_SHOW);
    ::SetFocus(h);
}

bool CMyStatusBar::PreTranslateMessage(MSG* pMsg)
{
    HWND h = CommandWindowHwnd();
    if (!h || pMsg->hwnd != h || pMsg->message < WM_KEYDOWN || pMsg->message > WM_DEADCHAR)
        return false;
    CMainFrame* pMain = EditorApp()->GetMainFrame();
    HACCEL hAccel = pMain ? pMain->GetAccelTable() : nullptr;
    return hAccel && ::TranslateAcceleratorW(h, hAccel, pMsg);
}

void CMyStatusBar::PostMainCommand(unsigned nId) { ::PostMessageW(::GetParent(m_hWnd), WM_COMMAND, nId, 0); }

CVu* CMyStatusBar::ActiveDocumentView() { return EditorApp()->GetActiveVu(); }

void CMyStatusBar::ReturnFocus()
{
    // A window that took the focus itself (a message box, a click elsewhere)
    // keeps it.
    HWND hFocus = ::GetFocus();
    if (hFocus && hFocus != CommandWindowHwnd())
        return;
    CMainFrame* pMain = EditorApp()->GetMainFrame();
    CMDIChildWnd* pChild = pMain ? pMain->MDIGetActive() : nullptr;
    if (CView* pView = pChild ? pChild->GetActiveView() : nullptr)
        ::SetFocus(pView->GetHwnd());
    else if (pChild)
        ::SetFocus(pChild->GetHwnd());
    else
        ::SetFocus(::GetParent(m_hWnd));
}

void CMyStatusBar::HideCommandWindow()
{
    if (HWND h = CommandWindowHwnd())
        ::ShowWindow(h, SW_HIDE);
    if (CMainFrame* pMain = EditorApp()->GetMainFrame())
        pMain->SetFirstTarget(nullptr);
}

void CMyStatusBar::SetNamedFile(const std::string& strName) { EditorApp()->m_strNamedFile = strName; }

void CMyStatusBar::SetShellCommand(const std::string& strCommand, int nMode)
{
    EditorApp()->m_strShellCommand = strCommand;
    EditorApp()->m_nShellMode = nMode;
}

void CMyStatusBar::ApplyFont(HFONT hFont)
{
    SetFont(hFont);
    if (m_pComWinWnd)
        m_pComWinWnd->OnFontChanged();
    LayoutPanes();
}

void CMyStatusBar::LayoutPanes()
{
    if (GetPaneCount() == 7) {
        SetPaneWidth(kPaneColumn, MeasuredWidth(m_hWnd, "00000"));
        SetPaneWidth(kPaneLine, MeasuredWidth(m_hWnd, std::string(static_cast<size_t>(m_nLineDigits), '0').c_str()));
        for (int i = 3; i < 7; ++i)
            SetPaneWidth(i, MeasuredWidth(m_hWnd, LoadUtf8String(GetPaneId(i))));
    }
    CStatusBar::LayoutPanes();
    PlaceCommandWindow();
}

void CMyStatusBar::SetCaretPosition(long nColumn, long nLine)
{
    wchar_t text[32];
    std::swprintf(text, 32, L"%05ld", nColumn);
    SetPaneText(kPaneColumn, text);
    int nDigits = std::swprintf(text, 32, L"%07ld", nLine);
    // A file of more than ten million lines needs a wider pane.
    if (nDigits > m_nLineDigits) {
        m_nLineDigits = nDigits;
        LayoutPanes();
    }
    SetPaneText(kPaneLine, text);
    ::UpdateWindow(m_hWnd);
}

LRESULT CMyStatusBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_LBUTTONDOWN) {
        POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        RECT pane = GetPaneRect(kPaneMessage);
        if (::PtInRect(&pane, pt)) {
            ::PostMessageW(::GetParent(m_hWnd), WM_COMMAND, ID_COMMAND_MODE, 0);
            return 0;
        }
    }
    return CStatusBar::WindowProc(nMsg, wParam, lParam);
}
