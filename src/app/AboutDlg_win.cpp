// The About box.
#include "app/AboutDlg_win.h"

#include <shellapi.h>

#include <cstring>

#include "app/Resource.h"
#include "fw/WinApp_win.h"
#include "platform/Messages.h"
#include "platform/Wide_win.h"
#include "text/Unicode.h"

namespace {

constexpr DWORD kFixedInfoSignature = 0xFEEF04BD;

} // namespace

std::string ProgramVersion()
{
    HMODULE hModule = ::GetModuleHandleW(nullptr);
    HRSRC hRes = ::FindResourceW(hModule, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    HGLOBAL hData = hRes ? ::LoadResource(hModule, hRes) : nullptr;
    const auto* p = hData ? static_cast<const unsigned char*>(::LockResource(hData)) : nullptr;
    if (!p)
        return "";
    // The fixed part follows the record's header and its key, on a 32-bit
    // boundary; finding its signature avoids parsing the header.
    DWORD size = ::SizeofResource(hModule, hRes);
    for (DWORD off = 0; off + sizeof(VS_FIXEDFILEINFO) <= size; off += 4) {
        VS_FIXEDFILEINFO info;
        std::memcpy(&info, p + off, sizeof info);
        if (info.dwSignature != kFixedInfoSignature)
            continue;
        std::string version = std::to_string(HIWORD(info.dwFileVersionMS)) + "." +
                              std::to_string(LOWORD(info.dwFileVersionMS)) + "." +
                              std::to_string(HIWORD(info.dwFileVersionLS));
        if (LOWORD(info.dwFileVersionLS))
            version += "." + std::to_string(LOWORD(info.dwFileVersionLS));
        return version;
    }
    return "";
}

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

bool CAboutDlg::OnInitDialog()
{
    std::string name = App() ? Narrow(App()->GetProgramName()) : "tova";
    std::string version = ProgramVersion();
    if (!version.empty())
        name += Utf8ToSjis(" バージョン ") + version;
    SetItemText(IDC_ABOUT_NAME, name);
    return true;
}

bool CAboutDlg::OnControl(int nId, UINT nCode, HWND /*hCtrl*/)
{
    if (nId != IDC_ABOUT_LINK || nCode != BN_CLICKED)
        return false;
    // The browser launcher takes this over when there is one.
    std::string link = ItemText(IDC_ABOUT_LINK);
    auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(m_hWnd, L"open", Wide(link).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32)
        InfoBox("%s を開けません", link.c_str());
    return true;
}
