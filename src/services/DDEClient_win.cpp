// The client side of a DDE conversation over raw window messages.
//
// Text the client sends (execute commands, item and service names) leaves as
// UTF-16: its window is a wide window like the server's, and the system does
// not convert between ANSI and wide windows everywhere, so both ends agree on
// the wide form. Data blocks (poke, request) are clipboard text: Shift-JIS bytes.
#include "services/DDEClient_win.h"

#include <dde.h>

#include <cstring>

#include "platform/Messages.h"
#include "platform/Wide_win.h"
#include "services/DdeCommand.h"

namespace {

constexpr wchar_t kClassName[] = L"TovaDDEClient";
constexpr DWORD kPollInterval = 50;
constexpr int kMessagesPerPoll = 32;

constexpr WORD kFlagRelease = 0x2000;
constexpr WORD kFlagAckReq = 0x8000;
constexpr WORD kStatusAck = 0x8000;

void DispatchPending(int maxMessages)
{
    MSG msg;
    while (maxMessages-- > 0 && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

CDDEClient::PumpFn g_pfnPump = DispatchPending;

HINSTANCE ThisModule()
{
    HMODULE h = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ThisModule), &h);
    return h;
}

} // namespace

void CDDEClient::SetPump(PumpFn pfn) { g_pfnPump = pfn ? pfn : DispatchPending; }

void CDDEClient::UnregisterWindowClass() { ::UnregisterClassW(kClassName, ThisModule()); }

CDDEClient::CDDEClient(const std::string& strService, const std::string& strTopic)
    : m_strService(strService), m_strTopic(strTopic)
{
    HINSTANCE hInst = ThisModule();
    WNDCLASSW wc = {};
    if (!::GetClassInfoW(hInst, kClassName, &wc)) {
        wc.lpfnWndProc = WndProc;
        wc.hInstance = hInst;
        wc.lpszClassName = kClassName;
        ::RegisterClassW(&wc);
    }
    m_hWnd = ::CreateWindowExW(0, kClassName, L"BrellixDDECli", WS_OVERLAPPED, 0, 0, 16, 16, nullptr, nullptr, hInst,
                               this);
    if (!m_hWnd) {
        ErrorBox("Can't create CDDEClient");
        return;
    }
    Initiate();
}

CDDEClient::~CDDEClient()
{
    Terminate();
    if (m_hWnd) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
    }
}

LRESULT CALLBACK CDDEClient::WndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_NCCREATE) {
        auto* pcs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pcs->lpCreateParams));
    }
    auto* self = reinterpret_cast<CDDEClient*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (self) {
        HWND hFrom = reinterpret_cast<HWND>(wParam);
        switch (nMsg) {
        case WM_DDE_ACK:
            self->OnAck(hFrom, lParam);
            return 0;
        case WM_DDE_DATA:
            self->OnDataMessage(hFrom, lParam);
            return 0;
        case WM_DDE_TERMINATE:
            self->OnTerminate(hFrom);
            return 0;
        default:
            break;
        }
    }
    return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

bool CDDEClient::Initiate()
{
    if (!m_hWnd)
        return false;
    if (m_hServer)
        Terminate();
    m_nState = kInitiating;
    m_hServer = nullptr;
    ATOM aApp = ::GlobalAddAtomW(Wide(m_strService).c_str());
    if (!aApp) {
        ErrorBox("GlobalAddAtom(\"%s\") error", m_strService.c_str());
        m_nState = kNone;
        return false;
    }
    ATOM aTopic = ::GlobalAddAtomW(Wide(m_strTopic).c_str());
    if (!aTopic) {
        ErrorBox("GlobalAddAtom(\"%s\") error", m_strTopic.c_str());
        ::GlobalDeleteAtom(aApp);
        m_nState = kNone;
        return false;
    }
    // A hung top-level window must not hang the broadcast with it.
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(aApp, aTopic),
                          SMTO_ABORTIFHUNG, 2000, &result);
    ::GlobalDeleteAtom(aApp);
    ::GlobalDeleteAtom(aTopic);
    m_nState = m_hServer ? kConnected : kNone;
    return m_hServer != nullptr;
}

bool CDDEClient::BeginTransaction(int nState)
{
    if (m_nState != kConnected || !m_hServer) {
        ErrorBeep();
        return false;
    }
    m_nState = nState;
    m_bAnswered = false;
    m_bRequestRefused = false;
    return true;
}

bool CDDEClient::Wait(int nPendingState, DWORD dwLimit)
{
    DWORD dwStart = ::GetTickCount();
    while (m_nState == nPendingState && ::GetTickCount() - dwStart < dwLimit) {
        ::Sleep(kPollInterval);
        g_pfnPump(kMessagesPerPoll);
    }
    if (m_nState == nPendingState) {
        m_nState = m_hServer ? kConnected : kNone;
        return false;
    }
    return m_bAnswered;
}

bool CDDEClient::Execute(const std::string& strCommand, uint16_t* pStatus)
{
    if (!BeginTransaction(kExecutePending))
        return false;
    std::wstring text = Wide(strCommand);
    size_t nBytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL hCommand = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, nBytes);
    if (!hCommand) {
        ErrorBox("GlobalAlloc error");
        m_nState = kConnected;
        return false;
    }
    void* p = ::GlobalLock(hCommand);
    if (!p) {
        ErrorBox("GlobalLock error");
        ::GlobalFree(hCommand);
        m_nState = kConnected;
        return false;
    }
    std::memcpy(p, text.c_str(), nBytes);
    ::GlobalUnlock(hCommand);
    LPARAM lp = ::PackDDElParam(WM_DDE_EXECUTE, 0, reinterpret_cast<UINT_PTR>(hCommand));
    if (!::PostMessageW(m_hServer, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(m_hWnd), lp)) {
        ErrorBox("PostMessage error");
        ::FreeDDElParam(WM_DDE_EXECUTE, lp);
        ::GlobalFree(hCommand);
        m_nState = kConnected;
        return false;
    }
    m_hCommand = hCommand;
    bool bAnswered = Wait(kExecutePending, m_dwLimit);
    // Unanswered, the command's memory would otherwise never be freed; the
    // message carried its own copy to the server.
    if (m_hCommand) {
        ::GlobalFree(m_hCommand);
        m_hCommand = nullptr;
    }
    if (bAnswered && pStatus)
        *pStatus = m_wStatus;
    return bAnswered;
}

bool CDDEClient::ExecuteCommand(const std::string& strName, const std::vector<std::string>& args, uint16_t* pStatus)
{
    std::string strCommand;
    if (!BuildCommand(strName, args, strCommand))
        return false;
    return Execute(strCommand, pStatus);
}

bool CDDEClient::Poke(const std::string& strItem, const void* pBytes, size_t nLength)
{
    if (!BeginTransaction(kPokePending))
        return false;
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, nLength + 5);
    if (!hData) {
        ErrorBox("GlobalAlloc error");
        m_nState = kConnected;
        return false;
    }
    auto* p = static_cast<unsigned char*>(::GlobalLock(hData));
    if (!p) {
        ErrorBox("GlobalLock error");
        ::GlobalFree(hData);
        m_nState = kConnected;
        return false;
    }
    WORD header[2] = {0, CF_TEXT};  // the release bit clear: the memory stays ours
    std::memcpy(p, header, sizeof header);
    if (nLength)
        std::memcpy(p + 4, pBytes, nLength);
    ::GlobalUnlock(hData);
    ATOM aItem = ::GlobalAddAtomW(Wide(strItem).c_str());
    if (!aItem) {
        ::GlobalFree(hData);
        m_nState = kConnected;
        return false;
    }
    LPARAM lp = ::PackDDElParam(WM_DDE_POKE, reinterpret_cast<UINT_PTR>(hData), aItem);
    if (!::PostMessageW(m_hServer, WM_DDE_POKE, reinterpret_cast<WPARAM>(m_hWnd), lp)) {
        ErrorBox("PostMessage error");
        ::FreeDDElParam(WM_DDE_POKE, lp);
        ::GlobalDeleteAtom(aItem);
        ::GlobalFree(hData);
        m_nState = kConnected;
        return false;
    }
    bool bAnswered = Wait(kPokePending, m_dwLimit);
    ::GlobalFree(hData);
    return bAnswered;
}

bool CDDEClient::Advise(const std::string& strItem, uint16_t nFormat)
{
    if (!BeginTransaction(kAdvisePending))
        return false;
    HGLOBAL hOptions = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, 4);
    if (!hOptions) {
        ErrorBox("GlobalAlloc error");
        m_nState = kConnected;
        return false;
    }
    auto* p = static_cast<WORD*>(::GlobalLock(hOptions));
    if (!p) {
        ErrorBox("GlobalLock error");
        ::GlobalFree(hOptions);
        m_nState = kConnected;
        return false;
    }
    p[0] = 0;  // neither deferred updates nor acknowledgement requests
    p[1] = nFormat;
    ::GlobalUnlock(hOptions);
    ATOM aItem = ::GlobalAddAtomW(Wide(strItem).c_str());
    if (!aItem) {
        ::GlobalFree(hOptions);
        m_nState = kConnected;
        return false;
    }
    LPARAM lp = ::PackDDElParam(WM_DDE_ADVISE, reinterpret_cast<UINT_PTR>(hOptions), aItem);
    if (!::PostMessageW(m_hServer, WM_DDE_ADVISE, reinterpret_cast<WPARAM>(m_hWnd), lp)) {
        ErrorBox("PostMessage error");
        ::FreeDDElParam(WM_DDE_ADVISE, lp);
        ::GlobalDeleteAtom(aItem);
        ::GlobalFree(hOptions);
        m_nState = kConnected;
        return false;
    }
    bool bAnswered = Wait(kAdvisePending, m_dwLimit);
    // A server that took the link frees the options; across processes it
    // frees its own copy, and this one stays ours.
    DWORD dwServerProcess = 0;
    if (m_hServer)
        ::GetWindowThreadProcessId(m_hServer, &dwServerProcess);
    if (!bAnswered || !(m_wStatus & kStatusAck) || dwServerProcess != ::GetCurrentProcessId())
        ::GlobalFree(hOptions);
    return bAnswered;
}

bool CDDEClient::Request(const std::string& strItem, uint16_t nFormat)
{
    if (!BeginTransaction(kRequestPending))
        return false;
    ATOM aItem = ::GlobalAddAtomW(Wide(strItem).c_str());
    if (!aItem) {
        m_nState = kConnected;
        return false;
    }
    if (!::PostMessageW(m_hServer, WM_DDE_REQUEST, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(nFormat, aItem))) {
        ErrorBox("PostMessage error");
        ::GlobalDeleteAtom(aItem);
        m_nState = kConnected;
        return false;
    }
    return Wait(kRequestPending, m_dwLimit) && !m_bRequestRefused;
}

bool CDDEClient::Unadvise(const std::string& strItem, uint16_t nFormat)
{
    if (!BeginTransaction(kUnadvisePending))
        return false;
    ATOM aItem = ::GlobalAddAtomW(Wide(strItem).c_str());
    if (!aItem) {
        m_nState = kConnected;
        return false;
    }
    if (!::PostMessageW(m_hServer, WM_DDE_UNADVISE, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(nFormat, aItem))) {
        ErrorBox("PostMessage error");
        ::GlobalDeleteAtom(aItem);
        m_nState = kConnected;
        return false;
    }
    return Wait(kUnadvisePending, m_dwLimit);
}

void CDDEClient::Terminate()
{
    if (!m_hServer)
        return;
    m_nState = kTerminatePending;
    if (!::PostMessageW(m_hServer, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(m_hWnd), 0))
        m_nState = kNone;
    else
        Wait(kTerminatePending, m_dwLimit < kTerminateLimit ? m_dwLimit : kTerminateLimit);
    m_hServer = nullptr;
    m_nState = kNone;
}

void CDDEClient::OnAck(HWND hFrom, LPARAM lParam)
{
    if (m_nState == kInitiating) {
        // The answer to the broadcast is sent, not posted: its atoms are ours to delete.
        ::GlobalDeleteAtom(LOWORD(lParam));
        ::GlobalDeleteAtom(HIWORD(lParam));
        if (!m_hServer)
            m_hServer = hFrom;
        else if (hFrom != m_hServer)  // a second server would wait for us in vain
            ::PostMessageW(hFrom, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
        return;
    }
    // Only the server's answers move the conversation; anything else could free
    // memory or atoms that are not its to free.
    if (hFrom != m_hServer || m_nState == kNone || m_nState == kConnected || m_nState == kTerminatePending) {
        ErrorBeep();
        return;
    }
    UINT_PTR lo = 0, hi = 0;
    if (!::UnpackDDElParam(WM_DDE_ACK, lParam, &lo, &hi))
        return;
    m_wStatus = static_cast<uint16_t>(lo);
    switch (m_nState) {
    case kExecutePending:
        if (m_hCommand) {
            ::GlobalFree(m_hCommand);
            m_hCommand = nullptr;
        }
        break;
    case kRequestPending:
        // A request is answered by data; an acknowledgement refuses it.
        m_bRequestRefused = true;
        ::GlobalDeleteAtom(static_cast<ATOM>(hi));
        break;
    default:
        ::GlobalDeleteAtom(static_cast<ATOM>(hi));
        break;
    }
    ::FreeDDElParam(WM_DDE_ACK, lParam);
    m_bAnswered = true;
    m_nState = kConnected;
}

void CDDEClient::OnDataMessage(HWND hFrom, LPARAM lParam)
{
    if (m_nState != kRequestPending || hFrom != m_hServer)
        return;
    UINT_PTR uData = 0, uItem = 0;
    if (!::UnpackDDElParam(WM_DDE_DATA, lParam, &uData, &uItem)) {
        ErrorBox("Unpack error");
        ::FreeDDElParam(WM_DDE_DATA, lParam);
        return;
    }
    auto hData = reinterpret_cast<HGLOBAL>(uData);
    ATOM aItem = static_cast<ATOM>(uItem);
    auto* p = hData ? static_cast<const unsigned char*>(::GlobalLock(hData)) : nullptr;
    size_t nSize = p ? ::GlobalSize(hData) : 0;
    WORD wFlags = 0;
    if (p && nSize >= 4)
        std::memcpy(&wFlags, p, sizeof wFlags);
    if (wFlags & kFlagAckReq) {
        LPARAM lpAck = ::ReuseDDElParam(lParam, WM_DDE_DATA, WM_DDE_ACK, kStatusAck, aItem);
        if (!::PostMessageW(m_hServer, WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hWnd), lpAck)) {
            ErrorBox("PostMessage error");
            ::FreeDDElParam(WM_DDE_ACK, lpAck);
        }
    } else {
        ::GlobalDeleteAtom(aItem);
        ::FreeDDElParam(WM_DDE_DATA, lParam);
    }
    if (p && nSize >= 4)
        OnData(p + 4, nSize - 4);
    if (p)
        ::GlobalUnlock(hData);
    if (hData && (wFlags & kFlagRelease))
        ::GlobalFree(hData);
    m_bAnswered = true;
    m_nState = kConnected;
}

void CDDEClient::OnTerminate(HWND hFrom)
{
    if (hFrom != m_hServer || !m_hServer)
        return;
    if (m_nState == kNone || m_nState == kInitiating) {
        ErrorBeep();
    } else if (m_nState != kTerminatePending) {
        ::PostMessageW(m_hServer, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
    }
    m_nState = kNone;
    m_hServer = nullptr;
}
