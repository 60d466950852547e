// Parsing of the command line and the open command.
#include "app/CommandLine.h"

#include "settings/AppSettings.h"
#include "services/StringUtils.h"

namespace {

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

// Applies one option; false when arg is none of the five.
bool TakeOption(const std::string& arg, CCommandArgs& out)
{
    if (EqualsNoCase(arg, "-MAX"))
        out.bMaximize = true;
    else if (EqualsNoCase(arg, "-MAIL"))
        out.nMailMode = 1;
    else if (EqualsNoCase(arg, "-MAILEDIT"))
        out.nMailMode = 2;
    else if (EqualsNoCase(arg, "-EUC"))
        out.nCodeOption = 1;
    else if (EqualsNoCase(arg, "-SJIS"))
        out.nCodeOption = 2;
    else
        return false;
    return true;
}

} // namespace

void CCommandArgs::ApplyTo(CAppSettings& s) const
{
    if (bMaximize)
        s.m_bMaximize = true;
    if (nMailMode >= 0)
        s.m_nMailMode = nMailMode;
    if (nCodeOption >= 0)
        s.m_nCodeOption = nCodeOption;
}

bool ParseArguments(const std::vector<std::string>& args, bool bDdeForm, CCommandArgs& out)
{
    size_t i = 0;
    for (; i < args.size() && !args[i].empty() && args[i][0] == '-'; ++i) {
        if (!TakeOption(args[i], out)) {
            if (!bDdeForm)
                return false;
            break;
        }
    }
    out.files.assign(args.begin() + static_cast<long>(i), args.end());
    return true;
}

bool ParseCommandLine(std::string_view text, CCommandArgs& out)
{
    std::vector<std::string> args;
    if (SplitStringQ(args, std::string(text).c_str(), " \t", true) < 0)
        return false;
    return ParseArguments(args, false, out);
}

std::string_view ArgumentsOf(std::string_view line)
{
    size_t i = 0;
    if (!line.empty() && line[0] == '"') {
        size_t close = line.find('"', 1);
        i = close == std::string_view::npos ? line.size() : close + 1;
    }
    while (i < line.size() && line[i] != ' ' && line[i] != '\t')
        ++i;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    return line.substr(i);
}

bool ParseDdeOpenCommand(std::string_view text, CCommandArgs& out)
{
    constexpr std::string_view kOpen = "[open(";
    constexpr std::string_view kClose = ")]";
    if (text.size() < kOpen.size() + kClose.size() || !EqualsNoCase(text.substr(0, kOpen.size()), kOpen) ||
        text.substr(text.size() - kClose.size()) != kClose)
        return false;
    std::string_view inner = text.substr(kOpen.size(), text.size() - kOpen.size() - kClose.size());
    std::vector<std::string> args;
    if (SplitStringQ(args, std::string(inner).c_str(), ",", true) >= 0)
        ParseArguments(args, true, out);
    return true;
}
