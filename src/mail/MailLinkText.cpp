// Arguments and command lines for the mail client and its address-book editor.
#include "mail/MailLinkText.h"

#include "platform/Messages.h"
#include "services/PathUtil.h"

namespace {

bool EndsWithExe(std::string_view text)
{
    if (text.size() < 4)
        return false;
    std::string_view tail = text.substr(text.size() - 4);
    for (size_t i = 0; i < 4; ++i) {
        char c = tail[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != ".exe"[i])
            return false;
    }
    return true;
}

void TrimBlanks(std::string& s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.pop_back();
    size_t n = s.find_first_not_of(" \t");
    s.erase(0, n == std::string::npos ? s.size() : n);
}

// The command without its "%1" placeholder (quoted or bare).
std::string WithoutPlaceholder(std::string_view command)
{
    std::string s(command);
    for (size_t at; (at = s.find("%1")) != std::string::npos;) {
        size_t from = at, to = at + 2;
        if (from > 0 && s[from - 1] == '"' && to < s.size() && s[to] == '"') {
            --from;
            ++to;
        }
        s.erase(from, to - from);
    }
    return s;
}

} // namespace

CMailFolderArguments MailFolderArguments(std::string_view mailPath)
{
    CMailFolderArguments a;
    a.strFolderFile = DirectoryOf(mailPath) + ".fld";
    std::string name = FileNameOf(mailPath);
    std::string ext = ExtensionOf(name);
    a.strMailName = name.substr(0, name.size() - ext.size());
    return a;
}

std::string MailClientSettingsPath(std::string_view modulePath)
{
    std::string name = FileNameOf(modulePath);
    std::string ext = ExtensionOf(name);
    return FolderPrefixOf(modulePath) + name.substr(0, name.size() - ext.size()) + ".ini";
}

std::string MailClientFilePath(std::string_view modulePath, std::string_view value)
{
    if (LastBackslash(value) != std::string_view::npos)
        return std::string(value);
    return FolderPrefixOf(modulePath) + std::string(value);
}

bool QuoteArgument(std::string_view arg, std::string& out)
{
    bool bWrapped = arg.size() >= 2 && arg.front() == '"' && arg.back() == '"';
    std::string_view inner = bWrapped ? arg.substr(1, arg.size() - 2) : arg;
    if (inner.find('"') != std::string_view::npos)
        return false;
    if (bWrapped || inner.find_first_of(" \t") != std::string_view::npos)
        out = "\"" + std::string(inner) + "\"";
    else
        out = std::string(inner);
    return true;
}

bool MailClientStartCommand(std::string_view openCommand, std::string& out)
{
    std::string s = WithoutPlaceholder(openCommand);
    TrimBlanks(s);
    if (s.empty())
        return false;
    if (s.front() != '"') {
        // The program is the shortest blank-separated start that names an
        // ".exe"; without one, the first word.
        size_t end = std::string::npos;
        for (size_t at = 0; at <= s.size(); ++at) {
            if ((at == s.size() || s[at] == ' ' || s[at] == '\t') && EndsWithExe(std::string_view(s).substr(0, at))) {
                end = at;
                break;
            }
        }
        if (end != std::string::npos && s.substr(0, end).find(' ') != std::string::npos)
            s = "\"" + s.substr(0, end) + "\"" + s.substr(end);
    }
    out = s;
    return true;
}

bool FitsMailCommandLine(std::string_view commandLine)
{
    if (commandLine.size() <= kMaxMailCommandLine)
        return true;
    ErrorBox("コマンドラインが長すぎます");
    return false;
}

bool BuildMailCommandLine(std::string_view program, const std::vector<std::string>& args, std::string& out)
{
    std::string line, part;
    if (!QuoteArgument(program, part)) {
        ErrorBox("%s を実行できません", std::string(program).c_str());
        return false;
    }
    line = part;
    for (const std::string& arg : args) {
        if (!QuoteArgument(arg, part)) {
            ErrorBox("%s を実行できません", (line + " " + arg).c_str());
            return false;
        }
        line += " " + part;
    }
    if (!FitsMailCommandLine(line))
        return false;
    out = line;
    return true;
}
