// The half-width katakana mode of search and replace: finding runs of half-width
// katakana and turning a run into full-width katakana. A run is made of the
// single-byte characters of 0x80 or above (half-width katakana, and the stray
// bytes 0x80, 0xA0, 0xFD-0xFF that the composer's save refuses too), judged by
// characters: the same byte values also occur as the second byte of double-byte
// characters, such as 漢. Widening leaves stray bytes as they are.
#pragma once
#include <string>
#include <string_view>

#include "search/SearchText.h"

// The run of half-width katakana characters that holds the character at column,
// extended both ways; false when that character is not half-width katakana.
bool HankakuRunAt(std::string_view line, long nColumn, long* pStart, long* pLength);

// Full-width katakana for a run of half-width katakana, one character for each,
// a voiced mark (ﾞ) after ｶ-ｺ, ｻ-ｿ, ﾀ-ﾄ, ﾊ-ﾎ and a semi-voiced mark (ﾟ) after
// ﾊ-ﾎ folded into the character before it.
std::string HankakuToZenkakuRun(std::string_view run);

// The next run after the one at (nLine, nColumn), through the following lines;
// the hit spans the whole run.
bool FindHankakuForward(ISearchText& text, long nLine, long nColumn, SearchHit* pHit);
// The nearest run before the one at (nLine, nColumn), through the lines above.
bool FindHankakuBackward(ISearchText& text, long nLine, long nColumn, SearchHit* pHit);
// Converts the run at (nLine, nColumn). False when there is none there, or the
// line would grow past the longest line (after the message; nothing changes).
bool ReplaceHankakuRunAt(IReplaceText& text, long nLine, long nColumn);
