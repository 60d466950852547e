// Starting processes and pumping messages while waiting.
#include "services/Process_win.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "fw/WinApp_win.h"
#include "platform/Wide_win.h"
#include "text/Unicode.h"

HANDLE StartProcess(const char* format, ...)
{
    // A cut command line would run some other command: refuse it instead.
    std::string sjisFormat = Utf8ToSjis(format);
    char line[kMessageBufferSize];
    va_list args;
    va_start(args, format);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    int n = std::vsnprintf(line, sizeof line, sjisFormat.c_str(), args);
#pragma GCC diagnostic pop
    va_end(args);
    if (n < 0 || static_cast<size_t>(n) >= sizeof line) {
        ErrorBox("コマンドラインが長すぎます");
        return nullptr;
    }
    std::wstring command = Wide(line);
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return nullptr;
    ::CloseHandle(pi.hThread);
    return pi.hProcess;
}

void PumpMessages(int maxMessages)
{
    CWinApp* pApp = App();
    while (maxMessages >= 1) {
        MSG msg;
        while (maxMessages >= 1 && ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            if (pApp) {
                pApp->PumpMessage();
            } else if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            --maxMessages;
        }
        if (pApp)
            for (long n = 0; pApp->OnIdle(n); ++n) {
            }
        --maxMessages;
    }
}
