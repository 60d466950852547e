#include "ScreenWatch.h"

#include <algorithm>

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

} // namespace

HWND FindProcessWindow(DWORD dwProcess, const wchar_t* pszClass)
{
    CSearch search = {dwProcess, pszClass, nullptr};
    ::EnumWindows(FindTop, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

CScreenShot CaptureClient(HWND hWnd, int nMaxWidth, int nMaxHeight)
{
    CScreenShot shot;
    RECT rc = {};
    if (!::GetClientRect(hWnd, &rc) || rc.right <= 0 || rc.bottom <= 0)
        return shot;
    POINT origin = {0, 0};
    ::ClientToScreen(hWnd, &origin);
    shot.nWidth = std::min<int>(rc.right, nMaxWidth);
    shot.nHeight = std::min<int>(rc.bottom, nMaxHeight);
    HDC hdcScreen = ::GetDC(nullptr);
    HDC hdcMem = ::CreateCompatibleDC(hdcScreen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = shot.nWidth;
    bi.bmiHeader.biHeight = -shot.nHeight;  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(hdcMem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (hBitmap) {
        HGDIOBJ old = ::SelectObject(hdcMem, hBitmap);
        ::BitBlt(hdcMem, 0, 0, shot.nWidth, shot.nHeight, hdcScreen, origin.x, origin.y, SRCCOPY);
        ::GdiFlush();
        const auto* p = static_cast<const uint32_t*>(bits);
        shot.pixels.assign(p, p + static_cast<size_t>(shot.nWidth) * shot.nHeight);
        ::SelectObject(hdcMem, old);
        ::DeleteObject(hBitmap);
    } else {
        shot.nWidth = shot.nHeight = 0;
    }
    ::DeleteDC(hdcMem);
    ::ReleaseDC(nullptr, hdcScreen);
    return shot;
}

// A light background (not the dark screen behind a window not yet drawn) with
// dark pixels in many pixel columns (a caret alone is one or two), looked at
// in the first lines only.
bool ShowsText(HWND hWnd)
{
    CScreenShot shot = CaptureClient(hWnd, 400, 60);
    int width = shot.nWidth, height = shot.nHeight;
    int inkedColumns = 0, light = 0;
    for (int x = 0; x < width; ++x) {
        bool inked = false;
        for (int y = 0; y < height; ++y) {
            uint32_t c = shot.pixels[static_cast<size_t>(y) * shot.nWidth + x];
            int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
            if (r < 80 && g < 80 && b < 80)
                inked = true;
            else if (r > 200 && g > 200 && b > 200)
                ++light;
        }
        inkedColumns += inked ? 1 : 0;
    }
    return width > 0 && inkedColumns >= 40 && light >= width * height / 2;
}

int DifferingColumns(const CScreenShot& a, const CScreenShot& b)
{
    if (a.nWidth != b.nWidth || a.nHeight != b.nHeight)
        return std::max(a.nWidth, b.nWidth);
    int n = 0;
    for (int x = 0; x < a.nWidth; ++x)
        for (int y = 0; y < a.nHeight; ++y) {
            size_t i = static_cast<size_t>(y) * a.nWidth + x;
            if ((a.pixels[i] & 0xFFFFFF) != (b.pixels[i] & 0xFFFFFF)) {
                ++n;
                break;
            }
        }
    return n;
}

CStopwatch::CStopwatch()
{
    ::QueryPerformanceFrequency(&m_freq);
    Restart();
}

void CStopwatch::Restart() { ::QueryPerformanceCounter(&m_start); }

double CStopwatch::Ms() const
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - m_start.QuadPart) / static_cast<double>(m_freq.QuadPart);
}

std::wstring WindowText(HWND hWnd)
{
    wchar_t text[1024] = {};
    ::GetWindowTextW(hWnd, text, 1024);
    return text;
}
