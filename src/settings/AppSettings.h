// Every setting of the program and the run state the core reads, held in memory
// by the application object; the core reads them from here, never from the
// settings store directly. The Load/Save functions below move each group between
// memory and the settings store at the moment the program reads or writes it.
#pragma once
#include <cstdint>
#include <string>

class ISettingsStore;

// A colour as the settings store keeps it: 0x00BBGGRR.
using ColorValue = std::uint32_t;

// "Mouse"/"PointerName": the names stored, by pointer number.
enum : int { kPointerTovaHand, kPointerArrow, kPointerIBeam, kPointerCross, kPointerCustom, kPointerCount };

// "Main Frame Rect" values that mean "no stored position".
constexpr int kNoFrameRect = 9999;

struct CAppSettings {
    // Run state from the command line (not stored).
    int m_nMailMode = 0;    // 0 plain editor, 1 mail reader ("-MAIL"), 2 mail composer ("-MAILEDIT")
    int m_nCodeOption = 0;  // 0 none, 1 "-EUC", 2 "-SJIS"
    bool m_bMaximize = false;  // "-MAX": document windows are shown maximized
    // The line (1-based) ID_GOTO_LINE goes to, left by the command window's "G n".
    long m_nGotoLine = 0;

    // Section "Other".
    bool m_bCursorBlink = true;     // "CursorBlink"
    int m_nReadTab = 8;             // "ReadTab": tab width for reading files, 4 or 8
    bool m_bTitleFullPath = false;  // "TitleFullPath": titles show the full path
    bool m_bFastScroll = false;     // "FastScroll"
    bool m_bUrlSensitive = true;    // "URLSensitive": URLs and mail addresses are detected
    bool m_bHilightMark = true;     // "HilightMark": the marked region is painted highlighted
    std::string m_strOpenFileDir;   // "OpenFileDir": where File Open starts (Shift-JIS)
    int m_nLineLength = 72;         // "Line Length": 72 plain, 60 in the mail modes by default
    int m_nGapPixel = 0;            // "GapPixel": extra pixels between rows
    int m_nMaxHistory = 1024;       // "MaxHistory": undo steps per view, at least 16
    bool m_bToolBarVisible = true;  // "ToolBarVisible"
    bool m_bStatusBarVisible = true;  // "StatusBarVisible"

    // Section "Main Frame Rect": the main window's normal position and size.
    int m_nFrameLeft = kNoFrameRect;
    int m_nFrameTop = kNoFrameRect;
    int m_nFrameWidth = kNoFrameRect;
    int m_nFrameHeight = kNoFrameRect;

    // Section "Rectangle Filling" (Shift-JIS character lists of paragraph formatting).
    std::string m_strRightProhibition;  // may not begin a line
    std::string m_strLeftProhibition;   // may not end a line
    std::string m_strRightSticker;      // kept as stored; nothing reads it
    std::string m_strLeftSticker;       // no blank is put after these before an ASCII word
    bool m_bSpaceAscii = false;         // "Space Ascii"

    // Section "Mouse".
    bool m_bChase = true;               // "Chase": a click moves the caret
    int m_nPointer = kPointerTovaHand;  // "PointerName", as a pointer number

    // Section "Color".
    ColorValue m_crText = 0x000000;
    ColorValue m_crBack = 0xFFFFFF;
    ColorValue m_crHiText = 0xFFFFFF;
    ColorValue m_crHiBack = 0x800000;
    ColorValue m_crUrl = 0xFF0000;  // blue
    ColorValue m_crTag = 0x00FF00;  // green

    // Section "Font": the one view font.
    std::string m_strFaceName = "FixedSys";
    int m_nPointSize = 140;  // tenths of a point

    // Section "Mail".
    std::string m_strTimeZone = "+0900";
    std::string m_strDateFormat = "%y/%m/%d %H:%M:%S";

    // Section "Key Binding Table": the keyboard options.
    bool m_bHookNumPad = true;
    bool m_bReturnChar = true;

    // Section "OpenFileDialog" (read when File Open first needs them).
    std::string m_strFilterString;  // "|"-separated filter pairs, Shift-JIS
    int m_nFilterIndex = 1;
    bool m_bFilterIndexRead = false;
};

// The application's settings (one object for the whole program).
CAppSettings& AppSettings();

// The colours the system uses for text, window, highlighted text and highlight:
// the defaults of "Color" and what the system-colours command restores.
struct CSystemColors {
    ColorValue crText = 0x000000;
    ColorValue crBack = 0xFFFFFF;
    ColorValue crHiText = 0xFFFFFF;
    ColorValue crHiBack = 0x800000;
};

// Reading, each at its moment of start-up. nMailMode decides the default "Line
// Length"; strCurrentDir is the default "OpenFileDir".
void LoadOtherSettings(ISettingsStore& store, CAppSettings& s, const std::string& strCurrentDir);
void LoadColorSettings(ISettingsStore& store, CAppSettings& s, const CSystemColors& sys);
void LoadFontSettings(ISettingsStore& store, CAppSettings& s);
void LoadFrameRect(ISettingsStore& store, CAppSettings& s);
void LoadFillingSettings(ISettingsStore& store, CAppSettings& s);
void LoadMouseSettings(ISettingsStore& store, CAppSettings& s);
void LoadKeyOptions(ISettingsStore& store, CAppSettings& s);
void LoadMailSettings(ISettingsStore& store, CAppSettings& s);

// Writing. At exit: "Rectangle Filling", "Mouse", "Color" and "Other".
void SaveExitSettings(ISettingsStore& store, const CAppSettings& s);
// When the main window closes: "Main Frame Rect" and the bar visibility.
void SaveFrameSettings(ISettingsStore& store, const CAppSettings& s);
// When the font is changed.
void SaveFontSettings(ISettingsStore& store, const CAppSettings& s);
// With the key binding table.
void SaveKeyOptions(ISettingsStore& store, const CAppSettings& s);

// Puts the system colours into the four colours that follow the system.
void ApplySystemColors(CAppSettings& s, const CSystemColors& sys);

// The stored name of a pointer number, and the number of a stored name (-1 for
// a name that is none of the five).
const char* PointerName(int nPointer);
int PointerFromName(const std::string& name);

// File Open's filter string: when it is empty, the stored "FilterString", and
// when that is empty too, the built-in filters, which are then stored.
void EnsureFilterString(ISettingsStore& store, CAppSettings& s);
// "FilterIndex", read from the store the first time only.
int FilterIndex(ISettingsStore& store, CAppSettings& s);
// The filter chosen in File Open; stored when it differs from the one before.
void StoreFilterIndex(ISettingsStore& store, CAppSettings& s, int nIndex);
// Remembers the folder of a file chosen in File Open as "OpenFileDir" (the part
// before the last backslash; a path without one changes nothing).
void RememberOpenFileDir(CAppSettings& s, const std::string& strPath);
