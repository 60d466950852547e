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

unsigned HankakuToZenkaku(unsigned char b)
{
    // 0xA1 ｡ to 0xDF ﾟ.
    static const unsigned short kFullWidth[0xDF - 0xA1 + 1] = {
        0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348, 0x8383, 0x8385,
        0x8387, 0x8362, 0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E, 0x8350, 0x8352,
        0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E, 0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B,
        0x836C, 0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E, 0x8380, 0x8381, 0x8382, 0x8384,
        0x8386, 0x8388, 0x8389, 0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B,
    };
    return IsHankakuKana(b) ? kFullWidth[b - 0xA1] : 0;
}
