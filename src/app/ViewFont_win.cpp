// The view font.
#include "app/ViewFont_win.h"

#include "platform/Wide_win.h"

LOGFONTW ViewLogFont(const std::string& strFace, int nPointSize)
{
    LOGFONTW lf = {};
    HDC hdc = ::GetDC(nullptr);
    lf.lfHeight = -::MulDiv(nPointSize, ::GetDeviceCaps(hdc, LOGPIXELSY), 720);
    ::ReleaseDC(nullptr, hdc);
    lf.lfWeight = FW_NORMAL;
    // The Japanese character set picks a face with kana and kanji when the named
    // one has none (on systems without it, "FixedSys" is such a name).
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    std::wstring face = Wide(strFace);
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    return lf;
}

CViewFont::CViewFont()
    : m_slot(
          [](const std::string& face, int size) {
              LOGFONTW lf = ViewLogFont(face, size);
              return reinterpret_cast<CFontSlot::Handle>(::CreateFontIndirectW(&lf));
          },
          [](CFontSlot::Handle h) { ::DeleteObject(reinterpret_cast<HFONT>(h)); })
{
}

bool CViewFont::Create(const std::string& strFace, int nPointSize) { return m_slot.Replace(strFace, nPointSize); }

int CViewFont::TextWidth(const std::string& text) const
{
    std::wstring w = Wide(text);
    HDC hdc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(hdc, Get() ? static_cast<HGDIOBJ>(Get()) : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = {};
    ::GetTextExtentPoint32W(hdc, w.c_str(), static_cast<int>(w.size()), &size);
    ::SelectObject(hdc, old);
    ::ReleaseDC(nullptr, hdc);
    return size.cx;
}

TEXTMETRICW CViewFont::Metrics() const
{
    HDC hdc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(hdc, Get() ? static_cast<HGDIOBJ>(Get()) : ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(hdc, &tm);
    ::SelectObject(hdc, old);
    ::ReleaseDC(nullptr, hdc);
    return tm;
}
