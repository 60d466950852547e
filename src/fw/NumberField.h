// Reading a whole number typed into a dialog's edit field.
#pragma once
#include <string_view>

// The number in a field's Shift-JIS text: blanks around it (one-byte or
// full-width), an optional sign, then digits, one-byte or full-width (typed
// with the input method on). False for anything else, an empty field, or a
// number beyond the range of int.
bool ParseNumberField(std::string_view text, int& nValue);
