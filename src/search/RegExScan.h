// Running a compiled program over one line: tries Match at each character
// boundary, as the search commands do, but skips the boundaries where no match
// can start (the program's first unit decides which bytes may begin one; a
// leading run of literal characters, or the first byte when only a few can
// begin a match, is looked for as bytes first). The hits are exactly those of
// trying every boundary in turn.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "search/RegEx.h"

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
    static constexpr int kMaxRare = 3;
    static constexpr long kNowhere = -2;

    bool CanStartAt(const char* line, long pos) const;
    // The next offset from at where the literal prefix, or one of the few bytes a
    // match can begin with, lies; next keeps each byte's next place.
    size_t NextCandidate(std::string_view text, size_t at, long* next) const;

    RegExProgram* m_pProgram;
    bool m_abFirst[256];     // bytes a match can begin with (the terminator for the end)
    std::string m_strPrefix;  // bytes every match begins with
    unsigned char m_abRare[kMaxRare] = {};  // else the only bytes a match can begin with
    int m_nRare = 0;
    std::vector<long> m_boundaries;
};
