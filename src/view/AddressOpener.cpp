// The address opener in force, and the stand-in used until one is installed.
#include "view/AddressOpener.h"

#include "platform/Messages.h"

namespace {

class CNoAddressOpener : public IAddressOpener {
public:
    bool OpenUrl(const std::string&) override
    {
        InfoBox("Webﾌﾞﾗｳｻﾞがｲﾝｽﾄｰﾙされていません");
        return false;
    }
    void NewMail(const std::string&) override { ReportNoMailClient(); }
    void RegisterAddress(const std::string&) override { ReportNoMailClient(); }
};

CNoAddressOpener g_noOpener;
IAddressOpener* g_pOpener = nullptr;

} // namespace

void ReportNoMailClient() { InfoBox("メールクライアントが設定されていません"); }

IAddressOpener& AddressOpener() { return g_pOpener ? *g_pOpener : g_noOpener; }

IAddressOpener* SetAddressOpener(IAddressOpener* pOpener)
{
    IAddressOpener* pOld = g_pOpener;
    g_pOpener = pOpener;
    return pOld;
}
