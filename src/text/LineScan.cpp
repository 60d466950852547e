// Sixteen bytes at a time where the target has SSE2 (every x86-64), else one.
#include "text/LineScan.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

inline bool EndsPlainRun(unsigned char c) { return c == '\n' || c == '\r' || c == '\t' || c == '\0'; }
inline bool IsEscapeByte(unsigned char c) { return c == 0x1B || c == 0x1A; }

} // namespace

size_t ScanLineBytes(const unsigned char* p, size_t n, bool& bHigh, bool& bEscape)
{
    size_t i = 0;
#if defined(__SSE2__)
    // Bytes up to 0x1B are the only ones that need a closer look (LF, CR, TAB,
    // NUL, SUB, ESC); the sign bits give the bytes of 0x80 and above.
    const __m128i limit = _mm_set1_epi8(0x1B);
    unsigned high = 0;
    for (; i + 16 <= n; i += 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        unsigned ctl = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(v, limit), v)));
        unsigned hi = static_cast<unsigned>(_mm_movemask_epi8(v));
        while (ctl) {
            unsigned k = static_cast<unsigned>(__builtin_ctz(ctl));
            unsigned char c = p[i + k];
            if (EndsPlainRun(c)) {
                high |= hi & ((1u << k) - 1);
                if (high)
                    bHigh = true;
                return i + k;
            }
            if (IsEscapeByte(c))
                bEscape = true;
            ctl &= ctl - 1;
        }
        high |= hi;
    }
    if (high)
        bHigh = true;
#endif
    for (; i < n; ++i) {
        unsigned char c = p[i];
        if (c <= 0x1B) {
            if (EndsPlainRun(c))
                return i;
            if (IsEscapeByte(c))
                bEscape = true;
        } else if (c >= 0x80) {
            bHigh = true;
        }
    }
    return n;
}
