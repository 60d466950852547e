// The Date field of a mail as local calendar time, and its time zones.
#pragma once
#include <ctime>
#include <string_view>

// The date of a Date field body, tried as "weekday day month year time zone",
// "weekday day month year time", "day month year time zone" and "day month
// year time" (words separated by white space; a missing zone is the local one).
// A body that fits none gives the trace line "Date format error in %s\r\n" and
// stands for 1 Jan 2001 00:00:00 local. Two-digit years below 95 are 20xx, the
// others 19xx; month names are compared with case ("Jan" ... "Dec"; another
// name is month 0). The result is the C library's local calendar time with the
// hour moved by the difference between the local zone ("TimeZone" of
// AppSettings(), worked out once for each value it takes) and
// the mail's; -1 after "can't convert date field to local time\r\n".
std::time_t ParseDate(std::string_view body, std::string_view fileName = {});

// The offset in whole hours of a zone text: "+0900", "-0500", "UT+0900",
// "GMT-0500" (digits and two zeros), or a name of the time-zone table. A zone
// that fails counts as 0, after a trace line naming fileName. bFromTable: the
// text is a table value being parsed again (its failure is reported as
// "Abnormal or unknown time zone").
int ParseTimeZone(std::string_view zone, std::string_view fileName, bool bFromTable = false);
