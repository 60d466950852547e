// Base64 encoding and decoding.
#include "services/Base64.h"

#include <vector>

#include "platform/Messages.h"

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr unsigned char kNotInAlphabet = 255;

const unsigned char* ReverseTable()
{
    static unsigned char s_table[256];
    static bool s_bBuilt = false;
    if (!s_bBuilt) {
        for (unsigned char& v : s_table)
            v = kNotInAlphabet;
        for (int i = 0; i < 64; ++i)
            s_table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<unsigned char>(i);
        s_bBuilt = true;
    }
    return s_table;
}

} // namespace

size_t Base64Encode(char* dest, const void* src, size_t n)
{
    const unsigned char* in = static_cast<const unsigned char*>(src);
    char* out = dest;
    size_t i = 0;
    for (; i + 3 <= n; i += 3) {
        unsigned v = (in[i] << 16) | (in[i + 1] << 8) | in[i + 2];
        *out++ = kAlphabet[(v >> 18) & 63];
        *out++ = kAlphabet[(v >> 12) & 63];
        *out++ = kAlphabet[(v >> 6) & 63];
        *out++ = kAlphabet[v & 63];
    }
    if (n - i == 1) {
        unsigned v = in[i] << 16;
        *out++ = kAlphabet[(v >> 18) & 63];
        *out++ = kAlphabet[(v >> 12) & 63];
        *out++ = '=';
        *out++ = '=';
    } else if (n - i == 2) {
        unsigned v = (in[i] << 16) | (in[i + 1] << 8);
        *out++ = kAlphabet[(v >> 18) & 63];
        *out++ = kAlphabet[(v >> 12) & 63];
        *out++ = kAlphabet[(v >> 6) & 63];
        *out++ = '=';
    }
    return static_cast<size_t>(out - dest);
}

long Base64Decode(void* dest, size_t capacity, const char* text)
{
    const unsigned char* table = ReverseTable();
    static std::vector<unsigned char> s_work(kBase64DecodeWorkSize);
    size_t n = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (table[*p] == kNotInAlphabet && *p != '=')
            continue;
        if (n == s_work.size()) {
            ErrorBox("buffer overflow in Base64Decode");
            return -1;
        }
        s_work[n++] = *p;
    }
    unsigned char* out = static_cast<unsigned char*>(dest);
    size_t written = 0;
    auto put = [&](unsigned char b) {
        if (written == capacity)
            return false;
        out[written++] = b;
        return true;
    };
    for (size_t i = 0; i < n; i += 4) {
        if (n - i < 4)
            return -1;  // a group cut short
        unsigned a = table[s_work[i]], b = table[s_work[i + 1]];
        unsigned c = table[s_work[i + 2]], d = table[s_work[i + 3]];
        if (a == kNotInAlphabet || b == kNotInAlphabet)
            return -1;
        bool ok;
        if (s_work[i + 2] == '=') {
            // "xx==" ends the text and gives one byte.
            if (s_work[i + 3] != '=' || i + 4 != n)
                return -1;
            ok = put(static_cast<unsigned char>((a << 2) | (b >> 4)));
        } else if (c == kNotInAlphabet) {
            return -1;
        } else if (s_work[i + 3] == '=') {
            // "xxx=" ends the text and gives two.
            if (i + 4 != n)
                return -1;
            ok = put(static_cast<unsigned char>((a << 2) | (b >> 4))) &&
                 put(static_cast<unsigned char>(((b & 15) << 4) | (c >> 2)));
        } else if (d == kNotInAlphabet) {
            return -1;
        } else {
            ok = put(static_cast<unsigned char>((a << 2) | (b >> 4))) &&
                 put(static_cast<unsigned char>(((b & 15) << 4) | (c >> 2))) &&
                 put(static_cast<unsigned char>(((c & 3) << 6) | d));
        }
        if (!ok) {
            ErrorBox("buffer overflow in Base64Decode");
            return -1;
        }
    }
    return static_cast<long>(written);
}
