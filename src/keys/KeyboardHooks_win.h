// The program's two keyboard hooks, both on the user-interface thread only and
// each a single process-wide slot (installing one that is in place does
// nothing):
// - the numeric-keypad hook ("HookNumPad"): keypad keys reach key binding
//   translation as plain key-down messages, with no key-up and no input-method
//   processing;
// - the key-capture hook of the key binding dialog: while a key's label is
//   edited, the next key press, whatever it is (Escape, Return and Tab too),
//   becomes the key being bound instead of acting.
#pragma once
#include <windows.h>

// Sent to the capture window for each caught key: wParam the virtual-key code,
// lParam the key data of its key-down event.
constexpr UINT WM_CAPTURED_KEY = WM_USER + 17;

// False (after the error box "can't set keyboard hook") when it cannot be installed.
bool InstallKeypadHook();
void RemoveKeypadHook();
bool IsKeypadHookInstalled();

// Caught keys go to hTarget as WM_CAPTURED_KEY. False (after the error box)
// when the hook cannot be installed.
bool InstallKeyCaptureHook(HWND hTarget);
void RemoveKeyCaptureHook();
bool IsKeyCaptureHookInstalled();
