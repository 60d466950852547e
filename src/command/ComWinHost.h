// What the command window needs from the program around it: the main window's
// command queue, the active document view, the focus, and the places where a
// command line leaves the file to open and the shell command to run.
#pragma once
#include <string>

class CVu;

class IComWinHost {
public:
    // Posts a command to the main window, as its menu would.
    virtual void PostMainCommand(unsigned nId) = 0;
    // The active view of the active document window, or null.
    virtual CVu* ActiveDocumentView() = 0;
    // Leaving command mode: the focus goes back to the active document view
    // (or its window, or the main window) and the command window hides.
    virtual void ReturnFocus() = 0;
    virtual void HideCommandWindow() = 0;
    // The file of "E name" and the shell command of "!", "|" and "RUN".
    virtual void SetNamedFile(const std::string& strName) = 0;
    virtual void SetShellCommand(const std::string& strCommand, int nMode) = 0;

protected:
    ~IComWinHost() = default;
};
