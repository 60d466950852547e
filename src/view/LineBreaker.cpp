// The line breaker of paragraph filling.
#include "view/LineBreaker.h"

#include <algorithm>

#include "text/LineBlocks.h"
#include "text/Sjis.h"

namespace {

bool IsAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

} // namespace

size_t FillCharLen(std::string_view text, size_t i)
{
    return IsLeadByte(text[i]) && i + 1 < text.size() && IsTrailByte(text[i + 1]) ? 2 : 1;
}

void CLineBreaker::CCharSet::Assign(std::string_view list)
{
    single.reset();
    wide.reset();
    for (size_t i = 0; i < list.size();) {
        size_t len = FillCharLen(list, i);
        if (len == 2)
            wide[static_cast<unsigned char>(list[i]) << 8 | static_cast<unsigned char>(list[i + 1])] = true;
        else
            single.set(static_cast<unsigned char>(list[i]));
        i += len;
    }
}

bool CLineBreaker::CCharSet::Has(std::string_view text, size_t i, size_t len) const
{
    if (len == 2)
        return wide[static_cast<unsigned char>(text[i]) << 8 | static_cast<unsigned char>(text[i + 1])];
    return single.test(static_cast<unsigned char>(text[i]));
}

CLineBreaker::CLineBreaker(const CFillRules& rules) : m_bSpaceAscii(rules.bSpaceAscii)
{
    m_right.Assign(rules.strRightProhibition);
    m_left.Assign(rules.strLeftProhibition);
    m_sticker.Assign(rules.strLeftSticker);
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead)
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            unsigned code = lead << 8 | trail;
            if (IsLeadByte(static_cast<unsigned char>(lead)) && IsTrailByte(static_cast<unsigned char>(trail)) &&
                !m_right.wide[code] && !m_left.wide[code])
                m_plainWide.set(code);
        }
}

CLineBreaker::CToken CLineBreaker::Cut(std::string_view text, size_t i, std::string& out) const
{
    size_t n = text.size();
    CToken token;
    token.nBegin = i;
    size_t len = FillCharLen(text, i);
    size_t last = i, lastLen = len;  // the token's last character in text
    if (m_right.Has(text, i, len)) {
        while (i < n && m_right.Has(text, i, len = FillCharLen(text, i))) {
            last = i;
            lastLen = len;
            i += len;
        }
        token.nEnd = i;
        token.bytes = text.substr(token.nBegin, i - token.nBegin);
        token.bClosing = true;
        token.end = EndOf(text, last, lastLen);
        return token;
    }
    while (i < n && m_left.Has(text, i, len = FillCharLen(text, i))) {
        last = i;
        lastLen = len;
        i += len;
    }
    // The character the opening run holds on to may stand after blanks (a
    // bracket at the end of a line); they go, or the line would end in it.
    // Only then are the token's bytes not one piece of the text.
    size_t runEnd = i;
    if (runEnd > token.nBegin)
        while (i < n && text[i] == ' ')
            ++i;
    size_t from = i;
    if (i < n) {
        if (IsAscii(text[i])) {
            ++i;
            while (i < n && IsAscii(text[i]) && text[i] != ' ' && text[i] != ',')
                ++i;
            last = i - 1;
            lastLen = 1;
        } else {
            lastLen = FillCharLen(text, i);
            last = i;
            i += lastLen;
        }
    }
    token.nEnd = i;
    token.end = EndOf(text, last, lastLen);
    if (from == runEnd) {
        token.bytes = text.substr(token.nBegin, i - token.nBegin);
    } else {
        out.assign(text.substr(token.nBegin, runEnd - token.nBegin));
        out.append(text.substr(from, i - from));
        token.bytes = out;
    }
    return token;
}

CLineBreaker::EEnd CLineBreaker::EndOf(std::string_view text, size_t last, size_t len) const
{
    if (len == 1 && IsLeadByte(text[last]))
        return EEnd::LoneLead;
    bool bSticker = m_sticker.Has(text, last, len);
    if (len == 1 && IsAscii(text[last]))
        return bSticker ? EEnd::AsciiSticker : EEnd::Ascii;
    return bSticker ? EEnd::WideSticker : EEnd::Wide;
}

bool CLineBreaker::NeedsBlank(EEnd prev, std::string_view token, bool bClosing) const
{
    // A lone lead byte would pair with whatever came right after it.
    if (prev == EEnd::LoneLead)
        return true;
    if (bClosing)
        return false;
    bool bAsciiNext = IsAscii(token[0]);
    switch (prev) {
    case EEnd::Ascii: return m_bSpaceAscii || bAsciiNext;
    case EEnd::Wide: return m_bSpaceAscii && bAsciiNext;
    default: return false;
    }
}

size_t CLineBreaker::TakeWideRun(std::string_view text, size_t pos, long nRight, std::string& line, EEnd& prev) const
{
    size_t n = text.size();
    size_t room = nRight > static_cast<long>(line.size()) ? static_cast<size_t>(nRight) - line.size() : 0;
    size_t start = pos;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    while (room >= 2 && pos + 1 < n && m_plainWide[static_cast<unsigned>(p[pos]) << 8 | p[pos + 1]]) {
        pos += 2;
        room -= 2;
    }
    if (pos > start) {
        prev = m_sticker.wide[static_cast<unsigned>(p[pos - 2]) << 8 | p[pos - 1]] ? EEnd::WideSticker : EEnd::Wide;
        line.append(text.substr(start, pos - start));
    }
    return pos;
}

CLineBreaker::EFill CLineBreaker::Fill(std::string_view text, long nLeft, long nRight, size_t nMaxLine,
                                      COwnedLines& lines) const
{
    lines.Clear();
    size_t n = text.size();
    size_t left = std::min(static_cast<size_t>(std::max(nLeft, 0L)), n);
    size_t pos = left;
    std::string token;
    // Lines are about as long as the column range: the list is sized once for
    // the lines the text will make, and they are cut from blocks made for them.
    size_t width = static_cast<size_t>(std::max(nRight - static_cast<long>(left), 1L));
    size_t nLines = (n - left) / width + 1;
    lines.Reserve(nLines);
    CLineCutter cutter(n + nLines * (left + 2));
    std::string line;
    line.reserve(std::min(static_cast<size_t>(std::max(nRight, 0L)) + 2, nMaxLine + 1));
    for (bool bFirstLine = true;; bFirstLine = false) {
        size_t skipped = pos;
        while (pos < n && text[pos] == ' ')
            ++pos;
        if (!bFirstLine && pos >= n)
            break;
        if (bFirstLine)
            line.assign(text.substr(0, left));
        else
            line.assign(left, ' ');
        // Blanks between the kept bytes and the first word stay as one, so the
        // two are not glued together.
        bool bGap = bFirstLine && left > 0 && text[left - 1] != ' ' && pos > skipped;
        EEnd prev = EEnd::Ascii;
        bool bAtStart = true;
        while (true) {
            if (!bAtStart)
                while (pos < n && text[pos] == ' ')
                    ++pos;
            if (pos >= n)
                break;
            CToken t = Cut(text, pos, token);
            bool bBlank = bAtStart ? bGap : NeedsBlank(prev, t.bytes, t.bClosing);
            long end = static_cast<long>(line.size() + (bBlank ? 1 : 0) + t.bytes.size());
            bool bFits = end <= nRight;
            if (!bFits && !t.bClosing && !bAtStart) {
                if (bBlank)
                    line += ' ';
                break;
            }
            if (bBlank)
                line += ' ';
            line += t.bytes;
            pos = t.nEnd;
            prev = t.end;
            bAtStart = false;
            if (!bFits)
                break;
            if (prev == EEnd::Wide || prev == EEnd::WideSticker)
                pos = TakeWideRun(text, pos, nRight, line, prev);
        }
        // A lone lead byte ending the line would pair with whatever is put
        // after it later; its blank stays with it.
        if (!bAtStart && prev == EEnd::LoneLead && pos < n)
            line += ' ';
        if (line.size() > nMaxLine) {
            lines.Clear();
            return EFill::TooLong;
        }
        char* p = cutter.Add(line.data(), line.size());
        if (!p) {
            lines.Clear();
            return EFill::NoMemory;
        }
        lines.Add(p);
    }
    return EFill::Done;
}
