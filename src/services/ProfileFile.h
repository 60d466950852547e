// Reading settings files of other programs ("name.ini": "[section]" lines and
// "key=value" lines), the way Windows reads private profile files: section and
// key names without regard to case, blanks around names and values dropped, a
// value in double quotes without them. Shift-JIS text.
#pragma once
#include <string>
#include <string_view>

// The value of key in section, or def when the file, the section or the key is missing.
std::string ReadProfileString(std::string_view iniPath, std::string_view section, std::string_view key,
                              std::string_view def);
