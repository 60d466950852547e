// The mail commands of the editor in its mail modes (send; reply, forward and
// moving to another mail), sending what is pending when the main window
// closes, and the address opener that hands mail addresses to the mail
// client link. The link lives here from the first mail command to the end of
// the program.
#pragma once
#include "view/AddressOpener.h"

class CCmdUi;
class CDoc;
class CMailClientLink;

// The application's link to the mail client.
CMailClientLink& MailClientLink();
// Ends the conversation with the mail client (the program is ending).
void CloseMailClientLink();

// Commands 32842 to 32848; false for any other command.
bool OnMailCommand(unsigned nId, CCmdUi* pUi);

// The send steps: save the mail, hand the attachment bar's files to the mail
// client, and take the mail as sent. False when any step failed (the mail
// stays as it was, changed and open).
bool SendMail(CDoc* pDoc);
// Asked by the composer's main window when it closes: for each mail changed
// since it was opened, whether to send it. False when the window must stay
// (a send failed, or a command still waits for the mail client).
bool SendPendingMails();

// URLs to the browser, mail addresses to the mail client link.
IAddressOpener& EditorAddressOpener();
