// The server side of DDE conversations over raw window messages.
//
// Answers are posted before any error box is shown, so a client never waits
// out its time limit on a box nobody has closed yet.
#include "services/DDEServer_win.h"

#include <dde.h>

#include <cstring>

#include "platform/Messages.h"
#include "platform/Wide_win.h"
#include "services/DdeCommand.h"

namespace {

constexpr wchar_t kClassName[] = L"TovaDDEServer";
constexpr WORD kFlagResponse = 0x1000;
constexpr WORD kFlagRelease = 0x2000;
constexpr WORD kFlagDeferUpd = 0x4000;
constexpr WORD kFlagAckReq = 0x8000;
constexpr WORD kStatusAck = 0x8000;

HINSTANCE ThisModule()
{
    HMODULE h = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ThisModule), &h);
    return h;
}

// An atom's name in Shift-JIS; a zero atom reads as empty.
std::string AtomName(ATOM a)
{
    if (!a)
        return std::string();
    wchar_t name[256];
    UINT n = ::GlobalGetAtomNameW(a, name, 256);
    return Narrow(std::wstring_view(name, n));
}

bool SameNoCase(const std::string& a, const std::string& b)
{
    return ::CompareStringOrdinal(Wide(a).c_str(), -1, Wide(b).c_str(), -1, TRUE) == CSTR_EQUAL;
}

unsigned HandleNumber(HWND h) { return static_cast<unsigned>(reinterpret_cast<uintptr_t>(h)); }

bool SameProcess(HWND h)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    return pid == ::GetCurrentProcessId();
}

} // namespace

void CDDEServer::ShowError(const std::string& strSjis)
{
    // One box at a time: a peer that keeps sending while a box is open would
    // otherwise stack boxes without bound. The answers still go out.
    if (m_bShowingError)
        return;
    m_bShowingError = true;
    ErrorBox("%s", strSjis.c_str());
    m_bShowingError = false;
}

void CDDEServer::UnregisterWindowClass() { ::UnregisterClassW(kClassName, ThisModule()); }

CDDEServer::CDDEServer(const std::string& strService, const std::string& strTopic)
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
    std::wstring title = L"DDEServer - " + Wide(strService);
    m_hWnd = ::CreateWindowExW(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 384,
                               256, nullptr, nullptr, hInst, this);
    if (!m_hWnd)
        ErrorBox("DDE ｻｰﾊﾞｳｨﾝﾄﾞｳを作成できません");
}

CDDEServer::~CDDEServer()
{
    if (m_hClient && m_hWnd)
        ::PostMessageW(m_hClient, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
    ClearLinks();
    for (HGLOBAL h : m_pending)
        ::GlobalFree(h);
    m_pending.clear();
    if (m_hWnd) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
    }
}

LRESULT CALLBACK CDDEServer::WndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_NCCREATE) {
        auto* pcs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pcs->lpCreateParams));
    }
    auto* self = reinterpret_cast<CDDEServer*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (self) {
        HWND hFrom = reinterpret_cast<HWND>(wParam);
        switch (nMsg) {
        case WM_DDE_INITIATE:
            return self->OnInitiate(hFrom, lParam);
        case WM_DDE_TERMINATE:
            self->OnTerminate(hFrom);
            return 0;
        case WM_DDE_EXECUTE:
            self->OnExecuteMessage(hFrom, lParam);
            return 0;
        case WM_DDE_POKE:
            self->OnPokeMessage(hFrom, lParam);
            return 0;
        case WM_DDE_REQUEST:
            self->OnRequestMessage(hFrom, lParam);
            return 0;
        case WM_DDE_ACK:
            self->OnAck(hFrom, lParam);
            return 0;
        case WM_DDE_ADVISE:
            self->OnAdvise(hFrom, lParam);
            return 0;
        case WM_DDE_UNADVISE:
            self->OnUnadvise(hFrom, lParam);
            return 0;
        case WM_CLOSE:  // only the owner ends the server
            return 0;
        default:
            break;
        }
    }
    return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

LRESULT CDDEServer::OnInitiate(HWND hFrom, LPARAM lParam)
{
    std::string strApp = AtomName(LOWORD(lParam));
    std::string strTopic = AtomName(HIWORD(lParam));
    // No wildcard conversations: an empty name never matches.
    if (strApp.empty() || !SameNoCase(strApp, m_strService))
        return 0;
    if (!m_strTopic.empty() && (strTopic.empty() || !SameNoCase(strTopic, m_strTopic)))
        return 0;
    if (hFrom == m_hClient) {
        ShowError(FormatSjis("DDE already initiated"));
        return 0;
    }
    ATOM aApp = ::GlobalAddAtomW(Wide(strApp).c_str());
    ATOM aTopic = ::GlobalAddAtomW(Wide(strTopic).c_str());
    if (!aApp || !aTopic) {
        if (aApp)
            ::GlobalDeleteAtom(aApp);
        if (aTopic)
            ::GlobalDeleteAtom(aTopic);
        ShowError(FormatSjis("can't add atom"));
        return 0;
    }
    // A new client replaces the previous one; the old conversation's links
    // would otherwise send the new client data it never asked for.
    ClearLinks();
    m_hClient = hFrom;
    m_strClientTopic = strTopic;
    wchar_t name[256] = {};
    int n = ::GetWindowTextW(hFrom, name, 256);
    m_strClientName = n > 0 ? Narrow(std::wstring_view(name, static_cast<size_t>(n)))
                            : FormatSjis("%08x", HandleNumber(hFrom));
    ::SendMessageW(hFrom, WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(aApp, aTopic));
    return 0;
}

void CDDEServer::OnTerminate(HWND hFrom)
{
    if (hFrom != m_hClient || !m_hClient)
        return;
    ::PostMessageW(m_hClient, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
    m_hClient = nullptr;
    m_strClientTopic.clear();
    ClearLinks();
}

void CDDEServer::OnExecuteMessage(HWND hFrom, LPARAM lParam)
{
    if (hFrom != m_hClient || !m_hClient) {
        ShowError(FormatSjis("%04x is not my client", HandleNumber(hFrom)));
        return;
    }
    UINT_PTR lo = 0, hi = 0;
    if (!::UnpackDDElParam(WM_DDE_EXECUTE, lParam, &lo, &hi)) {
        ShowError(FormatSjis("can't unpack"));
        return;
    }
    auto hCommand = reinterpret_cast<HGLOBAL>(hi);
    auto* p = static_cast<const unsigned char*>(::GlobalLock(hCommand));
    if (!p) {
        ::GlobalFree(hCommand);
        ShowError(FormatSjis("GlobalLock error"));
        return;
    }
    std::string text = DdeTextFromBlock(p, ::GlobalSize(hCommand));
    ::GlobalUnlock(hCommand);
    CDdeCommand command;
    bool bParsed = ParseCommand(text, command);
    uint8_t nCode = bParsed ? OnExecute(m_strClientTopic, command.strName, command.args) : 0x80;
    if (!m_hClient)  // the handler's wait let the conversation end
        return;
    LPARAM lpAck = ::ReuseDDElParam(lParam, WM_DDE_EXECUTE, WM_DDE_ACK, kStatusAck | nCode, hi);
    if (!::PostMessageW(m_hClient, WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hWnd), lpAck)) {
        ::FreeDDElParam(WM_DDE_ACK, lpAck);
        ::GlobalFree(hCommand);
        ShowError(FormatSjis("PostMessage error"));
    }
    if (!bParsed)
        ShowError(FormatSjis("DDE command syntax error in:\n%s", text.c_str()));
}

void CDDEServer::OnPokeMessage(HWND hFrom, LPARAM lParam)
{
    if (hFrom != m_hClient || !m_hClient) {
        ShowError(FormatSjis("%04x is not my client", HandleNumber(hFrom)));
        return;
    }
    UINT_PTR lo = 0, hi = 0;
    if (!::UnpackDDElParam(WM_DDE_POKE, lParam, &lo, &hi)) {
        ShowError(FormatSjis("can't unpack"));
        return;
    }
    auto hData = reinterpret_cast<HGLOBAL>(lo);
    ATOM aItem = static_cast<ATOM>(hi);
    std::string strItem = AtomName(aItem);
    auto* p = static_cast<const unsigned char*>(::GlobalLock(hData));
    if (!p) {
        ShowError(FormatSjis("GlobalLock error"));
        return;
    }
    size_t nSize = ::GlobalSize(hData);
    WORD wFlags = 0, wFormat = 0;
    if (nSize >= 4) {
        std::memcpy(&wFlags, p, 2);
        std::memcpy(&wFormat, p + 2, 2);
    }
    uint8_t nCode = nSize >= 4 ? OnPoke(m_strClientTopic, strItem, p + 4, nSize - 4, wFormat) : 0;
    ::GlobalUnlock(hData);
    if (wFlags & kFlagRelease)
        ::GlobalFree(hData);
    if (!m_hClient)
        return;
    LPARAM lpAck = ::ReuseDDElParam(lParam, WM_DDE_POKE, WM_DDE_ACK, kStatusAck | nCode, aItem);
    if (!::PostMessageW(m_hClient, WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hWnd), lpAck)) {
        ::FreeDDElParam(WM_DDE_ACK, lpAck);
        ShowError(FormatSjis("PostMessage error"));
    }
}

void CDDEServer::OnRequestMessage(HWND hFrom, LPARAM lParam)
{
    if (hFrom != m_hClient || !m_hClient) {
        ShowError(FormatSjis("%08x is not my client", HandleNumber(hFrom)));
        return;
    }
    auto nFormat = static_cast<uint16_t>(LOWORD(lParam));
    ATOM aItem = HIWORD(lParam);
    std::string strItem = AtomName(aItem);
    const void* pData = nullptr;
    size_t nLength = 0;
    if (OnRequest(m_strClientTopic, strItem, nFormat, pData, nLength)) {
        ::GlobalDeleteAtom(aItem);
        PostData(strItem, nFormat, pData, nLength, true);
        return;
    }
    LPARAM lpAck = ::PackDDElParam(WM_DDE_ACK, 0x00FF, aItem);
    if (!::PostMessageW(m_hClient, WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hWnd), lpAck)) {
        ::FreeDDElParam(WM_DDE_ACK, lpAck);
        ShowError(FormatSjis("PostMessage error"));
    }
}

bool CDDEServer::PostData(const std::string& strItem, uint16_t nFormat, const void* pBytes, size_t nLength,
                          bool bResponse)
{
    if (!m_hClient) {
        ShowError(FormatSjis("No link established"));
        return false;
    }
    ATOM aFound = ::GlobalFindAtomW(Wide(strItem).c_str());
    DDELink* pLink = aFound ? FindLink(aFound, nFormat) : nullptr;
    HGLOBAL hData = nullptr;
    bool bAckReq = false;
    if (!(pLink && pLink->bDeferUpdate && !bResponse)) {
        hData = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, nLength + 6);
        if (!hData) {
            ShowError(FormatSjis("GlobalAlloc error"));
            return false;
        }
        auto* p = static_cast<unsigned char*>(::GlobalLock(hData));
        if (!p) {
            ::GlobalFree(hData);
            ShowError(FormatSjis("GlobalLock error"));
            return false;
        }
        WORD wFlags = bResponse ? kFlagResponse : 0;
        if (pLink) {
            bAckReq = pLink->bAckReq;
            wFlags |= bAckReq ? kFlagAckReq : kFlagRelease;
        } else {
            wFlags |= kFlagRelease;
        }
        std::memcpy(p, &wFlags, 2);
        std::memcpy(p + 2, &nFormat, 2);
        if (nLength)
            std::memcpy(p + 4, pBytes, nLength);
        ::GlobalUnlock(hData);
    }
    ATOM aItem = ::GlobalAddAtomW(Wide(strItem).c_str());
    if (!aItem) {
        if (hData)
            ::GlobalFree(hData);
        ShowError(FormatSjis("can't add atom"));
        return false;
    }
    LPARAM lp = ::PackDDElParam(WM_DDE_DATA, reinterpret_cast<UINT_PTR>(hData), aItem);
    if (!::PostMessageW(m_hClient, WM_DDE_DATA, reinterpret_cast<WPARAM>(m_hWnd), lp)) {
        ::FreeDDElParam(WM_DDE_DATA, lp);
        ::GlobalDeleteAtom(aItem);
        if (hData)
            ::GlobalFree(hData);
        ShowError(FormatSjis("PostMessage error"));
        return false;
    }
    if (hData && bAckReq)
        m_pending.push_back(hData);
    return true;
}

void CDDEServer::OnAck(HWND hFrom, LPARAM lParam)
{
    // Only the client's acknowledgements free what waits for them.
    if (hFrom != m_hClient || !m_hClient) {
        ShowError(FormatSjis("%08x not my client", HandleNumber(hFrom)));
        return;
    }
    if (!m_pending.empty()) {
        ::GlobalFree(m_pending.front());
        m_pending.pop_front();
    }
    UINT_PTR lo = 0, hi = 0;
    if (::UnpackDDElParam(WM_DDE_ACK, lParam, &lo, &hi))
        ::GlobalDeleteAtom(static_cast<ATOM>(hi));
    ::FreeDDElParam(WM_DDE_ACK, lParam);
}

void CDDEServer::OnAdvise(HWND hFrom, LPARAM lParam)
{
    if (hFrom != m_hClient || !m_hClient) {
        ShowError(FormatSjis("%08x not my client", HandleNumber(hFrom)));
        return;
    }
    UINT_PTR lo = 0, hi = 0;
    if (!::UnpackDDElParam(WM_DDE_ADVISE, lParam, &lo, &hi)) {
        ShowError(FormatSjis("can't unpack"));
        return;
    }
    auto hOptions = reinterpret_cast<HGLOBAL>(lo);
    ATOM aItem = static_cast<ATOM>(hi);
    auto* p = static_cast<const unsigned char*>(::GlobalLock(hOptions));
    if (!p) {
        ShowError(FormatSjis("GlobalLock error"));
        return;
    }
    WORD wFlags = 0, wFormat = 0;
    bool bReadable = ::GlobalSize(hOptions) >= 4;
    if (bReadable) {
        std::memcpy(&wFlags, p, 2);
        std::memcpy(&wFormat, p + 2, 2);
    }
    ::GlobalUnlock(hOptions);
    bool bAdvised = false;
    bool bAlready = false;
    if (bReadable) {
        if (FindLink(aItem, wFormat)) {
            bAlready = true;
        } else {
            DDELink link;
            link.aItem = ::GlobalAddAtomW(Wide(AtomName(aItem)).c_str());
            link.bDeferUpdate = (wFlags & kFlagDeferUpd) != 0;
            link.bAckReq = (wFlags & kFlagAckReq) != 0;
            link.nFormat = wFormat;
            if (link.aItem) {
                m_links.push_back(link);
                bAdvised = true;
            }
        }
    }
    // A refused client frees its own options; in another process this copy is ours.
    if (bAdvised || !SameProcess(hFrom))
        ::GlobalFree(hOptions);
    LPARAM lpAck = ::ReuseDDElParam(lParam, WM_DDE_ADVISE, WM_DDE_ACK, bAdvised ? kStatusAck : 0, aItem);
    if (!::PostMessageW(m_hClient, WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hWnd), lpAck)) {
        ::FreeDDElParam(WM_DDE_ACK, lpAck);
        ShowError(FormatSjis("PostMessage error"));
    }
    if (bAlready)
        ShowError(FormatSjis("already advising"));
}

void CDDEServer::OnUnadvise(HWND hFrom, LPARAM lParam)
{
    if (hFrom != m_hClient || !m_hClient) {
        ShowError(FormatSjis("%08x not my client", HandleNumber(hFrom)));
        return;
    }
    auto nFormat = static_cast<uint16_t>(LOWORD(lParam));
    ATOM aItem = HIWORD(lParam);
    std::string strItem = AtomName(aItem);  // the client deletes its atom on the answer
    DDELink* pLink = FindLink(aItem, nFormat);
    bool bFound = pLink != nullptr;
    if (bFound) {
        ::GlobalDeleteAtom(pLink->aItem);
        m_links.erase(m_links.begin() + (pLink - m_links.data()));
    }
    LPARAM lpAck = ::PackDDElParam(WM_DDE_ACK, bFound ? kStatusAck : 0, aItem);
    if (!::PostMessageW(m_hClient, WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hWnd), lpAck)) {
        ::FreeDDElParam(WM_DDE_ACK, lpAck);
        ShowError(FormatSjis("PostMessage error"));
    }
    if (!bFound)
        ShowError(FormatSjis("%s not my item", strItem.c_str()));
}

DDELink* CDDEServer::FindLink(ATOM aItem, uint16_t nFormat)
{
    for (DDELink& link : m_links)
        if (link.aItem == aItem && (nFormat == 0 || link.nFormat == nFormat))
            return &link;
    return nullptr;
}

void CDDEServer::ClearLinks()
{
    for (const DDELink& link : m_links)
        ::GlobalDeleteAtom(link.aItem);
    m_links.clear();
}
