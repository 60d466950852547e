// The status bar.
#include "fw/StatusBar_win.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/StringTable.h"
#include "platform/Wide_win.h"

bool CStatusBar::Create(HWND hParent, UINT nBarId, const std::vector<UINT>& paneIds)
{
    m_nBarId = nBarId;
    m_eDock = EDock::Bottom;
    HWND h = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, hParent,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nBarId)), ::GetModuleHandleW(nullptr),
                               nullptr);
    if (!h || !SubclassWindow(h))
        return false;
    m_panes.clear();
    for (UINT id : paneIds)
        m_panes.push_back(CPane{id, 0, std::wstring(), false});
    LayoutPanes();
    return true;
}

void CStatusBar::SetPaneWidth(int nPane, int nWidth)
{
    if (nPane >= 0 && nPane < GetPaneCount())
        m_panes[static_cast<size_t>(nPane)].nWidth = nWidth;
}

void CStatusBar::SetPaneText(int nPane, const std::wstring& text)
{
    if (nPane < 0 || nPane >= GetPaneCount())
        return;
    m_panes[static_cast<size_t>(nPane)].strText = text;
    Send(SB_SETTEXTW, static_cast<WPARAM>(nPane), reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring CStatusBar::GetPaneText(int nPane) const
{
    return (nPane >= 0 && nPane < GetPaneCount()) ? m_panes[static_cast<size_t>(nPane)].strText : std::wstring();
}

RECT CStatusBar::GetPaneRect(int nPane) const
{
    RECT rc = {};
    Send(SB_GETRECT, static_cast<WPARAM>(nPane), reinterpret_cast<LPARAM>(&rc));
    return rc;
}

void CStatusBar::SetFont(HFONT hFont)
{
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), TRUE);
}

int CStatusBar::CalcHeight(int /*nWidth*/)
{
    // The control knows its height for its font; it tells it when it sizes itself.
    Send(WM_SIZE, 0, 0);
    RECT rc = {};
    ::GetWindowRect(m_hWnd, &rc);
    return rc.bottom - rc.top;
}

void CStatusBar::LayoutPanes()
{
    if (m_panes.empty())
        return;
    // Pane 0 ends where the fixed panes begin; those end at the size grip.
    RECT rc = ClientRect();
    int fixed = 0;
    for (size_t i = 1; i < m_panes.size(); ++i)
        fixed += m_panes[i].nWidth;
    int edge = std::max(0, static_cast<int>(rc.right) - ::GetSystemMetrics(SM_CXVSCROLL) - fixed);
    std::vector<int> edges(m_panes.size());
    for (size_t i = 0; i < m_panes.size(); ++i) {
        edges[i] = i + 1 == m_panes.size() ? -1 : edge;
        if (i + 1 < m_panes.size())
            edge += m_panes[i + 1].nWidth;
    }
    Send(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (size_t i = 0; i < m_panes.size(); ++i)
        Send(SB_SETTEXTW, i, reinterpret_cast<LPARAM>(m_panes[i].strText.c_str()));
}

void CStatusBar::UpdateCommandState(const CCmdRoute& route)
{
    for (size_t i = 0; i < m_panes.size(); ++i) {
        CPane& pane = m_panes[i];
        if (pane.nId == 0)
            continue;
        bool bOn = route.QueryState(pane.nId).IsEnabled();
        if (bOn == pane.bOn)
            continue;
        pane.bOn = bOn;
        const char* text = bOn ? LoadUtf8String(pane.nId) : nullptr;
        SetPaneText(static_cast<int>(i), text ? WideFromUtf8(text) : std::wstring());
    }
}

LRESULT CStatusBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = DefaultProc(nMsg, wParam, lParam);
    if (nMsg == WM_SIZE || nMsg == WM_SETFONT)
        LayoutPanes();
    return result;
}
