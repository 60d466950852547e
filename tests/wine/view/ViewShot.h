// The pixels of a window's client area as the screen shows them, with tests of
// what lies in a cell of the view's grid, and a BMP file of them to look at.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class CViewShot {
public:
    explicit CViewShot(HWND hWnd);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    // 0x00RRGGBB
    uint32_t At(int x, int y) const { return m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_nWidth) + static_cast<size_t>(x)]; }
    bool operator==(const CViewShot& other) const { return m_pixels == other.m_pixels; }
    // Pixels in the rectangle for which pred holds.
    template <class F>
    int Count(int left, int top, int right, int bottom, F pred) const
    {
        int n = 0;
        for (int y = std::max(top, 0); y < std::min(bottom, m_nHeight); ++y)
            for (int x = std::max(left, 0); x < std::min(right, m_nWidth); ++x)
                n += pred(At(x, y)) ? 1 : 0;
        return n;
    }
    // Writes the picture as view-shots/<name>.bmp under the working folder.
    void Save(const std::string& name) const;

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<uint32_t> m_pixels;
};

// Colour classes of a pixel (text is anti-aliased: only clear cases count).
inline int Red(uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }
inline int Green(uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int Blue(uint32_t c) { return static_cast<int>(c & 0xFF); }
inline bool IsDark(uint32_t c) { return Red(c) < 96 && Green(c) < 96 && Blue(c) < 96; }
inline bool IsBlueInk(uint32_t c) { return Blue(c) > 160 && Red(c) < 96 && Green(c) < 96; }
inline bool IsWhite(uint32_t c) { return c == 0xFFFFFF; }
