// The stored window list.
#include "app/ViewList.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

#include "platform/Messages.h"
#include "platform/SettingsStore.h"
#include "text/Sjis.h"

namespace {

constexpr const char kSection[] = "View List";
constexpr unsigned kIdViewListError = 63;

std::string EntryKey(size_t n) { return "View" + std::to_string(n); }

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// The value's fields as a scanf with "%d ... %s ..." sees them: runs of
// non-blank bytes. A Shift-JIS second byte is never a blank byte.
std::vector<std::string_view> Fields(std::string_view value)
{
    std::vector<std::string_view> fields;
    size_t i = 0;
    while (i < value.size()) {
        while (i < value.size() && IsBlank(value[i]))
            ++i;
        size_t start = i;
        while (i < value.size() && !IsBlank(value[i]))
            ++i;
        if (i > start)
            fields.push_back(value.substr(start, i - start));
    }
    return fields;
}

template <typename T>
bool ToNumber(std::string_view field, T& out)
{
    std::string text(field);
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != '\0' || errno == ERANGE)
        return false;
    if (v < static_cast<long long>(std::numeric_limits<T>::min()) ||
        v > static_cast<long long>(std::numeric_limits<T>::max()))
        return false;
    out = static_cast<T>(v);
    return true;
}

} // namespace

std::string EncodeViewPath(std::string_view path)
{
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < path.size();) {
        int n = CharLenAt(path, i);
        char c = path[i];
        if (n == 1 && (c == ' ' || c == '%')) {
            out += '%';
            out += kHex[(static_cast<unsigned char>(c) >> 4) & 0xF];
            out += kHex[static_cast<unsigned char>(c) & 0xF];
        } else {
            out.append(path.substr(i, static_cast<size_t>(n)));
        }
        i += static_cast<size_t>(n);
    }
    return out;
}

std::string DecodeViewPath(std::string_view field)
{
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '%' && i + 2 < field.size() && HexDigit(field[i + 1]) >= 0 && HexDigit(field[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(field[i + 1]) * 16 + HexDigit(field[i + 2]));
            i += 2;
        } else {
            out += field[i];
        }
    }
    return out;
}

std::string FormatViewEntry(const CViewListEntry& e)
{
    return std::to_string(e.nShowCmd) + ' ' + std::to_string(e.nLeft) + ' ' + std::to_string(e.nTop) + ' ' +
           std::to_string(e.nRight) + ' ' + std::to_string(e.nBottom) + ' ' + EncodeViewPath(e.strPath) + ' ' +
           std::to_string(e.nLeftCol) + ' ' + std::to_string(e.nTopLine) + ' ' + std::to_string(e.nCaretCol) + ' ' +
           std::to_string(e.nCaretRow) + ' ' + std::to_string(e.nTabWidth) + ' ' + std::to_string(e.nMinX) + ' ' +
           std::to_string(e.nMinY);
}

bool ParseViewEntry(std::string_view value, CViewListEntry& e)
{
    std::vector<std::string_view> f = Fields(value);
    if (f.size() < 13 || f[5].size() > kMaxViewPathField)
        return false;
    CViewListEntry parsed;
    bool ok = ToNumber(f[0], parsed.nShowCmd) && ToNumber(f[1], parsed.nLeft) && ToNumber(f[2], parsed.nTop) &&
              ToNumber(f[3], parsed.nRight) && ToNumber(f[4], parsed.nBottom) && ToNumber(f[6], parsed.nLeftCol) &&
              ToNumber(f[7], parsed.nTopLine) && ToNumber(f[8], parsed.nCaretCol) &&
              ToNumber(f[9], parsed.nCaretRow) && ToNumber(f[10], parsed.nTabWidth) &&
              ToNumber(f[11], parsed.nMinX) && ToNumber(f[12], parsed.nMinY);
    if (!ok)
        return false;
    parsed.strPath = DecodeViewPath(f[5]);
    e = std::move(parsed);
    return true;
}

int ReopenTabWidth(int nSavedTabWidth, int nCurrentReadTab)
{
    return (nSavedTabWidth == 4 || nSavedTabWidth == 8) ? nSavedTabWidth : nCurrentReadTab;
}

void WriteViewList(ISettingsStore& store, const std::vector<CViewListEntry>& entries)
{
    for (size_t n = 0; n < entries.size(); ++n)
        store.WriteString(kSection, EntryKey(n), FormatViewEntry(entries[n]));
    store.WriteString(kSection, EntryKey(entries.size()), "");
}

void ReadViewList(ISettingsStore& store, const std::function<void(const CViewListEntry&)>& open)
{
    for (size_t n = 0;; ++n) {
        std::string value = store.GetString(kSection, EntryKey(n), "");
        if (value.empty())
            return;
        CViewListEntry entry;
        if (!ParseViewEntry(value, entry)) {
            InfoBox(kIdViewListError);
            continue;
        }
        open(entry);
    }
}
