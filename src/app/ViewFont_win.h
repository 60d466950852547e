// The one font every view, the status bar and the command window draw with,
// made from the "Font" settings (face, size in tenths of a point).
#pragma once
#include <windows.h>

#include <string>

#include "app/FontSlot.h"

class CViewFont {
public:
    CViewFont();
    // Makes the font of strFace at nPointSize the current one; on failure
    // "couldn't create font" and the font stays as it was.
    bool Create(const std::string& strFace, int nPointSize);
    HFONT Get() const { return reinterpret_cast<HFONT>(m_slot.Get()); }
    // The width of text (Shift-JIS) in the font, in pixels.
    int TextWidth(const std::string& text) const;
    // The metrics of the font (of the system's GUI font while none is made).
    TEXTMETRICW Metrics() const;

private:
    CFontSlot m_slot;
};

// The font for a face and a size in tenths of a point on this screen, as
// LOGFONT (Japanese character set, fixed pitch).
LOGFONTW ViewLogFont(const std::string& strFace, int nPointSize);
