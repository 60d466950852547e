// The Win32 user interface of the core: real message boxes, the status bar's
// message pane, the error beep and the debugger's trace output.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "platform/Ui.h"

class CWin32Ui : public IUi {
public:
    bool ShowMessageBox(EMessageBox kind, const char* sjisText) override;
    EAnswer AskYesNoCancel(const char* sjisText) override;
    void ShowStatusMessage(const char* sjisText) override;
    void ErrorBeep() override;
    void TraceLog(const char* sjisText) override;

    // The window that owns the boxes (the main frame once it exists).
    void SetOwner(HWND hwnd) { m_hOwner = hwnd; }
    // Where pane 0 messages go; until set, they are dropped.
    void SetStatusSink(std::function<void(const std::wstring&)> sink) { m_statusSink = std::move(sink); }

private:
    HWND m_hOwner = nullptr;
    std::function<void(const std::wstring&)> m_statusSink;
};
