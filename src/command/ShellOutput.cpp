// The command line of a shell command and the lines of its output.
#include "command/ShellOutput.h"

#include "text/LineStore.h"
#include "text/Sjis.h"

std::string_view ShellCommandText(std::string_view text)
{
    while (!text.empty() && (text[0] == ' ' || text[0] == '\t'))
        text.remove_prefix(1);
    return text;
}

bool BuildShellCommandLine(std::string_view interpreter, std::string_view command, std::string& line)
{
    bool bQuote = interpreter.find_first_of(" \t") != std::string_view::npos && interpreter.front() != '"';
    line.clear();
    if (bQuote)
        line += '"';
    line += interpreter;
    if (bQuote)
        line += '"';
    line += " /C ";
    line += command;
    // A double-byte character takes one UTF-16 unit at most, so the byte count
    // bounds the characters the system sees.
    return line.size() < kMaxCommandLine;
}

namespace {

// Adds one line, cut into pieces the store can hold, each ending on a whole character.
void AddLine(std::vector<std::string>& lines, std::string_view line, bool* pbCut)
{
    while (line.size() > static_cast<size_t>(MaxLineLength)) {
        size_t n = static_cast<size_t>(MaxLineLength);
        if (IsSecondByteAt(line, static_cast<long>(n)))
            --n;
        lines.emplace_back(line.substr(0, n));
        line.remove_prefix(n);
        if (pbCut)
            *pbCut = true;
    }
    lines.emplace_back(line);
}

} // namespace

std::vector<std::string> SplitShellOutput(std::string_view output, bool* pbCut)
{
    if (pbCut)
        *pbCut = false;
    if (size_t nul = output.find('\0'); nul != std::string_view::npos)
        output = output.substr(0, nul);
    std::vector<std::string> lines;
    size_t i = 0;
    while (i < output.size()) {
        size_t end = output.find_first_of("\r\n", i);
        if (end == std::string_view::npos) {
            AddLine(lines, output.substr(i), pbCut);
            break;
        }
        AddLine(lines, output.substr(i, end - i), pbCut);
        if (output[end] == '\n' || (end + 1 < output.size() && output[end + 1] == '\n')) {
            i = end + (output[end] == '\n' ? 1 : 2);
        } else {
            // A lone CR: the run of line ends after it gives no empty lines.
            i = end + 1;
            while (i < output.size() && (output[i] == '\r' || output[i] == '\n'))
                ++i;
        }
    }
    return lines;
}
