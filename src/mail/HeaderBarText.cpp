// The header bars' texts and the composer bar's store.
#include "mail/HeaderBarText.h"

#include <utility>

#include "mail/HeaderFold.h"
#include "mail/Mail.h"
#include "services/TextUtils.h"
#include "text/Doc.h"
#include "text/DocHeader.h"
#include "text/LineStore.h"
#include "text/Sjis.h"

namespace {

bool IsBlankByte(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The fields the composer's bar edits: upper-case name for finding, name for
// adding, and the edit that carries the body.
struct CEditedField {
    const char* pszUpper;
    const char* pszName;
    std::string CHeaderEdits::*pBody;
};
constexpr CEditedField kEditedFields[] = {
    {"SUBJECT", "Subject", &CHeaderEdits::strSubject},
    {"TO", "To", &CHeaderEdits::strTo},
    {"CC", "Cc", &CHeaderEdits::strCc},
};

// The field name a line begins with ("Name:" or "Name :"), or empty when the
// line begins no field.
std::string_view FieldNameOf(std::string_view line)
{
    size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        return {};
    std::string_view name = line.substr(0, colon);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
        name.remove_suffix(1);
    if (name.empty())
        return {};
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x21 || static_cast<unsigned char>(c) > 0x7E)
            return {};
    return name;
}

bool IsContinuation(std::string_view line) { return !line.empty() && (line[0] == ' ' || line[0] == '\t'); }

// A folded header line ("...\r\n..." pieces) as lines.
void AppendSplitAtCrLf(const std::string& text, std::vector<std::string>& lines)
{
    size_t start = 0;
    for (;;) {
        size_t crlf = text.find("\r\n", start);
        if (crlf == std::string::npos) {
            if (start < text.size() || start == 0)
                lines.push_back(text.substr(start));
            return;
        }
        lines.push_back(text.substr(start, crlf - start));
        start = crlf + 2;
    }
}

} // namespace

std::string CompactBlanks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    bool bPendingBlank = false;
    for (size_t i = 0; i < text.size();) {
        int n = CharLenAt(text, i);
        if (n == 1 && IsBlankByte(text[i])) {
            bPendingBlank = !out.empty();
            ++i;
            continue;
        }
        if (bPendingBlank)
            out += ' ';
        bPendingBlank = false;
        out.append(text.substr(i, static_cast<size_t>(n)));
        i += static_cast<size_t>(n);
    }
    // A run of blanks at the end is a run like any other: one blank stays.
    if (bPendingBlank)
        out += ' ';
    return out;
}

CHeaderShown HeaderShownOf(const CMail& mail)
{
    CHeaderShown shown;
    shown.strSubject = mail.GetField("SUBJECT");
    shown.strFrom = CompactBlanks(mail.GetField("FROM"));
    shown.strDate = mail.GetField("DATE");
    shown.strTo = CompactBlanks(mail.GetField("TO"));
    shown.strCc = CompactBlanks(mail.GetField("CC"));
    return shown;
}

std::string FieldBodyOf(std::string_view text)
{
    std::string body;
    body.reserve(std::min(text.size(), static_cast<size_t>(MaxLineLength)));
    for (size_t i = 0; i < text.size();) {
        size_t n = static_cast<size_t>(CharLenAt(text, i));
        if (body.size() + n > static_cast<size_t>(MaxLineLength))
            break;
        if (text[i] == '\0')
            break;
        if (n == 1 && (text[i] == '\r' || text[i] == '\n'))
            body += ' ';
        else
            body.append(text.substr(i, n));
        i += n;
    }
    return body;
}

std::vector<std::string> FoldedFieldLines(std::string_view name, std::string_view body)
{
    std::string line(name);
    line += ": ";
    line += body;
    FoldHeaderLine(line, kHeaderFoldWidth);
    std::vector<std::string> lines;
    AppendSplitAtCrLf(line, lines);
    return lines;
}

std::vector<std::string> HeaderLinesWithEdits(CMail& mail, const CHeaderEdits& edits)
{
    for (const CEditedField& f : kEditedFields)
        if (!mail.SetFieldBody(f.pszUpper, edits.*f.pBody))
            mail.AddField(f.pszName, edits.*f.pBody);
    std::vector<std::string> lines;
    mail.RewindFields();
    for (std::string text; mail.NextFieldText(text, true);) {
        FoldHeaderLine(text, kHeaderFoldWidth);
        AppendSplitAtCrLf(text, lines);
    }
    return lines;
}

std::vector<std::string> ReplaceEditedFieldLines(const std::vector<std::string>& lines, const CHeaderEdits& edits)
{
    std::vector<std::string> out = lines;
    for (const CEditedField& f : kEditedFields) {
        const std::string& body = edits.*f.pBody;
        size_t i = 0;
        while (i < out.size() && UpperCaseAscii(FieldNameOf(out[i])) != f.pszUpper)
            ++i;
        if (i == out.size()) {
            size_t end = out.size();
            while (end > 0 && out[end - 1].empty())
                --end;
            std::vector<std::string> added = FoldedFieldLines(f.pszName, body);
            out.insert(out.begin() + static_cast<std::ptrdiff_t>(end), added.begin(), added.end());
            continue;
        }
        size_t last = i + 1;
        while (last < out.size() && IsContinuation(out[last]))
            ++last;
        std::vector<std::string> replaced = FoldedFieldLines(FieldNameOf(out[i]), body);
        out.erase(out.begin() + static_cast<std::ptrdiff_t>(i), out.begin() + static_cast<std::ptrdiff_t>(last));
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(i), replaced.begin(), replaced.end());
    }
    return out;
}

bool HeaderHoldsExactly(const std::vector<std::string>& lines, size_t nFields)
{
    size_t end = lines.size();
    while (end > 0 && lines[end - 1].empty())
        --end;
    size_t nStarts = 0;
    for (size_t i = 0; i < end; ++i) {
        if (!FieldNameOf(lines[i]).empty() && !IsContinuation(lines[i]))
            ++nStarts;
        else if (i == 0 || !IsContinuation(lines[i]))
            return false;
    }
    return nStarts == nFields;
}

bool StoreHeaderEdits(CDoc& doc, const CHeaderEdits& edits)
{
    CDocHeader* pHeader = doc.GetHeaderDoc();
    if (!pHeader)
        return false;
    // The header is read from the lines themselves: the working line goes back first.
    FlushAnyWorkLine();
    CLineStore& store = pHeader->m_Lines;
    std::vector<std::string> old;
    old.reserve(static_cast<size_t>(store.GetLineCount()));
    for (int i = 0; i < store.GetLineCount(); ++i)
        old.emplace_back(store.GetLines()[i]);

    // A header the reader cannot take whole (a broken address, a line that is
    // no field) would lose lines if it were written from the fields read: only
    // the edited fields' own lines are replaced then.
    CMail mail(&doc);
    bool bWhole = mail.ReadHeader(false, false) && HeaderHoldsExactly(old, mail.GetFields().size());
    std::vector<std::string> lines = bWhole ? HeaderLinesWithEdits(mail, edits) : ReplaceEditedFieldLines(old, edits);

    if (!store.ReplaceAllLines(lines))
        return false;
    // The header pane is a view of the mail document.
    doc.UpdateAllViews(nullptr, kHintLineCount);
    doc.UpdateAllViews(nullptr);
    return true;
}
