// The splitters and joiners on arbitrary text: no crash, no sanitizer report,
// and results within their limits. The first byte picks the separators and
// whether quotes are stripped.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "QuietUi.h"
#include "services/StringUtils.h"

namespace {

const char* const kSeparators[] = {" ", ",", " \t", "\\", ";,", "\"", "\x81", "a"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    UseQuietUi();
    if (size == 0)
        return 0;
    const char* seps = kSeparators[data[0] % 8];
    bool strip = data[0] & 8;
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    text = text.c_str();

    std::vector<std::string> tokens;
    int n = SplitStringQ(tokens, text.c_str(), seps, strip);
    if (n != (n < 0 ? -1 : static_cast<int>(tokens.size())) || n > kSplitMaxTokens)
        std::abort();
    for (const std::string& t : tokens)
        if (t.empty() || t.size() > text.size())
            std::abort();

    n = SplitString(tokens, text.c_str(), seps);
    if (n > kSplitMaxTokens)
        std::abort();
    std::vector<char> buf(text.begin(), text.end());
    buf.push_back('\0');
    char* ptrs[16];
    int m = SplitString(ptrs, 16, buf.data(), seps);
    for (int i = 0; i < m; ++i)
        if (!*ptrs[i])
            std::abort();

    if (n > 0) {
        std::vector<const char*> items;
        for (const std::string& t : tokens)
            items.push_back(t.c_str());
        std::string joined = JoinStrings(tokens, seps);
        std::vector<char> out(joined.size() + 1);
        const char* r = JoinStrings(out.data(), static_cast<int>(out.size()), items.data(), n, seps);
        if (!r || joined != r)
            std::abort();
        if (JoinStrings(out.data(), static_cast<int>(out.size()) - 1, items.data(), n, seps))
            std::abort();
    }
    std::string sub = SubstituteArgument(text.c_str(), seps);
    if (sub.size() != text.size() + std::strlen(seps) + (text.find("%1") == std::string::npos ? 1 : -2))
        std::abort();
    return 0;
}
