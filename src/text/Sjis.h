// Byte classes of code page 932 (Shift-JIS) and the position and character-class
// tests every double-byte-aware routine rests on. Pure range checks of our own,
// so Linux and Wine agree; no OS tables.
#pragma once
#include <string_view>

// First byte of a double-byte character: 0x81-0x9F, 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
inline bool IsLeadByte(char b) { return IsLeadByte(static_cast<unsigned char>(b)); }
// Second byte: 0x40-0x7E, 0x80-0xFC.
constexpr bool IsTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }
inline bool IsTrailByte(char b) { return IsTrailByte(static_cast<unsigned char>(b)); }
// Half-width katakana (a single byte): 0xA1-0xDF.
constexpr bool IsHankakuKana(unsigned char b) { return b >= 0xA1 && b <= 0xDF; }
inline bool IsHankakuKana(char b) { return IsHankakuKana(static_cast<unsigned char>(b)); }

// Length in bytes of the character starting at s[i] (s[i] within s): 2 for a lead
// byte followed by another byte of the text, else 1. A lead byte at the end of the
// text is a single byte; the terminator is never stepped over.
inline int CharLenAt(std::string_view s, size_t i)
{
    return (IsLeadByte(s[i]) && i + 1 < s.size() && s[i + 1] != '\0') ? 2 : 1;
}

// Offset of the last single-byte character c in s, or npos: a trail byte with the
// same value (0x5C in many kanji) is never taken for it.
inline size_t LastSingleByteChar(std::string_view s, char c)
{
    size_t last = std::string_view::npos;
    for (size_t i = 0; i < s.size(); i += CharLenAt(s, i))
        if (s[i] == c)
            last = i;
    return last;
}

// True when i is below the text's length and s[i] is the first byte of a
// double-byte character, decided by parity: s[i] has a lead-byte value and the
// run of lead-valued bytes ending at i, counted back to the start, is odd.
bool IsFirstByteAt(std::string_view s, long i);
// True when i >= 1, i is below the length, and s[i-1] satisfies IsFirstByteAt.
bool IsSecondByteAt(std::string_view s, long i);
// The same for NUL-terminated strings (the length is the string's length).
bool IsFirstByteAt(const char* s, long i);
bool IsSecondByteAt(const char* s, long i);

// (s[i] << 8) | s[i+1] when s[i] has a lead-byte value, else 0; i < 0 gives 0.
// A lead byte at the end of the text gives (lead << 8), never reading past it.
unsigned CharCodeAt(std::string_view s, long i);

// Character classes of the code at i (the caller makes sure i is a first byte).
bool IsWideSpaceAt(std::string_view s, long i);   // 0x8140
bool IsHiraganaAt(std::string_view s, long i);    // 0x829F-0x82F1, 0x8152-0x8155
bool IsKatakanaAt(std::string_view s, long i);    // 0x8340-0x8394, 0x815B
bool IsWideLetterAt(std::string_view s, long i);  // Latin, Greek, Cyrillic full-width letters
bool IsKanjiAt(std::string_view s, long i);       // 0x889F and above, 0x8158, 0x815A
bool IsWideDigitAt(std::string_view s, long i);   // 0x824F-0x8258

// The full-width (double-byte) code of a half-width katakana byte, one byte at a
// time as the code page maps it (so a voicing mark stays its own character:
// ｶﾞ is カ゛); 0 for a byte that is not half-width katakana.
unsigned HankakuToZenkaku(unsigned char b);
