// The portable half of running a shell command: the command line handed to
// the interpreter, and the child's output cut into lines.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// The longest command line the system takes, in characters with its NUL.
inline constexpr size_t kMaxCommandLine = 32767;

// The command text without its leading spaces and tabs ("" when nothing is left).
std::string_view ShellCommandText(std::string_view text);

// "interpreter /C command"; an interpreter path with blanks is quoted so it
// still names one program. False when the line would not fit (nothing is cut).
bool BuildShellCommandLine(std::string_view interpreter, std::string_view command, std::string& line);

// The output's lines: "\r\n" and a lone "\n" end a line; a lone "\r" ends one
// and takes every CR and LF right after it along; output ending with a line end
// has no empty last line; a NUL ends the output. A line longer than the store
// takes is cut on a character boundary (*pbCut tells).
std::vector<std::string> SplitShellOutput(std::string_view output, bool* pbCut);
