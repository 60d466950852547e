// A stand-in for cat: the input as it came, up to its end or a Ctrl-Z.
#include "StandinIo.h"

int main()
{
    BinaryStreams();
    char buf[65536];
    for (;;) {
        size_t n = std::fread(buf, 1, sizeof buf, stdin);
        if (n == 0)
            break;
        std::string chunk(buf, n);
        size_t eof = chunk.find('\x1A');
        std::fwrite(chunk.data(), 1, eof == std::string::npos ? n : eof, stdout);
        if (eof != std::string::npos)
            break;
    }
    return 0;
}
