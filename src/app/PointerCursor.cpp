// Pointer cursors.
#include "app/PointerCursor.h"

#include "settings/AppSettings.h"
#include "app/Resource.h"

namespace {

constexpr unsigned kSystemArrow = 32512;
constexpr unsigned kSystemIBeam = 32513;

} // namespace

CPointerCursor PointerCursorOf(int nPointer)
{
    switch (nPointer) {
    case kPointerArrow: return {true, kSystemArrow};
    case kPointerIBeam: return {true, kSystemIBeam};
    case kPointerCross: return {false, IDCUR_CROSS};
    case kPointerCustom: return {false, IDCUR_CUSTOM};
    default: return {false, IDCUR_TOVA_HAND};
    }
}
