// One DDE conversation with another program, as the client: a hidden window
// that initiates by broadcast and then carries one transaction at a time.
// Every operation waits for its answer by polling and pumping messages, so
// callers must tolerate being entered again while one is pending.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class CDDEClient {
public:
    enum EState {
        kNone = 0,
        kInitiating = 1,
        kConnected = 2,
        kExecutePending = 3,
        kPokePending = 4,
        kAdvisePending = 5,
        kRequestPending = 6,
        kUnadvisePending = 7,
        kTerminatePending = 8,
    };
    static constexpr DWORD kTransactionLimit = 120000;
    static constexpr DWORD kTerminateLimit = 8000;

    // Names in Shift-JIS. Creates the window and initiates.
    CDDEClient(const std::string& strService, const std::string& strTopic);
    virtual ~CDDEClient();
    CDDEClient(const CDDEClient&) = delete;
    CDDEClient& operator=(const CDDEClient&) = delete;

    bool Initiate();
    bool Reconnect() { return Initiate(); }
    // Each is true only when the server answered within the time limit; a
    // wait that runs out returns the client to idle and fails. An execute's
    // answer may still refuse the command: callers that need it carried out
    // check the acknowledged bit (0x8000) of the status.
    bool Execute(const std::string& strCommand, uint16_t* pStatus = nullptr);
    // "[name(\"arg\",...)]"; refused (false, nothing sent) when the command
    // string could not carry the name or an argument faithfully.
    bool ExecuteCommand(const std::string& strName, const std::vector<std::string>& args, uint16_t* pStatus = nullptr);
    bool Poke(const std::string& strItem, const void* pBytes, size_t nLength);
    bool Advise(const std::string& strItem, uint16_t nFormat);
    // True when the data came; a negative answer ends the wait at once (false).
    bool Request(const std::string& strItem, uint16_t nFormat);
    bool Unadvise(const std::string& strItem, uint16_t nFormat);
    void Terminate();

    bool IsConnected() const { return m_hServer != nullptr; }
    HWND GetServer() const { return m_hServer; }
    HWND GetHwnd() const { return m_hWnd; }
    int GetState() const { return m_nState; }
    // The status word of the last execute's acknowledgement.
    uint16_t GetStatus() const { return m_wStatus; }
    // Shortens the waits (tests of a silent server).
    void SetTimeLimit(DWORD ms) { m_dwLimit = ms; }

    // What the waits run between polls: by default the thread's pending messages
    // are dispatched; the editor routes them through its application.
    using PumpFn = void (*)(int maxMessages);
    static void SetPump(PumpFn pfn);
    // A library that registered the window class unregisters it before it goes.
    static void UnregisterWindowClass();

protected:
    // The bytes of a requested item (after the 4-byte header).
    virtual void OnData(const unsigned char* /*pData*/, size_t /*nLength*/) {}

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    void OnAck(HWND hFrom, LPARAM lParam);
    void OnDataMessage(HWND hFrom, LPARAM lParam);
    void OnTerminate(HWND hFrom);
    // Waits while the state stays pendingState; false (and idle) when the limit passed.
    bool Wait(int nPendingState, DWORD dwLimit);
    bool BeginTransaction(int nState);
    void PostTerminate();

    HWND m_hWnd = nullptr;
    HWND m_hServer = nullptr;
    std::string m_strService;
    std::string m_strTopic;
    int m_nState = kNone;
    uint16_t m_wStatus = 0;
    bool m_bRequestRefused = false;
    bool m_bAnswered = false;
    HGLOBAL m_hCommand = nullptr;  // an execute's text until it is answered
    DWORD m_dwLimit = kTransactionLimit;
};
