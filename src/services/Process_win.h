// Starting other programs and waiting for them without freezing the windows.
#pragma once
#include <windows.h>

#include "platform/Messages.h"

// Formats a command line (UTF-8 format, Shift-JIS arguments, as the message
// helpers take them; at most 1023 bytes) and starts it: no application name,
// no inherited handles, the editor's current folder. Returns the process
// handle (the caller waits on it and closes it), or null when the command line
// did not fit or the process could not be made.
HANDLE StartProcess(const char* format, ...) TOVA_PRINTF(1, 2);

// Lets the program go on while it waits: up to maxMessages pending messages are
// dispatched as the main loop would (key translation included), and when none
// is pending, or the count is used up, the idle work runs until done, counting
// one more. A quit message stops it and is posted again for the main loop.
void PumpMessages(int maxMessages);
