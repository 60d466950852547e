// A DDE server window: one service, one topic or any, one client at a time.
// Subclasses answer through the three virtual operations; a conversation's
// advise links and the data still awaiting the client's acknowledgement are
// kept here.
#pragma once
#include <windows.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

struct DDELink {
    ATOM aItem = 0;  // owned: deleted with the link
    bool bDeferUpdate = false;
    bool bAckReq = false;
    uint16_t nFormat = 0;
};

class CDDEServer {
public:
    // Names in Shift-JIS; an empty topic accepts any.
    CDDEServer(const std::string& strService, const std::string& strTopic = std::string());
    virtual ~CDDEServer();
    CDDEServer(const CDDEServer&) = delete;
    CDDEServer& operator=(const CDDEServer&) = delete;

    // Sends item data to the client: a reply to a request (bResponse) or an
    // update of an advised item. False (with a message) when there is no client.
    bool PostData(const std::string& strItem, uint16_t nFormat, const void* pBytes, size_t nLength, bool bResponse);

    HWND GetHwnd() const { return m_hWnd; }
    HWND GetClient() const { return m_hClient; }
    const std::string& GetClientTopic() const { return m_strClientTopic; }
    const std::string& GetClientName() const { return m_strClientName; }
    size_t GetLinkCount() const { return m_links.size(); }
    size_t GetPendingCount() const { return m_pending.size(); }

    static void UnregisterWindowClass();

protected:
    // Application codes of the answer (the acknowledged bit is always set).
    virtual uint8_t OnPoke(const std::string& /*strTopic*/, const std::string& /*strItem*/,
                           const unsigned char* /*pData*/, size_t /*nLength*/, uint16_t /*nFormat*/)
    {
        return 0xFF;
    }
    virtual uint8_t OnExecute(const std::string& /*strTopic*/, const std::string& /*strCommand*/,
                              const std::vector<std::string>& /*args*/)
    {
        return 0xFF;
    }
    // The data stays the server's; it is copied before the call returns.
    virtual bool OnRequest(const std::string& /*strTopic*/, const std::string& /*strItem*/, uint16_t /*nFormat*/,
                           const void*& /*pData*/, size_t& /*nLength*/)
    {
        return false;
    }

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    LRESULT OnInitiate(HWND hFrom, LPARAM lParam);
    void OnTerminate(HWND hFrom);
    void OnExecuteMessage(HWND hFrom, LPARAM lParam);
    void OnPokeMessage(HWND hFrom, LPARAM lParam);
    void OnRequestMessage(HWND hFrom, LPARAM lParam);
    void OnAck(HWND hFrom, LPARAM lParam);
    void OnAdvise(HWND hFrom, LPARAM lParam);
    void OnUnadvise(HWND hFrom, LPARAM lParam);
    // The first link for the item and, unless nFormat is 0, the format.
    DDELink* FindLink(ATOM aItem, uint16_t nFormat);
    void ClearLinks();
    // An error box (Shift-JIS text), unless one of this server's is open.
    void ShowError(const std::string& strSjis);

    HWND m_hWnd = nullptr;
    std::string m_strService;
    std::string m_strTopic;
    HWND m_hClient = nullptr;
    std::string m_strClientTopic;
    std::string m_strClientName;
    std::vector<DDELink> m_links;
    std::deque<HGLOBAL> m_pending;
    bool m_bShowingError = false;
};
