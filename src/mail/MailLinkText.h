// The texts the editor hands the mail client and its address-book editor:
// the folder arguments of a reply or forward, where the client's settings file
// and the files it names are, and command lines that start its programs.
// Paths are Shift-JIS.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// The longest command line that is started; a longer one is refused, not cut.
constexpr size_t kMaxMailCommandLine = 1023;

// The two arguments of Reply and Forward: the mail's folder file (the mail
// file's drive and folder, without the final backslash, with ".fld") and the
// mail file's name without its extension.
struct CMailFolderArguments {
    std::string strFolderFile;
    std::string strMailName;
};
CMailFolderArguments MailFolderArguments(std::string_view mailPath);

// The client's settings file: its program path with ".ini" for the extension.
std::string MailClientSettingsPath(std::string_view modulePath);
// A file named in the settings: a value without a backslash is a file in the
// program's folder; any other value is taken as it is.
std::string MailClientFilePath(std::string_view modulePath, std::string_view value);

// The argument as one command-line argument: in double quotes when it holds a
// blank. False for one holding a double quote, which no quoting carries.
bool QuoteArgument(std::string_view arg, std::string& out);
// The registered open command of the client's document type made into a
// command line that starts it without a document: an unquoted program path
// with blanks gets quotes (otherwise "C:\Program" would be run), and the
// document placeholder "%1" goes, with its quotes. False for an empty command.
bool MailClientStartCommand(std::string_view openCommand, std::string& out);
// "program argument..." with each part quoted as QuoteArgument does. False
// (with the message box) when a part cannot be quoted or the line would be
// longer than kMaxMailCommandLine.
bool BuildMailCommandLine(std::string_view program, const std::vector<std::string>& args, std::string& out);
// A command line made elsewhere, refused (false, with the message box) when
// it is longer than kMaxMailCommandLine.
bool FitsMailCommandLine(std::string_view commandLine);
