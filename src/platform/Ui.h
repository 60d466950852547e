// The user-facing side of the platform as the core sees it: message boxes, the
// status bar's message pane, the error beep and the trace log. Win32 implements
// it with real boxes (Ui_win.cpp); tests install a recording fake; without either,
// messages go to standard error (command-line tools).
#pragma once

enum class EMessageBox {
    Error,        // stop icon, OK
    Information,  // information icon, OK
    Question,     // question icon, Yes and No
    Fatal,        // an error box after which the main window quits with exit code 1
};

// The answer to a question with a Cancel button.
enum class EAnswer { Yes, No, Cancel };

class IUi {
public:
    virtual ~IUi() = default;
    // Shows a box with Shift-JIS text. True when a question box was answered Yes.
    virtual bool ShowMessageBox(EMessageBox kind, const char* sjisText) = 0;
    // A question answered Yes, No or Cancel (the "save changes" question). This
    // default asks a Yes/No question, so it never answers Cancel.
    virtual EAnswer AskYesNoCancel(const char* sjisText)
    {
        return ShowMessageBox(EMessageBox::Question, sjisText) ? EAnswer::Yes : EAnswer::No;
    }
    // Puts Shift-JIS text into pane 0 of the status bar.
    virtual void ShowStatusMessage(const char* sjisText) = 0;
    // The error beep: 700 Hz for 40 ms on Windows NT, the default beep elsewhere.
    virtual void ErrorBeep() = 0;
    // A diagnostic line (ends in CR LF). Dropped unless an implementation keeps it.
    virtual void TraceLog(const char* /*sjisText*/) {}
};

// The installed implementation.
IUi& Ui();
// Installs ui (not owned); nullptr restores the standard-error default. Returns the previous one.
IUi* SetUi(IUi* ui);
