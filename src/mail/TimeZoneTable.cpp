// The zone names RFC 822 defines, and those found in the mail of our users.
#include "mail/TimeZoneTable.h"

#include "services/TextUtils.h"

namespace {

struct CTimeZoneName {
    const char* name;
    const char* zone;
};

constexpr CTimeZoneName kTimeZones[] = {
    {"UT", "+0000"},   {"GMT", "+0000"},  {"UTC", "+0000"},  {"Z", "+0000"},
    {"EST", "-0500"},  {"EDT", "-0400"},  {"CST", "-0600"},  {"CDT", "-0500"},
    {"MST", "-0700"},  {"MDT", "-0600"},  {"PST", "-0800"},  {"PDT", "-0700"},
    {"AKST", "-0900"}, {"AKDT", "-0800"}, {"HST", "-1000"},
    {"WET", "+0000"},  {"BST", "+0100"},  {"CET", "+0100"},  {"CEST", "+0200"},
    {"MET", "+0100"},  {"MEST", "+0200"}, {"EET", "+0200"},  {"EEST", "+0300"},
    {"MSK", "+0300"},  {"HKT", "+0800"},  {"SGT", "+0800"},  {"CCT", "+0800"},
    {"KST", "+0900"},  {"JST", "+0900"},  {"AEST", "+1000"}, {"AEDT", "+1100"},
    {"NZST", "+1200"}, {"NZDT", "+1300"},
};

} // namespace

const char* LookUpTimeZone(std::string_view name)
{
    for (const CTimeZoneName& z : kTimeZones)
        if (EqualsNoCase(name, z.name))
            return z.zone;
    return nullptr;
}
