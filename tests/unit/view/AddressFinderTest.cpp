// URLs and mail addresses as the painter colours them.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "text/Unicode.h"
#include "view/AddressFinder.h"

namespace {

// "kind offset length" of the first address, or "none".
std::string Found(std::string_view text, size_t limit = std::string_view::npos)
{
    CAddressMatch m = FindAddress(text, limit);
    if (m.nKind == kAddressNone)
        return "none";
    return std::to_string(m.nKind) + " " + std::to_string(m.nOffset) + " " + std::to_string(m.nLength);
}

} // namespace

TEST(AddressFinder, UrlsAreLowerCaseHttpAndStopAtTheQuestionMark)
{
    EXPECT_EQ(Found("see http://example.com/a_b-c~d#e:8 now"), "1 4 30");
    EXPECT_EQ(Found("http://x.jp/cgi?q=1"), "1 0 15");
    EXPECT_EQ(Found("HTTP://example.com"), "none");
    EXPECT_EQ(Found("Http://example.com"), "none");
    EXPECT_EQ(Found("https://example.com"), "none");
    EXPECT_EQ(Found("http://"), "1 0 7");
    // Inside a run of URL characters the scheme still starts a URL.
    EXPECT_EQ(Found("xhttp://a.b"), "1 1 10");
    EXPECT_EQ(Found("plain text"), "none");
    EXPECT_EQ(Found(""), "none");
}

TEST(AddressFinder, MailAddressRules)
{
    // Two-letter local part, a seven-character domain ending in "." and three letters.
    EXPECT_EQ(Found("to ab@xxx.com now"), "3 3 10");
    // The domain is the whole run of URL characters: a period after it is part
    // of it, and then it does not end in letters.
    EXPECT_EQ(Found("to ab@xxx.com."), "none");
    EXPECT_EQ(Found("a@xxx.com"), "none");      // one-letter local part
    EXPECT_EQ(Found("ab@c.jp"), "none");        // domain under five characters
    EXPECT_EQ(Found("ab@.xx.jp"), "none");      // domain begins with "."
    EXPECT_EQ(Found("ab@mail.co.jp"), "3 0 13");  // two-letter top-level domain
    EXPECT_EQ(Found("ab@example.info"), "none");  // four letters
    EXPECT_EQ(Found("ab@example.c0m"), "none");
    EXPECT_EQ(Found("ab@exa.mple"), "none");    // neither ".xx" nor ".xxx" at the end
    EXPECT_EQ(MailAddressLength("user_1@host-a.ne.jp rest"), 19u);
    EXPECT_EQ(MailAddressLength(" user@host.jp"), 0u);
}

TEST(AddressFinder, MailtoTakesTheAddressAfterIt)
{
    EXPECT_EQ(Found("mailto:ab@example.com"), "2 0 21");
    // Followed by a blank: the seven bytes alone.
    EXPECT_EQ(Found("mailto: ab@example.com"), "2 0 7");
    EXPECT_EQ(Found("(mailto:x)"), "2 1 7");
}

TEST(AddressFinder, DoubleByteCharactersAreSkippedWhole)
{
    // ア is 0x83 0x41: its second byte is a letter and must not start an address.
    std::string text = Utf8ToSjis("アhttp://a.jp と ab@example.com");
    CAddressMatch m = FindAddress(text);
    EXPECT_EQ(m.nKind, kAddressUrl);
    EXPECT_EQ(m.nOffset, 2u);
    EXPECT_EQ(text.substr(m.nOffset, m.nLength), "http://a.jp");
    m = FindAddress(std::string_view(text).substr(m.nOffset + m.nLength));
    EXPECT_EQ(m.nKind, kAddressMail);
    // A second byte that is a letter glued to an address is not its local part.
    std::string glued = Utf8ToSjis("アb@example.com");
    EXPECT_EQ(Found(glued), "none");
}

// A lead byte at the end of the text is one byte: the scan never steps over
// the end.
TEST(AddressFinder, LeadByteAtTheEndIsASingleByte)
{
    std::string text("ab@example.com \x82", 16);
    EXPECT_EQ(Found(text), "3 0 14");
    EXPECT_EQ(Found(std::string_view("\x82", 1)), "none");
    std::string lone("x\x81", 2);
    EXPECT_EQ(FindAddress(lone).nKind, kAddressNone);
}

TEST(AddressFinder, StartLimitStopsTheSearch)
{
    EXPECT_EQ(Found("abc http://a.jp", 4), "none");
    EXPECT_EQ(Found("abc http://a.jp", 5), "1 4 11");
    // An address beginning before the limit is found whole.
    EXPECT_EQ(Found("ab@example.com", 1), "3 0 14");
}

namespace {

// Every address of the text from a scan starting at start.
std::vector<CAddressMatch> AllFrom(std::string_view text, size_t start)
{
    std::vector<CAddressMatch> found;
    for (size_t pos = start; pos < text.size();) {
        CAddressMatch m = FindAddress(text.substr(pos));
        if (!m.nKind)
            break;
        m.nOffset += pos;
        found.push_back(m);
        pos = m.nOffset + m.nLength;
    }
    return found;
}

} // namespace

// Scanning from the place AddressScanStart gives finds the same addresses at
// and after a column as scanning the whole line.
TEST(AddressFinder, ScanStartFindsWhatAWholeScanFinds)
{
    const char* pieces[] = {"http://", "mailto:", "ab", "@", "example", ".com", ".jp", "x", "?", " ", "-", "/"};
    std::string wide[] = {Utf8ToSjis("漢"), Utf8ToSjis("ア"), std::string("\x82@", 2)};
    std::mt19937 rng(11);
    for (int n = 0; n < 3000; ++n) {
        std::string line;
        for (int k = static_cast<int>(rng() % 14); k > 0; --k)
            line += rng() % 4 == 0 ? wide[rng() % 3] : pieces[rng() % std::size(pieces)];
        if (rng() % 5 == 0)
            line += '\x83';  // a lead byte at the end
        std::vector<CAddressMatch> whole = AllFrom(line, 0);
        for (size_t col = 0; col <= line.size(); ++col) {
            size_t start = AddressScanStart(line, col);
            ASSERT_LE(start, col);
            std::vector<CAddressMatch> part = AllFrom(line, start);
            auto reaching = [col](const std::vector<CAddressMatch>& v) {
                std::vector<std::pair<size_t, size_t>> r;
                for (const CAddressMatch& m : v)
                    if (m.nOffset + m.nLength > col)
                        r.emplace_back(m.nOffset, m.nLength);
                return r;
            };
            ASSERT_EQ(reaching(whole), reaching(part)) << line << " at " << col;
        }
    }
}
