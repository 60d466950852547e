// Shift-JIS <-> JIS / EUC-JP conversion, line by line.
#include "text/Codes.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "text/Sjis.h"

namespace {

using uchar = unsigned char;

constexpr uchar kEsc = 0x1B;
constexpr uchar kSub = 0x1A;

bool IsEscape(uchar c) { return c == kEsc || c == kSub; }

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

constexpr unsigned JisOfSjis(unsigned lead, unsigned trail)
{
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

constexpr unsigned SjisOfJis(unsigned row, unsigned cell)
{
    if (row < 0x21 || row > 0x7E || cell < 0x21 || cell > 0x7E)
        return 0;
    unsigned trail = (row & 1) ? cell + (cell >= 0x60 ? 0x20 : 0x1F) : cell + 0x7E;
    unsigned lead = ((row + 1) >> 1) + 0x70;
    if (lead >= 0xA0)
        lead += 0x40;
    return (lead << 8) | trail;
}

// The converters go through tables rather than the arithmetic: the branches of
// the arithmetic follow the text and mispredict on every other character.
// Lead bytes 0x81-0x9F and 0xE0-0xFC as rows 0..59; every other byte as row
// 60, which holds no character.
struct CLeadIndex {
    uchar index[256];
    constexpr CLeadIndex() : index()
    {
        for (unsigned b = 0; b < 256; ++b)
            index[b] = b >= 0x81 && b <= 0x9F ? static_cast<uchar>(b - 0x81)
                       : b >= 0xE0 && b <= 0xFC ? static_cast<uchar>(b - 0xE0 + 31)
                                                : 60;
    }
};
constexpr CLeadIndex kLead;

// JIS code of (lead row, trail byte); 0 when it is no pair or has no code.
struct CSjisToJisTable {
    unsigned short code[61][256];
    constexpr CSjisToJisTable() : code()
    {
        for (unsigned l = 0; l < 60; ++l)
            for (unsigned t = 0; t < 256; ++t) {
                unsigned lead = l < 31 ? 0x81 + l : 0xE0 + l - 31;
                bool trail = (t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC);
                code[l][t] = static_cast<unsigned short>(trail ? JisOfSjis(lead, t) : 0);
            }
    }
};
constexpr CSjisToJisTable kSjisToJis;

// The JIS code of the character at s[i]: 0 when it is not a double-byte
// character of JIS X 0208 (then the callers look closer, which is rare).
inline unsigned PairJis(const char* s, size_t i, size_t n)
{
    return i + 1 < n ? kSjisToJis.code[kLead.index[static_cast<uchar>(s[i])]][static_cast<uchar>(s[i + 1])] : 0;
}

// A lead byte followed, within the text, by a trail byte.
inline bool IsPairAt(const char* s, size_t i, size_t n)
{
    return i + 1 < n && IsLeadByte(static_cast<uchar>(s[i])) && IsTrailByte(static_cast<uchar>(s[i + 1]));
}

// Shift-JIS code of a JIS pair given as (row & 0x7F) << 7 | (cell & 0x7F); the
// geta mark where there is none.
struct CJisToSjisTable {
    unsigned short code[128 * 128];
    constexpr CJisToSjisTable() : code()
    {
        for (unsigned r = 0; r < 128; ++r)
            for (unsigned c = 0; c < 128; ++c) {
                unsigned s = SjisOfJis(r, c);
                code[(r << 7) | c] = static_cast<unsigned short>(s ? s : kSjisGeta);
            }
    }
};
constexpr CJisToSjisTable kJisToSjis;

} // namespace

unsigned SjisToJisCode(unsigned sjis)
{
    unsigned lead = (sjis >> 8) & 0xFF;
    unsigned trail = sjis & 0xFF;
    if (sjis > 0xFFFF || !IsLeadByte(static_cast<uchar>(lead)) || !IsTrailByte(static_cast<uchar>(trail)))
        return 0;
    return JisOfSjis(lead, trail);
}

unsigned JisToSjisCode(unsigned jis)
{
    return jis > 0xFFFF ? 0 : SjisOfJis((jis >> 8) & 0xFF, jis & 0xFF);
}

size_t SjisToJisN(char* dest, const char* src, size_t n, bool bAllowKana, bool* pbStopped)
{
    char* d = dest;
    bool bKanji = false;
    size_t i = 0;
    if (pbStopped)
        *pbStopped = false;
    while (i < n) {
        unsigned jis = PairJis(src, i, n);
        if (jis) {
            i += 2;
        } else if (IsPairAt(src, i, n)) {
            jis = kJisGeta;
            i += 2;
        } else if (IsHankakuKana(static_cast<uchar>(src[i]))) {
            if (!bAllowKana) {
                if (pbStopped)
                    *pbStopped = true;
                break;
            }
            jis = SjisToJisCode(HankakuToZenkaku(static_cast<uchar>(src[i])));
            ++i;
        } else {
            if (bKanji) {
                d = Put3(d, kJisLeaveKanji);
                bKanji = false;
            }
            *d++ = src[i++];
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
        unsigned jis = PairJis(src, i, n);
        if (jis || IsPairAt(src, i, n)) {
            d = PutCode(d, jis, 0x80);  // no code: 0x80 0x80, which our reader takes back as 〓
            i += 2;
        } else if (IsHankakuKana(static_cast<uchar>(src[i]))) {
            *d++ = '\x8E';
            *d++ = src[i++];
        } else {
            *d++ = src[i++];
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

inline char* PutSjis(char* d, unsigned sjis)
{
    d[0] = static_cast<char>(sjis >> 8);
    d[1] = static_cast<char>(sjis & 0xFF);
    return d + 2;
}

// Eight bytes at p: a word whose bytes the tests below look at all at once.
inline std::uint64_t Load8(const uchar* p)
{
    std::uint64_t x;
    std::memcpy(&x, p, 8);
    return x;
}

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighs = 0x8080808080808080ULL;

// True when some byte of x equals b.
inline bool HasByte(std::uint64_t x, uchar b)
{
    std::uint64_t y = x ^ (kOnes * b);
    return ((y - kOnes) & ~y & kHighs) != 0;
}

// Writes the four characters of the pairs in the eight bytes x (loaded from
// memory; both bytes of each pair index the table with their high bits off).
inline char* PutFourPairs(char* d, std::uint64_t x)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t out = 0;
        for (int k = 0; k < 4; ++k) {
            unsigned first = static_cast<unsigned>(x >> (16 * k)) & 0x7F;
            unsigned second = static_cast<unsigned>(x >> (16 * k + 8)) & 0x7F;
            unsigned v = kJisToSjis.code[(first << 7) | second];
            out |= static_cast<std::uint64_t>((v >> 8) | ((v & 0xFF) << 8)) << (16 * k);
        }
        std::memcpy(d, &out, 8);
        return d + 8;
    } else {
        unsigned char b[8];
        std::memcpy(b, &x, 8);
        for (int k = 0; k < 8; k += 2)
            d = PutSjis(d, kJisToSjis.code[((b[k] & 0x7Fu) << 7) | (b[k + 1] & 0x7Fu)]);
        return d;
    }
}

// A character of the supplementary set (JIS X 0212): 0x8F and two bytes of
// 0xA1-0xFE. Shift-JIS has no room for it.
inline bool IsEucSupplementary(const uchar* p, size_t i, size_t n)
{
    return p[i] == 0x8F && i + 2 < n && p[i + 1] >= 0xA1 && p[i + 1] <= 0xFE && p[i + 2] >= 0xA1 && p[i + 2] <= 0xFE;
}

// The rest of a line once the file is known to be EUC: every pair of bytes of
// 0x80 and above is one character (0x8E and a half-width katakana byte: that
// byte), and so are the three bytes of a supplementary character (counted in
// *pnSupplementary; it becomes the geta mark).
char* EucToSjis(char* d, const char* line, size_t i, size_t n, size_t* pnSupplementary)
{
    const auto* p = reinterpret_cast<const uchar*>(line);
    while (i < n) {
        // Runs of kanji and kana four characters at a time, one-byte text eight
        // bytes at a time; one character at a time where they meet.
        if (i + 8 <= n) {
            std::uint64_t x = Load8(p + i);
            std::uint64_t high = x & kHighs;
            if (high == kHighs && !HasByte(x, 0x8E) && !HasByte(x, 0x8F)) {
                d = PutFourPairs(d, x);
                i += 8;
                continue;
            }
            if (high == 0) {
                std::memcpy(d, &x, 8);
                d += 8;
                i += 8;
                continue;
            }
        }
        uchar c = p[i];
        uchar next = i + 1 < n ? p[i + 1] : 0;
        if (c < 0x80 || next < 0x80) {
            *d++ = static_cast<char>(c);
            ++i;
        } else if (c == 0x8E && IsHankakuKana(next)) {
            *d++ = static_cast<char>(next);
            i += 2;
        } else if (IsEucSupplementary(p, i, n)) {
            d = PutSjis(d, kSjisGeta);
            i += 3;
            if (pnSupplementary)
                ++*pnSupplementary;
        } else {
            d = PutSjis(d, kJisToSjis.code[((c & 0x7Fu) << 7) | (next & 0x7Fu)]);
            i += 2;
        }
    }
    return d;
}

// What an escape that designates a double-byte set (ESC $ and its final byte,
// or ESC $ ( and its final byte) leads into: JIS X 0208 for most, the
// supplementary set of JIS X 0212 for ESC $ ( D, which Shift-JIS cannot hold.
enum class EJisPairs { None, Kanji, Supplementary };
inline EJisPairs DoubleByteEscape(const char* line, size_t i, size_t n, size_t& len)
{
    if (i + 2 >= n || line[i + 1] != '$')
        return EJisPairs::None;
    if (line[i + 2] == '(' && i + 3 < n) {
        len = 4;
        return line[i + 3] == 'D' ? EJisPairs::Supplementary : EJisPairs::Kanji;
    }
    len = 3;
    return EJisPairs::Kanji;
}

// True when every byte of x lies in 0x21-0x7E: four JIS X 0208 pairs, no escape.
inline bool AllJisPairBytes(std::uint64_t x)
{
    bool below = ((x - kOnes * 0x21) & ~x & kHighs) != 0;
    bool above = (((x + kOnes * (127 - 0x7E)) | x) & kHighs) != 0;
    return !below && !above;
}

} // namespace

size_t ToSjisN(char* line, size_t n, bool& bSjisSeen, bool& bJisSeen, bool& bEuc, size_t* pnSupplementary)
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
    bool bSupplementary = false;  // the pairs are JIS X 0212 characters
    while (i < n) {
        if (bEuc)
            return static_cast<size_t>(EucToSjis(d, line, i, n, pnSupplementary) - line);
        uchar c = static_cast<uchar>(line[i]);
        uchar next = i + 1 < n ? static_cast<uchar>(line[i + 1]) : 0;
        size_t escLen = 0;
        EJisPairs pairs = IsEscape(c) ? DoubleByteEscape(line, i, n, escLen) : EJisPairs::None;
        if (pairs != EJisPairs::None) {
            bJisSeen = true;
            bKanji = true;
            bSupplementary = pairs == EJisPairs::Supplementary;
            i += escLen;
        } else if (bKanji) {
            std::uint64_t x = i + 8 <= n ? Load8(reinterpret_cast<const uchar*>(line) + i) : 0;
            if (!bSupplementary && i + 8 <= n && AllJisPairBytes(x)) {
                d = PutFourPairs(d, x);
                i += 8;
            } else if (IsEscape(c) && i + 2 < n) {
                bKanji = false;
                i += 3;
            } else if (i + 1 >= n) {
                break;  // half a pair at the end of the line
            } else if (bSupplementary) {
                d = PutSjis(d, kSjisGeta);
                i += 2;
                if (pnSupplementary)
                    ++*pnSupplementary;
            } else {
                // Bytes outside 0x21-0x7E give the geta mark, as does a pair of no character.
                unsigned sjis = ((c | next) & 0x80) ? kSjisGeta : kJisToSjis.code[(c << 7) | next];
                d = PutSjis(d, sjis);
                i += 2;
            }
        } else if (c < 0x80) {
            *d++ = static_cast<char>(c);
            ++i;
        } else if (IsLeadByte(c) && IsTrailByte(next)) {
            bSjisSeen = true;
            d[0] = static_cast<char>(c);
            d[1] = static_cast<char>(next);
            d += 2;
            i += 2;
        } else if (!bJisSeen && !bSjisSeen && next >= 0x80) {
            bEuc = true;  // this pair and the rest of the line as EUC
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
