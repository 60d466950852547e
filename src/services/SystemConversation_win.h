// The shell's open conversation on the main window: service = the program's
// file name without extension, topic "system", any letter case. Execute
// texts go to a handler ("[open(...)]" and the like); every execute is
// answered, also one that is refused.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

class CSystemConversation {
public:
    // Longest command taken, with its NUL.
    static constexpr size_t kCommandBuffer = 520;
    using Handler = std::function<void(const std::string&)>;

    void SetHandler(Handler handler) { m_handler = std::move(handler); }
    // The service; by default the program file's name without extension.
    void SetServiceName(const std::string& strName) { m_strService = strName; }
    // Takes the DDE messages of the window hWnd; true when one was taken.
    bool OnMessage(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);

private:
    void OnInitiate(HWND hWnd, HWND hFrom, LPARAM lParam);
    void OnExecute(HWND hWnd, HWND hFrom, LPARAM lParam);

    Handler m_handler;
    std::string m_strService;
};
