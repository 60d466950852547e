// The command-string syntax of the DDE conversations.
#include "services/DdeCommand.h"

#include <cstring>

#include "platform/Messages.h"
#include "services/StringUtils.h"
#include "text/Unicode.h"

bool ParseCommand(const std::string& text, CDdeCommand& out)
{
    out = {};
    if (text.size() < 3 || text.front() != '[' || text.back() != ']')
        return false;
    std::string inner = text.substr(1, text.size() - 2);
    size_t open = inner.find('(');
    out.strName = inner.substr(0, open);
    if (open == std::string::npos)
        return true;
    if (inner.back() != ')')
        return false;
    std::string list = inner.substr(open + 1, inner.size() - open - 2);
    // An unclosed quote is a syntax error of the command; the splitter's own
    // message about it would only repeat that.
    size_t quotes = 0;
    for (char c : list)
        quotes += c == '"';
    if (quotes % 2 != 0 || list.size() >= kSplitMaxText)
        return false;
    if (SplitStringQ(out.args, list.c_str(), ",", false) < 0)
        return false;
    for (std::string& a : out.args)
        if (a.size() >= 2 && a.front() == '"' && a.back() == '"')
            a = a.substr(1, a.size() - 2);
    return true;
}

bool BuildCommand(const std::string& name, const std::vector<std::string>& args, std::string& out)
{
    out.clear();
    if (name.empty() || name.find_first_of("[](),\"") != std::string::npos) {
        ErrorBox("DDE command name cannot be sent: %s", name.c_str());
        return false;
    }
    std::string text = "[" + name + "(";
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool wrapped = a.size() >= 2 && a.front() == '"' && a.back() == '"';
        std::string body = wrapped ? a.substr(1, a.size() - 2) : a;
        // A quote inside would end the quoted section early and let a ","
        // after it split the argument in two.
        if ((!wrapped && !a.empty() && a.front() == '"') || body.find('"') != std::string::npos) {
            ErrorBox("DDE command argument cannot be sent: %s", a.c_str());
            return false;
        }
        if (i > 0)
            text += ',';
        text += '"';
        text += body;
        text += '"';
    }
    text += ")]";
    out = std::move(text);
    return true;
}

std::string DdeTextFromBlock(const unsigned char* data, size_t size)
{
    if (size >= 2 && data[0] != 0 && data[1] == 0) {
        std::u16string w;
        for (size_t i = 0; i + 1 < size; i += 2) {
            char16_t c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
            if (c == 0)
                break;
            w += c;
        }
        return Utf16ToSjis(w);
    }
    const void* nul = std::memchr(data, 0, size);
    size_t n = nul ? static_cast<size_t>(static_cast<const unsigned char*>(nul) - data) : size;
    return std::string(reinterpret_cast<const char*>(data), n);
}
