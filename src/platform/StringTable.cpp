// The string table's lookup over the entries the program assembled.
#include "platform/StringTable.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "text/Unicode.h"

namespace {

const StringTableEntry* Find(unsigned id)
{
    // Built on first use: entries sorted by id (the source order groups them by subsystem).
    static const std::vector<const StringTableEntry*> sorted = [] {
        std::vector<const StringTableEntry*> v;
        for (const StringTableEntry* e = StringTableBegin(); e != StringTableEnd(); ++e)
            v.push_back(e);
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

const StringTableEntry* StringTableBegin() { return ProgramStringTable().pBegin; }
const StringTableEntry* StringTableEnd() { return ProgramStringTable().pEnd; }
