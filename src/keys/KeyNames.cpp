// The key-name table.
#include "keys/KeyNames.h"

#include <array>

#include "text/Unicode.h"

namespace {

struct KeyNameEntry {
    unsigned key;
    const char* utf8;
};

// The names of the 71 named keys, by virtual-key code, in UTF-8 here (Shift-JIS
// in the table KeyName reads). The arrows are the
// double-byte arrows; "(ﾃﾝｷｰ)" (keypad) is half-width katakana.
const KeyNameEntry kKeyNames[] = {
    {3, "CANCEL"}, {8, "BACK"}, {9, "TAB"}, {12, "CLEAR"}, {13, "RETURN"}, {19, "PAUSE"}, {20, "CAPITAL"},
    {21, "KANA"}, {25, "KANJI"}, {27, "ESCAPE"}, {28, "CONVERT"}, {29, "NONCONVERT"}, {32, "SPACE"},
    {33, "PRIOR"}, {34, "NEXT"}, {35, "END(98HELP)"}, {36, "HOME"}, {37, "←"}, {38, "↑"}, {39, "→"},
    {40, "↓"}, {41, "SELECT"}, {42, "PRINT"}, {43, "EXECUTE"}, {44, "SNAPSHOT"}, {45, "INSERT"},
    {46, "DELETE"}, {47, "HELP"}, {96, "0(ﾃﾝｷｰ)"}, {97, "1(ﾃﾝｷｰ)"}, {98, "2(ﾃﾝｷｰ)"}, {99, "3(ﾃﾝｷｰ)"},
    {100, "4(ﾃﾝｷｰ)"}, {101, "5(ﾃﾝｷｰ)"}, {102, "6(ﾃﾝｷｰ)"}, {103, "7(ﾃﾝｷｰ)"}, {104, "8(ﾃﾝｷｰ)"},
    {105, "9(ﾃﾝｷｰ)"}, {106, "*(ﾃﾝｷｰ)"}, {107, "+(ﾃﾝｷｰ)"}, {108, "SEPARATOR"}, {109, "-(ﾃﾝｷｰ)"},
    {110, ".(ﾃﾝｷｰ)"}, {111, "/(ﾃﾝｷｰ)"}, {112, "F1"}, {113, "F2"}, {114, "F3"}, {115, "F4"}, {116, "F5"},
    {117, "F6"}, {118, "F7"}, {119, "F8"}, {120, "F9"}, {121, "F10"}, {122, "F11"}, {123, "F12"},
    {124, "F13"}, {125, "F14"}, {126, "F15"}, {127, "F16"}, {128, "F17"}, {129, "F18"}, {130, "F19"},
    {131, "F20"}, {132, "F21"}, {133, "F22"}, {134, "F23"}, {135, "F24"}, {144, "NUMLOCK"}, {145, "SCROLL"},
    {146, "EQUAL(98)"},
};
static_assert(sizeof kKeyNames / sizeof kKeyNames[0] == 71);

// Built once, on first use, and kept for the whole run.
const std::array<std::string, 256>& NameTable()
{
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> t;
        for (unsigned k = 'A'; k <= 'Z'; ++k)
            t[k] = std::string(1, static_cast<char>(k));
        for (const auto& e : kKeyNames)
            t[e.key] = Utf8ToSjis(e.utf8);
        return t;
    }();
    return table;
}

} // namespace

std::string VirtualKeyName(unsigned key) { return key < 256 ? NameTable()[key] : std::string(); }

std::string KeyName(const AccelEntry& entry)
{
    std::string name;
    if (entry.fFlags & kAccelShift)
        name += "Shift+";
    if (entry.fFlags & kAccelControl)
        name += "Ctrl+";
    if (entry.fFlags & kAccelAlt)
        name += "Alt+";
    return name + VirtualKeyName(entry.wKey);
}
