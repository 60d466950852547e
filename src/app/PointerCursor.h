// The cursor each mouse pointer choice ("Mouse"/"PointerName") shows over text.
#pragma once

struct CPointerCursor {
    bool bSystem;     // one of the system's cursors...
    unsigned nId;     // ...by its number (32512 arrow, 32513 I-beam), else the program's cursor resource
};

// The cursor of pointer number nPointer (kPointerTovaHand..kPointerCustom); an
// unknown number gets the hand.
CPointerCursor PointerCursorOf(int nPointer);
