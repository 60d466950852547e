// A run of Shift-JIS bytes as the platform's text output takes it: one UTF-16
// unit a character (the code page's default character where it has none) and
// an advance of one cell a byte, so a double-byte character covers two cells
// whatever the font's own glyph widths are.
#pragma once
#include <cstddef>
#include <string_view>

#include "text/Sjis.h"
#include "text/Unicode.h"

// Fills pUnits and pAdvances (room for text.size() entries each); the count of
// units. A lead byte at the end of the text is a character of one byte.
template <class TUnit, class TAdvance>
size_t ToGlyphRun(std::string_view text, int nCellWidth, TUnit* pUnits, TAdvance* pAdvances)
{
    constexpr char16_t kDefaultChar = 0x30FB;
    size_t n = 0;
    for (size_t i = 0; i < text.size();) {
        int len = CharLenAt(text, i);
        unsigned code = static_cast<unsigned char>(text[i]);
        if (len == 2)
            code = (code << 8) | static_cast<unsigned char>(text[i + 1]);
        char16_t unit = Cp932ToUnicode(code);
        pUnits[n] = static_cast<TUnit>(unit != 0 || code == 0 ? unit : kDefaultChar);
        pAdvances[n] = static_cast<TAdvance>(len * nCellWidth);
        ++n;
        i += static_cast<size_t>(len);
    }
    return n;
}
