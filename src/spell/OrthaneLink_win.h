// The link to the outside spell-checking library "orthane.dll": loaded by name
// on first use, its eight entry points looked up, the user's dictionaries
// handed over. Each call goes through a wrapper that answers with a fixed
// value while the library is not loaded.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class COrthaneLink {
public:
    COrthaneLink() = default;
    ~COrthaneLink();
    COrthaneLink(const COrthaneLink&) = delete;  // owns the module
    COrthaneLink& operator=(const COrthaneLink&) = delete;

    // Loads the library and looks up every entry point; on a failure the
    // library is let go again and false comes back.
    bool Load();
    bool IsLoaded() const { return m_hModule != nullptr; }

    // 0 while not loaded.
    int InitializeDictionary(const std::string& path);
    int SetDictionary(const std::vector<std::string>& paths);
    int AddSpell(const std::string& word);
    // -2 while not loaded; else the library's verdict, with the candidates
    // when it is above 0.
    int Alt(const std::string& word, std::vector<std::string>& candidates);

private:
    using PathFn = int(WINAPI*)(const char*);
    using ListFn = int(WINAPI*)(const char* const*, int);
    using AltFn = int(WINAPI*)(char*, int, const char*);

    HMODULE m_hModule = nullptr;
    PathFn m_pfnInitializeDictionary = nullptr;
    ListFn m_pfnSetDictionary = nullptr;
    AltFn m_pfnAlt = nullptr;
    PathFn m_pfnAddSpell = nullptr;
};

// The program's link, made on the first call that succeeds (the wait cursor
// is shown meanwhile); null after the messages of a failure, and the next call
// tries again.
COrthaneLink* GetOrthaneLink();
// Lets the link go (the library is unloaded); at program end, and for tests.
void ReleaseOrthaneLink();
