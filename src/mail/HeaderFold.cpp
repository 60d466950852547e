// Finding fold points and folding header lines.
#include "mail/HeaderFold.h"

#include "mail/HeaderField.h"
#include "text/Sjis.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsSpecial(char c)
{
    switch (c) {
    case '(': case ')': case '<': case '>': case '@': case ',':
    case ';': case ':': case '\\': case '"': case '.': case '[': case ']':
        return true;
    default:
        return false;
    }
}

// An encoded word is only taken as one from this length on ("=?" to "?=").
constexpr size_t kMinEncodedWord = 11;

size_t UnitAt(std::string_view s, size_t i)
{
    return (IsLeadByte(s[i]) && i + 1 < s.size() && IsTrailByte(s[i + 1])) ? 2 : 1;
}

// The double quote at i opens the value of a name= parameter.
bool IsNameQuote(std::string_view s, size_t i) { return s[i] == '"' && i >= 5 && s.substr(i - 5, 5) == "name="; }

bool IsAddressFieldName(std::string_view line)
{
    size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        return false;
    std::string name = CHeaderField::UpperCase(line.substr(0, colon));
    return name == "FROM" || CHeaderField::KindOfName(name) == kAddressField;
}

// The last candidate at or before width; bInsideToo: also inside quoted
// strings, comments and angle addresses. Returns 0 when there is none.
size_t ScanForFold(std::string_view s, size_t width, bool bAddressField, bool bInsideToo)
{
    size_t firstText = 0;
    while (firstText < s.size() && IsBlank(s[firstText]))
        ++firstText;
    size_t best = 0;
    size_t bestComma = 0;
    bool bQuote = false;
    int nComment = 0;
    bool bAngle = false;
    bool bEncoded = false;
    size_t encodedStart = 0;
    size_t encodedEnd = 0;  // just past the last "?=" that closed an encoded word
    bool bPrevSingle = false;
    for (size_t i = 0; i <= s.size() && i <= width;) {
        // The boundary before the character at i.
        bool inside = bQuote || nComment > 0 || bAngle;
        if (i > firstText && !bEncoded && (bInsideToo || !inside)) {
            bool cand = false;
            if (i < s.size()) {
                char c = s[i];
                if (IsBlank(c) || (IsSpecial(c) && !IsNameQuote(s, i)))
                    cand = true;
                if (c == '=' && i + 1 < s.size() && s[i + 1] == '?')
                    cand = true;
            }
            if (bPrevSingle && IsSpecial(s[i - 1]) && !IsNameQuote(s, i - 1))
                cand = true;
            if (i == encodedEnd)
                cand = true;
            if (cand)
                best = i;
            if (bAddressField && bPrevSingle && s[i - 1] == ',')
                bestComma = i;
        }
        if (i == s.size())
            break;
        size_t n = UnitAt(s, i);
        bPrevSingle = n == 1;
        if (n == 2) {
            i += 2;
            continue;
        }
        char c = s[i];
        char next = i + 1 < s.size() ? s[i + 1] : '\0';
        if (bEncoded) {
            if (c == '?' && next == '=' && i + 2 - encodedStart >= kMinEncodedWord) {
                bEncoded = false;
                encodedEnd = i + 2;
                i += 2;
                continue;
            }
        } else if (c == '=' && next == '?') {
            bEncoded = true;
            encodedStart = i;
            i += 2;
            continue;
        } else if (bQuote) {
            if (c == '\\' && i + 1 < s.size()) {
                i += 1 + UnitAt(s, i + 1);
                continue;
            }
            if (c == '"')
                bQuote = false;
        } else if (nComment > 0) {
            if (c == '\\' && i + 1 < s.size()) {
                i += 1 + UnitAt(s, i + 1);
                continue;
            }
            if (c == '(')
                ++nComment;
            else if (c == ')')
                --nComment;
        } else if (bAngle) {
            if (c == '>')
                bAngle = false;
        } else if (c == '"') {
            bQuote = true;
        } else if (c == '(') {
            nComment = 1;
        } else if (c == '<') {
            bAngle = true;
        }
        ++i;
    }
    return bestComma ? bestComma : best;
}

} // namespace

size_t FindFoldPoint(std::string_view line, size_t width, bool bAddressField)
{
    size_t b = ScanForFold(line, width, bAddressField, false);
    if (b == 0)
        b = ScanForFold(line, width, bAddressField, true);
    if (b != 0)
        return b;
    // A hard cut, at a character boundary, after the first character at least.
    size_t firstText = 0;
    while (firstText < line.size() && IsBlank(line[firstText]))
        ++firstText;
    size_t cut = 0;
    for (size_t i = 0; i < line.size();) {
        size_t n = UnitAt(line, i);
        if (i + n > width && i > firstText)
            break;
        i += n;
        cut = i;
    }
    return cut;
}

void FoldHeaderLine(std::string& line, size_t width)
{
    bool bCrLf = line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0;
    std::string rest = bCrLf ? line.substr(0, line.size() - 2) : line;
    if (rest.size() <= width)
        return;
    bool bAddress = IsAddressFieldName(rest);
    std::string out;
    while (rest.size() > width) {
        size_t b = FindFoldPoint(rest, width, bAddress);
        size_t end = b;
        while (end > 0 && IsBlank(rest[end - 1]))
            --end;
        out.append(rest, 0, end);
        out += "\r\n";
        std::string next = rest.substr(b);
        size_t text = next.find_first_not_of(" \t");
        if (text == std::string::npos) {
            rest.clear();  // only blanks were left
            break;
        }
        if (bAddress)
            next = " " + next.substr(text);
        else if (text == 0)
            next = " " + next;
        rest = std::move(next);
    }
    out += rest;
    if (!bCrLf) {
        // The pieces were joined by CR LF; the line itself had none at its end.
        if (rest.empty() && out.size() >= 2)
            out.resize(out.size() - 2);
    } else if (!rest.empty()) {
        out += "\r\n";
    }
    line = std::move(out);
}
