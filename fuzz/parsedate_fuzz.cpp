// Date fields and time zones from the input: ParseDate with a local zone that
// the first byte picks (from a few, or the input itself), and ParseTimeZone on
// the whole text. Nothing may overflow, whatever the words and numbers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "mail/MailDate.h"
#include "settings/AppSettings.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SilenceUi();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    static const char* const kZones[] = {"+0900", "-0500", "GMT", "JST", "+9900", "", "UT-1200"};
    unsigned pick = data[0] % 8;
    AppSettings().m_strTimeZone = pick < 7 ? kZones[pick] : text.substr(0, 16);
    ParseDate(text, "fuzz");
    ParseTimeZone(text, "fuzz");
    AppSettings().m_strTimeZone = "+0900";
    return 0;
}
