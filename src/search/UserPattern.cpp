// Translating the users' pattern syntax and expanding replacements.
#include "search/UserPattern.h"

#include "text/Sjis.h"

UserPattern ConvertUserPattern(std::string_view user)
{
    UserPattern out;
    out.strEngine.reserve(user.size() * 2 + 2);
    size_t i = 0;
    if (!user.empty() && user[0] == '^') {
        out.bAnchored = true;
        i = 1;
    }
    bool groups = false;
    bool endsWithClose = false;
    while (i < user.size()) {
        char c = user[i];
        endsWithClose = false;
        out.bIncomplete = false;
        if (c == '\\' && i + 1 < user.size() && (user[i + 1] == '(' || user[i + 1] == ')')) {
            out.strEngine += user[i + 1];
            i += 2;
        } else if (c == '\\') {
            out.strEngine += c;
            ++i;
            if (i < user.size()) {
                size_t len = static_cast<size_t>(CharLenAt(user, i));
                out.strEngine.append(user.substr(i, len));
                i += len;
            } else {
                out.bIncomplete = true;
            }
        } else if (c == '(' || c == ')') {
            out.strEngine += '\\';
            out.strEngine += c;
            groups = true;
            endsWithClose = c == ')';
            out.bIncomplete = c == '(';
            ++i;
        } else {
            size_t len = static_cast<size_t>(CharLenAt(user, i));
            out.strEngine.append(user.substr(i, len));
            i += len;
        }
    }
    if (groups && endsWithClose)
        out.strEngine += ".?";
    return out;
}

std::string ExpandReplacement(std::string_view replacement, const std::vector<std::string>& groups)
{
    std::string out;
    size_t i = 0;
    while (i < replacement.size()) {
        if (replacement[i] == '$' && i + 1 < replacement.size() && replacement[i + 1] >= '0' &&
            replacement[i + 1] <= '9') {
            size_t n = 0;
            for (++i; i < replacement.size() && replacement[i] >= '0' && replacement[i] <= '9'; ++i)
                if (n <= groups.size())
                    n = n * 10 + static_cast<size_t>(replacement[i] - '0');
            if (n >= 1 && n <= groups.size())
                out += groups[n - 1];
            continue;
        }
        size_t len = static_cast<size_t>(CharLenAt(replacement, i));
        out.append(replacement.substr(i, len));
        i += len;
    }
    return out;
}
