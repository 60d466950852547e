// The application base.
#include "app/AppBase_win.h"

#include "platform/RegistrySettingsStore_win.h"
#include "platform/Wide_win.h"

CAppBase::CAppBase(std::string strCompany, std::string strLogServer)
    : m_strCompany(std::move(strCompany)), m_strLogServer(std::move(strLogServer))
{
}

CAppBase::~CAppBase()
{
    if (m_pStore && &SettingsStore() == m_pStore.get())
        SetSettingsStore(nullptr);
}

void CAppBase::SetRegistryKey()
{
    if (m_strCompany.empty())
        return;
    m_pStore = std::make_unique<CRegistrySettingsStore>(L"Software\\" + Wide(m_strCompany) + L"\\" + GetProgramName());
    SetSettingsStore(m_pStore.get());
}
