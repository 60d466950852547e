// Splitting Shift-JIS paths into folder and name. A backslash counts only where
// a character starts: the second byte of a double-byte character can be 0x5C
// (表 is 0x95 0x5C), and cutting there would name another file.
#pragma once
#include <string>
#include <string_view>

// DirectoryOf and FileNameOf.
#include "services/FileUtils.h"

// Offset of the last backslash that is a character of its own, or npos.
size_t LastBackslash(std::string_view path);
// The path up to and including its last backslash (or its drive "C:"), the place
// where a file name goes; empty for a bare name.
std::string FolderPrefixOf(std::string_view path);
// The path without one trailing backslash (a 0x5C that ends a double-byte
// character is no backslash and stays).
std::string WithoutTrailingBackslash(std::string_view path);
// Two paths name the same file as Windows compares them: equal but for the case
// of one-byte letters (second bytes of double-byte characters are not folded).
bool PathsEqual(std::string_view a, std::string_view b);
