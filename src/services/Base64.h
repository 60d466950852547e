// The Base64 coder (RFC 2045 alphabet, "=" padding) used for attachments,
// encoded header words and stored window placements.
#pragma once
#include <cstddef>

// Encodes n bytes of src into dest: four characters for every three bytes, the
// last group padded with "=". No line breaks, no NUL. dest must hold
// Base64EncodedSize(n) bytes. Returns the number of characters written.
size_t Base64Encode(char* dest, const void* src, size_t n);
constexpr size_t Base64EncodedSize(size_t n) { return (n + 2) / 3 * 4; }

// The capacity of the decoder's work buffer: the alphabet characters of one
// text (line breaks and other bytes are not counted).
inline constexpr size_t kBase64DecodeWorkSize = 64 * 1024;

// Decodes the NUL-terminated text into dest, which holds capacity bytes. Bytes
// outside the alphabet and "=" (line breaks among them) are skipped. Returns
// the number of bytes written, or -1: for malformed input (a pad anywhere but
// at the end, a group cut short) silently; when the text has more characters
// than the work buffer or the result more bytes than dest holds, after the
// error box "buffer overflow in Base64Decode".
long Base64Decode(void* dest, size_t capacity, const char* text);
