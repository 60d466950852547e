// A window and the object behind it. One map in Wnd_win.cpp ties every HWND
// the program made (or took over) to its CWnd; one window procedure
// dispatches to the object's virtual WindowProc, and no exception ever
// crosses into the system from it.
#pragma once
#include <windows.h>

#include "fw/CmdTarget.h"

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;  // one object per window
    CWnd& operator=(const CWnd&) = delete;

    HWND GetHwnd() const { return m_hWnd; }
    // The object of a window the program made or took over, or null.
    static CWnd* FromHandle(HWND hWnd);

    // Creates a window of one of the program's classes (RegisterWindowClass).
    bool CreateEx(DWORD dwExStyle, const wchar_t* pszClass, const wchar_t* pszTitle, DWORD dwStyle, int x, int y,
                  int cx, int cy, HWND hParent, HMENU hMenuOrId, void* pParam = nullptr);
    // Takes over an existing window (a common control): its messages come to
    // WindowProc, and DefaultProc passes them on to the control's own procedure.
    bool SubclassWindow(HWND hWnd);
    void DestroyWindow();

    // Registers a window class whose windows this framework dispatches.
    static bool RegisterWindowClass(const wchar_t* pszClass, UINT nStyle, HCURSOR hCursor, HBRUSH hBackground,
                                    HICON hIcon = nullptr);

    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);
    // What the system would do with the message.
    virtual LRESULT DefaultProc(UINT nMsg, WPARAM wParam, LPARAM lParam);
    // A message before it is dispatched (accelerators, dialog keys); true when it
    // was taken and must not be dispatched.
    virtual bool PreTranslateMessage(MSG* /*pMsg*/) { return false; }
    // After the window is gone. Windows that own themselves delete themselves here.
    virtual void PostNcDestroy() {}

    // Small conveniences over the handle.
    LRESULT Send(UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, nMsg, wParam, lParam);
    }
    bool IsVisible() const { return m_hWnd && ::IsWindowVisible(m_hWnd); }
    RECT ClientRect() const;

protected:
    HWND m_hWnd = nullptr;

private:
    static LRESULT CALLBACK StaticWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    void Attach(HWND hWnd);
    void Detach();

    WNDPROC m_pfnSuper = nullptr;  // the taken-over control's own procedure
};

// Shows a failure that escaped a handler (out of memory or a program error),
// once, and lets the program go on.
void ReportUnexpectedFailure(bool bOutOfMemory);
