// The editor's own regular-expression engine for Shift-JIS text: a double-byte
// character is one unit for every operator, class and range. A pattern compiles
// into a linked list of elements in the engine's arena; Match runs it greedily,
// with backtracking, against the start of a text and reports up to 16 groups.
//
// Syntax: a character stands for itself; "." any character; "$" the end of the
// text; "[...]" a class of characters and hyphenated ranges ("[^...]" negated);
// "\(" ... "\)" a group (at most 16, not nested); a backslash makes any other
// character literal; "*", "+", "?" repeat the element before them 0-32767,
// 1-32767 or 0-1 times. There is no alternation and no "^" (callers anchor).
#pragma once
#include <cstddef>

#include "search/RegExMem.h"

constexpr int kRegExMaxGroups = 16;
constexpr int kRegExMaxRepeat = 32767;

// One range of codes of a class: a byte value, or lead byte * 256 + trail byte.
struct RegExRange {
    unsigned nLow;
    unsigned nHigh;
    RegExRange* pNext;
};

struct RegExElement {
    int nMin;
    int nCount;  // work field: units taken by the current try
    int nMax;
    RegExRange* pClass;
    bool bNegated;
    bool bEndAnchor;  // the class is {0-0}: "$"
    // Membership of every single-byte code (0-255), caseless folding and negation
    // included, worked out once at compile time so matching a byte is one lookup.
    unsigned char abByte[256 / 8];
    long nStart;  // work fields: the last try's span, offsets into the text; -1 before any
    long nEnd;
    RegExElement* pPrev;
    RegExElement* pNext;
};

struct RegExProgram {
    RegExElement* pFirst;
    bool bCaseless;
    int nGroups;
    RegExElement* apGroupStart[kRegExMaxGroups];
    RegExElement* apGroupEnd[kRegExMaxGroups];
};

// Where each group of a successful match lies in the text matched.
struct RegExMatch {
    int nGroups;
    const char* apStart[kRegExMaxGroups];
    const char* apEnd[kRegExMaxGroups];  // just past the group's last byte
};

class CRegEx {
public:
    explicit CRegEx(size_t nMaxBlocks = CRegExMem::kUnbounded) : m_mem(nMaxBlocks) {}
    CRegEx(const CRegEx&) = delete;
    CRegEx& operator=(const CRegEx&) = delete;

    // The program for a NUL-terminated pattern, or nullptr after the error box
    // (or silently, for a pattern that ends in "\(" or "\)" or a backslash).
    // bCaseless makes ASCII letters match either case. The program lives in the
    // arena until Rewind.
    RegExProgram* Compile(const char* pattern, bool bCaseless);
    // True when the program matches at the first byte of the NUL-terminated
    // text; then pResult (may be null) gets the groups.
    static bool Match(RegExProgram* pProgram, const char* text, RegExMatch* pResult);
    // After a successful Match: the bytes matched, not counting a last element
    // that is the end anchor or the ".?" filler.
    static long MatchLength(const RegExProgram* pProgram);

    // Gives up every program compiled so far.
    void Rewind() { m_mem.Reset(); }
    size_t ArenaBlocks() const { return m_mem.BlockCount(); }

private:
    RegExElement* alloc_ree();
    RegExRange* alloc_occ(unsigned nLow, unsigned nHigh);
    bool ParseElement(RegExProgram* pProgram, const unsigned char*& p, RegExElement** ppElement);
    bool ParseClass(RegExElement* pElement, const unsigned char*& p);
    static void FillByteTable(RegExElement* pElement, bool bCaseless);

    CRegExMem m_mem;
    bool m_bGroupOpen = false;
};

// The two engine objects of the program: the one behind search and replace
// (only the application's searcher compiles into it, and each new searcher
// rewinds it), and the one the mail code parses time zones with.
CRegEx& SearchRegEx();
CRegEx& MailRegEx();
