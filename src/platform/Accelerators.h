// The platform side of key bindings: building the accelerator table the message
// loop translates keys with, and reading which modifier keys are held now.
#pragma once
#include <cstdint>

struct AccelEntry;

// An opaque built accelerator table (HACCEL on Windows).
using AcceleratorHandle = void*;

// Builds a table from the entries, in order (first match wins); nullptr on failure.
AcceleratorHandle CreateAcceleratorHandle(const AccelEntry* entries, int count);
void DestroyAcceleratorHandle(AcceleratorHandle handle);

// The kAccelShift / kAccelControl / kAccelAlt flags of the modifier keys held at this moment.
uint8_t CurrentModifierFlags();
