// Character-aware path splitting.
#include "services/PathUtil.h"

#include "text/Sjis.h"

size_t LastBackslash(std::string_view path) { return LastSingleByteChar(path, '\\'); }

std::string FolderPrefixOf(std::string_view path)
{
    size_t slash = LastBackslash(path);
    if (slash != std::string_view::npos)
        return std::string(path.substr(0, slash + 1));
    if (path.size() >= 2 && path[1] == ':')
        return std::string(path.substr(0, 2));
    return std::string();
}

std::string WithoutTrailingBackslash(std::string_view path)
{
    size_t slash = LastBackslash(path);
    if (slash != std::string_view::npos && slash + 1 == path.size())
        path.remove_suffix(1);
    return std::string(path);
}

bool PathsEqual(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size();) {
        int n = CharLenAt(a, i);
        if (n == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
        } else {
            auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
            if (lower(a[i]) != lower(b[i]))
                return false;
        }
        i += n;
    }
    return true;
}
