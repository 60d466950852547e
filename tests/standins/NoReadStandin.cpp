// A filter that never reads its input: it answers at once and ends.
#include "StandinIo.h"

int main()
{
    BinaryStreams();
    std::printf("unread\r\n");
    return 0;
}
