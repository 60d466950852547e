// Case folding, trimming and character units.
#include "services/TextUtils.h"

#include "text/Sjis.h"

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i]))
            return false;
    return true;
}

size_t FindNoCase(std::string_view text, std::string_view word)
{
    for (size_t i = 0; i + word.size() <= text.size(); ++i)
        if (EqualsNoCase(text.substr(i, word.size()), word))
            return i;
    return std::string_view::npos;
}

std::string UpperCaseAscii(std::string_view text)
{
    std::string upper(text);
    for (size_t i = 0; i < upper.size(); i += CharUnitAt(upper, i))
        upper[i] = AsciiUpper(upper[i]);
    return upper;
}

std::string_view TrimOf(std::string_view text, const char* chars)
{
    size_t first = text.find_first_not_of(chars);
    if (first == std::string_view::npos)
        return std::string_view();
    return text.substr(first, text.find_last_not_of(chars) - first + 1);
}

size_t CharUnitAt(std::string_view text, size_t i)
{
    return (IsLeadByte(text[i]) && i + 1 < text.size() && IsTrailByte(text[i + 1])) ? 2 : 1;
}
