// Whole numbers of dialog fields.
#include "fw/NumberField.h"

#include <limits>

namespace {

// Shift-JIS full-width blank and digits ０..９.
constexpr unsigned char kWideLead = 0x81;
constexpr unsigned char kWideBlank = 0x40;
constexpr unsigned char kDigitLead = 0x82;
constexpr unsigned char kDigitZero = 0x4F;

bool IsBlankAt(std::string_view s, size_t i, size_t& n)
{
    auto c = static_cast<unsigned char>(s[i]);
    if (c == ' ' || c == '\t') {
        n = 1;
        return true;
    }
    if (c == kWideLead && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) == kWideBlank) {
        n = 2;
        return true;
    }
    return false;
}

// The digit at i (0-9) and its length, or -1.
int DigitAt(std::string_view s, size_t i, size_t& n)
{
    auto c = static_cast<unsigned char>(s[i]);
    if (c >= '0' && c <= '9') {
        n = 1;
        return c - '0';
    }
    if (c == kDigitLead && i + 1 < s.size()) {
        int d = static_cast<unsigned char>(s[i + 1]) - kDigitZero;
        if (d >= 0 && d <= 9) {
            n = 2;
            return d;
        }
    }
    return -1;
}

} // namespace

bool ParseNumberField(std::string_view text, int& nValue)
{
    size_t i = 0, n = 0;
    while (i < text.size() && IsBlankAt(text, i, n))
        i += n;
    bool bNegative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        bNegative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    bool bDigits = false;
    const long long limit = bNegative ? -static_cast<long long>(std::numeric_limits<int>::min())
                                      : std::numeric_limits<int>::max();
    for (int d; i < text.size() && (d = DigitAt(text, i, n)) >= 0; i += n) {
        value = value * 10 + d;
        if (value > limit)
            return false;
        bDigits = true;
    }
    while (i < text.size() && IsBlankAt(text, i, n))
        i += n;
    if (!bDigits || i != text.size())
        return false;
    nValue = static_cast<int>(bNegative ? -value : value);
    return true;
}
