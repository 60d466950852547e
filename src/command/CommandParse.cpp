// The command window's language.
#include "command/CommandParse.h"

#include <climits>
#include <string>

#include "keys/CommandIds.h"
#include "search/Searcher.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Does word begin with prefix (an upper-case ASCII text), letter case aside?
bool BeginsWith(std::string_view word, std::string_view prefix)
{
    if (word.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (Upper(word[i]) != prefix[i])
            return false;
    return true;
}

bool Is(std::string_view word, std::string_view name) { return word.size() == name.size() && BeginsWith(word, name); }

// The leading decimal number of text, 0 when there is none; a number too big
// for a line number stays the biggest one (the view clamps it to the last line).
long LeadingNumber(std::string_view text)
{
    long n = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        int digit = c - '0';
        n = n > (LONG_MAX - digit) / 10 ? LONG_MAX : n * 10 + digit;
    }
    return n;
}

unsigned ReplaceCommand(std::string_view arg)
{
    bool bInteractive = !arg.empty() && (arg[0] == 'i' || arg[0] == 'I');
    if (bInteractive) {
        size_t end = arg.find(' ');
        arg = end == std::string_view::npos ? std::string_view() : arg.substr(end);
        while (!arg.empty() && arg[0] == ' ')
            arg.remove_prefix(1);
        if (arg.empty())
            return 0;
    }
    if (!NewSearcher().SetReplace(std::string(arg).c_str()))
        return 0;
    return bInteractive ? ID_SEARCH_NEXT : ID_REPLACE_ALL;
}

} // namespace

unsigned ParseCommandLine(std::string_view line, CCommandRequest& request)
{
    size_t wordEnd = 0;
    while (wordEnd < line.size() && !IsBlank(line[wordEnd]))
        ++wordEnd;
    std::string_view word = line.substr(0, wordEnd);
    std::string_view arg = line.substr(wordEnd);
    while (!arg.empty() && IsBlank(arg[0]))
        arg.remove_prefix(1);

    if (BeginsWith(word, "SP"))
        return ID_SPLIT_LINE;
    if (BeginsWith(word, "JO"))
        return ID_JOIN_LINES;
    if (BeginsWith(word, "WC"))
        return ID_COUNT;
    if (BeginsWith(word, "REP"))
        return ReplaceCommand(arg);
    if (BeginsWith(word, "EX"))
        return BeginsWith(arg, "A") ? ID_QUIT_AFTER_SEND : ID_APP_EXIT;
    if (Is(word, "E")) {
        if (arg.empty())
            return ID_NEXT_PANE;
        request.strNamedFile = std::string(arg);
        return ID_OPEN_NAMED_FILE;
    }
    if (BeginsWith(word, "G")) {
        if (BeginsWith(arg, "E"))
            return ID_GOTO_END;
        request.nGotoLine = LeadingNumber(arg);
        return ID_GOTO_LINE;
    }
    if (BeginsWith(word, "S"))
        return ID_FILE_SAVE;
    if (Is(word, "RUN")) {
        request.strShellCommand = std::string(arg);
        request.nShellMode = 0;
        return ID_SHELL_COMMAND;
    }
    if (!line.empty() && (line[0] == '!' || line[0] == '|')) {
        request.strShellCommand = std::string(line.substr(1));
        request.nShellMode = line[0] == '|' ? 1 : 0;
        return ID_SHELL_COMMAND;
    }
    return 0;
}
