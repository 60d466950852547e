// The numbers of the other-settings dialog with their ranges, and what storing
// the dialog's values sets off in the open views.
#pragma once
#include "settings/AppSettings.h"

struct CNumberRange {
    int nMin;
    int nMax;
    bool Contains(int n) const { return n >= nMin && n <= nMax; }
};

constexpr CNumberRange kLineLengthRange = {16, 256};   // "Line Length"
constexpr CNumberRange kGapPixelRange = {0, 8};        // "GapPixel"
constexpr CNumberRange kMaxHistoryRange = {16, 65535};  // "MaxHistory"

// What the views must do after the dialog stored its values.
struct COtherSettingsEffects {
    bool bRelayout = false;       // the row gap changed: every view lays itself out again
    bool bRepaint = false;        // otherwise every view paints again (marks, URLs)
    bool bResizeHistory = false;  // every view's undo history takes the new size
    bool bRetitle = false;        // titles switch between file names and full paths
};

// Stores the dialog's values (the "Other" settings it shows and "Space Ascii")
// from edited into s, and says what that sets off.
COtherSettingsEffects StoreOtherSettings(const CAppSettings& edited, CAppSettings& s);
