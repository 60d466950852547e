// Reading header fields from a mail file or a document.
#include "mail/HeaderSource.h"

#include <cstring>

#include "platform/Messages.h"
#include "services/FileStream.h"
#include "text/LineStore.h"
#include "text/Sjis.h"

namespace {

bool IsBlankOrTab(int c) { return c == ' ' || c == '\t'; }

// Characters that cannot be part of a field name.
bool EndsFieldName(int c) { return c < 0x20 || c == 0x7F || c == ' ' || c == ':'; }

} // namespace

CHeaderSource& HeaderSource()
{
    static CHeaderSource s_source;
    return s_source;
}

void CHeaderSource::SetFile(CFileStream* pStream, bool bStrict, std::string_view fileName)
{
    Reset();
    m_pStream = pStream;
    m_bStrict = bStrict;
    m_strFileName.assign(fileName);
}

void CHeaderSource::SetDocument(const CLineStore* pLines, bool bStrict, std::string_view name)
{
    Reset();
    m_pLines = pLines;
    m_bStrict = bStrict;
    m_strFileName.assign(name);
    // Empty lines after the last field are no part of the header: a view
    // pads its document with them, and saving drops them. Read as lines they
    // would be taken for a field name that is missing.
    m_nDocLines = pLines ? pLines->GetLineCount() : 0;
    while (m_nDocLines > 0) {
        const char* last = pLines->GetLines()[m_nDocLines - 1];
        if (last && *last)
            break;
        --m_nDocLines;
    }
}

void CHeaderSource::Reset()
{
    m_pStream = nullptr;
    m_pLines = nullptr;
    m_nDocLines = 0;
    m_nLine = 0;
    m_nColumn = 0;
    m_nUnget = 0;
    m_bStrict = false;
    m_strFileName.clear();
    m_strToken.clear();
}

int CHeaderSource::ReadRaw()
{
    if (m_pStream)
        return m_pStream->GetByte();
    if (!m_pLines)
        return -1;
    while (m_nLine < m_nDocLines) {
        const char* line = m_pLines->GetLines()[m_nLine];
        if (!line)
            line = "";
        if (m_nColumn == 0)
            m_nLineLength = std::strlen(line);
        // The line's bytes, then CR and LF.
        if (m_nColumn < m_nLineLength)
            return static_cast<unsigned char>(line[m_nColumn++]);
        if (m_nColumn < m_nLineLength + 2)
            return m_nColumn++ == m_nLineLength ? '\r' : '\n';
        ++m_nLine;
        m_nColumn = 0;
    }
    return -1;
}

int CHeaderSource::NextRaw()
{
    if (m_nUnget > 0)
        return m_aUnget[--m_nUnget];
    return ReadRaw();
}

void CHeaderSource::PushRaw(int c)
{
    if (m_nUnget == kUngetCapacity) {
        ErrorBox("Internal error: unget stack overflow");
        return;
    }
    m_aUnget[m_nUnget++] = c;
}

int CHeaderSource::GetChar()
{
    int c = NextRaw();
    return c < 0 ? kEndOfInput : c;
}

void CHeaderSource::UngetChar(int c) { PushRaw(c); }

std::int64_t CHeaderSource::Position() const
{
    if (!m_pStream)
        return -1;
    std::int64_t pos = m_pStream->Tell();
    for (size_t i = 0; i < m_nUnget; ++i)
        if (m_aUnget[i] >= 0)
            --pos;
    return pos;
}

bool CHeaderSource::AppendToken(char c)
{
    if (m_strToken.size() >= kTokenCapacity) {
        ErrorBox("%s: Token too long", m_strFileName.c_str());
        return false;
    }
    m_strToken += c;
    return true;
}

bool CHeaderSource::ReadFieldName()
{
    m_strToken.clear();
    int c = NextRaw();
    if (IsEnd(c)) {
        PushRaw(c);
        return false;
    }
    if (EndsFieldName(c)) {
        PushRaw(c);
        ErrorBox("%s: Unexpected token encountered when expecting field name", m_strFileName.c_str());
        return false;
    }
    while (!IsEnd(c) && !EndsFieldName(c)) {
        if (!AppendToken(static_cast<char>(c)))
            return false;
        c = NextRaw();
    }
    PushRaw(c);
    return true;
}

bool CHeaderSource::ReadColon()
{
    int c = NextRaw();
    if (c == ':')
        return true;
    PushRaw(c);
    return false;
}

bool CHeaderSource::ReadFieldBody()
{
    m_strToken.clear();
    for (;;) {
        int c = NextRaw();
        if (IsEnd(c)) {
            PushRaw(c);
            return false;
        }
        if (c == '\n' && !m_strToken.empty() && m_strToken.back() == '\r') {
            int d = NextRaw();
            if (IsBlankOrTab(d)) {
                // A folded line joins with its leading blank or tab.
                m_strToken.back() = static_cast<char>(d);
                continue;
            }
            PushRaw(d);
            PushRaw('\n');
            PushRaw('\r');
            m_strToken.pop_back();
            return true;
        }
        if (IsLeadByte(static_cast<unsigned char>(c))) {
            // A double-byte character is taken whole; a lead byte without its
            // second byte stays a byte of its own.
            int d = NextRaw();
            if (!IsEnd(d) && IsTrailByte(static_cast<unsigned char>(d))) {
                if (!AppendToken(static_cast<char>(c)) || !AppendToken(static_cast<char>(d)))
                    return false;
                continue;
            }
            PushRaw(d);
        }
        if (!AppendToken(static_cast<char>(c)))
            return false;
    }
}

bool CHeaderSource::AtEndOfField()
{
    int c1 = NextRaw();
    if (c1 != '\r') {
        PushRaw(c1);
        return false;
    }
    int c2 = NextRaw();
    if (c2 != '\n') {
        PushRaw(c2);
        PushRaw(c1);
        return false;
    }
    int c3 = NextRaw();
    PushRaw(c3);
    if (IsBlankOrTab(c3)) {
        PushRaw(c2);
        PushRaw(c1);
        return false;
    }
    return true;
}

bool CHeaderSource::SkipToEndOfLine()
{
    int prev = 0;
    for (;;) {
        int c = NextRaw();
        if (IsEnd(c)) {
            PushRaw(c);
            return false;
        }
        if (c == '\n' && prev == '\r')
            return true;
        prev = c;
    }
}

int CHeaderSource::ReadField(std::string& name, std::string& body)
{
    name.clear();
    body.clear();
    if (!ReadFieldName()) {
        if (IsDocument())
            return kHeaderEnd;
        if (m_bStrict) {
            ErrorBox("%s: can't get field name", m_strFileName.c_str());
            return kFieldError;
        }
        return SkipToEndOfLine() ? kLineSkipped : kFieldError;
    }
    if (m_strToken.compare(0, 4, "----") == 0)
        return kHeaderEnd;
    name = m_strToken;
    if (!ReadColon()) {
        if (m_bStrict) {
            ErrorBox("%s: colon missing", m_strFileName.c_str());
            return kFieldError;
        }
        return SkipToEndOfLine() ? kLineSkipped : kFieldError;
    }
    if (ReadFieldBody())
        body = m_strToken;
    size_t first = body.find_first_not_of(" \t");
    if (first == std::string::npos) {
        body.clear();
    } else {
        size_t last = body.find_last_not_of(" \t");
        body = body.substr(first, last - first + 1);
    }
    if (!AtEndOfField()) {
        ErrorBox("%s: CRLF missing after <%s>", m_strFileName.c_str(), body.c_str());
        return kFieldError;
    }
    return kFieldRead;
}
