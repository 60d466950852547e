// The command window's language: a line becomes a command number and the few
// values the command carries out with (the line to go to, the file to open,
// the shell command and its mode).
#pragma once
#include <string>
#include <string_view>

// What a command line leaves for the command it gives.
struct CCommandRequest {
    long nGotoLine = 0;           // ID_GOTO_LINE
    std::string strNamedFile;     // ID_OPEN_NAMED_FILE
    std::string strShellCommand;  // ID_SHELL_COMMAND
    int nShellMode = 0;           // 0 output only, 1 filter
};

// The command of a line, or 0 for none (the caller beeps). A replace command
// sets up the application's searcher (its parser's message when it refuses).
unsigned ParseCommandLine(std::string_view line, CCommandRequest& request);
