// The string table: the entries of every subsystem and their lookup.
#include "platform/StringTable.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "text/Unicode.h"

namespace {

const StringTableEntry kEntries[] = {
#include "platform/Strings.inc"
#include "text/Strings.inc"
#include "view/Strings.inc"
#include "keys/Strings.inc"
#include "command/Strings.inc"
#include "mail/Strings.inc"
#include "services/Strings.inc"
#include "spell/Strings.inc"
#include "app/Strings.inc"
#include "fw/Strings.inc"
};

const StringTableEntry* Find(unsigned id)
{
    // Built on first use: entries sorted by id (the source order groups them by subsystem).
    static const std::vector<const StringTableEntry*> sorted = [] {
        std::vector<const StringTableEntry*> v;
        for (const auto& e : kEntries)
            v.push_back(&e);
        std::stable_sort(v.begin(), v.end(), [](auto a, auto b) { return a->id < b->id; });
        return v;
    }();
    auto it = std::lower_bound(sorted.begin(), sorted.end(), id, [](auto e, unsigned i) { return e->id < i; });
    return (it != sorted.end() && (*it)->id == id) ? *it : nullptr;
}

} // namespace

const char* LoadUtf8String(unsigned id)
{
    const StringTableEntry* e = Find(id);
    return e ? e->utf8 : nullptr;
}

const char* LoadSjisString(unsigned id)
{
    static std::unordered_map<unsigned, std::string> cache;
    auto it = cache.find(id);
    if (it != cache.end())
        return it->second.c_str();
    const StringTableEntry* e = Find(id);
    if (!e)
        return nullptr;
    return cache.emplace(id, Utf8ToSjis(e->utf8)).first->second.c_str();
}

const StringTableEntry* StringTableBegin() { return kEntries; }
const StringTableEntry* StringTableEnd() { return kEntries + sizeof kEntries / sizeof kEntries[0]; }
