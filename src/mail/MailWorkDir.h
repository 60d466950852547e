// The folder the mail code keeps its temporary files in: the application's
// work folder (TEMP, else TMP, else the program's folder), set at start-up.
#pragma once
#include <string>
#include <string_view>

void SetMailWorkDir(std::string_view dir);
// The folder set, without a trailing separator; before one is set, TEMP, TMP
// or the current folder.
std::string MailWorkDir();
