// The scan at the heart of file loading: where the plain part of a line ends.
#pragma once
#include <cstddef>

// Finds the first LF, CR, TAB or NUL in p[0..n), or n. Sets bHigh when a byte of
// 0x80 or above, and bEscape when an ESC or SUB, comes before it (never clears).
size_t ScanLineBytes(const unsigned char* p, size_t n, bool& bHigh, bool& bEscape);
