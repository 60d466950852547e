// The code converters between the editor's Shift-JIS and the JIS (ISO-2022-JP)
// and EUC-JP files it reads and writes, and two small string comparisons.
// All work on caller-owned buffers without allocation.
#pragma once
#include <cstddef>

// Escape sequences the JIS writer uses: into JIS X 0208, back to one-byte text
// (JIS X 0201 Roman, which is what readers of our files have always been given).
inline constexpr char kJisEnterKanji[] = "\x1B$B";
inline constexpr char kJisLeaveKanji[] = "\x1B(J";

// Stand-ins for a character that has no code in the target: 〓 (geta mark).
inline constexpr unsigned kSjisGeta = 0x81AC;
inline constexpr unsigned kJisGeta = 0x222E;

// Destination sizes that always suffice for a source of n bytes (without NUL):
// JIS: an allowed half-width katakana between one-byte characters takes 8 bytes
// (ESC $ B, the pair, ESC ( J), plus the closing escape and the NUL.
constexpr size_t JisBufferSize(size_t n) { return 8 * n + 4; }
constexpr size_t EucBufferSize(size_t n) { return 2 * n + 1; }

// The JIS X 0208 code (both bytes 0x21-0x7E) of a Shift-JIS code (lead << 8 |
// trail), by the row and cell arithmetic; 0 when it has none (bytes not of their
// class, rows from lead byte 0xF0 up).
unsigned SjisToJisCode(unsigned sjis);
// The Shift-JIS code of a JIS X 0208 code; 0 when either byte is outside 0x21-0x7E.
unsigned JisToSjisCode(unsigned jis);

// Shift-JIS to JIS. dest must hold JisBufferSize(strlen(src)) bytes. Every line
// ends in one-byte mode; a pair without a JIS code becomes the geta mark. A
// half-width katakana byte is written as its full-width form when bAllowKana,
// else the conversion stops there with false (the output written so far is
// closed and terminated, but incomplete).
bool SjisToJis(char* dest, const char* src, bool bAllowKana);
// Shift-JIS to EUC-JP. dest must hold EucBufferSize(strlen(src)) bytes. A pair
// without a JIS code becomes 0x80 0x80; half-width katakana become 0x8E and the byte.
void SjisToEuc(char* dest, const char* src);
// Converts one line of a file in place to Shift-JIS (the result is never longer).
// The flags belong to the caller and persist over the lines of one file: a file
// that has shown itself as Shift-JIS or JIS is never taken for EUC later. An
// escape is ESC or SUB. A JIS or EUC pair without a Shift-JIS code becomes 〓.
char* ToSjis(char* line, bool& bSjisSeen, bool& bJisSeen, bool& bEuc);

// The same on counted text (no NUL inside); the results are the byte counts
// written, without a terminator. SjisToJisN returns the count written up to the
// stop when it stops at a half-width katakana (*pbStopped is set then).
size_t SjisToJisN(char* dest, const char* src, size_t n, bool bAllowKana, bool* pbStopped);
size_t SjisToEucN(char* dest, const char* src, size_t n);
// An EUC character of the supplementary set (0x8F and two bytes of 0xA1-0xFE),
// which Shift-JIS cannot hold, becomes one 〓 and is counted in *pnSupplementary.
size_t ToSjisN(char* line, size_t n, bool& bSjisSeen, bool& bJisSeen, bool& bEuc,
               size_t* pnSupplementary = nullptr);

// Compares the last n bytes of a and b from the end backwards as signed chars:
// 0 when n < 1 or they agree, else the difference of the first unequal pair, or,
// when one text runs out first, the difference of the two remaining indices.
int CompareTail(const char* a, const char* b, int n);
// A sort comparator for arrays of string pointers (qsort style: a and b point at
// the const char* elements); byte-wise like strcmp.
int CompareStringPtrs(const void* a, const void* b);
