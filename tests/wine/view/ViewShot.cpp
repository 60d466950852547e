// Screenshots of a window's client area.
#include "ViewShot.h"

#include <cstdio>
#include <filesystem>

CViewShot::CViewShot(HWND hWnd)
{
    RECT rc = {};
    ::GetClientRect(hWnd, &rc);
    m_nWidth = rc.right;
    m_nHeight = rc.bottom;
    m_pixels.assign(static_cast<size_t>(m_nWidth) * static_cast<size_t>(m_nHeight), 0);
    HDC hdcWnd = ::GetDC(hWnd);
    HDC hdcMem = ::CreateCompatibleDC(hdcWnd);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = m_nWidth;
    bi.bmiHeader.biHeight = -m_nHeight;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(hdcMem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (hBitmap && bits) {
        HGDIOBJ old = ::SelectObject(hdcMem, hBitmap);
        ::BitBlt(hdcMem, 0, 0, m_nWidth, m_nHeight, hdcWnd, 0, 0, SRCCOPY);
        ::GdiFlush();
        const auto* p = static_cast<const uint32_t*>(bits);
        for (size_t i = 0; i < m_pixels.size(); ++i)
            m_pixels[i] = p[i] & 0xFFFFFF;
        ::SelectObject(hdcMem, old);
        ::DeleteObject(hBitmap);
    }
    ::DeleteDC(hdcMem);
    ::ReleaseDC(hWnd, hdcWnd);
}

void CViewShot::Save(const std::string& name) const
{
    std::filesystem::create_directories("view-shots");
    std::FILE* f = std::fopen(("view-shots/" + name + ".bmp").c_str(), "wb");
    if (!f)
        return;
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof ih;
    ih.biWidth = m_nWidth;
    ih.biHeight = -m_nHeight;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    ih.biCompression = BI_RGB;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(m_pixels.size() * 4);
    std::fwrite(&fh, sizeof fh, 1, f);
    std::fwrite(&ih, sizeof ih, 1, f);
    std::fwrite(m_pixels.data(), 4, m_pixels.size(), f);
    std::fclose(f);
}
