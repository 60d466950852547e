// Shift-JIS <-> JIS / EUC-JP conversion, line by line.
#include "text/Codes.h"

#include <cstring>

#include "text/Sjis.h"

namespace {

using uchar = unsigned char;

constexpr uchar kEsc = 0x1B;
constexpr uchar kSub = 0x1A;

bool IsEscape(uchar c) { return c == kEsc || c == kSub; }

// A lead byte followed, within the text, by a trail byte: one double-byte
// character. Anything else is a single byte (a lone lead byte included).
bool IsPairAt(const char* s, size_t i, size_t n)
{
    return i + 1 < n && IsLeadByte(static_cast<uchar>(s[i])) && IsTrailByte(static_cast<uchar>(s[i + 1]));
}

char* Put3(char* d, const char* seq)
{
    d[0] = seq[0];
    d[1] = seq[1];
    d[2] = seq[2];
    return d + 3;
}

char* PutCode(char* d, unsigned code, uchar highBits)
{
    d[0] = static_cast<char>(((code >> 8) & 0xFF) | highBits);
    d[1] = static_cast<char>((code & 0xFF) | highBits);
    return d + 2;
}

} // namespace

unsigned SjisToJisCode(unsigned sjis)
{
    unsigned lead = (sjis >> 8) & 0xFF;
    unsigned trail = sjis & 0xFF;
    if (!IsLeadByte(static_cast<uchar>(lead)) || !IsTrailByte(static_cast<uchar>(trail)))
        return 0;
    if (lead >= 0xE0)
        lead -= 0x40;
    unsigned row = (lead - 0x81) * 2 + 0x21;
    unsigned cell;
    if (trail >= 0x9F) {
        ++row;
        cell = trail - 0x7E;
    } else {
        cell = trail - (trail >= 0x80 ? 0x20 : 0x1F);
    }
    if (row < 0x21 || row > 0x7E || cell < 0x21 || cell > 0x7E)
        return 0;
    return (row << 8) | cell;
}

unsigned JisToSjisCode(unsigned jis)
{
    unsigned row = (jis >> 8) & 0xFF;
    unsigned cell = jis & 0xFF;
    if (jis > 0xFFFF || row < 0x21 || row > 0x7E || cell < 0x21 || cell > 0x7E)
        return 0;
    unsigned trail;
    if (row & 1)
        trail = cell + (cell >= 0x60 ? 0x20 : 0x1F);
    else
        trail = cell + 0x7E;
    unsigned lead = ((row + 1) >> 1) + 0x70;
    if (lead >= 0xA0)
        lead += 0x40;
    return (lead << 8) | trail;
}

size_t SjisToJisN(char* dest, const char* src, size_t n, bool bAllowKana, bool* pbStopped)
{
    char* d = dest;
    bool bKanji = false;
    size_t i = 0;
    if (pbStopped)
        *pbStopped = false;
    while (i < n) {
        uchar c = static_cast<uchar>(src[i]);
        unsigned jis;
        if (c < 0x80) {
            // The common case: a run of one-byte text.
            if (bKanji) {
                d = Put3(d, kJisLeaveKanji);
                bKanji = false;
            }
            size_t start = i;
            while (i < n && static_cast<uchar>(src[i]) < 0x80)
                ++i;
            std::memcpy(d, src + start, i - start);
            d += i - start;
            continue;
        }
        if (IsPairAt(src, i, n)) {
            jis = SjisToJisCode((static_cast<unsigned>(c) << 8) | static_cast<uchar>(src[i + 1]));
            if (jis == 0)
                jis = kJisGeta;
            i += 2;
        } else if (IsHankakuKana(c)) {
            if (!bAllowKana) {
                if (pbStopped)
                    *pbStopped = true;
                break;
            }
            jis = SjisToJisCode(HankakuToZenkaku(c));
            ++i;
        } else {
            if (bKanji) {
                d = Put3(d, kJisLeaveKanji);
                bKanji = false;
            }
            *d++ = static_cast<char>(c);
            ++i;
            continue;
        }
        if (!bKanji) {
            d = Put3(d, kJisEnterKanji);
            bKanji = true;
        }
        d = PutCode(d, jis, 0);
    }
    if (bKanji)
        d = Put3(d, kJisLeaveKanji);
    return static_cast<size_t>(d - dest);
}

bool SjisToJis(char* dest, const char* src, bool bAllowKana)
{
    bool bStopped = false;
    size_t len = SjisToJisN(dest, src, std::strlen(src), bAllowKana, &bStopped);
    dest[len] = '\0';
    return !bStopped;
}

size_t SjisToEucN(char* dest, const char* src, size_t n)
{
    char* d = dest;
    size_t i = 0;
    while (i < n) {
        uchar c = static_cast<uchar>(src[i]);
        if (c < 0x80) {
            size_t start = i;
            while (i < n && static_cast<uchar>(src[i]) < 0x80)
                ++i;
            std::memcpy(d, src + start, i - start);
            d += i - start;
        } else if (IsPairAt(src, i, n)) {
            unsigned jis = SjisToJisCode((static_cast<unsigned>(c) << 8) | static_cast<uchar>(src[i + 1]));
            d = PutCode(d, jis, 0x80);  // no code: 0x80 0x80, which our reader takes back as 〓
            i += 2;
        } else if (IsHankakuKana(c)) {
            *d++ = '\x8E';
            *d++ = static_cast<char>(c);
            ++i;
        } else {
            *d++ = static_cast<char>(c);
            ++i;
        }
    }
    return static_cast<size_t>(d - dest);
}

void SjisToEuc(char* dest, const char* src)
{
    size_t len = SjisToEucN(dest, src, std::strlen(src));
    dest[len] = '\0';
}

namespace {

// The Shift-JIS bytes of an EUC pair (both bytes 0x80 or above), written at d.
char* EucPairToSjis(char* d, uchar b1, uchar b2)
{
    if (b1 == 0x8E && IsHankakuKana(b2)) {
        *d++ = static_cast<char>(b2);
        return d;
    }
    unsigned sjis = JisToSjisCode(((b1 & 0x7Fu) << 8) | (b2 & 0x7Fu));
    return PutCode(d, sjis ? sjis : kSjisGeta, 0);
}

} // namespace

size_t ToSjisN(char* line, size_t n, bool& bSjisSeen, bool& bJisSeen, bool& bEuc)
{
    // Skip the leading part that no rule changes.
    size_t i = 0;
    bool bHighMatters = bEuc || !bSjisSeen;
    while (i < n) {
        uchar c = static_cast<uchar>(line[i]);
        if (IsEscape(c) || (c >= 0x80 && bHighMatters))
            break;
        ++i;
    }
    if (i == n)
        return n;

    char* d = line + i;
    bool bKanji = false;
    while (i < n) {
        uchar c = static_cast<uchar>(line[i]);
        uchar next = i + 1 < n ? static_cast<uchar>(line[i + 1]) : 0;
        if (bEuc) {
            if (c >= 0x80 && next >= 0x80) {
                d = EucPairToSjis(d, c, next);
                i += 2;
            } else {
                *d++ = static_cast<char>(c);
                ++i;
            }
        } else if (!bKanji && IsEscape(c) && next == '$' && i + 2 < n) {
            bJisSeen = true;
            bKanji = true;
            i += 3;
        } else if (bKanji && IsEscape(c) && i + 2 < n) {
            bKanji = false;
            i += 3;
        } else if (bKanji) {
            if (i + 1 >= n)
                break;  // half a pair at the end of the line
            unsigned sjis = JisToSjisCode((static_cast<unsigned>(c) << 8) | next);
            d = PutCode(d, sjis ? sjis : kSjisGeta, 0);
            i += 2;
        } else if (IsLeadByte(c) && IsTrailByte(next)) {
            bSjisSeen = true;
            d[0] = static_cast<char>(c);
            d[1] = static_cast<char>(next);
            d += 2;
            i += 2;
        } else if (!bJisSeen && !bSjisSeen && c >= 0x80 && next >= 0x80) {
            bEuc = true;
            d = EucPairToSjis(d, c, next);
            i += 2;
        } else {
            *d++ = static_cast<char>(c);
            ++i;
        }
    }
    return static_cast<size_t>(d - line);
}

char* ToSjis(char* line, bool& bSjisSeen, bool& bJisSeen, bool& bEuc)
{
    size_t len = ToSjisN(line, std::strlen(line), bSjisSeen, bJisSeen, bEuc);
    line[len] = '\0';
    return line;
}

int CompareTail(const char* a, const char* b, int n)
{
    long ia = static_cast<long>(std::strlen(a)) - 1;
    long ib = static_cast<long>(std::strlen(b)) - 1;
    for (int k = 0; k < n; ++k, --ia, --ib) {
        if (ia < 0 || ib < 0)
            return static_cast<int>(ia - ib);
        if (a[ia] != b[ib])
            return static_cast<signed char>(a[ia]) - static_cast<signed char>(b[ib]);
    }
    return 0;
}

int CompareStringPtrs(const void* a, const void* b)
{
    return std::strcmp(*static_cast<const char* const*>(a), *static_cast<const char* const*>(b));
}
