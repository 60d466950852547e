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

void CLineList::Clear()
{
    m_bytes.clear();
    m_starts.clear();
}

std::string_view CLineList::operator[](size_t i) const
{
    size_t end = i + 1 < m_starts.size() ? m_starts[i + 1] : m_bytes.size();
    return std::string_view(m_bytes).substr(m_starts[i], end - m_starts[i] - 1);
}

std::vector<const char*> CLineList::Pointers() const
{
    std::vector<const char*> pp;
    pp.reserve(m_starts.size());
    for (size_t start : m_starts)
        pp.push_back(m_bytes.data() + start);
    return pp;
}

std::vector<std::string> CLineList::ToStrings() const
{
    std::vector<std::string> lines;
    lines.reserve(Count());
    for (size_t i = 0; i < Count(); ++i)
        lines.emplace_back((*this)[i]);
    return lines;
}

bool CLineList::operator==(const CLineList& other) const
{
    return m_starts == other.m_starts && m_bytes == other.m_bytes;
}
