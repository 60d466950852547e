// Header fields and the address parser.
#include "mail/HeaderField.h"

#include "mail/AliasTable.h"
#include "platform/Messages.h"
#include "services/TextUtils.h"
#include "text/Sjis.h"

namespace {

// The longest quoted string, domain literal or angle address, delimiters included.
constexpr size_t kMaxBracketed = 509;
constexpr size_t kMaxAtom = 253;

bool IsAtomChar(unsigned char c) { return !IsRfc822Special(static_cast<char>(c)) && c > 0x20 && c != 0x7F; }

bool IsWordToken(int type) { return type == TokAtom || type == TokQuoted; }

} // namespace

CHeaderField::CHeaderField(std::string_view name, std::string_view body)
    : m_strName(name), m_strUpperName(UpperCaseAscii(name)), m_strBody(body), m_nKind(KindOfName(name))
{
}

bool IsRfc822Special(char c)
{
    switch (c) {
    case '(': case ')': case '<': case '>': case '@': case ',':
    case ';': case ':': case '\\': case '"': case '.': case '[': case ']':
        return true;
    default:
        return false;
    }
}

int CHeaderField::KindOfName(std::string_view name)
{
    std::string upper = UpperCaseAscii(name);
    for (const char* n : {"TO", "CC", "BCC", "RESENT-TO", "RESENT-CC", "RESENT-BCC"})
        if (upper == n)
            return kAddressField;
    return upper == "DATE" ? kDateField : kOtherField;
}

// Cuts the text of an address field into tokens; comments are dropped.
class CDestination::CScanner {
public:
    CScanner(std::string_view text, const std::string& fieldName) : m_text(text), m_fieldName(fieldName) {}

    // The next token into tok; false after a trace line when the text holds
    // something that is no token.
    bool Next(CToken& tok)
    {
        tok.bSpaceBefore = SkipBlanksAndComments();
        tok.nStart = m_pos;
        tok.strText.clear();
        if (m_pos >= m_text.size()) {
            tok.nType = TokEnd;
            tok.nEnd = m_pos;
            return true;
        }
        unsigned char c = static_cast<unsigned char>(m_text[m_pos]);
        bool ok = true;
        switch (c) {
        case '<': ok = Bracketed(tok, TokAngle, '>', false); break;
        case '[': ok = Bracketed(tok, TokDomainLiteral, ']', false); break;
        case '"': ok = Bracketed(tok, TokQuoted, '"', true); break;
        case ':': Single(tok, TokColon); break;
        case ';': Single(tok, TokSemicolon); break;
        case '.': Single(tok, TokDot); break;
        case '@': Single(tok, TokAt); break;
        case ',': Single(tok, TokComma); break;
        default:
            if (IsRfc822Special(static_cast<char>(c)))
                Single(tok, TokSpecial);
            else if (IsAtomChar(c))
                ok = Atom(tok);
            else
                ok = Refuse(c);
        }
        tok.nEnd = m_pos;
        return ok;
    }

    std::string_view Text() const { return m_text; }

private:
    // Skips white space and comments; true when white space was seen.
    bool SkipBlanksAndComments()
    {
        bool bSpace = false;
        while (m_pos < m_text.size()) {
            char c = m_text[m_pos];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                bSpace = true;
                ++m_pos;
            } else if (c == '(') {
                SkipComment();
            } else {
                break;
            }
        }
        return bSpace;
    }

    // A comment may hold comments and backslash pairs; one left open runs to the end.
    void SkipComment()
    {
        int depth = 0;
        while (m_pos < m_text.size()) {
            char c = m_text[m_pos];
            if (CharUnitAt(m_text, m_pos) == 2) {
                m_pos += 2;
                continue;
            }
            ++m_pos;
            if (c == '\\' && m_pos < m_text.size())
                m_pos += CharUnitAt(m_text, m_pos);
            else if (c == '(')
                ++depth;
            else if (c == ')' && --depth == 0)
                return;
        }
    }

    void Single(CToken& tok, int type)
    {
        tok.nType = type;
        tok.strText.assign(1, m_text[m_pos++]);
    }

    bool Bracketed(CToken& tok, int type, char close, bool bEscapes)
    {
        size_t i = m_pos + 1;
        while (i < m_text.size() && i - m_pos < kMaxBracketed) {
            char c = m_text[i];
            if (c == close) {
                tok.nType = type;
                tok.strText.assign(m_text.substr(m_pos, i + 1 - m_pos));
                m_pos = i + 1;
                return true;
            }
            // A double-byte character is one unit: its second byte may be '\\' or ']'.
            size_t n = CharUnitAt(m_text, i);
            if (n == 1 && bEscapes && c == '\\' && i + 1 < m_text.size())
                n = 1 + CharUnitAt(m_text, i + 1);
            i += n;
        }
        std::string text(m_text);
        TraceLog("'%c' missing in %s\r\n", close, text.c_str());
        return false;
    }

    bool Atom(CToken& tok)
    {
        size_t i = m_pos;
        while (i < m_text.size()) {
            if (CharUnitAt(m_text, i) == 2) {
                i += 2;
                continue;
            }
            if (!IsAtomChar(static_cast<unsigned char>(m_text[i])))
                break;
            ++i;
        }
        if (i - m_pos > kMaxAtom) {
            TraceLog("Atom too long\r\n");
            return false;
        }
        tok.nType = TokAtom;
        tok.strText.assign(m_text.substr(m_pos, i - m_pos));
        m_pos = i;
        return true;
    }

    bool Refuse(unsigned char c)
    {
        std::string text(m_text);
        if (c > 0x20 && c < 0x7F)
            TraceLog("illegal code \"%c\" in %s of %s\r\n", c, text.c_str(), m_fieldName.c_str());
        else
            TraceLog("illegal code %02x in %s of %s\r\n", c, text.c_str(), m_fieldName.c_str());
        return false;
    }

    std::string_view m_text;
    const std::string& m_fieldName;
    size_t m_pos = 0;
};

namespace {

// Appends a token to the written form of a mailbox: after one space when white
// space stood before it (but never at the start).
void AppendWritten(std::string& written, const std::string& text, bool bSpaceBefore)
{
    if (bSpaceBefore && !written.empty())
        written += ' ';
    written += text;
}

std::string Inner(const std::string& bracketed) { return bracketed.substr(1, bracketed.size() - 2); }

} // namespace

void CDestination::Add(const std::string& address, const std::string& written)
{
    m_addresses.push_back(address);
    m_written.push_back(written);
}

bool CDestination::Prase(bool bExpandAliases)
{
    m_addresses.clear();
    m_written.clear();
    return ParseList(Body(), bExpandAliases);
}

bool CDestination::ParseList(std::string_view text, bool bExpandAliases)
{
    CScanner scan(text, Name());
    CToken tok;
    if (!scan.Next(tok))
        return false;
    // A body of nothing but comments holds no mailbox: the grammar wants a
    // word where the end stands. (A body of blanks is an empty body.)
    if (tok.nType == TokEnd && text.find_first_not_of(" \t\r\n") != std::string_view::npos) {
        std::string body(text);
        TraceLog("Unexpected token <%s> encountered in %s\r\n", tok.strText.c_str(), body.c_str());
        return false;
    }
    for (;;) {
        // Empty list elements (",," or a comma at the end) are allowed.
        while (tok.nType == TokComma)
            if (!scan.Next(tok))
                return false;
        if (tok.nType == TokEnd)
            return true;
        if (!ParseMailbox(scan, tok, bExpandAliases))
            return false;
        if (tok.nType != TokComma)
            return true;  // anything else ends the list; the rest is not looked at
    }
}

bool CDestination::ParseMailbox(CScanner& scan, CToken& tok, bool bExpandAliases)
{
    std::string body(scan.Text());
    if (tok.nType != TokAtom && tok.nType != TokQuoted && tok.nType != TokAngle) {
        TraceLog("Unexpected token <%s> encountered in %s\r\n", tok.strText.c_str(), body.c_str());
        return false;
    }
    CToken first = tok;
    std::string written = first.strText;
    if (!scan.Next(tok))
        return false;
    switch (tok.nType) {
    case TokEnd:
    case TokComma:
        if (first.nType == TokAngle) {
            Add(Inner(first.strText), written);
            return true;
        }
        return AddAlias(first.strText, written, bExpandAliases);

    case TokColon: {
        if (first.nType == TokAngle)
            break;
        // A group: the members up to ';' are an address list of their own.
        size_t membersStart = tok.nEnd;
        do {
            if (!scan.Next(tok))
                return false;
            if (tok.nType == TokEnd) {
                TraceLog("group terminator <;> missing in %s\r\n", body.c_str());
                return false;
            }
        } while (tok.nType != TokSemicolon);
        std::string_view members = scan.Text().substr(membersStart, tok.nStart - membersStart);
        size_t before = m_written.size();
        if (!ParseList(members, bExpandAliases))
            return false;
        if (m_written.size() > before) {
            bool bSpace = !members.empty() && (members[0] == ' ' || members[0] == '\t');
            m_written[before] = written + ":" + (bSpace ? " " : "") + m_written[before];
            m_written.back() += ';';
        }
        return scan.Next(tok);
    }

    case TokAt:
    case TokDot: {
        if (first.nType == TokAngle)
            break;
        std::string local = first.strText;
        while (tok.nType == TokDot) {
            AppendWritten(written, tok.strText, tok.bSpaceBefore);
            if (!scan.Next(tok))
                return false;
            if (!IsWordToken(tok.nType)) {
                TraceLog("Format error in local part %s\r\n", local.c_str());
                return false;
            }
            local += "." + tok.strText;
            AppendWritten(written, tok.strText, tok.bSpaceBefore);
            if (!scan.Next(tok))
                return false;
            if (tok.nType != TokDot && tok.nType != TokAt) {
                TraceLog("Format error in local part in %s\r\n", body.c_str());
                return false;
            }
        }
        AppendWritten(written, tok.strText, tok.bSpaceBefore);  // the '@'
        std::string domain;
        if (!ParseDomain(scan, tok, domain, written))
            return false;
        Add(local + "@" + domain, written);
        return true;
    }

    case TokAtom:
    case TokQuoted:
    case TokAngle:
        if (first.nType == TokAngle)
            break;
        // A phrase, then the angle address it names.
        while (IsWordToken(tok.nType)) {
            AppendWritten(written, tok.strText, tok.bSpaceBefore);
            if (!scan.Next(tok))
                return false;
        }
        if (tok.nType != TokAngle)
            break;
        AppendWritten(written, tok.strText, tok.bSpaceBefore);
        Add(Inner(tok.strText), written);
        return scan.Next(tok);

    default:
        break;
    }
    TraceLog("address format error in %s\r\n", body.c_str());
    return false;
}

bool CDestination::ParseDomain(CScanner& scan, CToken& tok, std::string& domain, std::string& written)
{
    for (;;) {
        if (!scan.Next(tok))
            return false;
        if (tok.nType != TokAtom && tok.nType != TokDomainLiteral) {
            TraceLog("Unexpected token '%s' encountered when expecting sub-domain\r\n", tok.strText.c_str());
            return false;
        }
        domain += tok.strText;
        AppendWritten(written, tok.strText, tok.bSpaceBefore);
        if (!scan.Next(tok))
            return false;
        if (tok.nType != TokDot)
            return true;
        domain += '.';
        AppendWritten(written, tok.strText, tok.bSpaceBefore);
    }
}

bool CDestination::AddAlias(const std::string& name, const std::string& written, bool bExpandAliases)
{
    if (!bExpandAliases) {
        Add(name, written);
        return true;
    }
    std::vector<std::string> members;
    int n = Aliases().ExpandAlias(name, members);
    if (n < 0) {
        ErrorBox("%s のエイリアス %s を展開できません", Name().c_str(), name.c_str());
        return false;
    }
    if (n == 0) {
        Add(name, written);  // no alias: a plain address
        return true;
    }
    for (const std::string& member : members)
        if (!ParseList(member, false))
            return false;
    return true;
}
