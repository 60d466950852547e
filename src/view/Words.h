// Characters and words of a line as the word motion and word selection see
// them. Blanks are the ASCII blank and the full-width blank. A word is a run of
// hiragana, of katakana, of full-width letters or of kanji (one class per run),
// any other double-byte character alone, a run of ASCII letters, digits and "_"
// that holds a letter or digit, or any other single byte alone; at most
// kMaxWordBytes bytes of it are taken.
#pragma once
#include <string_view>

inline constexpr long kMaxWordBytes = 1024;

// The first byte of the character that covers byte i (i itself, or i - 1 on a
// second byte).
long CharStartAt(std::string_view s, long i);
// The first byte of the character before the one that begins at i (i > 0).
long PrevCharStart(std::string_view s, long i);
// The character beginning at i is a blank.
bool IsBlankAt(std::string_view s, long i);
// The column after the last character that is not a blank (0 when none).
long TextEnd(std::string_view s);
// The first column that is not a blank (the length when none).
long FirstNonBlank(std::string_view s);
// The text without its trailing ASCII blanks: its length.
long TrimmedLength(std::string_view s);
// The count of leading ASCII blanks.
long LeadingBlanks(std::string_view s);

struct CWordSpan {
    long nStart = 0;
    long nEnd = 0;  // exclusive
};

// The word that covers byte i; false on a blank or at or past the end.
bool WordAt(std::string_view s, long i, CWordSpan& word);
