// The command history between runs.
#include "command/History.h"

#include <cstdio>

#include "platform/SettingsStore.h"
#include "text/LineStore.h"

namespace {

constexpr const char* kSection = "Command History";

std::string Key(int i)
{
    char key[16];
    std::snprintf(key, sizeof key, "%02d", i);
    return key;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

std::vector<std::string> ReadHistory(ISettingsStore& store)
{
    std::vector<std::string> entries;
    for (int i = 0;; ++i) {
        std::string value = store.GetString(kSection, Key(i), "");
        if (value.empty())
            break;
        if (value.size() > static_cast<size_t>(MaxLineLength) || value.find_first_of("\r\n") != std::string::npos)
            continue;
        entries.push_back(std::move(value));
    }
    return entries;
}

void WriteHistory(ISettingsStore& store, const std::vector<std::string>& entries)
{
    size_t first = entries.size() > kSavedHistoryEntries ? entries.size() - kSavedHistoryEntries : 0;
    int n = 0;
    for (size_t i = first; i < entries.size(); ++i) {
        const std::string& entry = entries[i];
        size_t start = 0;
        while (start < entry.size() && IsBlank(entry[start]))
            ++start;
        if (start == entry.size())
            continue;
        store.WriteString(kSection, Key(n++), std::string_view(entry).substr(start));
    }
    store.WriteString(kSection, Key(n), "");
}
