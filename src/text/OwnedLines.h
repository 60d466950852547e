// Lines of a store's kind held outside any store: taken out of one (an undo
// record keeping what a command replaced) or made to be put into one (a
// refill's new lines). They are moved between here and a store as pointers,
// never copied, and freed with the list.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

class COwnedLines {
public:
    COwnedLines() = default;
    ~COwnedLines() { Clear(); }
    COwnedLines(COwnedLines&& other) noexcept : m_lines(std::move(other.m_lines)) { other.m_lines.clear(); }
    COwnedLines& operator=(COwnedLines&& other) noexcept;
    COwnedLines(const COwnedLines&) = delete;
    COwnedLines& operator=(const COwnedLines&) = delete;

    size_t Count() const { return m_lines.size(); }
    bool Empty() const { return m_lines.empty(); }
    const char* operator[](size_t i) const { return m_lines[i]; }
    // Takes p over (a line as CLineStore::FreeLine frees it).
    void Add(char* p) { m_lines.push_back(p); }
    void Reserve(size_t n) { m_lines.reserve(n); }
    void Clear();
    std::vector<std::string> ToStrings() const;

private:
    friend class CLineStore;
    std::vector<char*> m_lines;
};
