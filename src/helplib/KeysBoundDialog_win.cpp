// The reply window of the key binding query library.
#include "helplib/KeysBoundDialog_win.h"

#include <cstdio>

#include "helplib/HelpResource.h"
#include "platform/Wide_win.h"

namespace {

constexpr wchar_t kSection[] = L"Window Position";
constexpr wchar_t kKey[] = L"KeysBoundDialog";

} // namespace

std::wstring LibraryProfileName(HINSTANCE hModule)
{
    wchar_t path[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameW(hModule, path, MAX_PATH);
    std::wstring name(path, n);
    size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        name.erase(0, slash + 1);
    size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos)
        name.erase(dot);
    return name + L".INI";
}

CKeysBoundDialog* CKeysBoundDialog::Create(HINSTANCE hModule, std::function<void()> onGone)
{
    auto* p = new CKeysBoundDialog;
    p->m_hModule = hModule;
    p->m_onGone = std::move(onGone);
    HWND h = ::CreateDialogParamW(hModule, MAKEINTRESOURCEW(IDD_KEYS_BOUND), nullptr, DlgProc,
                                  reinterpret_cast<LPARAM>(p));
    if (!h) {
        delete p;
        return nullptr;
    }
    p->RestorePosition();
    return p;
}

void CKeysBoundDialog::Show(const std::string& strDescription, const std::string& strKeys)
{
    std::wstring caption = WideFromUtf8("【") + Wide(strDescription) + WideFromUtf8("】キー");
    ::SetWindowTextW(m_hWnd, caption.c_str());
    std::wstring keys = strKeys.empty() ? WideFromUtf8("バインドされていません") : Wide(strKeys);
    ::SetDlgItemTextW(m_hWnd, IDC_KEYS_TEXT, keys.c_str());
    ::ShowWindow(m_hWnd, SW_SHOWNA);
}

void CKeysBoundDialog::RestorePosition()
{
    wchar_t value[64] = {};
    ::GetPrivateProfileStringW(kSection, kKey, L"", value, 64, LibraryProfileName(m_hModule).c_str());
    int x = 0, y = 0;
    if (swscanf(value, L"%d %d", &x, &y) == 2)
        ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKeysBoundDialog::SavePosition()
{
    WINDOWPLACEMENT wp = {sizeof wp};
    if (!::GetWindowPlacement(m_hWnd, &wp))
        return;
    wchar_t value[64];
    swprintf(value, 64, L"%d %d", static_cast<int>(wp.rcNormalPosition.left), static_cast<int>(wp.rcNormalPosition.top));
    ::WritePrivateProfileStringW(kSection, kKey, value, LibraryProfileName(m_hModule).c_str());
}

INT_PTR CALLBACK CKeysBoundDialog::DlgProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_INITDIALOG) {
        auto* p = reinterpret_cast<CKeysBoundDialog*>(lParam);
        p->m_hWnd = hWnd;
        ::SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
        return TRUE;
    }
    auto* self = reinterpret_cast<CKeysBoundDialog*>(::GetWindowLongPtrW(hWnd, DWLP_USER));
    if (!self)
        return FALSE;
    switch (nMsg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
            ::DestroyWindow(hWnd);
            return TRUE;
        }
        break;
    case WM_CLOSE:
        ::DestroyWindow(hWnd);
        return TRUE;
    case WM_DESTROY:
        self->SavePosition();
        return TRUE;
    case WM_NCDESTROY:
        ::SetWindowLongPtrW(hWnd, DWLP_USER, 0);
        if (self->m_onGone)
            self->m_onGone();
        delete self;
        return TRUE;
    default:
        break;
    }
    return FALSE;
}
