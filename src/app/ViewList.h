// The document windows of the previous run, kept in the settings section
// "View List" as "View0", "View1", ... up to the first empty value. Each value
// is thirteen blank-separated fields: show state; left, top, right, bottom of the
// normal position; the path with blanks and "%" written as "%" and two lower-case
// hex digits; first visible column and line; caret screen column and row; the
// document's tab width; x and y of the minimized position.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class ISettingsStore;

// The longest path field (as stored, encoded) a reader accepts.
constexpr size_t kMaxViewPathField = 1023;

struct CViewListEntry {
    int nShowCmd = 1;
    int nLeft = 0, nTop = 0, nRight = 0, nBottom = 0;
    std::string strPath;  // decoded, Shift-JIS
    long nLeftCol = 0;
    long nTopLine = 0;
    int nCaretCol = 0;
    int nCaretRow = 0;
    int nTabWidth = 0;  // 0: the file had no tabs
    int nMinX = 0, nMinY = 0;
};

// "%20" for a blank, "%25" for "%"; double-byte characters are copied whole.
std::string EncodeViewPath(std::string_view path);
// "%" and two hex digits become that byte; a "%" without two hex digits stays.
std::string DecodeViewPath(std::string_view field);

std::string FormatViewEntry(const CViewListEntry& entry);
// False for a malformed value: fewer than thirteen fields, a field that is not
// a number where one belongs, or a path field longer than kMaxViewPathField.
bool ParseViewEntry(std::string_view value, CViewListEntry& entry);

// The tab width to read a reopened file with: the saved one when it is 4 or 8,
// else (0 for a file without tabs, or a damaged value) the current "ReadTab".
int ReopenTabWidth(int nSavedTabWidth, int nCurrentReadTab);

// Writes entries as "View0"... and an empty value after the last, ending the list.
void WriteViewList(ISettingsStore& store, const std::vector<CViewListEntry>& entries);
// Reads the list up to the first empty or missing value and hands each
// well-formed entry to open, in order; a malformed one shows message 63 and is
// skipped.
void ReadViewList(ISettingsStore& store, const std::function<void(const CViewListEntry&)>& open);
