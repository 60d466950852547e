// Writes the benchmark corpus as DIR/corpus.sjis, DIR/corpus.euc and DIR/corpus.jis.
//   make_corpus DIR [MEGABYTES]   (100 by default)
// The EUC-JP and JIS files are converted by the editor's own writers, which
// match iconv on this repertoire (tests/tovaconv/roundtrip.py).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Corpus.h"
#include "text/Codes.h"

namespace {

bool WriteFile(const std::string& path, const std::string& data)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    return std::fclose(f) == 0 && ok;
}

// Converts line by line with conv(dest, src, n) -> bytes written.
template <typename Conv>
std::string ConvertLines(const std::string& sjis, size_t (*bufferSize)(size_t), Conv conv)
{
    std::string out;
    out.reserve(sjis.size() + sjis.size() / 8);
    std::vector<char> buf;
    size_t pos = 0;
    while (pos < sjis.size()) {
        size_t end = sjis.find("\r\n", pos);
        buf.resize(bufferSize(end - pos));
        size_t n = conv(buf.data(), sjis.data() + pos, end - pos);
        out.append(buf.data(), n);
        out += "\r\n";
        pos = end + 2;
    }
    return out;
}

size_t JisSize(size_t n) { return JisBufferSize(n); }
size_t EucSize(size_t n) { return EucBufferSize(n); }

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_corpus DIR [MEGABYTES]\n");
        return 2;
    }
    std::string dir = argv[1];
    size_t mb = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100;
    std::string sjis = GenerateCorpusSjis(mb * 1000 * 1000);
    std::string euc = ConvertLines(sjis, EucSize, [](char* d, const char* s, size_t n) { return SjisToEucN(d, s, n); });
    std::string jis =
        ConvertLines(sjis, JisSize, [](char* d, const char* s, size_t n) { return SjisToJisN(d, s, n, false, nullptr); });
    if (!WriteFile(dir + "/corpus.sjis", sjis) || !WriteFile(dir + "/corpus.euc", euc) ||
        !WriteFile(dir + "/corpus.jis", jis)) {
        std::fprintf(stderr, "make_corpus: cannot write into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
