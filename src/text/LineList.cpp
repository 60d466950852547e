// A list of lines in one buffer.
#include "text/LineList.h"

CLineList::CLineList(const std::vector<std::string>& lines)
{
    size_t n = 0;
    for (const std::string& s : lines)
        n += s.size() + 1;
    Reserve(n, lines.size());
    for (const std::string& s : lines)
        Add(s);
}

void CLineList::Reserve(size_t nBytes, size_t nLines)
{
    m_bytes.reserve(nBytes);
    m_starts.reserve(nLines);
}

void CLineList::Add(std::string_view line)
{
    m_starts.push_back(m_bytes.size());
    m_bytes.append(line);
    m_bytes.push_back('\0');
}

std::vector<const char*> CLineList::Pointers() const
{
    std::vector<const char*> pp;
    pp.reserve(m_starts.size());
    for (size_t start : m_starts)
        pp.push_back(m_bytes.data() + start);
    return pp;
}
