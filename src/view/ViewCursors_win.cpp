// The view's mouse pointers.
#include "view/ViewCursors_win.h"

#include <cmath>

#include "view/ViewHost_win.h"

namespace {

constexpr int kSize = 32;
constexpr int kBytesPerRow = kSize / 8;

// A magnifying glass drawn into a monochrome cursor: a white lens in a black
// ring, and a black handle towards the lower right; the hot spot is the lens's
// centre.
HCURSOR MakeMagnifier()
{
    BYTE andMask[kSize * kBytesPerRow], xorMask[kSize * kBytesPerRow];
    constexpr double cx = 11.5, cy = 11.5;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            double d = std::hypot(x - cx, y - cy);
            bool lens = d <= 7.0;
            bool ring = d > 7.0 && d <= 9.5;
            // The handle: a thick stroke along the diagonal beyond the ring.
            bool handle = x >= 17 && y >= 17 && x <= 27 && y <= 27 && std::abs(x - y) <= 2;
            bool transparent = !(lens || ring || handle);
            bool white = lens;
            int byte = y * kBytesPerRow + x / 8;
            BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
            if (x % 8 == 0) {
                andMask[byte] = 0;
                xorMask[byte] = 0;
            }
            if (transparent)
                andMask[byte] |= bit;
            if (white)
                xorMask[byte] |= bit;
        }
    }
    return ::CreateCursor(::GetModuleHandleW(nullptr), 11, 11, kSize, kSize, andMask, xorMask);
}

} // namespace

HCURSOR ViewCursor(EViewCursor kind)
{
    switch (kind) {
    case EViewCursor::Address: {
        static HCURSOR s_hMagnifier = MakeMagnifier();
        return s_hMagnifier ? s_hMagnifier : ::LoadCursorW(nullptr, IDC_ARROW);
    }
    case EViewCursor::Scroll: return ::LoadCursorW(nullptr, IDC_SIZENS);
    case EViewCursor::Pointer: break;
    }
    // The pointer the user chose ("PointerName").
    HCURSOR hPointer = ViewHost() ? ViewHost()->PointerCursor() : nullptr;
    return hPointer ? hPointer : ::LoadCursorW(nullptr, IDC_ARROW);
}
