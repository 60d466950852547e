// The library's reply window: a modeless dialog that shows which keys run a
// command. It keeps its position in the library's own profile, and frees
// itself when it is closed.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

class CKeysBoundDialog {
public:
    // Creates the window at the stored position; null when it cannot be made.
    // onGone runs when the window is destroyed, before the object is freed.
    static CKeysBoundDialog* Create(HINSTANCE hModule, std::function<void()> onGone);
    // The caption "【description】キー" and the keys, one per line (Shift-JIS).
    void Show(const std::string& strDescription, const std::string& strKeys);
    HWND GetHwnd() const { return m_hWnd; }
    void Destroy() { ::DestroyWindow(m_hWnd); }

private:
    CKeysBoundDialog() = default;
    static INT_PTR CALLBACK DlgProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    void RestorePosition();
    void SavePosition();

    HWND m_hWnd = nullptr;
    HINSTANCE m_hModule = nullptr;
    std::function<void()> m_onGone;
};

// The library's profile: its file name with the extension ".INI".
std::wstring LibraryProfileName(HINSTANCE hModule);
