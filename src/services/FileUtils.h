// Path and file routines shared by the mail, settings and service code. Paths
// are Shift-JIS bytes. A backslash or slash separates folders only where a
// character starts: the second byte of a double-byte character can be 0x5C
// (表 is 0x95 0x5C, ソ 0x83 0x5C) and is never a separator.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Offset of the last separator that is a character of its own, or npos.
size_t LastPathSeparator(std::string_view path);
// Drive and folder of the path, without a trailing separator ("C:\a\b.txt" ->
// "C:\a", "C:\b.txt" -> "C:", "b.txt" -> "").
std::string DirectoryOf(std::string_view path);
// The part after the last separator; a path ending in one gives its last
// folder's name; a path without one is returned whole.
std::string FileNameOf(std::string_view path);
// The extension of the path's file name with its dot (".txt"), or "".
std::string ExtensionOf(std::string_view path);
// folder, this target's separator (unless folder already ends in one) and name;
// just name when folder is empty.
std::string JoinPath(std::string_view folder, std::string_view name);
// True for a name that stays inside the folder it is put in: not empty, not
// "." or "..", no separator, colon or control character, and no device name
// (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with any extension and in any case).
bool IsPlainFileName(std::string_view name);

// The current folder; on failure the error box "getcwd returned error" and "".
std::string GetCurrentDir();
// Size in bytes / last-write time (100-ns units since 1601, as FileTime) of a
// file; -1 when it cannot be examined.
std::int64_t FileSizeOf(std::string_view path);
std::int64_t FileTimeOf(std::string_view path);
// Removes the folder with everything in it. A symbolic link or junction inside
// is removed as a link; what it points to is left alone. False at the first
// entry that cannot be removed.
bool RemoveDirectoryTree(std::string_view dir);
// The path with every component replaced by its short (8.3) name where it has
// one, for handing to outside programs. A network path ("\\server..."), an
// empty path, a bare drive ("C:") and a path ending in "." come back unchanged;
// a path that does not exist gives "".
std::string ShortPathOf(std::string_view path);
