// Compiles a pattern and runs it over a text, both taken from the input, through
// the engine, the line scanner and the searcher; the scanner's shortcuts are
// checked against trying Match at every character boundary, and the plain text
// search against a direct comparison.
//
// Input: one flag byte, the pattern, "\n", the text. Patterns are short and have
// few repetitions, because matching is exponential in their number by design.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Ui.h"
#include "text/Sjis.h"
#include "search/HankakuKana.h"
#include "search/RegEx.h"
#include "search/RegExScan.h"
#include "search/Searcher.h"
#include "search/TextFind.h"

namespace {

constexpr size_t kMaxPattern = 64;
constexpr size_t kMaxText = 96;
constexpr int kMaxRepeats = 3;

class CSilentUi : public IUi {
public:
    bool ShowMessageBox(EMessageBox, const char*) override { return false; }
    void ShowStatusMessage(const char*) override {}
    void ErrorBeep() override {}
};

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

// A NUL-terminated copy in a buffer of exactly its size.
std::unique_ptr<char[]> Exact(std::string_view s)
{
    std::unique_ptr<char[]> p(new char[s.size() + 1]);
    if (!s.empty())
        std::memcpy(p.get(), s.data(), s.size());
    p[s.size()] = 0;
    return p;
}

std::vector<long> Boundaries(std::string_view text)
{
    std::vector<long> all;
    CollectBoundaries(text, static_cast<long>(text.size()), &all);
    return all;
}

void CheckMatch(RegExProgram* prog, const char* text, long length, const RegExMatch& m)
{
    long n = CRegEx::MatchLength(prog);
    Check(n >= 0 && n <= length);
    Check(m.nGroups >= 0 && m.nGroups <= kRegExMaxGroups);
    for (int i = 0; i < m.nGroups; ++i)
        Check(m.apStart[i] >= text && m.apStart[i] <= m.apEnd[i] && m.apEnd[i] <= text + length);
}

void FuzzEngine(CRegEx& engine, const char* pattern, bool caseless, std::string_view textView)
{
    RegExProgram* prog = engine.Compile(pattern, caseless);
    if (!prog)
        return;
    auto text = Exact(textView);
    long length = static_cast<long>(textView.size());
    std::vector<long> bounds = Boundaries(textView);
    std::vector<char> matches(bounds.size());
    RegExMatch m{};
    for (size_t i = 0; i < bounds.size(); ++i) {
        matches[i] = CRegEx::Match(prog, text.get() + bounds[i], &m);
        if (matches[i])
            CheckMatch(prog, text.get() + bounds[i], length - bounds[i], m);
    }
    CRegExScan scan(prog);
    for (size_t from = 0; from < bounds.size(); from += 3) {
        long expect = -1;
        for (size_t i = from; i < bounds.size() && expect < 0; ++i)
            if (matches[i])
                expect = bounds[i];
        Check(scan.FindForward(text.get(), length, bounds[from], &m) == expect);
        expect = -1;
        for (size_t i = from + 1; i-- > 0 && expect < 0;)
            if (matches[i])
                expect = bounds[i];
        Check(scan.FindBackward(text.get(), length, bounds[from], &m) == expect);
    }
}

void FuzzPlain(std::string_view needle, std::string_view text, bool caseless)
{
    std::vector<long> bounds = Boundaries(text);
    auto equalAt = [&](long pos) {
        if (pos + static_cast<long>(needle.size()) > static_cast<long>(text.size()))
            return false;
        for (size_t i = 0; i < needle.size(); ++i) {
            unsigned char a = static_cast<unsigned char>(text[static_cast<size_t>(pos) + i]);
            unsigned char b = static_cast<unsigned char>(needle[i]);
            bool single = !IsSecondByteAt(needle, static_cast<long>(i)) && CharLenAt(needle, i) == 1;
            if (a != b && !(caseless && single && (a | 0x20) == (b | 0x20) && (a | 0x20) >= 'a' && (a | 0x20) <= 'z'))
                return false;
        }
        long end = pos + static_cast<long>(needle.size());
        for (long b : bounds)
            if (b == end)
                return true;
        return false;
    };
    for (size_t from = 0; from < bounds.size(); from += 2) {
        long expect = -1;
        for (size_t i = from; i < bounds.size() && expect < 0; ++i)
            if (equalAt(bounds[i]))
                expect = bounds[i];
        Check(FindTextForward(text, bounds[from], needle, caseless) == expect);
        expect = -1;
        for (size_t i = from + 1; i-- > 0 && expect < 0;)
            if (equalAt(bounds[i]))
                expect = bounds[i];
        Check(FindTextBackward(text, bounds[from], needle, caseless) == expect);
    }
}

class CLineText : public IReplaceText {
public:
    explicit CLineText(std::string line) : m_line(std::move(line)) {}
    long LineCount() override { return 2; }
    const char* LineText(long n) override { return n == 0 ? m_line.c_str() : ""; }
    bool ReplaceText(long, long nColumn, long nLength, std::string_view text) override
    {
        Check(nColumn >= 0 && nLength >= 0 && static_cast<size_t>(nColumn + nLength) <= m_line.size());
        m_line.replace(static_cast<size_t>(nColumn), static_cast<size_t>(nLength), text);
        return m_line.size() <= kMaxLineBytes;
    }
    std::string m_line;
};

void FuzzSearcher(CRegEx& engine, std::string_view pattern, std::string_view text, unsigned flags)
{
    CSearcher searcher(engine);
    std::string command(pattern);
    auto line = Exact(text);
    bool ok = (flags & 2) ? searcher.SetReplace(command.c_str()) : searcher.SetSearch(command.c_str(), true);
    if (!ok)
        return;
    SearchHit hit;
    if (searcher.FindInLine(0, line.get(), 0, true, &hit))
        Check(hit.nColumn + hit.nLength <= static_cast<long>(text.size()));
    if (searcher.FindInLine(0, line.get(), static_cast<long>(text.size()), false, &hit))
        Check(hit.nColumn + hit.nLength <= static_cast<long>(text.size()));
    (void)searcher.Replacement();
    if (flags & 4) {
        CLineText lines{std::string(text)};
        searcher.ReplaceAll(lines, 0, 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CSilentUi ui;
    static CRegEx engine;
    SetUi(&ui);
    if (size < 1)
        return 0;
    unsigned flags = data[0];
    std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    size_t cut = input.find('\n');
    std::string_view pattern = input.substr(0, cut);
    std::string_view text = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);
    pattern = pattern.substr(0, pattern.find('\0'));
    text = text.substr(0, text.find('\0'));
    if (pattern.size() > kMaxPattern || text.size() > kMaxText)
        return 0;
    int repeats = 0;
    for (char c : pattern)
        repeats += c == '*' || c == '+' || c == '?';
    if (repeats > kMaxRepeats)
        return 0;

    engine.Rewind();
    auto exactPattern = Exact(pattern);
    FuzzEngine(engine, exactPattern.get(), flags & 1, text);
    FuzzPlain(pattern, text, flags & 1);
    FuzzSearcher(engine, pattern, text, flags);

    long start;
    long length;
    for (size_t i = 0; i < text.size(); ++i)
        if (HankakuRunAt(text, static_cast<long>(i), &start, &length))
            Check(HankakuToZenkakuRun(text.substr(static_cast<size_t>(start), static_cast<size_t>(length))).size() <=
                  2 * static_cast<size_t>(length));
    return 0;
}
