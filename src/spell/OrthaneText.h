// The texts exchanged with the spell-checking library: its candidate buffer
// and the dictionary list of its "Dic" setting.
#pragma once
#include <string>
#include <vector>

// The size of the candidate buffer handed to the library.
constexpr size_t kCandidateBufferSize = 2048;
// The most dictionaries handed to the library.
constexpr size_t kMaxDictionaries = 15;
// The user dictionary's file, appended to the first dictionary folder.
constexpr char kUserDictionaryFile[] = "\\tovauser.wtr";

// The candidates in a buffer of consecutive NUL-terminated texts ended by an
// empty one. Only the size bytes are looked at: a text the buffer cuts off
// ends the list without being taken.
std::vector<std::string> ParseCandidates(const char* buffer, size_t size);

// The paths of a "Dic" value: separated by ";", empty parts left out, at most
// kMaxDictionaries.
std::vector<std::string> DictionaryPaths(const std::string& value);
