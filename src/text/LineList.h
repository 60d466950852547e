// Lines kept end to end in one buffer, each followed by a NUL: what a command
// copies out of the line store, or hands to it, in one piece. A whole-file
// refill moves hundreds of thousands of lines; one allocation per line would
// cost more than the refill itself.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CLineList {
public:
    CLineList() = default;
    CLineList(const std::vector<std::string>& lines);  // NOLINT: a list of strings is a line list

    void Reserve(size_t nBytes, size_t nLines);
    void Add(std::string_view line);
    void Clear();

    size_t Count() const { return m_starts.size(); }
    bool Empty() const { return m_starts.empty(); }
    std::string_view operator[](size_t i) const;
    // Each line as the line store takes it (NUL-terminated), valid until the
    // list changes.
    std::vector<const char*> Pointers() const;
    std::vector<std::string> ToStrings() const;
    bool operator==(const CLineList& other) const;

private:
    std::string m_bytes;
    std::vector<size_t> m_starts;
};
