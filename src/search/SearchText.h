// The text a search walks and a replacement changes, as the searcher sees it:
// numbered lines of Shift-JIS. The view implements it over its document (handing
// out each line with its trailing blanks already cut off, and making every
// replacement one undoable edit); tests implement it over strings.
#pragma once
#include <string_view>

// A match: line, byte column and length in bytes.
struct SearchHit {
    long nLine = -1;
    long nColumn = 0;
    long nLength = 0;
};

class ISearchText {
public:
    virtual ~ISearchText() = default;
    virtual long LineCount() = 0;
    // Line nLine (0 <= nLine < LineCount()), NUL-terminated, valid until the next
    // call on this object.
    virtual const char* LineText(long nLine) = 0;
};

class IReplaceText : public ISearchText {
public:
    // Replaces nLength bytes at (nLine, nColumn) by text in one step. False when
    // the edit was refused (its message shown); the text is then unchanged.
    virtual bool ReplaceText(long nLine, long nColumn, long nLength, std::string_view text) = 0;
};

// The longest line the editor holds, in bytes.
constexpr long kMaxLineBytes = 65278;
