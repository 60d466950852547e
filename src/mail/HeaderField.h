// One field of a mail header, and the address field that splits its body into
// mailboxes.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// The specials of RFC 822: ()<>@,;:\".[]
bool IsRfc822Special(char c);

// What a field is, by its name.
enum EFieldKind {
    kOtherField = 0,
    kAddressField = 1,  // TO, CC, BCC, RESENT-TO, RESENT-CC, RESENT-BCC (any case)
    kDateField = 2,     // DATE
};

class CHeaderField {
public:
    CHeaderField(std::string_view name, std::string_view body);
    virtual ~CHeaderField() = default;
    CHeaderField(const CHeaderField&) = delete;
    CHeaderField& operator=(const CHeaderField&) = delete;

    const std::string& Name() const { return m_strName; }        // as written
    const std::string& UpperName() const { return m_strUpperName; }  // for comparing
    const std::string& Body() const { return m_strBody; }
    void SetBody(std::string_view body) { m_strBody.assign(body); }
    int Kind() const { return m_nKind; }

    static int KindOfName(std::string_view name);

private:
    std::string m_strName;
    std::string m_strUpperName;
    std::string m_strBody;
    int m_nKind;
};

// Token types of the address scanner (the numbers are fixed).
enum EAddressToken {
    TokEnd = 0,
    TokAngle = 2,          // "<" ... ">" whole, brackets included
    TokDomainLiteral = 3,  // "[" ... "]" whole
    TokQuoted = 4,         // a quoted string whole, quotes included
    TokColon = 5,
    TokSemicolon = 6,
    TokDot = 7,
    TokAt = 8,
    TokComma = 9,
    TokSpecial = 10,  // any other of ()<>@,;:\".[] standing alone
    TokAtom = 11,
};

// An address field: its body split into mailboxes, kept as two parallel lists:
// the address proper (addr-spec, or what the angle brackets hold) and the
// mailbox as written (its words, each one that followed white space after one
// space; a group's first member begins with "name:", its last ends with ";").
class CDestination : public CHeaderField {
public:
    using CHeaderField::CHeaderField;

    // Splits the body. An alias name (a single word) is expanded through the
    // alias table when bExpandAliases, else kept like an address. False after a
    // trace line (a syntax error) or a message box (an alias that cannot be
    // expanded); the lists then hold the mailboxes before the error.
    bool Prase(bool bExpandAliases);

    const std::vector<std::string>& Addresses() const { return m_addresses; }
    const std::vector<std::string>& WrittenForms() const { return m_written; }

private:
    struct CToken {
        int nType = TokEnd;
        std::string strText;
        bool bSpaceBefore = false;
        size_t nStart = 0;  // where the token lies in the text scanned
        size_t nEnd = 0;
    };
    class CScanner;

    bool ParseList(std::string_view text, bool bExpandAliases);
    bool ParseMailbox(CScanner& scan, CToken& tok, bool bExpandAliases);
    bool ParseDomain(CScanner& scan, CToken& tok, std::string& domain, std::string& written);
    bool AddAlias(const std::string& name, const std::string& written, bool bExpandAliases);
    void Add(const std::string& address, const std::string& written);

    std::vector<std::string> m_addresses;
    std::vector<std::string> m_written;
};
