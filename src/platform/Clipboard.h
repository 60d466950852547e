// The system clipboard's text as the core sees it: Shift-JIS bytes in and out.
// On Win32 the clipboard holds Unicode text (converted with our own code page
// 932 table, so it works whatever the system's code page); elsewhere it is a
// buffer in memory. Tests may install their own.
#pragma once
#include <string>
#include <string_view>

// Why reading the clipboard gave no text.
enum class EClipboardRead {
    Text,        // the text was read
    NoText,      // the clipboard holds no text
    CannotOpen,  // another program has it open
    CannotLock,  // its memory could not be locked
    NoMemory,    // no copy of it could be made
};

class IClipboard {
public:
    virtual ~IClipboard() = default;
    // Replaces the clipboard's content with the text; false when it could not.
    virtual bool SetText(std::string_view sjis) = 0;
    virtual EClipboardRead GetText(std::string& sjis) = 0;
};

// The installed clipboard (the platform's own unless one was installed).
IClipboard& Clipboard();
// Installs a clipboard (not owned); nullptr restores the platform's. Returns
// the previous one.
IClipboard* SetClipboard(IClipboard* pClipboard);
// The platform's own clipboard (Clipboard_win.cpp, Clipboard_posix.cpp).
IClipboard& PlatformClipboard();
