// What the header bars show of a mail document's header, and how the composer's
// bar writes its fields back into the header document.
#pragma once
#include <string>
#include <string_view>
#include <vector>

class CDoc;
class CMail;

// White space compacted for one-line display: leading blanks go and each run
// of blanks (space, tab, CR, LF) becomes one space. Double-byte characters are
// stepped over whole, so a trail byte is never taken for anything else.
std::string CompactBlanks(std::string_view text);

// The texts the bars show, read from a loaded mail: Subject and Date as
// written, From, To and Cc compacted.
struct CHeaderShown {
    std::string strSubject;
    std::string strFrom;
    std::string strDate;
    std::string strTo;
    std::string strCc;
};
CHeaderShown HeaderShownOf(const CMail& mail);

// The composer bar's fields, Shift-JIS.
struct CHeaderEdits {
    std::string strSubject;
    std::string strTo;
    std::string strCc;
};

// An edit field's text made fit for a header body: line breaks become blanks
// (a field cannot smuggle in lines of its own) and it is cut to a line's
// longest length, never inside a double-byte character.
std::string FieldBodyOf(std::string_view text);

// "Name: body" folded at the header width and split into lines.
std::vector<std::string> FoldedFieldLines(std::string_view name, std::string_view body);

// The header rewritten from a mail's fields: each field "Name: body" folded,
// in the mail's order, after Subject, To and Cc took the edits (a missing one
// added at the end as "Subject", "To" or "Cc").
std::vector<std::string> HeaderLinesWithEdits(CMail& mail, const CHeaderEdits& edits);

// The header lines with only the Subject, To and Cc fields (each with its
// continuation lines) replaced by the edits, every other line left as it is;
// a field not there is added after the last non-empty line. For a header that
// cannot be read whole.
std::vector<std::string> ReplaceEditedFieldLines(const std::vector<std::string>& lines, const CHeaderEdits& edits);

// The lines that begin a field ("Name:" at the start): true when every line
// of the header either begins a field or continues one (a leading blank or
// tab), trailing empty lines aside, and nFields fields were found. A header
// reader that read that many fields then read all there is.
bool HeaderHoldsExactly(const std::vector<std::string>& lines, size_t nFields);

// Writes the edits into the mail document's header document: read again from
// its lines, rewritten from its fields when it reads whole, else with only the
// three fields' lines replaced (nothing else is dropped). The document's views
// are repainted. False when there is no header document or no memory.
bool StoreHeaderEdits(CDoc& doc, const CHeaderEdits& edits);
