// The program's folder and the temporary folder, found at start-up.
#pragma once
#include <optional>
#include <string>
#include <string_view>

// The folder of the executable (without a trailing backslash). An executable
// path without a backslash, or one whose folder part is shorter than five bytes
// (a drive's root), shows "Abnormal path ..." and start-up goes on.
std::string ProgramDirOf(std::string_view exePath);

// "TEMP", else "TMP", without a trailing backslash; the program folder when
// neither is set (an empty variable counts as set, as the system keeps it).
std::string ChooseTempDir(const std::optional<std::string>& temp, const std::optional<std::string>& tmp,
                          const std::string& programDir);
