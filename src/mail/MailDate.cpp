// Mail dates and time zones.
#include "mail/MailDate.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "settings/AppSettings.h"
#include "mail/TimeZoneTable.h"
#include "platform/Messages.h"
#include "search/RegEx.h"

namespace {

// The longest word a date field may hold where a value is taken from it; the
// fields of a received header are never copied into anything smaller.
constexpr size_t kMaxDateWord = 63;
// Numbers are kept within this, so no arithmetic on them overflows.
constexpr long kMaxDateNumber = 100000000;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a text the way the C library's scanf reads "%s" and "%d", with bounds.
class CDateScanner {
public:
    explicit CDateScanner(std::string_view text) : m_text(text) {}

    // "%s": a word of at most maxLen bytes (a longer one fails).
    bool Word(std::string& out, size_t maxLen = kMaxDateWord)
    {
        SkipSpace();
        size_t start = m_pos;
        while (m_pos < m_text.size() && !IsSpace(m_text[m_pos]))
            ++m_pos;
        if (m_pos == start || m_pos - start > maxLen)
            return false;
        out.assign(m_text.substr(start, m_pos - start));
        return true;
    }
    // "%d".
    bool Int(int& value)
    {
        SkipSpace();
        size_t p = m_pos;
        bool negative = false;
        if (p < m_text.size() && (m_text[p] == '+' || m_text[p] == '-'))
            negative = m_text[p++] == '-';
        if (p >= m_text.size() || !IsDigit(m_text[p]))
            return false;
        long v = 0;
        for (; p < m_text.size() && IsDigit(m_text[p]); ++p)
            if (v < kMaxDateNumber)
                v = v * 10 + (m_text[p] - '0');
        if (v > kMaxDateNumber)
            v = kMaxDateNumber;
        value = static_cast<int>(negative ? -v : v);
        m_pos = p;
        return true;
    }
    // A literal character of the format (no blanks skipped).
    bool Literal(char c)
    {
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    // What follows the current position, without leading blanks.
    std::string_view Rest()
    {
        SkipSpace();
        return m_text.substr(m_pos);
    }

private:
    void SkipSpace()
    {
        while (m_pos < m_text.size() && IsSpace(m_text[m_pos]))
            ++m_pos;
    }

    std::string_view m_text;
    size_t m_pos = 0;
};

struct CDateFields {
    int nDay = 1;
    std::string strMonth = "Jan";
    int nYear = 2001;
    std::string strTime = "00:00:00";
    std::string strZone;  // empty: the local zone
};

// The four patterns, in their order; false when none fits.
bool ScanDate(std::string_view body, CDateFields& f)
{
    std::string weekday;
    {
        // "%s %d %s %d %s %s"
        CDateScanner s(body);
        CDateFields t;
        if (s.Word(weekday) && s.Int(t.nDay) && s.Word(t.strMonth) && s.Int(t.nYear) && s.Word(t.strTime)) {
            std::string_view rest = s.Rest();
            if (!rest.empty() && t.strMonth[0] != ',') {
                t.strZone.assign(rest);
                f = t;
                return true;
            }
        }
    }
    {
        // "%s %d %s %d %s"
        CDateScanner s(body);
        CDateFields t;
        if (s.Word(weekday) && s.Int(t.nDay) && s.Word(t.strMonth) && s.Int(t.nYear) && s.Word(t.strTime)) {
            f = t;
            return true;
        }
    }
    {
        // "%d %s %d %s %s", then "%d %s %d %s"
        CDateScanner s(body);
        CDateFields t;
        if (s.Int(t.nDay) && s.Word(t.strMonth) && s.Int(t.nYear) && s.Word(t.strTime)) {
            t.strZone.assign(s.Rest());
            f = t;
            return true;
        }
    }
    return false;
}

int MonthNumber(const std::string& name)
{
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int i = 0; i < 12; ++i)
        if (name == kMonths[i])
            return i + 1;
    return 0;
}

// The local zone from the settings, worked out once for each value it has.
int LocalZone()
{
    static std::string s_strValue;
    static int s_nHours = 0;
    static bool s_bKnown = false;
    const std::string& value = AppSettings().m_strTimeZone;
    if (!s_bKnown || value != s_strValue) {
        s_nHours = ParseTimeZone(value, "TimeZone");
        s_strValue = value;
        s_bKnown = true;
    }
    return s_nHours;
}

// Does the zone text begin with what the pattern describes? The mail code's own
// engine is rewound for each pattern: no program is kept that a rewind at
// start-up or elsewhere could take away (the arena keeps its blocks, so this
// costs no allocation).
bool ZoneMatches(const char* pattern, const char* text)
{
    MailRegEx().Rewind();
    RegExProgram* program = MailRegEx().Compile(pattern, false);
    return program && CRegEx::Match(program, text, nullptr);
}

// Hours of a numeric zone: its sign, then the digits divided by 100.
int NumericZone(const char* p)
{
    bool negative = *p == '-';
    if (*p == '+' || *p == '-')
        ++p;
    int value = 0;
    for (int i = 0; i < 4 && IsDigit(*p); ++i, ++p)
        value = value * 10 + (*p - '0');
    return negative ? -(value / 100) : value / 100;
}

} // namespace

int ParseTimeZone(std::string_view zone, std::string_view fileName, bool bFromTable)
{
    std::string file(fileName);
    std::string text(zone);
    if (text.empty()) {
        TraceLog("Illegal date format in %s\r\n", file.c_str());
        return 0;
    }
    if (ZoneMatches("[+\\-]?[0-9]?[0-9]00", text.c_str()))
        return NumericZone(text.c_str());
    if (ZoneMatches("UT[+\\-][0-9]?[0-9]00", text.c_str()))
        return NumericZone(text.c_str() + 2);
    if (ZoneMatches("GMT[+\\-][0-9]?[0-9]00", text.c_str()))
        return NumericZone(text.c_str() + 3);
    // A name: the first word, looked up in the table.
    std::string name = text.substr(0, text.find_first_of(" \t\r\n("));
    if (bFromTable) {
        TraceLog("Abnormal or unknown time zone %s in %s\r\n", name.c_str(), file.c_str());
        return 0;
    }
    const char* value = LookUpTimeZone(name);
    if (!value) {
        TraceLog("Unknown time zone %s in %s\r\n", name.c_str(), file.c_str());
        return 0;
    }
    return ParseTimeZone(value, fileName, true);
}

std::time_t ParseDate(std::string_view body, std::string_view fileName)
{
    CDateFields f;
    // A year before the common era is no date a mail was written on.
    if (!ScanDate(body, f) || f.nYear < 0) {
        std::string text(body);
        TraceLog("Date format error in %s\r\n", text.c_str());
        f = CDateFields();
    }
    if (f.nYear >= 0 && f.nYear < 100)
        f.nYear += f.nYear < 95 ? 2000 : 1900;
    int hour = 0, minute = 0, second = 0;
    CDateScanner t(f.strTime);
    if (t.Int(hour) && t.Literal(':') && t.Int(minute) && t.Literal(':'))
        t.Int(second);
    int mailZone = f.strZone.empty() ? LocalZone() : ParseTimeZone(f.strZone, fileName);
    std::tm tm = {};
    tm.tm_year = f.nYear - 1900;
    tm.tm_mon = MonthNumber(f.strMonth) - 1;
    tm.tm_mday = f.nDay;
    tm.tm_hour = hour + (LocalZone() - mailZone);
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    std::time_t result = std::mktime(&tm);
    if (result == static_cast<std::time_t>(-1))
        TraceLog("can't convert date field to local time\r\n");
    return result;
}
