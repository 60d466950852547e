// Base64 and the MIME header encodings. Arbitrary text decodes into a buffer of
// exactly the capacity the first bytes give (so a write past it is caught);
// the input encoded decodes back to itself; header text and header words keep
// within their capacity and every word within 42 JIS bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "mail/MimeEncode.h"
#include "services/Base64.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SilenceUi();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    size_t capacity = data[0] | (data[1] & 0x0F) << 8;
    std::string_view input(reinterpret_cast<const char*>(data + 2), size - 2);
    std::string text(input);  // NUL-terminated (inner NULs end it early)

    std::unique_ptr<unsigned char[]> dest(new unsigned char[capacity ? capacity : 1]);
    long n = Base64Decode(dest.get(), capacity, text.c_str());
    Check(n <= static_cast<long>(capacity));

    std::unique_ptr<char[]> encoded(new char[Base64EncodedSize(input.size()) + 1]);
    size_t len = Base64Encode(encoded.get(), input.data(), input.size());
    Check(len == Base64EncodedSize(input.size()));
    encoded[len] = 0;
    std::unique_ptr<unsigned char[]> back(new unsigned char[input.size() + 1]);
    long m = Base64Decode(back.get(), input.size(), encoded.get());
    if (len <= kBase64DecodeWorkSize)
        Check(m == static_cast<long>(input.size()) && std::memcmp(back.get(), input.data(), input.size()) == 0);

    if (input.size() < 2048) {
        std::string words;
        if (EncodeHeaderWords(words, capacity, text) >= 0)
            Check(words.size() <= capacity);
        std::string line;
        if (EncodeHeaderText(line, capacity, text) >= 0)
            Check(line.size() < capacity);
    }
    return 0;
}
