// The program's address opener on Win32.
#include "view/BrowserAddressOpener_win.h"

#include "services/BrowserInfo.h"

namespace {

class CBrowserAddressOpener : public IAddressOpener {
public:
    bool OpenUrl(const std::string& url) override { return OpenURL(url); }
    void NewMail(const std::string&) override { ReportNoMailClient(); }
    void RegisterAddress(const std::string&) override { ReportNoMailClient(); }
};

} // namespace

IAddressOpener& BrowserAddressOpener()
{
    static CBrowserAddressOpener s_opener;
    return s_opener;
}
