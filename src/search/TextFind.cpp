// Double-byte-aware plain text search within a line.
#include "search/TextFind.h"

#include "text/Sjis.h"

namespace {

inline unsigned char Byte(std::string_view s, size_t i) { return static_cast<unsigned char>(s[i]); }
inline unsigned char Fold(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c | 0x20) : c; }

// Does needle compare equal at pos (a boundary), its end a boundary too? In
// caseless mode only single-byte characters fold: a trail byte never does.
bool EqualAt(std::string_view line, size_t pos, std::string_view needle, bool bCaseless)
{
    if (pos + needle.size() > line.size())
        return false;
    size_t i = 0;
    while (i < needle.size()) {
        int len = CharLenAt(needle, i);
        if (len == 2) {
            if (line[pos + i] != needle[i] || line[pos + i + 1] != needle[i + 1])
                return false;
        } else {
            unsigned char a = Byte(line, pos + i);
            unsigned char b = Byte(needle, i);
            if (a != b && !(bCaseless && Fold(a) == Fold(b) && Fold(a) >= 'a' && Fold(a) <= 'z'))
                return false;
        }
        i += static_cast<size_t>(len);
    }
    // The needle's last character may be a lone lead byte that lies on the first
    // half of a double-byte character of the line.
    return IsBoundaryFrom(line, static_cast<long>(pos), static_cast<long>(pos + needle.size()));
}

} // namespace

bool IsBoundaryFrom(std::string_view line, long from, long pos)
{
    if (pos <= from)
        return pos == from;
    // The lead-valued bytes just before pos pair up from the first of them (the
    // byte before that run ends a character); an odd run leaves pos - 1 as the
    // first byte of a pair, unless it is the last byte of the line.
    long k = pos - 1;
    while (k >= from && IsLeadByte(line[static_cast<size_t>(k)]))
        --k;
    return ((pos - 1 - k) & 1) == 0 || static_cast<size_t>(pos) >= line.size() || line[static_cast<size_t>(pos)] == 0;
}

void CollectBoundaries(std::string_view line, long last, std::vector<long>* pBoundaries)
{
    pBoundaries->clear();
    long i = 0;
    while (i < last) {
        pBoundaries->push_back(i);
        i += CharLenAt(line, static_cast<size_t>(i));
    }
    if (i == last)
        pBoundaries->push_back(i);
}

long FindTextForward(std::string_view line, long start, std::string_view needle, bool bCaseless)
{
    if (start < 0 || static_cast<size_t>(start) > line.size())
        return -1;
    if (bCaseless) {
        for (size_t i = static_cast<size_t>(start); i + needle.size() <= line.size(); i += CharLenAt(line, i)) {
            if (EqualAt(line, i, needle, true))
                return static_cast<long>(i);
            if (i == line.size())
                break;
        }
        return -1;
    }
    // Byte search, then keep only hits on boundaries. A hit inside a character
    // moves the known boundary on to just after that character.
    long from = start;
    size_t at = static_cast<size_t>(start);
    for (;;) {
        size_t hit = line.find(needle, at);
        if (hit == std::string_view::npos)
            return -1;
        long h = static_cast<long>(hit);
        if (IsBoundaryFrom(line, from, h)) {
            if (EqualAt(line, hit, needle, false))
                return h;
            at = hit + static_cast<size_t>(CharLenAt(line, hit));
            from = static_cast<long>(at);
        } else {
            // h is the trail byte of a pair: the byte after it is a boundary.
            from = h + 1;
            at = hit + 1;
        }
    }
}

long FindTextBackward(std::string_view line, long start, std::string_view needle, bool bCaseless)
{
    if (start < 0)
        return -1;
    if (static_cast<size_t>(start) > line.size())
        start = static_cast<long>(line.size());
    // Stepping back over whole characters needs the boundaries from the start of
    // the line; finding forward and keeping the last hit visits each byte once.
    long found = -1;
    long pos = 0;
    while (pos <= start) {
        long hit = FindTextForward(line, pos, needle, bCaseless);
        if (hit < 0 || hit > start)
            break;
        found = hit;
        if (static_cast<size_t>(hit) >= line.size())
            break;
        pos = hit + CharLenAt(line, static_cast<size_t>(hit));
    }
    return found;
}
