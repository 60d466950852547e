// The six colour commands: which "Color" setting each one changes and the title
// its colour dialog shows.
#pragma once
#include <string>

#include "settings/AppSettings.h"

struct CColorCommand {
    unsigned nId;                     // the command
    unsigned nTitleId;                // the title's string-table text, or 0...
    const char* pszTitle;             // ...this title (UTF-8)
    ColorValue CAppSettings::*pColor;  // the setting
};

// The colour command nId, or null when nId is none of them.
const CColorCommand* ColorCommandOf(unsigned nId);
// The title of a command's colour dialog, Shift-JIS (a string-table text is
// taken up to its tip, which follows a line break).
std::string ColorDialogTitle(const CColorCommand& command);
