// Runs of half-width katakana: finding them and widening them.
#include "search/HankakuKana.h"

#include <vector>

#include "platform/Messages.h"
#include "text/Sjis.h"

namespace {

constexpr unsigned kLineTooLong = 53;  // "行が長すぎます"

struct Run {
    long nStart;
    long nLength;
};

// A single-byte character of 0x80 or above: half-width katakana, or a stray byte
// (0x80, 0xA0, 0xFD-0xFF) that the composer's save refuses just the same, so the
// search must be able to find it.
bool IsHighSingleByte(std::string_view line, size_t i, int len)
{
    unsigned char b = static_cast<unsigned char>(line[i]);
    return len == 1 && b >= 0x80 && !IsLeadByte(b);
}

// Every run of such characters in the line, in order.
std::vector<Run> Runs(std::string_view line)
{
    std::vector<Run> runs;
    size_t i = 0;
    while (i < line.size()) {
        int len = CharLenAt(line, i);
        if (IsHighSingleByte(line, i, len)) {
            if (!runs.empty() && runs.back().nStart + runs.back().nLength == static_cast<long>(i))
                ++runs.back().nLength;
            else
                runs.push_back({static_cast<long>(i), 1});
        }
        i += static_cast<size_t>(len);
    }
    return runs;
}

bool Voices(unsigned char b) { return (b >= 0xB6 && b <= 0xC4) || (b >= 0xCA && b <= 0xCE); }
bool SemiVoices(unsigned char b) { return b >= 0xCA && b <= 0xCE; }

} // namespace

bool HankakuRunAt(std::string_view line, long nColumn, long* pStart, long* pLength)
{
    for (const Run& run : Runs(line))
        if (nColumn >= run.nStart && nColumn < run.nStart + run.nLength) {
            *pStart = run.nStart;
            *pLength = run.nLength;
            return true;
        }
    return false;
}

std::string HankakuToZenkakuRun(std::string_view run)
{
    std::string out;
    out.reserve(run.size() * 2);
    for (size_t i = 0; i < run.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(run[i]);
        unsigned code = HankakuToZenkaku(b);
        if (code == 0) {
            out += run[i];
            continue;
        }
        unsigned char next = i + 1 < run.size() ? static_cast<unsigned char>(run[i + 1]) : 0;
        if (next == 0xDE && Voices(b)) {
            code += 1;
            ++i;
        } else if (next == 0xDF && SemiVoices(b)) {
            code += 2;
            ++i;
        }
        out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
    }
    return out;
}

bool FindHankakuForward(ISearchText& text, long nLine, long nColumn, SearchHit* pHit)
{
    long count = text.LineCount();
    for (long n = nLine < 0 ? 0 : nLine; n < count; ++n) {
        for (const Run& run : Runs(text.LineText(n))) {
            // On the caret's line only runs wholly after the caret count.
            if (n == nLine && run.nStart <= nColumn)
                continue;
            *pHit = {n, run.nStart, run.nLength};
            return true;
        }
    }
    return false;
}

bool FindHankakuBackward(ISearchText& text, long nLine, long nColumn, SearchHit* pHit)
{
    long count = text.LineCount();
    if (nLine >= count) {
        nLine = count - 1;
        nColumn = kMaxLineBytes + 1;
    }
    for (long n = nLine; n >= 0; --n) {
        std::vector<Run> runs = Runs(text.LineText(n));
        for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
            // On the caret's line only runs that end before the caret's run count.
            if (n == nLine && it->nStart + it->nLength > nColumn)
                continue;
            *pHit = {n, it->nStart, it->nLength};
            return true;
        }
    }
    return false;
}

bool ReplaceHankakuRunAt(IReplaceText& text, long nLine, long nColumn)
{
    if (nLine < 0 || nLine >= text.LineCount())
        return false;
    std::string_view line = text.LineText(nLine);
    long start;
    long length;
    if (!HankakuRunAt(line, nColumn, &start, &length))
        return false;
    std::string wide = HankakuToZenkakuRun(line.substr(static_cast<size_t>(start), static_cast<size_t>(length)));
    if (static_cast<long>(line.size() - static_cast<size_t>(length) + wide.size()) > kMaxLineBytes) {
        ErrorBox(kLineTooLong);
        return false;
    }
    return text.ReplaceText(nLine, start, length, wide);
}
