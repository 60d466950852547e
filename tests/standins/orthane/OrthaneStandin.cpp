// A stand-in for the outside spell-checking library, built with the project so
// the spell check can run end to end: the eight entry points, a small built-in
// word list plus the words of the dictionaries it is handed (a folder's
// "words.txt" or a file, one word a line) and the user dictionary, and
// candidates by edit distance.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

const char* const kBuiltin[] = {"a",    "an",    "and",   "the",   "is",    "it",     "'s",     "'tis",  "of",
                                "to",   "in",    "this",  "that",  "with",  "word",   "words",  "text",  "spell",
                                "check", "hello", "world", "quick", "brown", "fox",    "jumps",  "over",  "lazy",
                                "dog",  "their", "there", "receive", "mail", "editor", "paragraph", "english"};

std::set<std::string> g_words;
std::string g_userDictionary;

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

void LoadWords(const std::string& path)
{
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            g_words.insert(Lower(line));
    }
}

size_t Distance(const std::string& a, const std::string& b)
{
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diag = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diag + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diag = up;
        }
    }
    return row[b.size()];
}

void Reset()
{
    g_words.clear();
    for (const char* w : kBuiltin)
        g_words.insert(w);
}

} // namespace

extern "C" {

__declspec(dllexport) int WINAPI OrthaneCreateDictionary(const char*) { return 1; }

__declspec(dllexport) int WINAPI OrthaneSetDictionary(const char* const* list, int)
{
    Reset();
    for (; list && *list; ++list) {
        DWORD attributes = ::GetFileAttributesA(*list);
        if (attributes == INVALID_FILE_ATTRIBUTES)
            continue;
        LoadWords((attributes & FILE_ATTRIBUTE_DIRECTORY) ? std::string(*list) + "\\words.txt" : *list);
    }
    return 1;
}

__declspec(dllexport) int WINAPI OrthaneConsult(const char* word) { return g_words.count(Lower(word)) ? 1 : 0; }

__declspec(dllexport) int WINAPI OrthaneAlt(char* buffer, int size, const char* word)
{
    if (!buffer || size < 1 || !word)
        return -2;
    std::string w = Lower(word);
    if (g_words.empty())
        Reset();
    if (g_words.count(w))
        return 0;
    std::vector<std::pair<size_t, std::string>> nearby;
    for (const std::string& known : g_words)
        if (size_t d = Distance(w, known); d <= 2)
            nearby.emplace_back(d, known);
    std::sort(nearby.begin(), nearby.end());
    int count = 0;
    size_t used = 0;
    for (const auto& [d, known] : nearby) {
        if (used + known.size() + 2 > static_cast<size_t>(size))
            break;
        std::memcpy(buffer + used, known.c_str(), known.size() + 1);
        used += known.size() + 1;
        ++count;
    }
    buffer[used] = '\0';
    return count ? count : -1;
}

__declspec(dllexport) int WINAPI OrthaneComplete(const char*) { return 0; }

__declspec(dllexport) int WINAPI OrthaneGetStringsLength(const char*) { return 0; }

__declspec(dllexport) int WINAPI OrthaneInitializeDictionary(const char* path)
{
    std::ofstream out(path, std::ios::app);
    if (!out)
        return 0;
    g_userDictionary = path;
    return 1;
}

__declspec(dllexport) int WINAPI OrthaneAddSpell(const char* word)
{
    g_words.insert(Lower(word));
    if (!g_userDictionary.empty())
        std::ofstream(g_userDictionary, std::ios::app | std::ios::binary) << word << "\n";
    return 1;
}

} // extern "C"
