// MIME encodings of composed mail: Japanese header text as RFC 2047 encoded
// words (charset ISO-2022-JP, encoding B), and attachment bodies as Base64 lines.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

class CFileStream;

// The largest JIS text (escape sequences included) one encoded word carries.
inline constexpr size_t kMaxJisPerWord = 42;
// The encoded word made of JIS bytes: "=?ISO-2022-JP?B?" Base64 "?=".
std::string EncodedWord(std::string_view jis);

// Turns the whole Shift-JIS text into encoded words of at most kMaxJisPerWord
// JIS bytes each, separated by single blanks, into dest (replaced). Returns
// its length (0 for an empty text), or -1 when it would pass capacity bytes or
// the text holds half-width katakana (no JIS code).
int EncodeHeaderWords(std::string& dest, size_t capacity, std::string_view text);

// MIME-encodes one header line: one-byte text is copied, each run of
// double-byte text (with the blanks between its characters) becomes encoded
// words. The result and a terminating NUL fit capacity bytes. Returns the
// length, or -1 after the error box "MIME encode destination buffer overflow"
// or "Illegal hankaku katakana".
int EncodeHeaderText(std::string& dest, size_t capacity, std::string_view text);

// Writes the file at inputPath as Base64 body lines: 76 characters for each
// 57 bytes, each line ended by CR LF; the last line shorter and padded. False
// after "Can't open %s" when the file cannot be opened; false also when it
// cannot be read to its end or a line cannot be written.
bool EncodeBase64Lines(CFileStream& out, std::string_view inputPath);
