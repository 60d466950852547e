// What the core asks of the system besides files: environment variables, the
// computer's name, and values other programs keep in the user's registry.
// Texts are Shift-JIS bytes.
#pragma once
#include <string>
#include <string_view>

// The value of an environment variable; false when it is not set or empty.
bool GetEnvironmentValue(const char* name, std::string& value);
// Sets the variable for this process and the programs it starts; a null value
// removes it.
bool SetEnvironmentValue(const char* name, const char* value);
// The name of this computer as other programs see it (at most 15 bytes).
std::string ComputerName();
// A string value under HKEY_CURRENT_USER\<keyPath> (another program's settings);
// false when the key or the value is missing. Always false where there is no registry.
bool ReadUserRegistryString(std::string_view keyPath, std::string_view valueName, std::string& value);
