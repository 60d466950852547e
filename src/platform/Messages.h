// The message-box helpers every part of the program reports through. Each takes
// a string-table number or a printf-style format. Formats are written in UTF-8 in
// the source; their arguments are Shift-JIS bytes (document text, file names).
// The result is bounded to 1024 bytes and never ends in half a double-byte
// character. A number the table lacks shows "Couldn't load message string".
#pragma once
#include <string>

#include "platform/Ui.h"

#if defined(__MINGW32__)
#define TOVA_PRINTF(f, a) __attribute__((format(gnu_printf, f, a)))
#else
#define TOVA_PRINTF(f, a) __attribute__((format(printf, f, a)))
#endif

constexpr int kMessageBufferSize = 1024;

void ErrorBox(unsigned id);
void ErrorBox(const char* format, ...) TOVA_PRINTF(1, 2);
void InfoBox(unsigned id);
void InfoBox(const char* format, ...) TOVA_PRINTF(1, 2);
// True for Yes; a number that cannot be loaded counts as No (no box is shown).
bool QuestionBox(unsigned id);
bool QuestionBox(const char* format, ...) TOVA_PRINTF(1, 2);
// A question with Yes, No and Cancel (exclamation icon).
EAnswer YesNoCancelBox(const char* format, ...) TOVA_PRINTF(1, 2);
// An error box after which the main window quits with exit code 1.
void FatalErrorBox(unsigned id);
void FatalErrorBox(const char* format, ...) TOVA_PRINTF(1, 2);
// A message in pane 0 of the status bar.
void StatusMessage(unsigned id);
void StatusMessage(const char* format, ...) TOVA_PRINTF(1, 2);
void ErrorBeep();
// A line for the trace log (texts ending in "\r\n").
void TraceLog(const char* format, ...) TOVA_PRINTF(1, 2);

// Formats like the helpers above (UTF-8 format, Shift-JIS arguments) into a
// Shift-JIS text of at most kMessageBufferSize - 1 bytes.
std::string FormatSjis(const char* format, ...) TOVA_PRINTF(1, 2);
