// Watching another program's windows from outside, the way a user sees them:
// its windows found by class, and the screen's pixels over one of them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A visible window of class pszClass, at least 40 by 40 pixels, inside a
// visible top-level window of the process; nullptr while there is none.
HWND FindProcessWindow(DWORD dwProcess, const wchar_t* pszClass);

// Whether the first lines of the window's client area show text: a light
// background with dark pixels in many pixel columns.
bool ShowsText(HWND hWnd);

// The window's client area as the screen shows it, 32 bits a pixel (its top
// left corner only, when limited).
struct CScreenShot {
    int nWidth = 0;
    int nHeight = 0;
    std::vector<uint32_t> pixels;
};
CScreenShot CaptureClient(HWND hWnd, int nMaxWidth = 1 << 16, int nMaxHeight = 1 << 16);

// How many pixel columns differ between two shots of the same window (all of
// them when the sizes differ). A blinking caret changes one or two.
int DifferingColumns(const CScreenShot& a, const CScreenShot& b);

// Milliseconds from a fixed start.
class CStopwatch {
public:
    CStopwatch();
    void Restart();
    double Ms() const;

private:
    LARGE_INTEGER m_start;
    LARGE_INTEGER m_freq;
};

// A window's text, through GetWindowTextW (which reads another process's
// window text without waiting for that process).
std::wstring WindowText(HWND hWnd);
