// Names of the files in a parts folder.
#include "mail/PartNames.h"

#include <cctype>
#include <cstdio>

#include "services/FileUtils.h"
#include "services/TextUtils.h"
#include "text/Sjis.h"

namespace {

bool IsRefusedChar(unsigned char c)
{
    return c < 0x20 || c == 0x7F || c == '<' || c == '>' || c == '"' || c == '|' || c == '?' || c == '*' ||
           c == ';';
}

bool IsDeviceName(std::string_view name)
{
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.remove_suffix(1);
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* d : kDevices)
        if (EqualsNoCase(base, d))
            return true;
    if (base.size() == 4 && (EqualsNoCase(base.substr(0, 3), "COM") || EqualsNoCase(base.substr(0, 3), "LPT")) &&
        base[3] >= '0' && base[3] <= '9')
        return true;
    return false;
}

// The length of the character at text[i] (1 or 2 bytes).
size_t CharLength(std::string_view text, size_t i)
{
    return IsLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
}

// The first n bytes of text, without a double-byte character cut in two.
std::string_view CutAt(std::string_view text, size_t n)
{
    size_t i = 0;
    while (i < text.size()) {
        size_t len = CharLength(text, i);
        if (i + len > n)
            break;
        i += len;
    }
    return text.substr(0, i);
}

} // namespace

std::string PlainPartName(std::string_view wanted)
{
    // Only the last component: a separator or a colon is a character of its own.
    size_t start = 0;
    for (size_t i = 0; i < wanted.size(); i += CharLength(wanted, i)) {
        char c = wanted[i];
        if ((c == '\\' || c == '/' || c == ':') && CharLength(wanted, i) == 1)
            start = i + 1;
    }
    std::string name;
    std::string_view rest = wanted.substr(start);
    for (size_t i = 0; i < rest.size();) {
        size_t len = CharLength(rest, i);
        if (len == 1 && IsRefusedChar(static_cast<unsigned char>(rest[i])))
            name += '_';
        else
            name.append(rest.substr(i, len));
        i += len;
    }
    size_t first = name.find_first_not_of(' ');
    name.erase(0, first == std::string::npos ? name.size() : first);
    while (!name.empty() && (name.back() == ' ' || name.back() == '.'))
        name.pop_back();
    if (name.empty())
        return name;
    if (EqualsNoCase(ExtensionOf(name), ".mpm"))
        name += '_';
    if (name.size() > kMaxPartNameBytes) {
        std::string ext = ExtensionOf(name);
        if (ext.size() > kMaxPartNameBytes / 2)
            ext.clear();
        std::string_view base = std::string_view(name).substr(0, name.size() - ExtensionOf(name).size());
        name = std::string(CutAt(base, kMaxPartNameBytes - ext.size())) + ext;
        while (!name.empty() && (name.back() == ' ' || name.back() == '.'))
            name.pop_back();
    }
    if (IsDeviceName(name) || EqualsNoCase(name, kPartsIndexName))
        name = "_" + name;
    return name;
}

std::string UniquePartName(std::string_view plain, const std::vector<std::string>& taken)
{
    auto isTaken = [&](const std::string& n) {
        for (const std::string& t : taken)
            if (EqualsNoCase(t, n))
                return true;
        return false;
    };
    std::string name(plain);
    if (!isTaken(name))
        return name;
    std::string ext = ExtensionOf(name);
    std::string base = name.substr(0, name.size() - ext.size());
    for (int n = 2;; ++n) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "(%d)", n);
        std::string candidate = base + suffix + ext;
        if (!isTaken(candidate))
            return candidate;
    }
}

const char* NewPartNameProblem(std::string_view name)
{
    if (TrimOf(name, " ").empty())
        return "新しい名前を入力してください";  // UTF-8
    if (!IsPlainFileName(name))
        return "パスでなくファイル名だけを入力してください";  // UTF-8
    if (ExtensionOf(name).size() < 2)
        return "ファイル名には拡張子が必要です";  // UTF-8
    // Characters a file name cannot hold, or that the parts index uses.
    if (PlainPartName(name) != name)
        return "パスでなくファイル名だけを入力してください";  // UTF-8
    return nullptr;
}
