// The program's string table: every subsystem's numbered texts in one array. Only
// the application knows all the subsystems, so the table is put together here and
// handed to the string table's lookup below.
#include "platform/StringTable.h"

namespace {

const StringTableEntry kEntries[] = {
#include "platform/Strings.inc"
#include "text/Strings.inc"
#include "view/Strings.inc"
#include "keys/Strings.inc"
#include "command/Strings.inc"
#include "mail/Strings.inc"
#include "services/Strings.inc"
#include "spell/Strings.inc"
#include "app/Strings.inc"
#include "fw/Strings.inc"
};

} // namespace

StringTableSpan ProgramStringTable() { return {kEntries, kEntries + sizeof kEntries / sizeof kEntries[0]}; }
