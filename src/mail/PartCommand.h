// What showing a part of a mail does, and the command line that runs it.
#pragma once
#include <string>
#include <string_view>

class CContentTypeTable;

// The action of a content type row: ask first (the warning), save to disk
// instead, or show or run the part.
enum class EPartAction { Ask = 0, Save = 1, Run = 2 };

// The action for a part of this type: the row's number (one that is no known
// action asks); a type in no row is saved.
EPartAction PartActionOf(const CContentTypeTable& table, std::string_view type, std::string_view subtype);

// The longest command line a part is started with (bytes, without NUL).
inline constexpr size_t kMaxPartCommandLine = 1023;

// The command line that shows or runs the file: a ".exe" or ".com" file runs
// itself; any other file goes to program, where "%1" takes the path, else the
// command is program, a blank and the path in double quotes. A path with
// blanks is quoted at "%1" unless quotes stand there already; an unquoted
// program path with blanks ("C:\Program Files\v.exe /p") is quoted up to its
// ".exe". False when there is no program for a file that needs one, or when
// the line would be longer than kMaxPartCommandLine: it is never cut.
bool MakePartCommandLine(std::string_view filePath, std::string_view program, std::string& commandLine);
