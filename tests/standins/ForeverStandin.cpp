// A command that never ends: it says so and then waits for ever.
#include <windows.h>

#include "StandinIo.h"

int main()
{
    BinaryStreams();
    std::printf("forever\r\n");
    std::fflush(stdout);
    for (;;)
        ::Sleep(1000);
}
