// Names for temporary files in the folder named by TMP (or TEMP).
#pragma once
#include <string>

// Creates a new, empty file "<TMP>\<prefix><nnn><suffix>" with the first number
// nnn (000-999) whose name is free, and returns its path; "" after an error box
// when TMP and TEMP are unset, name no folder, or all thousand names are taken.
// The file is created exclusively, so two programs never get the same name.
std::string MakeTempFileName(const char* prefix, const char* suffix);
