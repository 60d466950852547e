// Small helpers on Shift-JIS byte strings shared by the mail and service code:
// ASCII case folding that never touches the second byte of a double-byte
// character, trimming, and the length of the character at a position.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// a and b equal but for the case of ASCII letters.
bool EqualsNoCase(std::string_view a, std::string_view b);
// The offset of the first occurrence of word in text without regard to the
// case of ASCII letters, or npos.
size_t FindNoCase(std::string_view text, std::string_view word);
// The text with its one-byte letters in upper case.
std::string UpperCaseAscii(std::string_view text);
// The text without the given bytes at either end.
std::string_view TrimOf(std::string_view text, const char* chars = " \t");
// Bytes of the character at i: 2 for a lead byte followed by a proper second
// byte, else 1 (a broken pair is two characters).
size_t CharUnitAt(std::string_view text, size_t i);
