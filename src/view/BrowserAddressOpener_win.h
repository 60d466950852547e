// The address opener of the program on Win32: URLs go to the browser launch;
// mail addresses report that no mail client is configured until the mail
// client link takes them.
#pragma once
#include "view/AddressOpener.h"

IAddressOpener& BrowserAddressOpener();
