// Finding URLs and mail addresses.
#include "view/AddressFinder.h"

#include <algorithm>

#include "text/Sjis.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsUrlChar(char c)
{
    return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == '/' || c == '~' ||
           c == '#' || c == ':';
}

size_t UrlRunEnd(std::string_view s, size_t i)
{
    while (i < s.size() && IsUrlChar(s[i]))
        ++i;
    return i;
}

// The length of the domain that begins at d, 0 when the run there is none.
size_t DomainLength(std::string_view s, size_t d)
{
    size_t n = UrlRunEnd(s, d) - d;
    if (n < 5 || s[d] == '.' || s.substr(d + 1, n - 1).find('.') == std::string_view::npos)
        return 0;
    std::string_view dom = s.substr(d, n);
    char last = dom[n - 1], second = dom[n - 2], third = dom[n - 3], fourth = dom[n - 4];
    if (!IsAsciiLetter(last) || !IsAsciiLetter(second))
        return 0;
    return (third == '.' || (IsAsciiLetter(third) && fourth == '.')) ? n : 0;
}

// The length of a mail address whose local part is the URL run [p, runEnd).
size_t MailLength(std::string_view s, size_t p, size_t runEnd)
{
    if (runEnd - p < 2 || runEnd >= s.size() || s[runEnd] != '@')
        return 0;
    size_t dom = DomainLength(s, runEnd + 1);
    return dom ? runEnd - p + 1 + dom : 0;
}

bool StartsWithAt(std::string_view s, size_t p, std::string_view what) { return s.substr(p, what.size()) == what; }

} // namespace

bool IsAddressChar(char c) { return IsUrlChar(c) || c == '@'; }

size_t AddressScanStart(std::string_view s, size_t nCol)
{
    size_t i = std::min(nCol, s.size());
    while (i > 0 && IsAddressChar(s[i - 1]))
        --i;
    // On the second byte of a character: from its first byte, which the scan
    // steps over whole.
    if (IsSecondByteAt(s, static_cast<long>(i)))
        --i;
    return i;
}

size_t MailAddressLength(std::string_view text) { return MailLength(text, 0, UrlRunEnd(text, 0)); }

CAddressMatch FindAddress(std::string_view s, size_t nStartLimit)
{
    size_t i = 0;
    while (i < s.size() && i < nStartLimit) {
        if (!IsUrlChar(s[i])) {
            i += static_cast<size_t>(CharLenAt(s, i));
            continue;
        }
        // Every address lies in (or, for a mail address, begins with) a run of
        // URL characters; the mail test at its first byte holds for the run.
        size_t runEnd = UrlRunEnd(s, i);
        size_t mail = MailLength(s, i, runEnd);
        for (size_t p = i; p < runEnd && p < nStartLimit; ++p) {
            if (StartsWithAt(s, p, "http://"))
                return {kAddressUrl, p, runEnd - p};
            if (StartsWithAt(s, p, "mailto:"))
                return {kAddressMailto, p, 7 + MailAddressLength(s.substr(p + 7))};
            if (mail && p == i)
                return {kAddressMail, p, mail};
        }
        i = runEnd;
    }
    return {};
}
