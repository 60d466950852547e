// Lines held outside a store.
#include "text/OwnedLines.h"

#include "text/LineStore.h"

COwnedLines& COwnedLines::operator=(COwnedLines&& other) noexcept
{
    if (this != &other) {
        Clear();
        m_lines = std::move(other.m_lines);
        other.m_lines.clear();
    }
    return *this;
}

void COwnedLines::Clear()
{
    for (char* p : m_lines)
        CLineStore::FreeLine(p);
    m_lines.clear();
}

std::vector<std::string> COwnedLines::ToStrings() const { return {m_lines.begin(), m_lines.end()}; }
