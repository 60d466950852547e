// The open-file and save-file dialogs. Paths cross to the program as Shift-JIS;
// a name with characters Shift-JIS cannot hold is refused with a message, as
// the program could not open or save it under that name.
#pragma once
#include <windows.h>

#include <string>

struct CFileDialogOptions {
    std::string strFilter;      // "Text|*.txt|All|*.*||" (Shift-JIS; "|" separates)
    int nFilterIndex = 1;       // in: the filter shown; out: the one chosen
    std::string strInitialDir;  // Shift-JIS; empty: the system's choice
    std::string strFileName;    // in: proposed name; out: the chosen path
    std::string strDefExt = "txt";
    std::string strTitle;       // Shift-JIS; empty: the system's title
};

// File Open: the file must exist; the read-only box is hidden. False when
// cancelled or when the chosen name could not be used.
bool PromptOpenFileName(HWND hOwner, CFileDialogOptions& options);
// File Save As: asks before replacing an existing file.
bool PromptSaveFileName(HWND hOwner, CFileDialogOptions& options);
// The Shift-JIS form of a path the system gave, or false (with a message) when
// it holds characters that Shift-JIS cannot.
bool PathFromSystem(const std::wstring& wide, std::string& sjis);
