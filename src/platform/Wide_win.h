// Text at the Win32 boundary: the program keeps Shift-JIS bytes and calls the
// wide (W) functions, converting with its own code page 932 table, so nothing
// depends on the system's ANSI code page.
#pragma once
#include <string>
#include <string_view>

#include "text/Unicode.h"

inline std::wstring Wide(std::string_view sjis)
{
    std::u16string w = SjisToUtf16(sjis);
    return std::wstring(w.begin(), w.end());
}

inline std::string Narrow(std::wstring_view wide)
{
    return Utf16ToSjis(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

// UI strings written in the UTF-8 sources.
inline std::wstring WideFromUtf8(std::string_view utf8)
{
    std::u16string w = Utf8ToUtf16(utf8);
    return std::wstring(w.begin(), w.end());
}
