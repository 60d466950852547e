// A text of string lines for the searcher's tests: it counts its replacements and
// can refuse them like the view's line store would.
#pragma once
#include <string>
#include <vector>

#include "search/SearchText.h"

class CLinesText : public IReplaceText {
public:
    explicit CLinesText(std::vector<std::string> lines) : m_lines(std::move(lines)) {}

    long LineCount() override { return static_cast<long>(m_lines.size()); }
    const char* LineText(long nLine) override { return m_lines[static_cast<size_t>(nLine)].c_str(); }
    bool ReplaceText(long nLine, long nColumn, long nLength, std::string_view text) override
    {
        if (m_bRefuse)
            return false;
        m_lines[static_cast<size_t>(nLine)].replace(static_cast<size_t>(nColumn), static_cast<size_t>(nLength), text);
        ++m_nReplaced;
        return true;
    }

    std::vector<std::string> m_lines;
    int m_nReplaced = 0;
    bool m_bRefuse = false;
};
