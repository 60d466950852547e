// The main window's "system" conversation.
#include "services/SystemConversation_win.h"

#include <dde.h>

#include "platform/Wide_win.h"
#include "services/DdeCommand.h"

namespace {

constexpr WORD kStatusAck = 0x8000;
constexpr WORD kStatusBusy = 0x4000;
constexpr WORD kStatusRefused = 0x0000;

std::wstring ProgramBaseName()
{
    wchar_t path[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, n);
    size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        name.erase(0, slash + 1);
    size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos)
        name.erase(dot);
    return name;
}

std::wstring AtomName(ATOM a)
{
    if (!a)
        return std::wstring();
    wchar_t name[256];
    UINT n = ::GlobalGetAtomNameW(a, name, 256);
    return std::wstring(name, n);
}

bool SameNoCase(const std::wstring& a, const std::wstring& b)
{
    return !a.empty() && ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

} // namespace

bool CSystemConversation::OnMessage(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    HWND hFrom = reinterpret_cast<HWND>(wParam);
    lResult = 0;
    switch (nMsg) {
    case WM_DDE_INITIATE:
        OnInitiate(hWnd, hFrom, lParam);
        return true;
    case WM_DDE_EXECUTE:
        OnExecute(hWnd, hFrom, lParam);
        return true;
    case WM_DDE_TERMINATE:
        if (::IsWindow(hFrom))
            ::PostMessageW(hFrom, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(hWnd), 0);
        return true;
    default:
        return false;
    }
}

void CSystemConversation::OnInitiate(HWND hWnd, HWND hFrom, LPARAM lParam)
{
    if (hFrom == hWnd)
        return;
    std::wstring service = m_strService.empty() ? ProgramBaseName() : Wide(m_strService);
    std::wstring app = AtomName(LOWORD(lParam));
    std::wstring topic = AtomName(HIWORD(lParam));
    if (!SameNoCase(app, service) || !SameNoCase(topic, L"system"))
        return;
    ATOM aApp = ::GlobalAddAtomW(app.c_str());
    ATOM aTopic = ::GlobalAddAtomW(topic.c_str());
    if (!aApp || !aTopic) {
        if (aApp)
            ::GlobalDeleteAtom(aApp);
        if (aTopic)
            ::GlobalDeleteAtom(aTopic);
        return;
    }
    ::SendMessageW(hFrom, WM_DDE_ACK, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(aApp, aTopic));
}

void CSystemConversation::OnExecute(HWND hWnd, HWND hFrom, LPARAM lParam)
{
    UINT_PTR lo = 0, hi = 0;
    if (!::UnpackDDElParam(WM_DDE_EXECUTE, lParam, &lo, &hi))
        return;
    auto hCommand = reinterpret_cast<HGLOBAL>(hi);
    std::string text;
    bool bReadable = false;
    if (auto* p = static_cast<const unsigned char*>(::GlobalLock(hCommand))) {
        text = DdeTextFromBlock(p, ::GlobalSize(hCommand));
        ::GlobalUnlock(hCommand);
        bReadable = true;
    }
    // A command cut to the buffer would be some other command: refuse it.
    // While a modal dialog has the main window disabled, nothing is carried
    // out, but the sender still learns so and frees its memory.
    WORD wStatus = kStatusAck;
    if (!bReadable || text.size() >= kCommandBuffer)
        wStatus = kStatusRefused;
    else if (!::IsWindowEnabled(hWnd))
        wStatus = kStatusBusy;
    else if (m_handler)
        m_handler(text);
    if (!::IsWindow(hFrom))
        return;
    LPARAM lpAck = ::ReuseDDElParam(lParam, WM_DDE_EXECUTE, WM_DDE_ACK, wStatus, hi);
    if (!::PostMessageW(hFrom, WM_DDE_ACK, reinterpret_cast<WPARAM>(hWnd), lpAck))
        ::FreeDDElParam(WM_DDE_ACK, lpAck);
}
