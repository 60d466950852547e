// Byte-string routines of the services and the start-up code: splitting at
// separator bytes (plain, and with double-quoted sections), joining, and putting
// an argument into a command template. They work on bytes: a separator byte is
// recognised wherever it occurs.
#pragma once
#include <string>
#include <vector>

// Limits of the splitters: the text must be shorter than this many bytes...
inline constexpr int kSplitMaxText = 2048;
// ...and may give at most this many tokens (the in-place form: its max).
inline constexpr int kSplitMaxTokens = 1024;

// Splits text at any of the separator bytes into tokens (runs of other bytes; no
// empty tokens). Returns the count, or -1 with an error box when the text is too
// long or gives too many tokens (tokens is then empty).
int SplitString(std::vector<std::string>& tokens, const char* text, const char* separators);
// The same in place: the first separator after each token becomes a NUL and
// pointers receives at most max token starts.
int SplitString(char** pointers, int max, char* buffer, const char* separators);
// As SplitString, but a double quote anywhere in a token takes every byte up to
// the next double quote into the token (separators included). With stripQuotes,
// a token of 3 or more bytes that begins and ends with a quote loses them. A
// quote that is never closed: error box "end \" missing" and -1.
int SplitStringQ(std::vector<std::string>& tokens, const char* text, const char* separators, bool stripQuotes);

// Joins count items with the separator into buffer (size bytes with the NUL).
// Returns buffer, or null when size < 1 or the text would not fit.
char* JoinStrings(char* buffer, int size, const char* const* items, int count, const char* separator);
std::string JoinStrings(const std::vector<std::string>& items, const char* separator);

// The template with its first "%1" replaced by the argument; without "%1", the
// template, a space and the argument. Other '%' sequences are left as they are.
std::string SubstituteArgument(const char* tmpl, const char* argument);
