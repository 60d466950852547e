// The benchmark corpus generator.
#include "Corpus.h"

#include <array>

#include "text/Codes.h"

namespace {

// A small, fast generator with a fixed sequence on every platform (the standard
// library's distributions are not guaranteed to be).
class CRandom {
public:
    explicit CRandom(std::uint64_t seed) : m_state(seed * 0x9E3779B97F4A7C15ULL + 1) {}
    std::uint32_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return static_cast<std::uint32_t>(m_state >> 11);
    }
    // 0 .. n-1
    unsigned Below(unsigned n) { return Next() % n; }
    bool Chance(unsigned percent) { return Below(100) < percent; }

private:
    std::uint64_t m_state;
};

void PutCode(std::string& s, unsigned code)
{
    s.push_back(static_cast<char>(code >> 8));
    s.push_back(static_cast<char>(code & 0xFF));
}

// Level-1 kanji: JIS rows 0x30 to 0x4F (the last row ends at cell 0x53).
unsigned Kanji(CRandom& r)
{
    unsigned row = 0x30 + r.Below(0x20);
    unsigned cell = 0x21 + r.Below(row == 0x4F ? 0x33 : 0x5E);
    return JisToSjisCode((row << 8) | cell);
}

unsigned Hiragana(CRandom& r) { return 0x829F + r.Below(0x82F1 - 0x829F + 1); }

unsigned Katakana(CRandom& r)
{
    unsigned c = 0x8340 + r.Below(0x8393 - 0x8340);
    return c >= 0x837F ? c + 1 : c;  // 0x837F is no character
}

// Particles and endings make the hiragana look like text, not noise.
const char* const kParticles[] = {
    "\x82\xCC",         // の
    "\x82\xCD",         // は
    "\x82\xAA",         // が
    "\x82\xF0",         // を
    "\x82\xC9",         // に
    "\x82\xC5",         // で
    "\x82\xC6",         // と
    "\x82\xE0",         // も
    "\x82\xA9\x82\xE7", // から
    "\x82\xDC\x82\xC5", // まで
};
const char* const kEndings[] = {
    "\x82\xC5\x82\xB7",                  // です
    "\x82\xDC\x82\xB7",                  // ます
    "\x82\xB5\x82\xBD",                  // した
    "\x82\xC5\x82\xA0\x82\xE9",          // である
    "\x82\xC6\x8E\x76\x82\xA4",          // と思う
};
const char* const kAsciiWords[] = {
    "Windows", "file", "mail", "OK", "editor", "version", "data", "line", "text", "tab",
    "Unicode", "server", "client", "test", "JIS", "EUC", "DDE", "README", "config", "update",
};
// 、 。 「 」 （ ） ・ ！ ？
const unsigned kPunctuation[] = {0x8141, 0x8142, 0x8175, 0x8176, 0x8169, 0x816A, 0x8145, 0x8149, 0x8148};

// One sentence, ending in 。 (or ！ / ？).
std::string Sentence(CRandom& r)
{
    std::string s;
    unsigned tokens = 4 + r.Below(10);
    bool quoted = false;
    for (unsigned t = 0; t < tokens; ++t) {
        unsigned kind = r.Below(100);
        if (kind < 35) {
            for (unsigned n = 1 + r.Below(3); n; --n)
                PutCode(s, Kanji(r));
            s += kParticles[r.Below(10)];
        } else if (kind < 55) {
            for (unsigned n = 1 + r.Below(4); n; --n)
                PutCode(s, Hiragana(r));
        } else if (kind < 67) {
            for (unsigned n = 2 + r.Below(5); n; --n)
                PutCode(s, Katakana(r));
            if (r.Chance(30))
                PutCode(s, 0x815B);  // ー
        } else if (kind < 77) {
            s += kAsciiWords[r.Below(20)];
        } else if (kind < 82) {
            s += std::to_string(r.Below(r.Chance(50) ? 100 : 100000));
        } else if (kind < 90) {
            PutCode(s, 0x8141);  // 、
        } else if (kind < 94) {
            PutCode(s, quoted ? 0x8176 : 0x8175);
            quoted = !quoted;
        } else if (kind < 97) {
            PutCode(s, 0x8140);  // full-width space
        } else {
            PutCode(s, kPunctuation[4 + r.Below(3)]);
        }
    }
    if (quoted)
        PutCode(s, 0x8176);
    s += kEndings[r.Below(5)];
    PutCode(s, r.Chance(90) ? 0x8142 : kPunctuation[7 + r.Below(2)]);
    return s;
}

// Cuts a paragraph into lines of at most width bytes, never inside a character.
void AppendWrapped(std::string& out, const std::string& para, size_t width, CRandom& r)
{
    size_t i = 0;
    while (i < para.size()) {
        if (r.Chance(5))
            out += '\t';
        size_t start = i;
        while (i < para.size() && i - start < width) {
            unsigned char c = static_cast<unsigned char>(para[i]);
            size_t len = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC) ? 2 : 1;
            if (i - start + len > width)
                break;
            i += len;
        }
        out.append(para, start, i - start);
        if (r.Chance(3))
            out.append(1 + r.Below(3), ' ');
        out += "\r\n";
    }
}

} // namespace

std::string GenerateCorpusSjis(size_t approxBytes, std::uint64_t seed)
{
    CRandom r(seed);
    std::string out;
    out.reserve(approxBytes + 4096);
    while (out.size() < approxBytes) {
        std::string para;
        for (unsigned n = 1 + r.Below(6); n; --n)
            para += Sentence(r);
        AppendWrapped(out, para, 60 + r.Below(21), r);
        out += "\r\n";
    }
    return out;
}
