// The file loader on arbitrary bytes, then the writers on what it made, and the
// converters on the raw input: no crash, no sanitizer report, and the loaded
// lines keep the store's invariants (no CR, LF or TAB, at most 65278 bytes).
// The first input byte picks the reading options.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "settings/AppSettings.h"
#include "fw/Archive.h"
#include "QuietUi.h"
#include "text/Codes.h"
#include "text/LineStore.h"

namespace {

void CheckLines(const CLineStore& store)
{
    for (int i = 0; i < store.GetLineCount(); ++i) {
        const char* p = store.GetLines()[i];
        size_t len = std::strlen(p);
        if (len > static_cast<size_t>(MaxLineLength) || std::memchr(p, '\r', len) || std::memchr(p, '\n', len) ||
            std::memchr(p, '\t', len))
            std::abort();
    }
}

void Convert(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    text = text.c_str();  // up to the first NUL, as the converters see a line
    // Exact-size heap buffers: a byte written beyond the worst case is reported.
    std::vector<char> jis(JisBufferSize(text.size()));
    SjisToJis(jis.data(), text.c_str(), true);
    SjisToJis(jis.data(), text.c_str(), false);
    std::vector<char> euc(EucBufferSize(text.size()));
    SjisToEuc(euc.data(), text.c_str());
    std::vector<char> line(text.begin(), text.end());
    line.push_back('\0');
    bool sjis = data[0] & 1, isJis = data[0] & 2, isEuc = data[0] & 4;
    ToSjis(line.data(), sjis, isJis, isEuc);
    if (std::strlen(line.data()) > text.size())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    UseQuietUi();
    if (size == 0)
        return 0;
    uint8_t options = data[0];
    AppSettings().m_nCodeOption = options % 3;
    AppSettings().m_nReadTab = (options & 4) ? 4 : 8;
    AppSettings().m_nMailMode = (options & 8) ? 2 : 0;

    Convert(data, size);

    CLineStore store;
    CArchive in(data + 1, size - 1, "fuzz");
    if (!store.Load(in)) {
        if (store.GetLineCount() != 0)
            std::abort();  // a failed load leaves nothing
        return 0;
    }
    CheckLines(store);
    // Write it in every code and read the result back.
    for (int code = 0; code < 3; ++code) {
        store.m_bEuc = code == 1;
        store.m_bJis = code == 2;
        std::string out;
        CArchive ar(out);
        bool kana = false;
        if (!store.Store(ar, &kana))
            std::abort();
        CLineStore again;
        CArchive back(out.data(), out.size(), "again");
        if (again.Load(back))
            CheckLines(again);
    }
    return 0;
}
