// Running a compiled program over one line: tries Match at each character
// boundary, as the search commands do, but skips the boundaries where no match
// can start (the program's first unit decides which bytes may begin one, and a
// leading run of literal characters is looked for as bytes first). The hits are
// exactly those of trying every boundary in turn.
#pragma once
#include <string>
#include <vector>

#include "view/RegEx.h"

class CRegExScan {
public:
    explicit CRegExScan(RegExProgram* pProgram);

    // The first boundary at or after start (the end of the line included) where
    // the program matches, or -1. line is NUL-terminated, nLength its length.
    long FindForward(const char* line, long nLength, long nStart, RegExMatch* pResult) const;
    // The last boundary at or before nStart where it matches, or -1.
    long FindBackward(const char* line, long nLength, long nStart, RegExMatch* pResult);
    // Does it match at pos (a boundary)?
    bool MatchAt(const char* line, long pos, RegExMatch* pResult) const;

    const std::string& LiteralPrefix() const { return m_strPrefix; }

private:
    bool CanStartAt(const char* line, long pos) const;

    RegExProgram* m_pProgram;
    bool m_abFirst[256];     // bytes a match can begin with (the terminator for the end)
    std::string m_strPrefix;  // bytes every match begins with
    std::vector<long> m_boundaries;
};
