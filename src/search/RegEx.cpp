// Compiling and matching the engine's patterns.
#include "search/RegEx.h"

#include <cstring>

#include "platform/Messages.h"
#include "text/Sjis.h"

namespace {

// The unit at p: a double-byte code when p holds a lead byte followed by another
// byte, else the byte itself. A lead byte just before the terminator is a single
// byte, so nothing past the end is ever read.
inline unsigned ReadUnit(const unsigned char* p, int* pLen)
{
    if (IsLeadByte(p[0]) && p[1] != 0) {
        *pLen = 2;
        return (static_cast<unsigned>(p[0]) << 8) | p[1];
    }
    *pLen = 1;
    return p[0];
}

inline bool IsAsciiLetter(unsigned c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline unsigned OtherCase(unsigned c) { return c ^ 0x20; }

bool InClass(const RegExRange* pRange, unsigned code)
{
    for (; pRange; pRange = pRange->pNext)
        if (code >= pRange->nLow && code <= pRange->nHigh)
            return true;
    return false;
}

// Bytes to give back from end so that one unit less is taken, the units having
// been read from start: two when end - 1 is the trail of a double-byte unit. The
// lead-valued bytes before it pair up from the last byte that cannot be a lead.
inline long UnitBefore(const unsigned char* text, long start, long end)
{
    long k = end - 2;
    while (k >= start && IsLeadByte(text[k]))
        --k;
    return ((end - 2 - k) & 1) ? 2 : 1;
}

// Does the element's class (negation and caseless folding included) hold code?
bool IsMember(const RegExElement* pElement, bool bCaseless, unsigned code)
{
    bool member = InClass(pElement->pClass, code);
    if (!member && bCaseless && code < 128 && IsAsciiLetter(code))
        member = InClass(pElement->pClass, OtherCase(code));
    return member != pElement->bNegated;
}

} // namespace

RegExElement* CRegEx::alloc_ree()
{
    void* p = m_mem.Alloc(sizeof(RegExElement));
    if (!p) {
        ErrorBox("not enough memory in alloc_ree");
        return nullptr;
    }
    RegExElement* e = static_cast<RegExElement*>(p);
    std::memset(e, 0, sizeof *e);
    e->nMin = e->nMax = e->nCount = 1;
    e->nStart = e->nEnd = -1;
    return e;
}

RegExRange* CRegEx::alloc_occ(unsigned nLow, unsigned nHigh)
{
    void* p = m_mem.Alloc(sizeof(RegExRange));
    if (!p) {
        ErrorBox("alloc_occ: not enough memory");
        return nullptr;
    }
    RegExRange* r = static_cast<RegExRange*>(p);
    r->nLow = nLow;
    r->nHigh = nHigh;
    r->pNext = nullptr;
    return r;
}

RegExProgram* CRegEx::Compile(const char* pattern, bool bCaseless)
{
    m_bGroupOpen = false;
    void* mem = m_mem.Alloc(sizeof(RegExProgram));
    if (!mem) {
        ErrorBox("not enough memory for the regular expression");
        return nullptr;
    }
    RegExProgram* prog = static_cast<RegExProgram*>(mem);
    std::memset(prog, 0, sizeof *prog);
    prog->bCaseless = bCaseless;

    const unsigned char* p = reinterpret_cast<const unsigned char*>(pattern);
    RegExElement* last = nullptr;
    while (*p) {
        RegExElement* e = nullptr;
        if (!ParseElement(prog, p, &e))
            return nullptr;
        FillByteTable(e, bCaseless);
        e->pPrev = last;
        if (last)
            last->pNext = e;
        else
            prog->pFirst = e;
        last = e;
    }
    return prog;
}

bool CRegEx::ParseElement(RegExProgram* prog, const unsigned char*& p, RegExElement** ppElement)
{
    RegExElement* e = alloc_ree();
    if (!e)
        return false;
    bool literal = false;
    if (*p == '\\') {
        ++p;
        if (*p == ')') {
            if (!m_bGroupOpen) {
                ErrorBox("\\) unexpectedly encountered\r\n");
                return false;
            }
            prog->apGroupEnd[prog->nGroups++] = e;
            m_bGroupOpen = false;
            if (*++p == '\\') {
                ++p;
                literal = true;
            }
        } else if (*p == '(') {
            if (prog->nGroups >= kRegExMaxGroups) {
                ErrorBox("too many parentheses");
                return false;
            }
            if (m_bGroupOpen) {
                ErrorBox("\\( unexpectedly encountered");
                return false;
            }
            prog->apGroupStart[prog->nGroups] = e;
            m_bGroupOpen = true;
            if (*++p == '\\') {
                ++p;
                literal = true;
            }
        } else {
            literal = true;
        }
    }
    // A group marker or a backslash with nothing after it: the element is dropped
    // (its arena space stays until the rewind).
    if (*p == 0)
        return false;

    if (!literal && *p == '[') {
        ++p;
        if (!ParseClass(e, p))
            return false;
    } else {
        unsigned lo = 0;
        unsigned hi = 0;
        if (!literal && *p == '$') {
            e->bEndAnchor = true;
            ++p;
        } else if (!literal && *p == '.') {
            lo = 1;
            hi = 65535;
            ++p;
        } else {
            int len;
            lo = hi = ReadUnit(p, &len);
            p += len;
        }
        if (!(e->pClass = alloc_occ(lo, hi)))
            return false;
    }

    switch (*p) {
    case '*':
        e->nMin = 0;
        e->nMax = kRegExMaxRepeat;
        ++p;
        break;
    case '+':
        e->nMin = 1;
        e->nMax = kRegExMaxRepeat;
        ++p;
        break;
    case '?':
        e->nMin = 0;
        e->nMax = 1;
        ++p;
        break;
    default:
        break;
    }
    e->nCount = e->nMin;
    *ppElement = e;
    return true;
}

// Reads the items of a class up to its "]"; p is just past the "[".
bool CRegEx::ParseClass(RegExElement* e, const unsigned char*& p)
{
    if (*p == '^') {
        e->bNegated = true;
        ++p;
    }
    RegExRange** tail = &e->pClass;
    for (bool first = true;; first = false) {
        bool escaped = false;
        if (*p == '\\') {
            escaped = true;
            ++p;
        }
        if (*p == 0) {
            ErrorBox("corresponding ']' not found");
            return false;
        }
        // Even escaped, "]" closes the class: it can never be a member.
        if (*p == ']') {
            if (first) {
                ErrorBox("invalid empty brackets");
                return false;
            }
            ++p;
            return true;
        }
        int len;
        unsigned lo = ReadUnit(p, &len);
        unsigned hi = lo;
        p += len;
        if (!escaped && *p == '-') {
            ++p;
            if (*p == 0) {
                ErrorBox("corresponding ']' not found");
                return false;
            }
            hi = ReadUnit(p, &len);
            p += len;
        }
        RegExRange* r = alloc_occ(lo, hi);
        if (!r)
            return false;
        *tail = r;
        tail = &r->pNext;
    }
}

void CRegEx::FillByteTable(RegExElement* e, bool bCaseless)
{
    // The same answers as IsMember for every code below 256.
    bool member[256] = {};
    for (const RegExRange* r = e->pClass; r; r = r->pNext)
        for (unsigned c = r->nLow; c <= r->nHigh && c < 256; ++c)
            member[c] = true;
    if (bCaseless)
        for (unsigned c = 'A'; c <= 'Z'; ++c)
            member[c] = member[c | 0x20] = member[c] || member[c | 0x20];
    std::memset(e->abByte, 0, sizeof e->abByte);
    for (unsigned c = 0; c < 256; ++c)
        if (member[c] != e->bNegated)
            e->abByte[c >> 3] |= static_cast<unsigned char>(1u << (c & 7));
}

bool CRegEx::Match(RegExProgram* prog, const char* text, RegExMatch* pResult)
{
    const unsigned char* s = reinterpret_cast<const unsigned char*>(text);
    for (RegExElement* x = prog->pFirst; x; x = x->pNext)
        x->nCount = x->nMin;

    RegExElement* e = prog->pFirst;
    long pos = 0;
    while (e) {
        // Take as many units as the element allows, from pos.
        e->nStart = pos;
        const unsigned char* q = s + pos;
        int taken = 0;
        bool anchored = false;
        while (taken < e->nMax) {
            if (*q == 0) {
                anchored = e->bEndAnchor;
                break;
            }
            int len = 1;
            bool member;
            if (IsLeadByte(q[0]) && q[1] != 0) {
                len = 2;
                member = IsMember(e, prog->bCaseless, (static_cast<unsigned>(q[0]) << 8) | q[1]);
            } else {
                member = (e->abByte[q[0] >> 3] >> (q[0] & 7)) & 1;
            }
            if (!member)
                break;
            q += len;
            ++taken;
        }
        if (anchored) {
            e->nCount = e->nMin;
            e->nEnd = pos;
            pos = e->nEnd;
            e = e->pNext;
            continue;
        }
        if (taken >= e->nMin) {
            e->nCount = taken;
            e->nEnd = q - s;
            pos = e->nEnd;
            e = e->pNext;
            continue;
        }
        // Backtrack: the nearest earlier element that can give a unit back does,
        // and everything after it is tried again from its new end.
        e = e->pPrev;
        while (e && e->nCount <= e->nMin)
            e = e->pPrev;
        if (!e)
            return false;
        --e->nCount;
        e->nEnd -= UnitBefore(s, e->nStart, e->nEnd);
        pos = e->nEnd;
        e = e->pNext;
    }

    if (pResult) {
        pResult->nGroups = prog->nGroups;
        for (int i = 0; i < prog->nGroups; ++i) {
            pResult->apStart[i] = text + prog->apGroupStart[i]->nStart;
            pResult->apEnd[i] = text + prog->apGroupEnd[i]->nStart;
        }
    }
    return true;
}

long CRegEx::MatchLength(const RegExProgram* prog)
{
    const RegExElement* first = prog->pFirst;
    if (!first || first->nStart < 0)
        return 0;
    const RegExElement* last = first;
    while (last->pNext)
        last = last->pNext;
    const RegExRange* r = last->pClass;
    bool filler = !last->bNegated && last->nMin == 0 && last->nMax == 1 && r && !r->pNext && r->nLow == 1 &&
                  r->nHigh == 65535;
    long end = (last->bEndAnchor || filler) ? last->nStart : last->nEnd;
    return end - first->nStart;
}

CRegEx& SearchRegEx()
{
    static CRegEx engine;
    return engine;
}

CRegEx& MailRegEx()
{
    static CRegEx engine;
    return engine;
}
