// Keeping the menu bar shut after an Alt+key binding.
#include "keys/AltKeyMenuFilter.h"

namespace {

enum : unsigned { kKeyDown = 0x0100, kSysKeyDown = 0x0104, kAlt = 18 };
constexpr uint32_t kAltHeld = 0x20000000u;     // context code of the key data
constexpr uint32_t kRepeated = 0x40000000u;    // the key was down already

} // namespace

void CAltKeyMenuFilter::OnKeyMessage(unsigned nMsg, unsigned key, uint32_t keyData, bool bTranslated)
{
    if (nMsg != kKeyDown && nMsg != kSysKeyDown)
        return;
    if (key == kAlt) {
        // A fresh press of Alt starts over; its auto-repeat changes nothing.
        if (!(keyData & kRepeated))
            m_bAltBindingRan = false;
        return;
    }
    // Keypad keys come as plain key-downs (the keypad hook) with Alt in their data.
    m_bAltBindingRan = bTranslated && (keyData & kAltHeld);
}

bool CAltKeyMenuFilter::TakeKeyMenuRequest()
{
    bool bDrop = m_bAltBindingRan;
    m_bAltBindingRan = false;
    return bDrop;
}
