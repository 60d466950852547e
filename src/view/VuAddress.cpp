// Opening the address under the mouse or the caret: a URL in the browser, a
// mail address as a new mail; and handing an address to the address book.
#include "settings/AppSettings.h"
#include "platform/Messages.h"
#include "view/AddressOpener.h"
#include "view/Caret.h"
#include "view/Vu.h"

namespace {

constexpr size_t kMailtoLength = 7;  // "mailto:"

} // namespace

bool CVu::TakeAddress(bool bMailAddress)
{
    if (!AppSettings().m_bUrlSensitive) {
        m_nAddressKind = kAddressNone;
        InfoBox("ﾒﾆｭｰの [ｵﾌﾟｼｮﾝ] -> [その他の設定] で、「URL･ﾒｰﾙｱﾄﾞﾚｽを検出」をﾁｪｯｸしてください");
        return false;
    }
    // From a key there is no address held yet: the one at the caret.
    if (m_nAddressKind == kAddressNone && AddressAt(m_pCaret->m_nCol, m_pCaret->m_nRow) == kAddressNone) {
        if (bMailAddress)
            InfoBox("カーソルをメールアドレスの所へ置いてください");
        else
            InfoBox("カーソルを URL の所へ置いてください");
        return false;
    }
    return true;
}

std::string CVu::HeldMailAddress(int nKind) const
{
    if (nKind == kAddressMailto)
        return m_strAddress.size() > kMailtoLength ? m_strAddress.substr(kMailtoLength) : std::string();
    return m_strAddress;
}

void CVu::OnOpenUrl()
{
    if (!TakeAddress(false))
        return;
    // The held address is used once: the next command looks again.
    int kind = m_nAddressKind;
    m_nAddressKind = kAddressNone;
    if (kind == kAddressUrl)
        AddressOpener().OpenUrl(m_strAddress);
    else
        AddressOpener().NewMail(HeldMailAddress(kind));
}

void CVu::OnRegisterAddress()
{
    if (!TakeAddress(true))
        return;
    int kind = m_nAddressKind;
    m_nAddressKind = kAddressNone;
    if (kind == kAddressUrl) {  // a URL is no address for the address book
        InfoBox("カーソルをメールアドレスの所へ置いてください");
        return;
    }
    AddressOpener().RegisterAddress(HeldMailAddress(kind));
}
