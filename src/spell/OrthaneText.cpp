// Candidate buffers and dictionary lists.
#include "spell/OrthaneText.h"

#include <cstring>

std::vector<std::string> ParseCandidates(const char* buffer, size_t size)
{
    std::vector<std::string> candidates;
    size_t pos = 0;
    while (pos < size) {
        const void* nul = std::memchr(buffer + pos, '\0', size - pos);
        if (!nul)
            break;
        size_t len = static_cast<size_t>(static_cast<const char*>(nul) - (buffer + pos));
        if (len == 0)
            break;
        candidates.emplace_back(buffer + pos, len);
        pos += len + 1;
    }
    return candidates;
}

std::vector<std::string> DictionaryPaths(const std::string& value)
{
    std::vector<std::string> paths;
    size_t start = 0;
    while (start <= value.size() && paths.size() < kMaxDictionaries) {
        size_t end = value.find(';', start);
        if (end == std::string::npos)
            end = value.size();
        if (end > start)
            paths.push_back(value.substr(start, end - start));
        start = end + 1;
    }
    return paths;
}
