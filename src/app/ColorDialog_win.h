// The colour dialog of the colour commands: the system's colour chooser with a
// title of the command's own, keeping the user's custom colours for the run.
#pragma once
#include <windows.h>

#include <string>

#include "settings/AppSettings.h"

class CColorDialog {
public:
    // Runs the dialog titled strTitle (Shift-JIS) over hOwner, starting at
    // crColor; true when OK chose a colour, which is then in crColor.
    bool Choose(HWND hOwner, const std::string& strTitle, ColorValue& crColor);

private:
    COLORREF m_custom[16] = {};
};

// The system's colours for text, window, highlighted text and highlight.
CSystemColors CurrentSystemColors();
