// Folding long header lines when a header is written.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// The width header lines are folded at when a mail is written.
inline constexpr size_t kHeaderFoldWidth = 76;

// How many bytes of line stay on the current line when it is folded at width
// (a double-byte character counts 2): the last break candidate at or before
// the width. In an address field the place after a comma wins over all others;
// elsewhere candidates are the start of an encoded word ("=?") and the place
// after one ("?=", never inside one), blanks and tabs, and the places before and
// after the specials ()<>@,;:\".[] (but not around the double quote after
// "name="). First without candidates inside quoted strings, comments and angle
// addresses, then with them; without any, a hard cut at the width (never inside
// a character). Always at least one character.
size_t FindFoldPoint(std::string_view line, size_t width, bool bAddressField);

// Folds one header line ("Name: body", with or without its final CR LF) in
// place into pieces of at most width bytes where the line allows it. Pieces are
// joined by CR LF; a continuation gets one leading blank unless it begins with
// a blank or tab (in the address fields From, To, Cc, Bcc and Resent-To/Cc/Bcc
// its blanks are replaced by exactly one). Blanks before a fold are dropped.
// The line ends in CR LF exactly when it did before.
void FoldHeaderLine(std::string& line, size_t width);
