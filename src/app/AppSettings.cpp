// The program-wide settings object.
#include "app/AppSettings.h"

CAppSettings& AppSettings()
{
    static CAppSettings settings;
    return settings;
}
