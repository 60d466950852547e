// The built-in key binding tables, grouped by key as they are listed for users.
#include "keys/BuiltinAccelTables.h"

#include "keys/CommandIds.h"

namespace {

constexpr uint8_t V = kAccelVirtKey | kAccelNoInvert;
constexpr uint8_t S = V | kAccelShift;
constexpr uint8_t C = V | kAccelControl;
constexpr uint8_t CS = V | kAccelControl | kAccelShift;
constexpr uint8_t A = V | kAccelAlt;

// Virtual-key codes of the keys used below.
enum : uint16_t {
    kBack = 8, kTab = 9, kReturn = 13, kPrior = 33, kNext = 34, kEnd = 35, kHome = 36, kLeft = 37, kUp = 38,
    kRight = 39, kDown = 40, kInsert = 45, kDelete = 46, kNum0 = 96, kMultiply = 106, kAdd = 107,
    kSubtract = 109, kDecimal = 110, kDivide = 111, kF2 = 113, kF3 = 114, kF4 = 115,
};

const AccelEntry kTable1[] = {
    {C, 'A', ID_EDIT_REDO}, {A, 'A', ID_REGISTER_ADDRESS},
    {C, 'C', ID_EDIT_COPY},
    {C, 'D', ID_DELETE_CHAR},
    {C, 'E', ID_SCROLL_LEFT_TAB},
    {A, 'F', ID_MAIL_FORWARD},
    {C, 'G', ID_GOTO_LINE},
    {C, 'H', ID_HEADER_PANE},
    {C, 'K', ID_DELETE_TO_LINE_END},
    {A, 'M', ID_MAIL_SEND},
    {C, 'N', ID_FILE_NEW},
    {A, 'P', ID_MAIL_REPLY},
    {C, 'R', ID_SCROLL_RIGHT_TAB}, {A, 'R', ID_REPLACE},
    {C, 'S', ID_FILE_SAVE},
    {C, 'V', ID_EDIT_PASTE},
    {V, kAdd, ID_CLOSE},
    {V, kBack, ID_BACKSPACE},
    {V, kDecimal, ID_PICK},
    {V, kDelete, ID_DELETE_CHAR},
    {V, kDivide, ID_MARK},
    {V, kDown, ID_CURSOR_DOWN}, {S, kDown, ID_MARK_DOWN}, {C, kDown, ID_SCROLL_LINE_DOWN},
    {A, kDown, ID_CURSOR_SCREEN_BOTTOM},
    {V, kEnd, ID_CURSOR_LINE_END}, {S, kEnd, ID_MARK_LINE_END}, {C, kEnd, ID_GOTO_END},
    {CS, kEnd, ID_MARK_GOTO_END},
    {V, kF2, ID_TAG_NEXT}, {S, kF2, ID_TAG_PREV}, {C, kF2, ID_TOGGLE_TAG},
    {V, kF3, ID_SEARCH_NEXT}, {S, kF3, ID_SEARCH_PREV},
    {V, kF4, ID_FORMAT_PARAGRAPH}, {S, kF4, ID_COUNT},
    {V, kHome, ID_CURSOR_LINE_HEAD}, {S, kHome, ID_MARK_LINE_HEAD}, {C, kHome, ID_GOTO_TOP},
    {CS, kHome, ID_MARK_GOTO_TOP},
    {V, kInsert, ID_TOGGLE_INSERT},
    {V, kLeft, ID_CURSOR_LEFT}, {S, kLeft, ID_MARK_LEFT}, {C, kLeft, ID_WORD_PREV},
    {CS, kLeft, ID_MARK_WORD_PREV}, {A, kLeft, ID_CURSOR_SCREEN_LEFT},
    {V, kMultiply, ID_OPEN},
    {V, kNext, ID_PAGE_DOWN}, {S, kNext, ID_MARK_PAGE_DOWN}, {C, kNext, ID_MAIL_NEXT},
    {A, kNext, ID_MAIL_NEXT_UNREAD},
    {V, kNum0 + 0, ID_COMMAND_MODE},
    {V, kNum0 + 1, ID_SEARCH_NEXT},
    {V, kNum0 + 2, ID_SEARCH_PREV},
    {V, kNum0 + 3, ID_REPLACE},
    {V, kNum0 + 4, ID_QUARTER_PAGE_DOWN},
    {V, kNum0 + 5, ID_QUARTER_PAGE_UP},
    {V, kNum0 + 6, ID_NEXT_PANE}, {C, kNum0 + 6, ID_PREV_PANE},
    {V, kNum0 + 7, ID_PAGE_DOWN},
    {V, kNum0 + 8, ID_PAGE_UP},
    {V, kPrior, ID_PAGE_UP}, {S, kPrior, ID_MARK_PAGE_UP}, {C, kPrior, ID_MAIL_PREV},
    {A, kPrior, ID_MAIL_PREV_UNREAD},
    {V, kReturn, ID_CURSOR_NEXT_LINE}, {S, kReturn, ID_SPLIT_LINE}, {C, kReturn, ID_JOIN_LINES},
    {A, kReturn, ID_OPEN_URL},
    {V, kRight, ID_CURSOR_RIGHT}, {S, kRight, ID_MARK_RIGHT}, {C, kRight, ID_WORD_NEXT},
    {CS, kRight, ID_MARK_WORD_NEXT}, {A, kRight, ID_CURSOR_SCREEN_RIGHT},
    {V, kSubtract, ID_DELETE_CHAR},
    {V, kTab, ID_CURSOR_TAB_RIGHT}, {S, kTab, ID_CURSOR_TAB_LEFT},
    {V, kUp, ID_CURSOR_UP}, {S, kUp, ID_MARK_UP}, {C, kUp, ID_SCROLL_LINE_UP}, {A, kUp, ID_CURSOR_SCREEN_TOP},
    {C, 'X', ID_EDIT_CUT},
};

const AccelEntry kTable2[] = {
    {C, 'C', ID_EDIT_COPY},
    {C, 'F', ID_MAIL_FORWARD},
    {C, 'M', ID_MAIL_SEND}, {A, 'M', ID_MAIL_SEND},
    {C, 'P', ID_MAIL_REPLY}, {A, 'P', ID_MAIL_REPLY},
    {C, 'S', ID_FILE_SAVE},
    {C, 'V', ID_EDIT_PASTE},
    {V, kNum0, ID_COMMAND_MODE},
    {C, 'X', ID_EDIT_CUT},
};

} // namespace

std::span<const AccelEntry> BuiltinAccelTable(int id)
{
    switch (id) {
    case 1: return kTable1;
    case 2: return kTable2;
    default: return {};
    }
}
