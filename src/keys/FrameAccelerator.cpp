// Which key binding table a document window translates keys with.
#include "keys/FrameAccelerator.h"

AcceleratorHandle FrameAccelerator(bool bControlCodeMode, AcceleratorHandle hMainTable, AcceleratorHandle hKindTable)
{
    if (bControlCodeMode)
        return nullptr;
    return hMainTable ? hMainTable : hKindTable;
}
