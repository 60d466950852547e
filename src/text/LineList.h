// Lines kept end to end in one buffer, each followed by a NUL: a few lines a
// command keeps aside in one allocation (an undo record of a split or a join)
// and hands back to the line store. Many lines move as pointers instead
// (OwnedLines.h).
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

    size_t Count() const { return m_starts.size(); }
    // Each line as the line store takes it (NUL-terminated), valid until the
    // list changes.
    std::vector<const char*> Pointers() const;

private:
    std::string m_bytes;
    std::vector<size_t> m_starts;
};
