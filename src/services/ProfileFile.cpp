// A small reader for private profile files.
#include "services/ProfileFile.h"

#include "services/FileStream.h"
#include "services/TextUtils.h"

namespace {

// Settings files are small; a bigger one is not read past this.
constexpr size_t kMaxProfileBytes = 1 << 20;

std::string_view Trim(std::string_view s) { return TrimOf(s, " \t\r"); }

} // namespace

std::string ReadProfileString(std::string_view iniPath, std::string_view section, std::string_view key,
                              std::string_view def)
{
    std::string text;
    if (!ReadWholeFile(iniPath, text, kMaxProfileBytes))
        return std::string(def);
    bool bInSection = false;
    for (size_t pos = 0; pos < text.size();) {
        size_t lf = text.find('\n', pos);
        if (lf == std::string::npos)
            lf = text.size();
        std::string_view line = Trim(std::string_view(text).substr(pos, lf - pos));
        pos = lf + 1;
        if (!line.empty() && line.front() == '[') {
            size_t close = line.find(']');
            bInSection = close != std::string_view::npos && EqualsNoCase(Trim(line.substr(1, close - 1)), section);
            continue;
        }
        size_t eq = line.find('=');
        if (!bInSection || eq == std::string_view::npos || !EqualsNoCase(Trim(line.substr(0, eq)), key))
            continue;
        std::string_view value = Trim(line.substr(eq + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }
    return std::string(def);
}
