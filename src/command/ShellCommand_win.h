// Running a command of the command interpreter ("SHELL", else "COMSPEC") with
// its output read through a pipe and inserted above the target view's caret
// line; in filter mode the view's pick goes to the command's input, written by
// a worker thread so that neither side can block the other.
#pragma once
#include <functional>
#include <string>

class CVu;

// nMode 0: output only; 1: filter. activeView gives the view to insert into;
// it is asked again after the command ended, and the output is dropped when
// the view is not the same any more (the user could act while a question was up).
void RunShellCommand(const std::string& strText, int nMode, const std::function<CVu*()>& activeView);

// The seconds a command may run before the user is asked whether to end it.
inline constexpr unsigned kShellAskSeconds = 5;
