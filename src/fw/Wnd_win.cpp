// Windows and their objects.
#include "fw/Wnd_win.h"

#include <new>
#include <unordered_map>

#include "platform/Messages.h"

namespace {

std::unordered_map<HWND, CWnd*>& HandleMap()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

// The object whose window CreateEx is making: the first message of the new
// window arrives before CreateWindowEx returns its handle.
thread_local CWnd* t_pCreating = nullptr;

} // namespace

void ReportUnexpectedFailure(bool bOutOfMemory)
{
    static bool s_bShowing = false;
    if (s_bShowing)
        return;
    s_bShowing = true;
    if (bOutOfMemory)
        ErrorBox("メモリが不足しています。作業中のファイルを保存してください。");
    else
        ErrorBox("内部エラーが発生しました。作業中のファイルを保存してください。");
    s_bShowing = false;
}

CWnd::~CWnd()
{
    if (m_hWnd) {
        HWND h = m_hWnd;
        Detach();
        if (::IsWindow(h))
            ::DestroyWindow(h);
    }
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    auto it = HandleMap().find(hWnd);
    return it == HandleMap().end() ? nullptr : it->second;
}

void CWnd::Attach(HWND hWnd)
{
    m_hWnd = hWnd;
    HandleMap()[hWnd] = this;
}

void CWnd::Detach()
{
    if (m_hWnd) {
        HandleMap().erase(m_hWnd);
        if (m_pfnSuper && ::IsWindow(m_hWnd))
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    }
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
}

bool CWnd::RegisterWindowClass(const wchar_t* pszClass, UINT nStyle, HCURSOR hCursor, HBRUSH hBackground, HICON hIcon)
{
    WNDCLASSEXW wc = {sizeof wc};
    HINSTANCE hInst = ::GetModuleHandleW(nullptr);
    if (::GetClassInfoExW(hInst, pszClass, &wc))
        return true;
    wc = {sizeof wc};
    wc.style = nStyle;
    wc.lpfnWndProc = StaticWndProc;
    wc.hInstance = hInst;
    wc.hCursor = hCursor;
    wc.hbrBackground = hBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = pszClass;
    return ::RegisterClassExW(&wc) != 0;
}

bool CWnd::CreateEx(DWORD dwExStyle, const wchar_t* pszClass, const wchar_t* pszTitle, DWORD dwStyle, int x, int y,
                    int cx, int cy, HWND hParent, HMENU hMenuOrId, void* pParam)
{
    CWnd* pOuter = t_pCreating;
    t_pCreating = this;
    HWND h = ::CreateWindowExW(dwExStyle, pszClass, pszTitle, dwStyle, x, y, cx, cy, hParent, hMenuOrId,
                               ::GetModuleHandleW(nullptr), pParam);
    t_pCreating = pOuter;
    if (!h) {
        // A window that failed in WM_CREATE was attached and is gone again.
        if (m_hWnd)
            Detach();
        return false;
    }
    return true;
}

bool CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || FromHandle(hWnd))
        return false;
    Attach(hWnd);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticWndProc)));
    return m_pfnSuper != nullptr;
}

void CWnd::DestroyWindow()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

RECT CWnd::ClientRect() const
{
    RECT rc = {};
    ::GetClientRect(m_hWnd, &rc);
    return rc;
}

LRESULT CWnd::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) { return DefaultProc(nMsg, wParam, lParam); }

LRESULT CWnd::DefaultProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, nMsg, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, nMsg, wParam, lParam);
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandle(hWnd);
    if (!pWnd && t_pCreating && !t_pCreating->m_hWnd) {
        pWnd = t_pCreating;
        t_pCreating = nullptr;
        pWnd->Attach(hWnd);
    }
    if (!pWnd)
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    LRESULT result = 0;
    try {
        result = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (const std::bad_alloc&) {
        ReportUnexpectedFailure(true);
    } catch (...) {
        ReportUnexpectedFailure(false);
    }
    if (nMsg == WM_NCDESTROY && FromHandle(hWnd) == pWnd) {
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    return result;
}
