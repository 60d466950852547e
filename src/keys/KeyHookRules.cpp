// What the keyboard hooks do with a key event.
#include "keys/KeyHookRules.h"

namespace {

enum : unsigned { kShift = 16, kControl = 17, kAlt = 18, kNumpad0 = 96, kDivide = 111, kKeypadEqual = 146 };

// Only an event being taken from the queue is acted on. Negative codes must
// pass by the hook rules; an event merely looked at (HC_NOREMOVE) passes too,
// because it comes back with kHookTakeEvent when it is taken, and acting on
// both would post the key twice.
EHookVerdict Catch(int code, uint32_t keyData)
{
    if (code != kHookTakeEvent)
        return EHookVerdict::PassOn;
    return (keyData & kKeyReleased) ? EHookVerdict::Swallow : EHookVerdict::Repost;
}

} // namespace

bool IsKeypadKey(unsigned key) { return (key >= kNumpad0 && key <= kDivide) || key == kKeypadEqual; }

EHookVerdict KeypadHookVerdict(int code, unsigned key, uint32_t keyData)
{
    return IsKeypadKey(key) ? Catch(code, keyData) : EHookVerdict::PassOn;
}

EHookVerdict KeyCaptureVerdict(int code, unsigned key, uint32_t keyData)
{
    if (key == kShift || key == kControl || key == kAlt)
        return EHookVerdict::PassOn;
    return Catch(code, keyData);
}
