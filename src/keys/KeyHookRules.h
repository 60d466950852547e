// What the two keyboard hooks do with one key event, decided apart from the
// platform: the numeric-keypad hook, which turns keypad keys into plain
// key-down messages for the focus window, and the key-capture hook of the key
// binding dialog, which turns the next key press into the key being bound.
#pragma once
#include <cstdint>

enum class EHookVerdict {
    PassOn,   // to the next hook and on to the window, as if no hook were there
    Swallow,  // dropped
    Repost,   // dropped, and posted again as a message (a key-down, or the captured key)
};

// The hook code of an event taken from the queue (HC_ACTION).
constexpr int kHookTakeEvent = 0;
// Bit 31 of the key data: the key is being released.
constexpr uint32_t kKeyReleased = 0x80000000u;

// Keypad digits, "*", "+", separator, "-", ".", "/" (96 to 111) and the
// keypad's "=" (146).
bool IsKeypadKey(unsigned key);

// The keypad hook: a keypad key's press is posted again as a key-down to the
// focus window, its release is dropped; every other key passes.
EHookVerdict KeypadHookVerdict(int code, unsigned key, uint32_t keyData);
// The key-capture hook: any key but Shift, Ctrl and Alt (whose state must stay
// right for the modifiers of the captured key) is caught on its press, its
// release dropped.
EHookVerdict KeyCaptureVerdict(int code, unsigned key, uint32_t keyData);
