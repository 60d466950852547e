// Code page 932 <-> Unicode through the generated table.
#include "text/Unicode.h"

#include <algorithm>

#include "text/Sjis.h"

namespace {
#include "text/Cp932Table.inc"

constexpr char16_t kDefaultChar = 0x30FB;

int DoubleIndex(unsigned lead, unsigned trail)
{
    int row = lead <= 0x9F ? static_cast<int>(lead) - 0x81 : static_cast<int>(lead) - 0xE0 + 31;
    return row * 189 + static_cast<int>(trail) - 0x40;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i]; advances i. Malformed input gives U+FFFD.
char32_t DecodeUtf8(std::string_view s, size_t& i)
{
    unsigned char b = static_cast<unsigned char>(s[i++]);
    if (b < 0x80)
        return b;
    int extra = b >= 0xF0 && b < 0xF8 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : -1;
    if (extra < 0 || (extra == 3 && b >= 0xF8))
        return 0xFFFD;
    char32_t c = b & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80)
            return 0xFFFD;
        c = (c << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return c;
}

void AppendSjis(std::string& out, char16_t ch)
{
    unsigned code = UnicodeToCp932(ch);
    if (code == 0 && ch != 0)
        out += '?';
    else if (code > 0xFF) {
        out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
    } else
        out += static_cast<char>(code);
}

} // namespace

char16_t Cp932ToUnicode(unsigned code)
{
    if (code < 0x100)
        return kCp932Single[code];
    unsigned lead = code >> 8, trail = code & 0xFF;
    if (!IsLeadByte(static_cast<unsigned char>(lead)) || trail < 0x40 || trail > 0xFC)
        return 0;
    return kCp932Double[DoubleIndex(lead, trail)];
}

unsigned UnicodeToCp932(char16_t ch)
{
    const Cp932Pair* end = kUnicodeToCp932 + sizeof kUnicodeToCp932 / sizeof kUnicodeToCp932[0];
    const Cp932Pair* p =
        std::lower_bound(kUnicodeToCp932, end, ch, [](const Cp932Pair& e, char16_t c) { return e.wch < c; });
    return (p != end && p->wch == ch) ? p->code : 0;
}

std::u16string SjisToUtf16(std::string_view sjis)
{
    std::u16string out;
    out.reserve(sjis.size());
    for (size_t i = 0; i < sjis.size();) {
        unsigned char b = static_cast<unsigned char>(sjis[i]);
        if (IsLeadByte(b)) {
            if (i + 1 < sjis.size()) {
                char16_t u = Cp932ToUnicode((b << 8) | static_cast<unsigned char>(sjis[i + 1]));
                out += u ? u : kDefaultChar;
                i += 2;
            } else {
                out += kDefaultChar;
                ++i;
            }
        } else {
            char16_t u = kCp932Single[b];
            out += (u || b == 0) ? u : kDefaultChar;
            ++i;
        }
    }
    return out;
}

std::string SjisToUtf8(std::string_view sjis)
{
    std::u16string wide = SjisToUtf16(sjis);
    return Utf16ToUtf8(wide);
}

std::string Utf16ToSjis(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (char16_t ch : text)
        AppendSjis(out, ch);
    return out;
}

std::string Utf8ToSjis(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            out += utf8[i++];
            continue;
        }
        char32_t c = DecodeUtf8(utf8, i);
        AppendSjis(out, c > 0xFFFF ? char16_t(0xFFFD) : static_cast<char16_t>(c));
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t c = DecodeUtf8(utf8, i);
        if (c > 0xFFFF) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else
            out += static_cast<char16_t>(c);
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size() * 3);
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        AppendUtf8(out, c);
    }
    return out;
}
