// Prints one line of 70000 bytes (longer than any line the editor holds) and
// a short one after it.
#include "StandinIo.h"

int main()
{
    BinaryStreams();
    std::string line(70000, 'x');
    std::printf("%s\r\nend\r\n", line.c_str());
    return 0;
}
