// Releasing Alt after an Alt+key binding ran must not open the menu bar. Some
// systems take that release for a lone Alt press, because the key's own
// message was consumed by the binding and never reached the default handling;
// the menu bar would then take the keys typed next. The filter watches the key
// messages as they are translated and says when the menu request that follows
// is to be dropped.
#pragma once
#include <cstdint>

class CAltKeyMenuFilter {
public:
    // A key message before dispatch: nMsg and its key and key data, and whether
    // a key binding took it.
    void OnKeyMessage(unsigned nMsg, unsigned key, uint32_t keyData, bool bTranslated);
    // The menu bar is asked for from the keyboard (no character): true when the
    // request is to be dropped; either way it ends the watch.
    bool TakeKeyMenuRequest();

private:
    bool m_bAltBindingRan = false;
};
