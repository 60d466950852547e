// A deterministic corpus of realistic Japanese text for benchmarks: paragraphs of
// sentences mixing hiragana, katakana words, level-1 kanji compounds, ASCII words
// and numbers, Japanese punctuation and full-width spaces, in lines of up to about
// 80 bytes; some lines start with a tab, some end in blanks, paragraphs are
// separated by an empty line. Made at run time (never stored in the repository):
// the same arguments give the same bytes on every machine and compiler.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Shift-JIS text with CR LF line ends, of approxBytes bytes give or take one line.
// Every character is in JIS X 0208 (so EUC-JP and ISO-2022-JP can hold it) and no
// line holds a backslash or a tilde.
std::string GenerateCorpusSjis(size_t approxBytes, std::uint64_t seed = 1);
