// One key binding: modifier flags, virtual-key code and command number, laid out
// as the platform's accelerator entry so a table converts without translation.
#pragma once
#include <cstdint>

enum : uint8_t {
    kAccelVirtKey = 0x01,   // the key is a virtual-key code (always set in our own entries)
    kAccelNoInvert = 0x02,  // no menu-bar flash (always set in our own entries)
    kAccelShift = 0x04,
    kAccelControl = 0x08,
    kAccelAlt = 0x10,
    kAccelModifiers = kAccelShift | kAccelControl | kAccelAlt,
};

struct AccelEntry {
    uint8_t fFlags = kAccelVirtKey | kAccelNoInvert;
    uint16_t wKey = 0;      // virtual-key code; 0 = not chosen yet
    uint16_t wCommand = 0;  // command number (keys/CommandIds.h)

    bool operator==(const AccelEntry&) const = default;
};

// A new entry for a command: flags 0x03, key 0.
inline AccelEntry NewAccelEntry(uint16_t command) { return AccelEntry{kAccelVirtKey | kAccelNoInvert, 0, command}; }
