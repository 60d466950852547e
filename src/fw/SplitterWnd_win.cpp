// The two-row splitter.
#include "fw/SplitterWnd_win.h"

#include <windowsx.h>

#include <algorithm>

#include "fw/View_win.h"

namespace {

constexpr wchar_t kClass[] = L"TovaSplitter";
constexpr int kBarHeight = 6;

} // namespace

bool CSplitterWnd::CreateStatic(HWND hParent, UINT nId)
{
    RegisterWindowClass(kClass, 0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CreateEx(0, kClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, hParent,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)));
}

void CSplitterWnd::SetRowInfo(int nRow, int nIdeal, int nMin)
{
    if (nRow != 0)
        return;  // the lower row takes what the upper one leaves
    m_nUpperIdeal = std::max(0, nIdeal);
    m_nUpperMin = std::max(0, nMin);
}

int CSplitterWnd::GetRowHeight(int nRow) const
{
    HWND h = m_pPanes[nRow] ? m_pPanes[nRow]->GetHwnd() : nullptr;
    if (!h || !::IsWindowVisible(h))
        return 0;
    RECT rc = {};
    ::GetWindowRect(h, &rc);
    return rc.bottom - rc.top;
}

RECT CSplitterWnd::BarRect() const
{
    RECT rc = ClientRect();
    int upper = std::min<int>(m_nUpperIdeal, std::max(0L, rc.bottom - kBarHeight));
    return RECT{rc.left, upper, rc.right, upper + kBarHeight};
}

void CSplitterWnd::RecalcLayout()
{
    if (!m_hWnd)
        return;
    RECT rc = ClientRect();
    bool bUpper = m_nUpperIdeal > 0 && m_nUpperIdeal >= m_nUpperMin;
    int upper = bUpper ? BarRect().top : 0;
    int lowerTop = bUpper ? upper + kBarHeight : 0;
    if (HWND h = m_pPanes[0] ? m_pPanes[0]->GetHwnd() : nullptr) {
        ::ShowWindow(h, bUpper ? SW_SHOWNOACTIVATE : SW_HIDE);
        if (bUpper)
            ::MoveWindow(h, 0, 0, rc.right, upper, TRUE);
    }
    if (HWND h = m_pPanes[1] ? m_pPanes[1]->GetHwnd() : nullptr)
        ::MoveWindow(h, 0, lowerTop, rc.right, std::max(0L, rc.bottom - lowerTop), TRUE);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

int CSplitterWnd::GetActiveRow() const
{
    HWND hFocus = ::GetFocus();
    for (int row = 0; row < 2; ++row)
        if (m_pPanes[row] && m_pPanes[row]->GetHwnd() == hFocus)
            return row;
    return 1;
}

void CSplitterWnd::TrackTo(int y)
{
    RECT rc = ClientRect();
    y = std::clamp(y, 0, std::max(0, static_cast<int>(rc.bottom) - kBarHeight));
    // Dragged below the least height, the upper pane closes.
    m_nUpperIdeal = y < m_nUpperMin ? 0 : y;
    RecalcLayout();
}

LRESULT CSplitterWnd::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_SIZE:
        RecalcLayout();
        return 0;
    case WM_SETCURSOR: {
        POINT pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(m_hWnd, &pt);
        RECT bar = BarRect();
        if (m_nUpperIdeal > 0 && ::PtInRect(&bar, pt)) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_SIZENS));
            return TRUE;
        }
        break;
    }
    case WM_LBUTTONDOWN:
        if (m_nUpperIdeal > 0) {
            m_bTracking = true;
            ::SetCapture(m_hWnd);
        }
        return 0;
    case WM_MOUSEMOVE:
        if (m_bTracking)
            TrackTo(GET_Y_LPARAM(lParam) - kBarHeight / 2);
        return 0;
    case WM_LBUTTONUP:
    case WM_CANCELMODE:
        if (m_bTracking) {
            m_bTracking = false;
            ::ReleaseCapture();
        }
        return 0;
    case WM_SETFOCUS:
        if (CView* pView = m_pPanes[1])
            ::SetFocus(pView->GetHwnd());
        return 0;
    default:
        break;
    }
    return DefaultProc(nMsg, wParam, lParam);
}
