// Names of the files in a parts folder. Names that come with a mail are chosen
// by its sender, so they are reduced to plain names that stay inside the
// folder and cannot clash with the folder's own files (its index, the nested
// entity files the rebuild writes) or with each other.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// The index of a parts folder: one line "name;type;subtype;inline|attachment" a part.
inline constexpr char kPartsIndexName[] = "~$prtinf.dat";
// Longest part file name we make (bytes, Shift-JIS).
inline constexpr size_t kMaxPartNameBytes = 180;

// The wanted name reduced to a plain file name (IsPlainFileName holds for it):
// only what follows the last "\", "/" or ":"; control characters and the
// characters Windows refuses (and ";", the index separator) become "_";
// leading blanks and trailing blanks and dots go; a device name (CON, NUL,
// COM1 ...) or the index name gets a leading "_"; the extension ".mpm", which
// the rebuild takes for a nested entity, becomes ".mpm_"; an over-long name is
// cut before its extension. "" when nothing is left.
std::string PlainPartName(std::string_view wanted);
// plain when no name of taken equals it (without regard to ASCII case), else
// the first free "base(2).ext", "base(3).ext" ...
std::string UniquePartName(std::string_view plain, const std::vector<std::string>& taken);

// The check of a name the user types for a part: nullptr when it will do, else
// the message (UTF-8) to show: "新しい名前を入力してください",
// "パスでなくファイル名だけを入力してください", "ファイル名には拡張子が必要です".
const char* NewPartNameProblem(std::string_view name);
