// The editor's status bar.
#include "app/MyStatusBar_win.h"

#include <windowsx.h>

#include <cstdio>

#include "app/EditorApp_win.h"
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
    // The command window (command mode) is made here as the bar's hidden child
    // over the message pane, with its own document holding the command history;
    // it comes with command mode.
    return true;
}

void CMyStatusBar::ApplyFont(HFONT hFont)
{
    SetFont(hFont);
    LayoutPanes();
}

void CMyStatusBar::LayoutPanes()
{
    if (GetPaneCount() == 7) {
        SetPaneWidth(kPaneColumn, MeasuredWidth(m_hWnd, "00000"));
        SetPaneWidth(kPaneLine, MeasuredWidth(m_hWnd, "0000000"));
        for (int i = 3; i < 7; ++i)
            SetPaneWidth(i, MeasuredWidth(m_hWnd, LoadUtf8String(GetPaneId(i))));
    }
    CStatusBar::LayoutPanes();
}

void CMyStatusBar::SetCaretPosition(long nColumn, long nLine)
{
    wchar_t text[32];
    std::swprintf(text, 32, L"%05ld", nColumn);
    SetPaneText(kPaneColumn, text);
    std::swprintf(text, 32, L"%07ld", nLine);
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
