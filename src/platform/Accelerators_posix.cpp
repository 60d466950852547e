// Key bindings without a window system: a built table is a copy of the entries,
// and no modifier key is ever held (tests set the flags explicitly).
#include "platform/Accelerators.h"

#include <vector>

#include "platform/AccelEntry.h"

AcceleratorHandle CreateAcceleratorHandle(const AccelEntry* entries, int count)
{
    if (count <= 0)
        return nullptr;
    return new std::vector<AccelEntry>(entries, entries + count);
}

void DestroyAcceleratorHandle(AcceleratorHandle handle) { delete static_cast<std::vector<AccelEntry>*>(handle); }

uint8_t CurrentModifierFlags() { return 0; }
