// What showing a part of a mail does, and its command line.
#include "mail/PartCommand.h"

#include "mail/ContentTypeTable.h"
#include "services/FileUtils.h"
#include "services/TextUtils.h"

namespace {

bool IsProgramFile(std::string_view path)
{
    std::string ext = ExtensionOf(path);
    return EqualsNoCase(ext, ".exe") || EqualsNoCase(ext, ".com");
}

std::string Quoted(std::string_view path)
{
    if (path.find(' ') == std::string_view::npos && path.find('\t') == std::string_view::npos)
        return std::string(path);
    return "\"" + std::string(path) + "\"";
}

// The program text with an unquoted program path that holds blanks quoted:
// everything up to the first ".exe", ".com", ".bat" or ".cmd" that ends a word.
std::string QuoteProgramPath(std::string_view program)
{
    std::string_view trimmed = TrimOf(program, " \t");
    if (trimmed.empty() || trimmed.front() == '"')
        return std::string(trimmed);
    for (size_t i = 0; i + 4 <= trimmed.size(); ++i) {
        std::string_view ext = trimmed.substr(i, 4);
        if (!EqualsNoCase(ext, ".exe") && !EqualsNoCase(ext, ".com") && !EqualsNoCase(ext, ".bat") &&
            !EqualsNoCase(ext, ".cmd"))
            continue;
        size_t end = i + 4;
        if (end < trimmed.size() && trimmed[end] != ' ' && trimmed[end] != '\t')
            continue;
        std::string_view path = trimmed.substr(0, end);
        if (path.find(' ') == std::string_view::npos)
            break;
        return "\"" + std::string(path) + "\"" + std::string(trimmed.substr(end));
    }
    return std::string(trimmed);
}

} // namespace

EPartAction PartActionOf(const CContentTypeTable& table, std::string_view type, std::string_view subtype)
{
    const CContentType* row = table.FindByType(type, subtype);
    if (!row)
        return EPartAction::Save;
    switch (row->nNumber) {
    case 1:
        return EPartAction::Save;
    case 2:
        return EPartAction::Run;
    default:
        return EPartAction::Ask;
    }
}

bool MakePartCommandLine(std::string_view filePath, std::string_view program, std::string& commandLine)
{
    std::string line;
    if (IsProgramFile(filePath)) {
        line = Quoted(filePath);
    } else {
        std::string prog = QuoteProgramPath(program);
        if (prog.empty())
            return false;
        size_t at = prog.find("%1");
        if (at == std::string::npos) {
            line = prog + " \"" + std::string(filePath) + "\"";
        } else {
            while (at != std::string::npos) {
                bool bQuotedThere = at > 0 && prog[at - 1] == '"';
                std::string path = bQuotedThere ? std::string(filePath) : Quoted(filePath);
                line += prog.substr(0, at) + path;
                prog.erase(0, at + 2);
                at = prog.find("%1");
            }
            line += prog;
        }
    }
    if (line.size() > kMaxPartCommandLine)
        return false;
    commandLine = std::move(line);
    return true;
}
