// Position and character-class tests of Shift-JIS text.
#include "text/Sjis.h"

#include <cstring>

namespace {

bool FirstByteByParity(const char* s, long i)
{
    if (!IsLeadByte(s[i]))
        return false;
    long run = 0;
    for (long k = i; k >= 0 && IsLeadByte(s[k]); --k)
        ++run;
    return (run & 1) != 0;
}

bool InRange(unsigned code, unsigned lo, unsigned hi) { return code >= lo && code <= hi; }

} // namespace

bool IsFirstByteAt(std::string_view s, long i)
{
    return i >= 0 && static_cast<size_t>(i) < s.size() && FirstByteByParity(s.data(), i);
}

bool IsSecondByteAt(std::string_view s, long i)
{
    return i >= 1 && static_cast<size_t>(i) < s.size() && IsFirstByteAt(s, i - 1);
}

bool IsFirstByteAt(const char* s, long i)
{
    return i >= 0 && static_cast<size_t>(i) < std::strlen(s) && FirstByteByParity(s, i);
}

bool IsSecondByteAt(const char* s, long i)
{
    return i >= 1 && static_cast<size_t>(i) < std::strlen(s) && FirstByteByParity(s, i - 1);
}

unsigned CharCodeAt(std::string_view s, long i)
{
    if (i < 0 || static_cast<size_t>(i) >= s.size() || !IsLeadByte(s[i]))
        return 0;
    unsigned code = static_cast<unsigned char>(s[i]) << 8;
    if (static_cast<size_t>(i) + 1 < s.size())
        code |= static_cast<unsigned char>(s[i + 1]);
    return code;
}

bool IsWideSpaceAt(std::string_view s, long i) { return CharCodeAt(s, i) == 0x8140; }

bool IsHiraganaAt(std::string_view s, long i)
{
    unsigned c = CharCodeAt(s, i);
    return InRange(c, 0x829F, 0x82F1) || InRange(c, 0x8152, 0x8155);
}

bool IsKatakanaAt(std::string_view s, long i)
{
    unsigned c = CharCodeAt(s, i);
    return InRange(c, 0x8340, 0x8394) || c == 0x815B;
}

bool IsWideLetterAt(std::string_view s, long i)
{
    unsigned c = CharCodeAt(s, i);
    return InRange(c, 0x8260, 0x8279) || InRange(c, 0x8281, 0x829A) || InRange(c, 0x839F, 0x83B6) ||
           InRange(c, 0x83BF, 0x83D6) || InRange(c, 0x8440, 0x8460) || InRange(c, 0x8470, 0x8491);
}

bool IsKanjiAt(std::string_view s, long i)
{
    unsigned c = CharCodeAt(s, i);
    return c >= 0x889F || c == 0x8158 || c == 0x815A;
}

bool IsWideDigitAt(std::string_view s, long i) { return InRange(CharCodeAt(s, i), 0x824F, 0x8258); }
