// The editor's command line and the shell's "[open(...)]" command: options
// ("-MAX", "-MAIL", "-MAILEDIT", "-EUC", "-SJIS", any letter case) first, then
// file names. Options count only before the first file name: a later argument
// that begins with "-" is a file name.
#pragma once
#include <string>
#include <string_view>
#include <vector>

struct CAppSettings;

struct CCommandArgs {
    bool bMaximize = false;
    int nMailMode = -1;    // -1: not given; else 0, 1 ("-MAIL") or 2 ("-MAILEDIT")
    int nCodeOption = -1;  // -1: not given; else 1 ("-EUC") or 2 ("-SJIS")
    std::vector<std::string> files;  // Shift-JIS

    // Puts the options given into the settings (those not given stay).
    void ApplyTo(CAppSettings& s) const;
};

// Sorts already split arguments into options and files. On the command line
// (bDdeForm false) an unknown option fails the parse; in an open command it ends
// the options and it and everything after it are files.
bool ParseArguments(const std::vector<std::string>& args, bool bDdeForm, CCommandArgs& out);

// The arguments of a command line without the program name: split at blanks,
// double quotes group and are removed. False for an unknown option or a text
// the splitter refuses (it reports why).
bool ParseCommandLine(std::string_view text, CCommandArgs& out);

// The text after the program name in a full process command line (the program
// name quoted or up to the first blank).
std::string_view ArgumentsOf(std::string_view fullCommandLine);

// The shell's open command: "[open(" (any letter case) ... ")]". Returns false
// when text is not an open command (it goes to the default handling); otherwise
// true, with the arguments between the parentheses split at "," (quotes group
// and are removed) in out; a text the splitter refuses gives no files.
bool ParseDdeOpenCommand(std::string_view text, CCommandArgs& out);
