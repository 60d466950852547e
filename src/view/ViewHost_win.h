// What an editor view's window needs from the program around it, and nothing
// more: the view font and pointer the user chose, the caret panes of the status
// bar, the document kind's accelerator table and control-code input mode. The
// application implements it and installs it before it makes any window; a view
// window without a host (a test's bare window) falls back to system defaults.
#pragma once
#include <windows.h>

class IViewHost {
public:
    // The font every view draws with, or null for the system's fixed font.
    virtual HFONT ViewFont() const = 0;
    // The pointer shown over text ("PointerName"), or null for the arrow.
    virtual HCURSOR PointerCursor() const = 0;
    // Column and line (1-based) in the status bar's caret panes.
    virtual void SetCaretPanes(long nColumn, long nLine) = 0;
    // The accelerator table of the document kind while the main window has none.
    virtual HACCEL DocumentAccelerator() const = 0;
    // Control-code input mode: typed control keys are text, not commands.
    virtual bool IsControlCodeMode() const = 0;

protected:
    ~IViewHost() = default;
};

// The host of every view window (null until the application installs one).
IViewHost* ViewHost();
void SetViewHost(IViewHost* pHost);
