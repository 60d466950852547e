// Finding a plain text in one line of Shift-JIS: a hit always starts and ends on a
// character boundary, so a search never lands on, or stops inside, half of a
// double-byte character. Offsets are bytes; start offsets must be boundaries.
#pragma once
#include <string_view>
#include <vector>

// True when pos is a character boundary, reading characters from from (itself a
// boundary, at or before pos). A lead byte just before the end is a single byte.
bool IsBoundaryFrom(std::string_view line, long from, long pos);

// Every character boundary of line from 0 up to and including last (last <= size).
void CollectBoundaries(std::string_view line, long last, std::vector<long>* pBoundaries);

// The first occurrence of needle at or after start, or -1. bCaseless folds ASCII
// letters of single-byte characters only.
long FindTextForward(std::string_view line, long start, std::string_view needle, bool bCaseless);
// The occurrence starting nearest before or at start (start may be the line's
// length), or -1.
long FindTextBackward(std::string_view line, long start, std::string_view needle, bool bCaseless);
