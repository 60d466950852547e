// Starts a program and measures how long it takes until a window of a given
// class in it shows text: the time from the start of the process to the first
// paint a user sees. It looks at the screen's pixels, so it measures any program
// the same way (the editor, and Wine's own notepad beside it).
//   first_paint CLASS TIMEOUT_SECONDS COMMAND_LINE...
// Prints the milliseconds, or "timeout"; ends the program it started.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

struct CSearch {
    DWORD dwProcess;
    const wchar_t* pszClass;
    HWND hFound;
};

BOOL CALLBACK FindChild(HWND hWnd, LPARAM lParam)
{
    auto* s = reinterpret_cast<CSearch*>(lParam);
    wchar_t name[64] = {};
    ::GetClassNameW(hWnd, name, 64);
    RECT rc = {};
    if (_wcsicmp(name, s->pszClass) == 0 && ::IsWindowVisible(hWnd) && ::GetClientRect(hWnd, &rc) && rc.right > 40 &&
        rc.bottom > 40) {
        s->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindTop(HWND hWnd, LPARAM lParam)
{
    auto* s = reinterpret_cast<CSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid == s->dwProcess && ::IsWindowVisible(hWnd))
        ::EnumChildWindows(hWnd, FindChild, lParam);
    return s->hFound ? FALSE : TRUE;
}

// Text in the first lines of the window's client area, as the screen shows it:
// a light background (not the dark screen behind a window not yet drawn) with
// dark pixels in many pixel columns (a caret alone is one or two).
bool ShowsText(HWND hWnd)
{
    RECT rc = {};
    ::GetClientRect(hWnd, &rc);
    POINT origin = {0, 0};
    ::ClientToScreen(hWnd, &origin);
    int width = std::min<int>(rc.right, 400), height = std::min<int>(rc.bottom, 60);
    HDC hdcScreen = ::GetDC(nullptr);
    HDC hdcMem = ::CreateCompatibleDC(hdcScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hdcScreen, width, height);
    HGDIOBJ old = ::SelectObject(hdcMem, hBitmap);
    ::BitBlt(hdcMem, 0, 0, width, height, hdcScreen, origin.x, origin.y, SRCCOPY);
    int inkedColumns = 0, light = 0;
    for (int x = 0; x < width; ++x) {
        bool inked = false;
        for (int y = 0; y < height; ++y) {
            COLORREF c = ::GetPixel(hdcMem, x, y);
            if (GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80)
                inked = true;
            else if (GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200)
                ++light;
        }
        inkedColumns += inked ? 1 : 0;
    }
    ::SelectObject(hdcMem, old);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hdcMem);
    ::ReleaseDC(nullptr, hdcScreen);
    return inkedColumns >= 40 && light >= width * height / 2;
}

} // namespace

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
    LARGE_INTEGER freq, start, now;
    ::QueryPerformanceFrequency(&freq);
    ::QueryPerformanceCounter(&start);
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "cannot start the program (%lu)\n", ::GetLastError());
        return 1;
    }
    CSearch search = {pi.dwProcessId, argv[1], nullptr};
    double ms = -1;
    for (;;) {
        ::QueryPerformanceCounter(&now);
        double elapsed = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
        if (elapsed > timeoutMs)
            break;
        if (!search.hFound)
            ::EnumWindows(FindTop, reinterpret_cast<LPARAM>(&search));
        if (search.hFound && ShowsText(search.hFound)) {
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
