// Conversion between code page 932 and Unicode by the core itself (the table is
// generated from iconv by scripts/gen-cp932-table.py), so UI strings written in
// UTF-8 sources, the clipboard and the Win32 boundary need no OS code page.
#pragma once
#include <string>
#include <string_view>

// Unicode of a single byte (code < 0x100) or of a double-byte code (lead << 8 | trail);
// 0 when code page 932 has none.
char16_t Cp932ToUnicode(unsigned code);
// The code page 932 code of a character (a byte value or lead << 8 | trail); 0 when none.
unsigned UnicodeToCp932(char16_t ch);

// Shift-JIS to UTF-16 / UTF-8. An unmapped pair or a lead byte without a trail
// byte becomes U+30FB (the code page's default character).
std::u16string SjisToUtf16(std::string_view sjis);
std::string SjisToUtf8(std::string_view sjis);
// UTF-16 / UTF-8 to Shift-JIS; a character without a code becomes '?'.
std::string Utf16ToSjis(std::u16string_view text);
std::string Utf8ToSjis(std::string_view utf8);
// UTF-8 <-> UTF-16 (invalid UTF-8 bytes become U+FFFD).
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view text);
