// Encoded header words and Base64 body lines.
#include "mail/MimeEncode.h"

#include <vector>

#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "services/Base64.h"
#include "services/FileStream.h"
#include "text/Codes.h"
#include "text/Sjis.h"

namespace {

constexpr char kCharsetPart[] = "ISO-2022-JP?";
constexpr char kEncodingPart[] = "B?";
constexpr size_t kEscapeBytes = 3;  // ESC $ B into double-byte text, ESC ( J back
constexpr size_t kBase64LineBytes = 57;

bool IsPairAt(std::string_view s, size_t i)
{
    return IsLeadByte(s[i]) && i + 1 < s.size() && IsTrailByte(s[i + 1]);
}

// Bytes of text, from its start, that one encoded word takes: characters are
// added while their JIS form, the final return to one-byte text included,
// stays within kMaxJisPerWord.
size_t ChunkLength(std::string_view text)
{
    size_t cost = 0;
    bool bDouble = false;
    size_t i = 0;
    while (i < text.size()) {
        bool pair = IsPairAt(text, i);
        size_t add = pair ? 2 + (bDouble ? 0 : kEscapeBytes) : 1 + (bDouble ? kEscapeBytes : 0);
        size_t closing = pair ? kEscapeBytes : 0;
        if (cost + add + closing > kMaxJisPerWord)
            break;
        cost += add;
        bDouble = pair;
        i += pair ? 2 : 1;
    }
    return i;
}

} // namespace

std::string EncodedWord(std::string_view jis)
{
    std::vector<char> b64(Base64EncodedSize(jis.size()));
    size_t n = Base64Encode(b64.data(), jis.data(), jis.size());
    return std::string("=?") + kCharsetPart + kEncodingPart + std::string(b64.data(), n) + "?=";
}

int EncodeHeaderWords(std::string& dest, size_t capacity, std::string_view text)
{
    dest.clear();
    std::vector<char> jis(JisBufferSize(kMaxJisPerWord));
    while (!text.empty()) {
        size_t len = ChunkLength(text);
        bool bStopped = false;
        size_t n = SjisToJisN(jis.data(), text.data(), len, false, &bStopped);
        if (bStopped)
            return -1;
        std::string word = EncodedWord(std::string_view(jis.data(), n));
        size_t add = word.size() + (dest.empty() ? 0 : 1);
        if (dest.size() + add > capacity)
            return -1;
        if (!dest.empty())
            dest += ' ';
        dest += word;
        text.remove_prefix(len);
    }
    return static_cast<int>(dest.size());
}

int EncodeHeaderText(std::string& dest, size_t capacity, std::string_view text)
{
    dest.clear();
    auto overflow = [] {
        ErrorBox("MIME encode destination buffer overflow");
        return -1;
    };
    size_t i = 0;
    while (i < text.size()) {
        // A lead byte without a trail byte after it is one byte of its own,
        // copied as it stands: it never takes the blank after it along.
        if (IsPairAt(text, i)) {
            // A run of double-byte characters and the blanks between them.
            size_t end = i;  // just past its last double-byte character
            size_t j = i;
            while (j < text.size()) {
                if (IsPairAt(text, j)) {
                    j += 2;
                    end = j;
                } else if (text[j] == ' ' || text[j] == '\t') {
                    ++j;
                } else {
                    break;
                }
            }
            if (capacity <= dest.size())
                return overflow();
            std::string words;
            int n = EncodeHeaderWords(words, capacity - dest.size(), text.substr(i, end - i));
            if (n < 0)
                return overflow();
            dest += words;
            i = end;
            continue;
        }
        if (IsHankakuKana(text[i])) {
            ErrorBox("Illegal hankaku katakana");
            return -1;
        }
        if (dest.size() + 1 >= capacity)
            return overflow();
        dest += text[i++];
    }
    if (dest.size() >= capacity)
        return overflow();
    return static_cast<int>(dest.size());
}

bool EncodeBase64Lines(CFileStream& out, std::string_view inputPath)
{
    CFileHandle in = OpenFileForReading(inputPath);
    if (!in.IsOpen()) {
        std::string path(inputPath);
        ErrorBox("Can't open %s", path.c_str());
        return false;
    }
    unsigned char block[kBase64LineBytes];
    char line[Base64EncodedSize(kBase64LineBytes) + 2];
    for (;;) {
        // A whole block, unless the file ends; a read error is no end.
        size_t got = 0;
        while (got < sizeof block) {
            std::ptrdiff_t r = in.Read(block + got, sizeof block - got);
            if (r < 0)
                return false;
            if (r == 0)
                break;
            got += static_cast<size_t>(r);
        }
        if (got == 0)
            return true;
        size_t n = Base64Encode(line, block, got);
        line[n++] = '\r';
        line[n++] = '\n';
        if (!out.Write(line, n))
            return false;
        if (got < sizeof block)
            return true;
    }
}
