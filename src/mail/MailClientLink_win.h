// The mail client link on Win32: the registry read with read access only,
// settings files, processes waited for while the program's messages run, and
// conversations of our DDE client.
#pragma once
#include "mail/MailClientLink.h"

CMailLinkSystem Win32MailLinkSystem();
