// The program-wide settings object and its reading and writing.
#include "settings/AppSettings.h"

#include <algorithm>

#include "platform/SettingsStore.h"
#include "platform/StringTable.h"
#include "text/Sjis.h"
#include "text/Unicode.h"

namespace {

constexpr const char kOther[] = "Other";
constexpr const char kFrameRect[] = "Main Frame Rect";
constexpr const char kFilling[] = "Rectangle Filling";
constexpr const char kMouse[] = "Mouse";
constexpr const char kColor[] = "Color";
constexpr const char kFont[] = "Font";
constexpr const char kMail[] = "Mail";
constexpr const char kKeys[] = "Key Binding Table";
constexpr const char kOpenFile[] = "OpenFileDialog";

constexpr unsigned kIdOpenFileFilters = 58;

// The built-in character lists of paragraph formatting, in UTF-8 here and
// Shift-JIS in memory (half-width katakana included).
constexpr const char kRightProhibition[] =
    ",.!?)]}ﾟﾞ､ｧｨｩｪｫｯｬｭｮｰ、。．？”」）｝』】〕］》ァィゥェォッャュョぁぃぅぇぉっゃゅょー";
constexpr const char kLeftProhibition[] = "([{“「（｛『【〔［《";
constexpr const char kLeftSticker[] = "、。．”」）｝』】〕］》";

constexpr const char* kPointerNames[kPointerCount] = {"TovaHand", "Arrow", "IBeam", "Cross", "FuckYou"};

bool GetFlag(ISettingsStore& store, const char* section, const char* key, bool def)
{
    return store.GetInt(section, key, def ? 1 : 0) != 0;
}

// An empty stored list means the built-in one.
std::string GetList(ISettingsStore& store, const char* key, const char* utf8Default)
{
    std::string value = store.GetString(kFilling, key, "");
    return value.empty() ? Utf8ToSjis(utf8Default) : value;
}

ColorValue GetColor(ISettingsStore& store, const char* key, ColorValue def)
{
    return static_cast<ColorValue>(store.GetInt(kColor, key, static_cast<int>(def)));
}

void WriteColor(ISettingsStore& store, const char* key, ColorValue value)
{
    store.WriteInt(kColor, key, static_cast<int>(value));
}

} // namespace

CAppSettings& AppSettings()
{
    static CAppSettings settings;
    return settings;
}

void LoadOtherSettings(ISettingsStore& store, CAppSettings& s, const std::string& strCurrentDir)
{
    s.m_bCursorBlink = GetFlag(store, kOther, "CursorBlink", true);
    int tab = store.GetInt(kOther, "ReadTab", 8);
    s.m_nReadTab = (tab == 4 || tab == 8) ? tab : 8;
    s.m_bTitleFullPath = GetFlag(store, kOther, "TitleFullPath", false);
    s.m_bFastScroll = GetFlag(store, kOther, "FastScroll", false);
    s.m_bUrlSensitive = GetFlag(store, kOther, "URLSensitive", true);
    s.m_bHilightMark = GetFlag(store, kOther, "HilightMark", true);
    s.m_strOpenFileDir = store.GetString(kOther, "OpenFileDir", strCurrentDir);
    s.m_nLineLength = store.GetInt(kOther, "Line Length", s.m_nMailMode == 0 ? 72 : 60);
    s.m_nGapPixel = store.GetInt(kOther, "GapPixel", 0);
    s.m_nMaxHistory = std::max(16, store.GetInt(kOther, "MaxHistory", 1024));
    s.m_bToolBarVisible = GetFlag(store, kOther, "ToolBarVisible", true);
    s.m_bStatusBarVisible = GetFlag(store, kOther, "StatusBarVisible", true);
}

void LoadColorSettings(ISettingsStore& store, CAppSettings& s, const CSystemColors& sys)
{
    s.m_crText = GetColor(store, "Text", sys.crText);
    s.m_crBack = GetColor(store, "Back", sys.crBack);
    s.m_crHiText = GetColor(store, "HiText", sys.crHiText);
    s.m_crHiBack = GetColor(store, "HiBack", sys.crHiBack);
    s.m_crUrl = GetColor(store, "URL", 0xFF0000);
    s.m_crTag = GetColor(store, "Tag", 0x00FF00);
}

void LoadFontSettings(ISettingsStore& store, CAppSettings& s)
{
    s.m_strFaceName = store.GetString(kFont, "FaceName", "FixedSys");
    s.m_nPointSize = store.GetInt(kFont, "PointSize", 140);
}

void LoadFrameRect(ISettingsStore& store, CAppSettings& s)
{
    s.m_nFrameLeft = store.GetInt(kFrameRect, "Left", kNoFrameRect);
    s.m_nFrameTop = store.GetInt(kFrameRect, "Top", kNoFrameRect);
    s.m_nFrameWidth = store.GetInt(kFrameRect, "Width", kNoFrameRect);
    s.m_nFrameHeight = store.GetInt(kFrameRect, "Height", kNoFrameRect);
}

void LoadFillingSettings(ISettingsStore& store, CAppSettings& s)
{
    s.m_strRightProhibition = GetList(store, "Right Prohibition", kRightProhibition);
    s.m_strLeftProhibition = GetList(store, "Left Prohibition", kLeftProhibition);
    s.m_strRightSticker = store.GetString(kFilling, "Right Sticker", "");
    s.m_strLeftSticker = GetList(store, "Left Sticker", kLeftSticker);
    s.m_bSpaceAscii = GetFlag(store, kFilling, "Space Ascii", false);
}

void LoadMouseSettings(ISettingsStore& store, CAppSettings& s)
{
    s.m_bChase = GetFlag(store, kMouse, "Chase", true);
    int pointer = PointerFromName(store.GetString(kMouse, "PointerName", kPointerNames[kPointerTovaHand]));
    if (pointer >= 0)
        s.m_nPointer = pointer;
}

void LoadKeyOptions(ISettingsStore& store, CAppSettings& s)
{
    s.m_bHookNumPad = GetFlag(store, kKeys, "HookNumPad", true);
    s.m_bReturnChar = GetFlag(store, kKeys, "ReturnChar", true);
}

void LoadMailSettings(ISettingsStore& store, CAppSettings& s)
{
    s.m_strTimeZone = store.GetString(kMail, "TimeZone", "+0900");
    s.m_strDateFormat = store.GetString(kMail, "DateFormat", "%y/%m/%d %H:%M:%S");
}

void SaveExitSettings(ISettingsStore& store, const CAppSettings& s)
{
    store.WriteString(kFilling, "Right Prohibition", s.m_strRightProhibition);
    store.WriteString(kFilling, "Left Prohibition", s.m_strLeftProhibition);
    store.WriteString(kFilling, "Right Sticker", s.m_strRightSticker);
    store.WriteString(kFilling, "Left Sticker", s.m_strLeftSticker);
    store.WriteInt(kFilling, "Space Ascii", s.m_bSpaceAscii);

    store.WriteInt(kMouse, "Chase", s.m_bChase);
    store.WriteString(kMouse, "PointerName", PointerName(s.m_nPointer));

    WriteColor(store, "Text", s.m_crText);
    WriteColor(store, "Back", s.m_crBack);
    WriteColor(store, "HiText", s.m_crHiText);
    WriteColor(store, "HiBack", s.m_crHiBack);
    WriteColor(store, "URL", s.m_crUrl);
    WriteColor(store, "Tag", s.m_crTag);

    store.WriteInt(kOther, "CursorBlink", s.m_bCursorBlink);
    store.WriteInt(kOther, "ReadTab", s.m_nReadTab);
    store.WriteInt(kOther, "TitleFullPath", s.m_bTitleFullPath);
    store.WriteInt(kOther, "FastScroll", s.m_bFastScroll);
    store.WriteInt(kOther, "URLSensitive", s.m_bUrlSensitive);
    store.WriteInt(kOther, "HilightMark", s.m_bHilightMark);
    store.WriteString(kOther, "OpenFileDir", s.m_strOpenFileDir);
    store.WriteInt(kOther, "Line Length", s.m_nLineLength);
    store.WriteInt(kOther, "GapPixel", s.m_nGapPixel);
    store.WriteInt(kOther, "MaxHistory", s.m_nMaxHistory);
    store.WriteInt(kOther, "ToolBarVisible", s.m_bToolBarVisible);
    store.WriteInt(kOther, "StatusBarVisible", s.m_bStatusBarVisible);
}

void SaveFrameSettings(ISettingsStore& store, const CAppSettings& s)
{
    store.WriteInt(kFrameRect, "Left", s.m_nFrameLeft);
    store.WriteInt(kFrameRect, "Top", s.m_nFrameTop);
    store.WriteInt(kFrameRect, "Width", s.m_nFrameWidth);
    store.WriteInt(kFrameRect, "Height", s.m_nFrameHeight);
    store.WriteInt(kOther, "ToolBarVisible", s.m_bToolBarVisible);
    store.WriteInt(kOther, "StatusBarVisible", s.m_bStatusBarVisible);
}

void SaveFontSettings(ISettingsStore& store, const CAppSettings& s)
{
    store.WriteString(kFont, "FaceName", s.m_strFaceName);
    store.WriteInt(kFont, "PointSize", s.m_nPointSize);
}

void SaveKeyOptions(ISettingsStore& store, const CAppSettings& s)
{
    store.WriteInt(kKeys, "HookNumPad", s.m_bHookNumPad);
    store.WriteInt(kKeys, "ReturnChar", s.m_bReturnChar);
}

void ApplySystemColors(CAppSettings& s, const CSystemColors& sys)
{
    s.m_crText = sys.crText;
    s.m_crBack = sys.crBack;
    s.m_crHiText = sys.crHiText;
    s.m_crHiBack = sys.crHiBack;
}

const char* PointerName(int nPointer)
{
    return (nPointer >= 0 && nPointer < kPointerCount) ? kPointerNames[nPointer] : kPointerNames[kPointerTovaHand];
}

int PointerFromName(const std::string& name)
{
    for (int i = 0; i < kPointerCount; ++i)
        if (name == kPointerNames[i])
            return i;
    return -1;
}

void EnsureFilterString(ISettingsStore& store, CAppSettings& s)
{
    if (!s.m_strFilterString.empty())
        return;
    s.m_strFilterString = store.GetString(kOpenFile, "FilterString", "");
    if (s.m_strFilterString.empty()) {
        const char* builtIn = LoadSjisString(kIdOpenFileFilters);
        s.m_strFilterString = builtIn ? builtIn : "";
        store.WriteString(kOpenFile, "FilterString", s.m_strFilterString);
    }
}

int FilterIndex(ISettingsStore& store, CAppSettings& s)
{
    if (!s.m_bFilterIndexRead) {
        s.m_nFilterIndex = store.GetInt(kOpenFile, "FilterIndex", 1);
        s.m_bFilterIndexRead = true;
    }
    return s.m_nFilterIndex;
}

void StoreFilterIndex(ISettingsStore& store, CAppSettings& s, int nIndex)
{
    if (nIndex == FilterIndex(store, s))
        return;
    s.m_nFilterIndex = nIndex;
    store.WriteInt(kOpenFile, "FilterIndex", nIndex);
}

void RememberOpenFileDir(CAppSettings& s, const std::string& strPath)
{
    size_t slash = LastSingleByteChar(strPath, '\\');
    if (slash != std::string::npos)
        s.m_strOpenFileDir = strPath.substr(0, slash);
}
