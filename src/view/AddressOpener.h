// Where an address found in the text goes: a URL to the web browser, a mail
// address to the mail client link. The view reaches them only through this, so
// it stays portable; the application installs the real ones. Until one is
// installed, a URL reports that no browser is there and a mail address that no
// mail client is configured.
#pragma once
#include <string>

class IAddressOpener {
public:
    // True when the browser was reached.
    virtual bool OpenUrl(const std::string& url) = 0;
    // A new mail to the address (Shift-JIS; may be empty).
    virtual void NewMail(const std::string& address) = 0;
    // The address into the mail client's address book.
    virtual void RegisterAddress(const std::string& address) = 0;

protected:
    ~IAddressOpener() = default;
};

// The installed opener (never null: the reporting stand-in without one).
IAddressOpener& AddressOpener();
// Installs an opener (null: the stand-in again); the one it replaces.
IAddressOpener* SetAddressOpener(IAddressOpener* pOpener);

// What the stand-in says about a mail address, for openers without a mail client.
void ReportNoMailClient();
