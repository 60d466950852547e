// Splitting, joining and argument substitution on byte strings.
#include "services/StringUtils.h"

#include <cstring>

#include "platform/Messages.h"

namespace {

bool IsSeparator(char c, const char* separators) { return c != '\0' && std::strchr(separators, c) != nullptr; }

bool TextTooLong(const char* text, const char* name)
{
    if (std::strlen(text) < static_cast<size_t>(kSplitMaxText))
        return false;
    ErrorBox("buffer overflow (0) in %s", name);
    return true;
}

void TooManyTokens(const char* name) { ErrorBox("buffer overflow (1) in %s", name); }

} // namespace

int SplitString(std::vector<std::string>& tokens, const char* text, const char* separators)
{
    tokens.clear();
    if (TextTooLong(text, "SplitString"))
        return -1;
    for (const char* p = text; *p;) {
        while (IsSeparator(*p, separators))
            ++p;
        if (!*p)
            break;
        const char* start = p;
        while (*p && !IsSeparator(*p, separators))
            ++p;
        if (static_cast<int>(tokens.size()) == kSplitMaxTokens) {
            TooManyTokens("SplitString");
            tokens.clear();
            return -1;
        }
        tokens.emplace_back(start, static_cast<size_t>(p - start));
    }
    return static_cast<int>(tokens.size());
}

int SplitString(char** pointers, int max, char* buffer, const char* separators)
{
    if (TextTooLong(buffer, "SplitString"))
        return -1;
    int count = 0;
    for (char* p = buffer; *p;) {
        while (IsSeparator(*p, separators))
            ++p;
        if (!*p)
            break;
        if (count >= max) {
            TooManyTokens("SplitString");
            return -1;
        }
        pointers[count++] = p;
        while (*p && !IsSeparator(*p, separators))
            ++p;
        if (*p)
            *p++ = '\0';
    }
    return count;
}

int SplitStringQ(std::vector<std::string>& tokens, const char* text, const char* separators, bool stripQuotes)
{
    tokens.clear();
    if (TextTooLong(text, "SplitStringQ"))
        return -1;
    for (const char* p = text; *p;) {
        while (IsSeparator(*p, separators))
            ++p;
        if (!*p)
            break;
        const char* start = p;
        while (*p && !IsSeparator(*p, separators)) {
            if (*p == '"') {
                const char* close = std::strchr(p + 1, '"');
                if (!close) {
                    ErrorBox("%s", "end \" missing");
                    tokens.clear();
                    return -1;
                }
                p = close;
            }
            ++p;
        }
        if (static_cast<int>(tokens.size()) == kSplitMaxTokens) {
            TooManyTokens("SplitStringQ");
            tokens.clear();
            return -1;
        }
        size_t len = static_cast<size_t>(p - start);
        if (stripQuotes && len >= 3 && start[0] == '"' && start[len - 1] == '"')
            tokens.emplace_back(start + 1, len - 2);
        else
            tokens.emplace_back(start, len);
    }
    return static_cast<int>(tokens.size());
}

char* JoinStrings(char* buffer, int size, const char* const* items, int count, const char* separator)
{
    if (size < 1)
        return nullptr;
    buffer[0] = '\0';
    size_t used = 0;
    size_t room = static_cast<size_t>(size);
    size_t sepLen = std::strlen(separator);
    for (int i = 0; i < count; ++i) {
        size_t itemLen = std::strlen(items[i]);
        size_t add = (i > 0 ? sepLen : 0) + itemLen;
        if (used + add >= room)
            return nullptr;
        if (i > 0) {
            std::memcpy(buffer + used, separator, sepLen);
            used += sepLen;
        }
        std::memcpy(buffer + used, items[i], itemLen);
        used += itemLen;
        buffer[used] = '\0';
    }
    return buffer;
}

std::string JoinStrings(const std::vector<std::string>& items, const char* separator)
{
    std::string result;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            result += separator;
        result += items[i];
    }
    return result;
}

std::string SubstituteArgument(const char* tmpl, const char* argument)
{
    std::string result(tmpl);
    size_t at = result.find("%1");
    if (at == std::string::npos)
        return result + " " + argument;
    result.replace(at, 2, argument);
    return result;
}
