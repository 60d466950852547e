// The searcher behind the search and replace commands: it parses the command
// text, holds the plain text or the compiled regular expression and the
// replacement, finds matches in a line or through the lines of a text, and keeps
// the last match (its place and copies of its groups, never a pointer into a
// line, so edits cannot leave it dangling).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "search/RegEx.h"
#include "search/RegExScan.h"
#include "search/SearchText.h"

class CSearcher {
public:
    // Limits of the texts a command may give, in bytes (exclusive).
    static constexpr size_t kMaxPattern = 1024;
    static constexpr size_t kMaxReplacement = 1024;

    // Regular expressions compile into engine's arena.
    explicit CSearcher(CRegEx& engine);
    CSearcher(const CSearcher&) = delete;
    CSearcher& operator=(const CSearcher&) = delete;

    // A search command. With bFromCommandLine false the text is a plain search as
    // it stands. From the command line, blanks around it are ignored and
    // "m" d re d, "/" re "/" (each optionally followed by "i" for caseless) give a
    // regular expression; anything else is a plain search for the text after its
    // leading blanks. False (after its message) when nothing can be searched for.
    bool SetSearch(const char* text, bool bFromCommandLine);
    // A replace command: "s" d re d replacement d for a regular expression, or
    // d text d replacement d (any delimiter) for plain text; a final "i" makes
    // either caseless. False after "Replace command syntax error" or a limit's
    // message.
    bool SetReplace(const char* text);

    bool CanSearch() const { return m_bHasPattern && (!m_bRegEx || m_pProgram); }
    bool IsRegEx() const { return m_bRegEx; }
    bool IsCaseless() const { return m_bCaseless; }
    bool IsAnchored() const { return m_bAnchored; }
    bool IsReplace() const { return m_bReplace; }
    const std::string& Pattern() const { return m_strPattern; }
    const std::string& ReplaceWith() const { return m_strReplace; }

    // Finds in one line (NUL-terminated) from nStart: forward, the first match at
    // or after it; backward, the nearest at or before it. A hit is recorded as the
    // last match on line nLine.
    bool FindInLine(long nLine, const char* line, long nStart, bool bForward, SearchHit* pHit);
    // From (nLine, nColumn) to the end of the text: first the rest of that line
    // when the column lies inside it (one character further with bSkipCaret),
    // then each following line from its start.
    bool FindForward(ISearchText& text, long nLine, long nColumn, bool bSkipCaret, SearchHit* pHit);
    // Backward from one character before (nLine, nColumn), then each line above
    // from its end.
    bool FindBackward(ISearchText& text, long nLine, long nColumn, SearchHit* pHit);

    bool HasLastMatch() const { return m_last.nLine >= 0; }
    const SearchHit& LastMatch() const { return m_last; }
    bool IsLastMatchAt(long nLine, long nColumn) const
    {
        return m_last.nLine >= 0 && m_last.nLine == nLine && m_last.nColumn == nColumn;
    }
    void ForgetLastMatch();
    // The text that replaces the last match: the replacement with its "$n"
    // expanded for a regular expression, as written for plain text.
    std::string Replacement() const;

    // Replaces the last match when it is at (nLine, nColumn); the match is then
    // forgotten. False when there was nothing to replace there, or the line would
    // grow past kMaxLineBytes (after the message; nothing changes).
    bool ReplaceLastMatch(IReplaceText& text, long nLine, long nColumn);
    // Replaces every match from (nLine, nColumn) to the end of the text and
    // returns how many. Each next search starts just after the replacement, and
    // one character further after an empty match, so it always ends. Stops with a
    // message at a replacement that would make a line too long.
    long ReplaceAll(IReplaceText& text, long nLine, long nColumn);
    // Where the walk of ReplaceAll goes on after replacing hit with nReplaced
    // bytes: the column in the changed line (lineAfter), which may lie past its
    // end (then the walk moves to the next line).
    static long NextColumnAfterReplace(const char* lineAfter, const SearchHit& hit, long nReplaced);

private:
    void Reset();
    bool SetPattern(const std::string& pattern, bool bRegEx, bool bCaseless);
    bool FindInLineAt(const char* line, long nLength, long nStart, bool bForward, long* pColumn, long* pLength);

    CRegEx& m_engine;
    bool m_bHasPattern = false;
    bool m_bRegEx = false;
    bool m_bCaseless = false;
    bool m_bAnchored = false;
    bool m_bReplace = false;
    std::string m_strPattern;  // the plain text, or the regular expression as the user wrote it
    std::string m_strReplace;
    RegExProgram* m_pProgram = nullptr;
    std::unique_ptr<CRegExScan> m_pScan;
    RegExMatch m_match{};  // scratch for the groups of a hit

    SearchHit m_last;
    std::vector<std::string> m_lastGroups;
};

// The application's searcher: nullptr until the first search or replace command.
CSearcher* Searcher();
// Replaces the application's searcher by a new, empty one (every new search or
// replace command starts here); the half-width katakana mode goes off.
CSearcher& NewSearcher();

// The half-width katakana search mode, on while true.
bool HankakuKanaMode();
void SetHankakuKanaMode(bool bOn);
