// A stand-in for sort: the input's lines in byte order.
#include <algorithm>

#include "StandinIo.h"

int main()
{
    BinaryStreams();
    std::vector<std::string> lines = ReadInputLines();
    std::sort(lines.begin(), lines.end());
    for (const std::string& line : lines)
        std::printf("%s\r\n", line.c_str());
    return 0;
}
