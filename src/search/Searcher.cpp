// Parsing search and replace commands, and finding and replacing their matches.
#include "search/Searcher.h"

#include <cstring>
#include <string_view>

#include "platform/Messages.h"
#include "text/Sjis.h"
#include "search/TextFind.h"
#include "search/UserPattern.h"

namespace {

constexpr unsigned kLineTooLong = 53;  // "行が長すぎます", the line store's own refusal

// Only spaces are trimmed around a command: a tab is part of the text to find.
bool IsBlank(char c) { return c == ' '; }

std::string_view TrimLeft(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s)
{
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Does s end with the single-byte character c (not the trail byte of a pair)?
bool EndsWithChar(std::string_view s, char c)
{
    return !s.empty() && s.back() == c && !IsSecondByteAt(s, static_cast<long>(s.size()) - 1);
}

// A delimiter of the "m" and "s" forms: an ASCII character, not a letter or digit.
bool IsFormDelimiter(char c)
{
    unsigned char b = static_cast<unsigned char>(c);
    return b < 0x80 && !((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'));
}

// The offsets of the single-byte characters d in s from from up to (not
// including) to, read character by character from from.
std::vector<size_t> FindDelimiters(std::string_view s, size_t from, size_t to, char d)
{
    std::vector<size_t> found;
    for (size_t i = from; i < to; i += static_cast<size_t>(CharLenAt(s, i)))
        if (s[i] == d && CharLenAt(s, i) == 1)
            found.push_back(i);
    return found;
}

std::unique_ptr<CSearcher> g_pSearcher;
bool g_bHankakuKanaMode = false;

} // namespace

CSearcher::CSearcher(CRegEx& engine) : m_engine(engine) {}

void CSearcher::Reset()
{
    m_bHasPattern = m_bRegEx = m_bCaseless = m_bAnchored = m_bReplace = false;
    m_strPattern.clear();
    m_strReplace.clear();
    m_pProgram = nullptr;
    m_pScan.reset();
    ForgetLastMatch();
}

void CSearcher::ForgetLastMatch()
{
    m_last = SearchHit();
    m_lastGroups.clear();
}

bool CSearcher::SetPattern(const std::string& pattern, bool bRegEx, bool bCaseless)
{
    if (pattern.size() >= kMaxPattern) {
        InfoBox(bRegEx ? "Regular expression too long" : "Search string too long");
        return false;
    }
    m_strPattern = pattern;
    m_bRegEx = bRegEx;
    m_bCaseless = bCaseless;
    m_bHasPattern = true;
    if (!bRegEx)
        return true;
    UserPattern converted = ConvertUserPattern(pattern);
    m_bAnchored = converted.bAnchored;
    m_pProgram = m_engine.Compile(converted.strEngine.c_str(), bCaseless);
    if (!m_pProgram) {
        // The engine refuses these without a word of its own.
        if (converted.bIncomplete)
            ErrorBox("unexpected end of regular expression");
        return false;
    }
    m_pScan = std::make_unique<CRegExScan>(m_pProgram);
    return true;
}

bool CSearcher::SetSearch(const char* text, bool bFromCommandLine)
{
    Reset();
    std::string_view plain(text);
    if (bFromCommandLine) {
        std::string_view t = TrimRight(TrimLeft(plain));
        bool caseless = false;
        if (t.size() > 3 && EndsWithChar(t, 'i')) {
            t.remove_suffix(1);
            caseless = true;
        }
        if (t.size() >= 4 && t[0] == 'm' && IsFormDelimiter(t[1]) && EndsWithChar(t, t[1]))
            return SetPattern(std::string(t.substr(2, t.size() - 3)), true, caseless);
        if (t.size() >= 3 && t[0] == '/' && EndsWithChar(t, '/'))
            return SetPattern(std::string(t.substr(1, t.size() - 2)), true, caseless);
        plain = TrimLeft(plain);
    }
    if (plain.empty()) {
        ErrorBeep();
        StatusMessage("探すべき文字列が指定されていません");
        return false;
    }
    return SetPattern(std::string(plain), false, false);
}

bool CSearcher::SetReplace(const char* text)
{
    Reset();
    m_bReplace = true;
    std::string_view t = TrimRight(TrimLeft(text));
    bool caseless = false;
    if (t.size() > 4 && EndsWithChar(t, 'i')) {
        t.remove_suffix(1);
        caseless = true;
    }
    bool regex = false;
    std::vector<size_t> middle;
    if (t.size() > 4 && t[0] == 's' && IsFormDelimiter(t[1]) && EndsWithChar(t, t[1])) {
        middle = FindDelimiters(t, 2, t.size() - 1, t[1]);
        regex = middle.size() == 1;
    }
    if (!regex) {
        middle.clear();
        if (t.size() > 3 && CharLenAt(t, 0) == 1 && EndsWithChar(t, t[0]))
            middle = FindDelimiters(t, 1, t.size() - 1, t[0]);
        if (middle.size() != 1) {
            InfoBox("Replace command syntax error");
            return false;
        }
    }
    size_t first = regex ? 2 : 1;
    std::string pattern(t.substr(first, middle[0] - first));
    std::string replacement(t.substr(middle[0] + 1, t.size() - 1 - (middle[0] + 1)));
    if (pattern.size() >= kMaxPattern) {
        InfoBox(regex ? "Regular expression too long" : "Search string too long");
        return false;
    }
    if (replacement.size() >= kMaxReplacement) {
        InfoBox("Replace string too long");
        return false;
    }
    m_strReplace = replacement;
    if (!SetPattern(pattern, regex, caseless)) {
        m_strReplace.clear();
        return false;
    }
    return true;
}

bool CSearcher::FindInLineAt(const char* line, long nLength, long nStart, bool bForward, long* pColumn, long* pLength)
{
    long pos;
    if (!m_bRegEx) {
        std::string_view text(line, static_cast<size_t>(nLength));
        pos = bForward ? FindTextForward(text, nStart, m_strPattern, m_bCaseless)
                       : FindTextBackward(text, nStart, m_strPattern, m_bCaseless);
        if (pos < 0)
            return false;
        *pColumn = pos;
        *pLength = static_cast<long>(m_strPattern.size());
        return true;
    }
    if (m_bAnchored) {
        // Only the start of the line counts, and going forward only from there.
        if ((bForward ? nStart != 0 : nStart < 0) || !m_pScan->MatchAt(line, 0, &m_match))
            return false;
        pos = 0;
    } else {
        pos = bForward ? m_pScan->FindForward(line, nLength, nStart, &m_match)
                       : m_pScan->FindBackward(line, nLength, nStart, &m_match);
        if (pos < 0)
            return false;
    }
    *pColumn = pos;
    *pLength = CRegEx::MatchLength(m_pProgram);
    return true;
}

bool CSearcher::FindInLine(long nLine, const char* line, long nStart, bool bForward, SearchHit* pHit)
{
    if (!CanSearch())
        return false;
    long column;
    long length;
    if (!FindInLineAt(line, static_cast<long>(std::strlen(line)), nStart, bForward, &column, &length))
        return false;
    m_last.nLine = nLine;
    m_last.nColumn = column;
    m_last.nLength = length;
    m_lastGroups.clear();
    if (m_bRegEx)
        for (int i = 0; i < m_match.nGroups; ++i)
            m_lastGroups.emplace_back(m_match.apStart[i], m_match.apEnd[i]);
    if (pHit)
        *pHit = m_last;
    return true;
}

bool CSearcher::FindForward(ISearchText& text, long nLine, long nColumn, bool bSkipCaret, SearchHit* pHit)
{
    if (!CanSearch())
        return false;
    long count = text.LineCount();
    if (nLine < 0) {
        nLine = 0;
        nColumn = 0;
    }
    if (nLine < count && nColumn >= 0) {
        const char* line = text.LineText(nLine);
        std::string_view s(line);
        if (static_cast<size_t>(nColumn) < s.size()) {
            long start = nColumn + (bSkipCaret ? CharLenAt(s, static_cast<size_t>(nColumn)) : 0);
            if (FindInLine(nLine, line, start, true, pHit))
                return true;
        }
    }
    for (long n = nLine + 1; n < count; ++n)
        if (FindInLine(n, text.LineText(n), 0, true, pHit))
            return true;
    return false;
}

bool CSearcher::FindBackward(ISearchText& text, long nLine, long nColumn, SearchHit* pHit)
{
    if (!CanSearch())
        return false;
    long count = text.LineCount();
    if (nLine >= count) {
        nLine = count - 1;
        nColumn = kMaxLineBytes + 1;
    }
    if (nLine < 0)
        return false;
    const char* line = text.LineText(nLine);
    std::string_view s(line);
    long length = static_cast<long>(s.size());
    // One character before the caret; a caret past the text has all of it before it.
    long start = nColumn > length ? length
                 : nColumn > 0    ? nColumn - (IsSecondByteAt(s, nColumn - 1) ? 2 : 1)
                                  : -1;
    if (start >= 0 && FindInLine(nLine, line, start, false, pHit))
        return true;
    for (long n = nLine - 1; n >= 0; --n) {
        line = text.LineText(n);
        if (FindInLine(n, line, static_cast<long>(std::strlen(line)), false, pHit))
            return true;
    }
    return false;
}

std::string CSearcher::Replacement() const
{
    return m_bRegEx ? ExpandReplacement(m_strReplace, m_lastGroups) : m_strReplace;
}

bool CSearcher::ReplaceLastMatch(IReplaceText& text, long nLine, long nColumn)
{
    if (!IsLastMatchAt(nLine, nColumn) || nLine >= text.LineCount())
        return false;
    long length = static_cast<long>(std::strlen(text.LineText(nLine)));
    if (m_last.nColumn + m_last.nLength > length)
        return false;  // the line changed under the match
    std::string replacement = Replacement();
    if (length - m_last.nLength + static_cast<long>(replacement.size()) > kMaxLineBytes) {
        ErrorBox(kLineTooLong);
        return false;
    }
    if (!text.ReplaceText(nLine, nColumn, m_last.nLength, replacement))
        return false;
    ForgetLastMatch();
    return true;
}

long CSearcher::NextColumnAfterReplace(const char* lineAfter, const SearchHit& hit, long nReplaced)
{
    long column = hit.nColumn + nReplaced;
    if (hit.nLength == 0) {
        std::string_view s(lineAfter);
        column += static_cast<size_t>(column) < s.size() ? CharLenAt(s, static_cast<size_t>(column)) : 1;
    }
    return column;
}

long CSearcher::ReplaceAll(IReplaceText& text, long nLine, long nColumn)
{
    long replaced = 0;
    SearchHit hit;
    while (FindForward(text, nLine, nColumn, false, &hit)) {
        std::string replacement = Replacement();
        long length = static_cast<long>(std::strlen(text.LineText(hit.nLine)));
        if (length - hit.nLength + static_cast<long>(replacement.size()) > kMaxLineBytes) {
            ErrorBox(kLineTooLong);
            break;
        }
        if (!text.ReplaceText(hit.nLine, hit.nColumn, hit.nLength, replacement))
            break;
        ++replaced;
        nLine = hit.nLine;
        nColumn = NextColumnAfterReplace(text.LineText(nLine), hit, static_cast<long>(replacement.size()));
    }
    ForgetLastMatch();
    return replaced;
}

CSearcher* Searcher() { return g_pSearcher.get(); }

CSearcher& NewSearcher()
{
    // The old searcher's program goes with it, and nothing else compiles into the
    // search engine's arena: rewinding keeps the arena from growing search by search.
    g_pSearcher.reset();
    SearchRegEx().Rewind();
    g_pSearcher = std::make_unique<CSearcher>(SearchRegEx());
    g_bHankakuKanaMode = false;
    return *g_pSearcher;
}

bool HankakuKanaMode() { return g_bHankakuKanaMode; }
void SetHankakuKanaMode(bool bOn) { g_bHankakuKanaMode = bOn; }
