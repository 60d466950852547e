// The system seam on POSIX systems.
#include "platform/System.h"

#include <cstdlib>
#include <unistd.h>

bool GetEnvironmentValue(const char* name, std::string& value)
{
    const char* v = std::getenv(name);
    if (!v || !*v)
        return false;
    value = v;
    return true;
}

bool SetEnvironmentValue(const char* name, const char* value)
{
    return (value ? ::setenv(name, value, 1) : ::unsetenv(name)) == 0;
}

std::string ComputerName()
{
    char buf[256] = {};
    if (::gethostname(buf, sizeof buf - 1) != 0)
        return "localhost";
    std::string name(buf);
    // Only the host part, cut like the names Windows gives out.
    name = name.substr(0, name.find('.'));
    if (name.size() > 15)
        name.resize(15);
    return name;
}

bool ReadUserRegistryString(std::string_view, std::string_view, std::string&) { return false; }
