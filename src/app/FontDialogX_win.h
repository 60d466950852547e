// The font dialog of the font command: the system's font chooser limited to
// screen fonts of fixed pitch, without effects, script or style, so that only
// a face and a size are chosen.
#pragma once
#include <windows.h>

#include <string>

class CFontDialogX {
public:
    // Runs the dialog over hOwner starting from hCurrent (the view font); true
    // when OK chose a font, whose face (Shift-JIS) and size in tenths of a
    // point are then in strFace and nPointSize.
    bool Choose(HWND hOwner, HFONT hCurrent, std::string& strFace, int& nPointSize);
};
