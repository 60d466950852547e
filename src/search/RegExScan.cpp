// Finding where a program matches in a line.
#include "search/RegExScan.h"

#include <cstring>
#include <string_view>

#include "text/Sjis.h"
#include "search/TextFind.h"

namespace {

bool IsAsciiLetter(unsigned c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Marks the first bytes of the units the element's class can take.
void AddFirstBytes(const RegExElement* e, bool bCaseless, bool* first)
{
    if (e->bNegated) {
        for (int b = 1; b < 256; ++b)
            first[b] = true;
        return;
    }
    for (const RegExRange* r = e->pClass; r; r = r->pNext) {
        for (unsigned c = r->nLow; c <= r->nHigh && c < 256; ++c) {
            first[c] = true;
            if (bCaseless && IsAsciiLetter(c))
                first[c ^ 0x20] = true;
        }
        if (r->nHigh >= 256) {
            unsigned lo = r->nLow < 256 ? 1 : r->nLow >> 8;
            for (unsigned b = lo; b <= (r->nHigh >> 8) && b < 256; ++b)
                first[b] = true;
        }
    }
}

// The bytes of a literal element's one code, or false when it is not a literal
// that must appear as exactly those bytes.
bool LiteralBytes(const RegExElement* e, bool bCaseless, std::string* pOut)
{
    const RegExRange* r = e->pClass;
    if (e->nMin != 1 || e->nMax != 1 || e->bNegated || e->bEndAnchor || !r || r->pNext || r->nLow != r->nHigh)
        return false;
    unsigned c = r->nLow;
    if (bCaseless && IsAsciiLetter(c))
        return false;
    if (c >= 256)
        pOut->push_back(static_cast<char>(c >> 8));
    pOut->push_back(static_cast<char>(c & 0xFF));
    return true;
}

} // namespace

CRegExScan::CRegExScan(RegExProgram* pProgram) : m_pProgram(pProgram)
{
    std::memset(m_abFirst, 0, sizeof m_abFirst);
    bool open = true;  // every element so far may take nothing
    for (const RegExElement* e = pProgram->pFirst; e && open; e = e->pNext) {
        if (e->bEndAnchor)
            m_abFirst[0] = true;
        else
            AddFirstBytes(e, pProgram->bCaseless, m_abFirst);
        open = e->nMin == 0;
    }
    if (open) {
        // The whole program can match nothing, anywhere.
        for (bool& b : m_abFirst)
            b = true;
    }
    for (const RegExElement* e = pProgram->pFirst; e; e = e->pNext)
        if (!LiteralBytes(e, pProgram->bCaseless, &m_strPrefix))
            break;
    if (m_strPrefix.empty()) {
        int n = 0;
        int only = 0;
        for (int b = 0; b < 256; ++b)
            if (m_abFirst[b]) {
                ++n;
                only = b;
            }
        if (n == 1 && only != 0)
            m_strPrefix.push_back(static_cast<char>(only));
        else if (n <= kMaxRare && !m_abFirst[0])
            for (int b = 1; b < 256; ++b)
                if (m_abFirst[b])
                    m_abRare[m_nRare++] = static_cast<unsigned char>(b);
    }
}

inline bool CRegExScan::CanStartAt(const char* line, long pos) const
{
    return m_abFirst[static_cast<unsigned char>(line[pos])];
}

bool CRegExScan::MatchAt(const char* line, long pos, RegExMatch* pResult) const
{
    return CanStartAt(line, pos) && CRegEx::Match(m_pProgram, line + pos, pResult);
}

size_t CRegExScan::NextCandidate(std::string_view text, size_t at, long* next) const
{
    if (!m_strPrefix.empty())
        return text.find(m_strPrefix, at);
    // The next place of each starting byte is kept until the scan passes it, so
    // a frequent byte does not make the search for a rare one start over.
    size_t best = std::string_view::npos;
    for (int i = 0; i < m_nRare; ++i) {
        if (next[i] != kNowhere && next[i] < static_cast<long>(at)) {
            const void* p = std::memchr(text.data() + at, m_abRare[i], text.size() - at);
            next[i] = p ? static_cast<const char*>(p) - text.data() : kNowhere;
        }
        if (next[i] != kNowhere && static_cast<size_t>(next[i]) < best)
            best = static_cast<size_t>(next[i]);
    }
    return best;
}

long CRegExScan::FindForward(const char* line, long nLength, long nStart, RegExMatch* pResult) const
{
    if (nStart < 0 || nStart > nLength)
        return -1;
    if (m_strPrefix.empty() && m_nRare == 0) {
        const unsigned char* s = reinterpret_cast<const unsigned char*>(line);
        long pos = nStart;
        for (;;) {
            unsigned char b = s[pos];
            if (m_abFirst[b] && CRegEx::Match(m_pProgram, line + pos, pResult))
                return pos;
            if (pos >= nLength)
                return -1;
            pos += (IsLeadByte(b) && s[pos + 1] != 0) ? 2 : 1;
        }
    }
    // Jump from one place where a match could begin to the next, and try those
    // that lie on a character boundary.
    std::string_view text(line, static_cast<size_t>(nLength));
    long next[kMaxRare] = {-1, -1, -1};
    long from = nStart;  // a boundary at or before every candidate
    size_t at = static_cast<size_t>(nStart);
    for (;;) {
        size_t hit = NextCandidate(text, at, next);
        if (hit == std::string_view::npos)
            return -1;
        long h = static_cast<long>(hit);
        if (!IsBoundaryFrom(text, from, h)) {
            from = h + 1;  // h is a trail byte
            at = hit + 1;
            continue;
        }
        if (CRegEx::Match(m_pProgram, line + h, pResult))
            return h;
        at = hit + static_cast<size_t>(CharLenAt(text, hit));
        from = static_cast<long>(at);
    }
}

long CRegExScan::FindBackward(const char* line, long nLength, long nStart, RegExMatch* pResult)
{
    if (nStart < 0)
        return -1;
    if (nStart > nLength)
        nStart = nLength;
    CollectBoundaries(std::string_view(line, static_cast<size_t>(nLength)), nStart, &m_boundaries);
    for (auto it = m_boundaries.rbegin(); it != m_boundaries.rend(); ++it) {
        long pos = *it;
        if (!CanStartAt(line, pos))
            continue;
        if (!m_strPrefix.empty() &&
            std::strncmp(line + pos, m_strPrefix.data(), m_strPrefix.size()) != 0)
            continue;
        if (CRegEx::Match(m_pProgram, line + pos, pResult))
            return pos;
    }
    return -1;
}
