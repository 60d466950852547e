// Date fields as local time, and time zones.
#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "fakes/FakeUi.h"
#include "mail/MailDate.h"
#include "settings/AppSettings.h"

namespace {

// The local broken-down time of a parse, as "YYYY-MM-DD HH:MM:SS".
std::string Local(const std::string& body)
{
    std::time_t t = ParseDate(body, "m.txt");
    if (t == static_cast<std::time_t>(-1))
        return "-1";
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", std::localtime(&t));
    return buf;
}

} // namespace

TEST(MailDate, FourPatternsInTheirOrder)
{
    CScopedFakeUi ui;
    AppSettings().m_strTimeZone = "+0900";
    EXPECT_EQ(Local("Mon, 1 Jan 2001 12:34:56 +0900"), "2001-01-01 12:34:56");
    EXPECT_EQ(Local("Mon, 1 Jan 2001 12:34:56 +0900 (JST)"), "2001-01-01 12:34:56");
    EXPECT_EQ(Local("Mon, 1 Jan 2001 12:34:56"), "2001-01-01 12:34:56");
    EXPECT_EQ(Local("1 Jan 2001 12:34:56 -0500"), "2001-01-02 02:34:56");
    EXPECT_EQ(Local("1 Jan 2001 12:34"), "2001-01-01 12:34:00");
    // Numbers end where their digits end, as the C library reads them.
    EXPECT_EQ(Local("1Jan 2001 12:34"), "2001-01-01 12:34:00");
    EXPECT_TRUE(ui.m_trace.empty());
    EXPECT_EQ(Local("Mon,1Jan 2001 12:34"), "2001-01-01 00:00:00");
    EXPECT_EQ(ui.m_trace.size(), 1u);
}

TEST(MailDate, YearsMonthsAndTheFallback)
{
    CScopedFakeUi ui;
    AppSettings().m_strTimeZone = "+0900";
    EXPECT_EQ(Local("Tue, 3 Mar 98 01:02:03 +0900"), "1998-03-03 01:02:03");
    EXPECT_EQ(Local("Tue, 3 Mar 94 01:02:03 +0900"), "2094-03-03 01:02:03");
    EXPECT_EQ(Local("Tue, 3 Mar 1994 01:02:03 +0900"), "1994-03-03 01:02:03");
    // Month names are compared with case: "mar" is month 0, December before.
    EXPECT_EQ(Local("3 mar 2001 00:00:00 +0900"), "2000-12-03 00:00:00");
    EXPECT_TRUE(ui.m_trace.empty());

    EXPECT_EQ(Local("garbage"), "2001-01-01 00:00:00");
    ASSERT_EQ(ui.m_trace.size(), 1u);
    EXPECT_EQ(ui.m_trace[0], "Date format error in garbage\r\n");
    ui.Clear();
    EXPECT_EQ(Local("Sat, 3 Mar -5 10:00:00 +0900"), "2001-01-01 00:00:00");
    ASSERT_EQ(ui.m_trace.size(), 1u);
    EXPECT_EQ(ui.m_trace[0], "Date format error in Sat, 3 Mar -5 10:00:00 +0900\r\n");
}

TEST(MailDate, LongWordsInAReceivedDateAreRefusedNotCopied)
{
    CScopedFakeUi ui;
    AppSettings().m_strTimeZone = "+0900";
    std::string word(100000, 'W');
    EXPECT_EQ(Local(word + " 1 Jan 2001 10:00:00 +0900"), "2001-01-01 00:00:00");
    EXPECT_EQ(Local("Mon, 1 " + word + " 2001 10:00:00"), "2001-01-01 00:00:00");
    EXPECT_EQ(Local("1 Jan 2001 " + word), "2001-01-01 00:00:00");
    EXPECT_EQ(ui.m_trace.size(), 3u);
    // Numbers too big for any field do not overflow either.
    ui.Clear();
    Local("Mon, 99999999999999999999 Jan 99999999999999 99999999999:9999999:99999 +9900");
}

TEST(MailDate, TimeZones)
{
    CScopedFakeUi ui;
    EXPECT_EQ(ParseTimeZone("+0900", "f"), 9);
    EXPECT_EQ(ParseTimeZone("-0500", "f"), -5);
    EXPECT_EQ(ParseTimeZone("+1200", "f"), 12);
    EXPECT_EQ(ParseTimeZone("0900", "f"), 9);
    EXPECT_EQ(ParseTimeZone("1000", "f"), 10);
    EXPECT_EQ(ParseTimeZone("UT+0900", "f"), 9);
    EXPECT_EQ(ParseTimeZone("GMT-0300", "f"), -3);
    EXPECT_EQ(ParseTimeZone("JST", "f"), 9);
    EXPECT_EQ(ParseTimeZone("est (Eastern)", "f"), -5);
    EXPECT_EQ(ParseTimeZone("GMT", "f"), 0);
    EXPECT_TRUE(ui.m_trace.empty());

    // Whole hours only: a half-hour zone is no numeric zone and no name.
    EXPECT_EQ(ParseTimeZone("+0530", "f"), 0);
    EXPECT_EQ(ParseTimeZone("XYZ", "f"), 0);
    EXPECT_EQ(ParseTimeZone("", "f"), 0);
    EXPECT_EQ(ParseTimeZone("???", "f", true), 0);
    ASSERT_EQ(ui.m_trace.size(), 4u);
    EXPECT_EQ(ui.m_trace[0], "Unknown time zone +0530 in f\r\n");
    EXPECT_EQ(ui.m_trace[1], "Unknown time zone XYZ in f\r\n");
    EXPECT_EQ(ui.m_trace[2], "Illegal date format in f\r\n");
    EXPECT_EQ(ui.m_trace[3], "Abnormal or unknown time zone ??? in f\r\n");
}

TEST(MailDate, TheLocalZoneComesFromTheSettings)
{
    CScopedFakeUi ui;
    AppSettings().m_strTimeZone = "-0500";
    EXPECT_EQ(Local("Mon, 1 Jan 2001 12:00:00 +0900"), "2000-12-31 22:00:00");
    EXPECT_EQ(Local("Mon, 1 Jan 2001 12:00:00 EST"), "2001-01-01 12:00:00");
    AppSettings().m_strTimeZone = "+0900";
    EXPECT_EQ(Local("Mon, 1 Jan 2001 12:00:00 GMT"), "2001-01-01 21:00:00");
}
