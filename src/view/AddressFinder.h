// URLs and mail addresses in a line of text, as the painter colours them and
// the mouse opens them. A URL is "http://" (lower case only) and the run of URL
// characters after it (letters, digits and - _ . / ~ # :), so it stops at "?";
// "mailto:" is followed by a mail address or stands alone; a bare mail address
// is a local part of at least two URL characters, "@" and a domain of at least
// five that ends in a top-level domain of two or three letters.
#pragma once
#include <cstddef>
#include <string_view>

enum : int {
    kAddressNone = 0,
    kAddressUrl = 1,
    kAddressMailto = 2,  // "mailto:" and the address after it
    kAddressMail = 3,    // a bare mail address
};

struct CAddressMatch {
    int nKind = kAddressNone;
    size_t nOffset = 0;  // of its first byte in the text
    size_t nLength = 0;
};

// The first address in the text (double-byte characters are skipped whole; a
// lead byte at the end is a single byte). With nStartLimit, only addresses that
// begin before it are looked for (the painter stops at the window's edge).
CAddressMatch FindAddress(std::string_view text, size_t nStartLimit = std::string_view::npos);

// A byte an address can hold: a URL character or "@".
bool IsAddressChar(char c);

// A place at or before nCol to scan from instead of the text's start: the
// addresses that reach nCol or beyond come out the same. (Addresses are made of
// URL characters and "@" only, so a scan that starts where such a run begins
// is in the state a scan from the start would be in there.)
size_t AddressScanStart(std::string_view text, size_t nCol);

// The length of the mail address that begins the text, 0 when none does.
size_t MailAddressLength(std::string_view text);
