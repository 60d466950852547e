// Path splitting on character boundaries and the file routines on the file seam.
#include "services/FileUtils.h"

#include <vector>

#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "services/TextUtils.h"
#include "text/Sjis.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Offsets of every separator that is a character of its own.
std::vector<size_t> SeparatorsOf(std::string_view path)
{
    std::vector<size_t> seps;
    for (size_t i = 0; i < path.size(); i += CharLenAt(path, i))
        if (IsSeparator(path[i]))
            seps.push_back(i);
    return seps;
}

bool IsBareDrive(std::string_view path) { return path.size() == 2 && path[1] == ':'; }

bool IsDeviceName(std::string_view name)
{
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.remove_suffix(1);
    for (const char* dev : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (EqualsNoCase(stem, dev))
            return true;
    if (stem.size() == 4 && (EqualsNoCase(stem.substr(0, 3), "COM") || EqualsNoCase(stem.substr(0, 3), "LPT")) &&
        stem[3] >= '1' && stem[3] <= '9')
        return true;
    return false;
}

} // namespace

size_t LastPathSeparator(std::string_view path)
{
    size_t last = std::string_view::npos;
    for (size_t i = 0; i < path.size(); i += CharLenAt(path, i))
        if (IsSeparator(path[i]))
            last = i;
    return last;
}

std::string DirectoryOf(std::string_view path)
{
    size_t sep = LastPathSeparator(path);
    if (sep != std::string_view::npos)
        return std::string(path.substr(0, sep));
    if (path.size() >= 2 && path[1] == ':')
        return std::string(path.substr(0, 2));
    return std::string();
}

std::string FileNameOf(std::string_view path)
{
    size_t sep = LastPathSeparator(path);
    if (sep != std::string_view::npos && sep + 1 == path.size()) {
        path.remove_suffix(1);
        sep = LastPathSeparator(path);
    }
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string ExtensionOf(std::string_view path)
{
    std::string name = FileNameOf(path);
    size_t dot = name.rfind('.');  // '.' is never the second byte of a character
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string JoinPath(std::string_view folder, std::string_view name)
{
    std::string result(folder);
    if (result.empty())
        return std::string(name);
    size_t sep = LastPathSeparator(result);
    if (sep == std::string::npos || sep + 1 != result.size())
        result += kPathSeparator;
    result += name;
    return result;
}

bool IsPlainFileName(std::string_view name)
{
    if (name.empty() || name == "." || name == ".." || IsDeviceName(name))
        return false;
    for (size_t i = 0; i < name.size(); i += CharLenAt(name, i)) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (c < 0x20 || c == ':' || IsSeparator(name[i]))
            return false;
    }
    return true;
}

std::string GetCurrentDir()
{
    std::string dir;
    if (!GetCurrentFolder(dir)) {
        ErrorBox("getcwd returned error");
        return std::string();
    }
    return dir;
}

std::int64_t FileSizeOf(std::string_view path)
{
    CPathInfo info;
    return GetPathInfo(path, info) ? info.nSize : -1;
}

std::int64_t FileTimeOf(std::string_view path)
{
    CPathInfo info;
    return GetPathInfo(path, info) ? info.ftLastWrite : -1;
}

bool RemoveDirectoryTree(std::string_view dir)
{
    std::vector<CFolderEntry> entries;
    if (!ListFolder(dir, entries))
        return false;
    for (const CFolderEntry& e : entries) {
        std::string path = JoinPath(dir, e.strName);
        bool ok = false;
        switch (e.kind) {
        case CFolderEntry::File: ok = RemoveFile(path); break;
        case CFolderEntry::Folder: ok = RemoveDirectoryTree(path); break;
        case CFolderEntry::Link: ok = RemoveLink(path); break;
        }
        if (!ok)
            return false;
    }
    return RemoveFolder(dir);
}

std::string ShortPathOf(std::string_view path)
{
    // Left alone: what has no components to look up, or whose lookup would
    // mean something else (a network share, "." and "..").
    auto unchanged = [](std::string_view p) {
        return p.empty() || IsBareDrive(p) || p.back() == '.' ||
               (p.size() >= 2 && IsSeparator(p[0]) && IsSeparator(p[1]));
    };
    if (unchanged(path))
        return std::string(path);
    std::vector<size_t> seps = SeparatorsOf(path);
    // The longest leading part (up to a separator) that stays as it is; the
    // components after it are looked up one by one, left to right.
    size_t k = seps.size();
    while (k > 0 && !unchanged(path.substr(0, seps[k - 1])))
        --k;
    std::string result;
    size_t start;  // where the next component begins
    if (k > 0) {
        result.assign(path.substr(0, seps[k - 1] + 1));
        start = seps[k - 1] + 1;
    } else {
        start = 0;
    }
    for (size_t i = k; i <= seps.size(); ++i) {
        size_t end = i < seps.size() ? seps[i] : path.size();
        if (end > start) {
            std::string name;
            if (!LookUpShortName(path.substr(0, end), name))
                return std::string();
            result += name;
        }
        if (i < seps.size())
            result += path[end];
        start = end + 1;
    }
    return result;
}
