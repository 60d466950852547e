// Starts a program and measures how long it takes until a window of a given
// class in it shows text: the time from the start of the process to the first
// paint a user sees. It looks at the screen's pixels, so it measures any program
// the same way (the editor, and Wine's own notepad beside it).
//   first_paint CLASS TIMEOUT_SECONDS COMMAND_LINE...
// Prints the milliseconds, or "timeout"; ends the program it started.
#include <windows.h>

#include <cstdio>
#include <string>

#include "ScreenWatch.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: first_paint CLASS TIMEOUT_SECONDS COMMAND_LINE...\n");
        return 2;
    }
    std::wstring command;
    for (int i = 3; i < argc; ++i) {
        if (i > 3)
            command += L' ';
        command += L'"' + std::wstring(argv[i]) + L'"';
    }
    DWORD timeoutMs = static_cast<DWORD>(_wtoi(argv[2])) * 1000;
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    CStopwatch clock;
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "cannot start the program (%lu)\n", ::GetLastError());
        return 1;
    }
    HWND hFound = nullptr;
    double ms = -1;
    for (;;) {
        double elapsed = clock.Ms();
        if (elapsed > timeoutMs)
            break;
        if (!hFound)
            hFound = FindProcessWindow(pi.dwProcessId, argv[1]);
        if (hFound && ShowsText(hFound)) {
            ms = elapsed;
            break;
        }
        if (::WaitForSingleObject(pi.hProcess, 5) == WAIT_OBJECT_0)
            break;  // it ended without showing anything
    }
    ::TerminateProcess(pi.hProcess, 0);
    ::WaitForSingleObject(pi.hProcess, 10000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    if (ms < 0)
        std::printf("timeout\n");
    else
        std::printf("%.0f\n", ms);
    return 0;
}
