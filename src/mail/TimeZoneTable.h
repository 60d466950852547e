// Time-zone names of mail dates and the numeric zones they stand for.
#pragma once
#include <string_view>

// The numeric zone ("+0900") of a zone name, compared without regard to case,
// or nullptr for a name the table does not hold.
const char* LookUpTimeZone(std::string_view name);
