// Storing the other settings.
#include "app/OtherSettings.h"

COtherSettingsEffects StoreOtherSettings(const CAppSettings& edited, CAppSettings& s)
{
    COtherSettingsEffects effects;
    effects.bRelayout = edited.m_nGapPixel != s.m_nGapPixel;
    effects.bRepaint = !effects.bRelayout;
    effects.bResizeHistory = edited.m_nMaxHistory != s.m_nMaxHistory;
    effects.bRetitle = edited.m_bTitleFullPath != s.m_bTitleFullPath;
    s.m_bCursorBlink = edited.m_bCursorBlink;
    s.m_bTitleFullPath = edited.m_bTitleFullPath;
    s.m_bFastScroll = edited.m_bFastScroll;
    s.m_bUrlSensitive = edited.m_bUrlSensitive;
    s.m_bHilightMark = edited.m_bHilightMark;
    s.m_bSpaceAscii = edited.m_bSpaceAscii;
    s.m_nReadTab = edited.m_nReadTab == 4 ? 4 : 8;
    s.m_nLineLength = edited.m_nLineLength;
    s.m_nGapPixel = edited.m_nGapPixel;
    s.m_nMaxHistory = edited.m_nMaxHistory;
    return effects;
}
