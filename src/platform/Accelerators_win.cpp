// Key bindings on Win32: accelerator tables and the keyboard state.
#include <windows.h>

#include <vector>

#include "platform/AccelEntry.h"
#include "platform/Accelerators.h"

static_assert(sizeof(ACCEL) == 6 && sizeof(AccelEntry) == 6, "AccelEntry must match ACCEL");

AcceleratorHandle CreateAcceleratorHandle(const AccelEntry* entries, int count)
{
    if (count <= 0)
        return nullptr;
    std::vector<ACCEL> table(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        table[i] = ACCEL{entries[i].fFlags, entries[i].wKey, entries[i].wCommand};
    return ::CreateAcceleratorTableW(table.data(), count);
}

void DestroyAcceleratorHandle(AcceleratorHandle handle)
{
    if (handle)
        ::DestroyAcceleratorTable(static_cast<HACCEL>(handle));
}

uint8_t CurrentModifierFlags()
{
    uint8_t flags = 0;
    if (::GetKeyState(VK_SHIFT) < 0)
        flags |= kAccelShift;
    if (::GetKeyState(VK_CONTROL) < 0)
        flags |= kAccelControl;
    if (::GetKeyState(VK_MENU) < 0)
        flags |= kAccelAlt;
    return flags;
}
