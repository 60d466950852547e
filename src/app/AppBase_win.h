// The small application base under the editor's application object: it keeps
// the registry company key (and an optional automation log-server name, which
// this program does not give) and, at start-up, puts the settings under
// HKEY_CURRENT_USER\Software\<company>\<program name>.
#pragma once
#include <memory>
#include <string>

#include "fw/WinApp_win.h"

class CRegistrySettingsStore;

class CAppBase : public CWinApp {
public:
    explicit CAppBase(std::string strCompany, std::string strLogServer = std::string());
    ~CAppBase() override;

protected:
    // Step 2 of start-up: the settings location from the company key, when it
    // is not empty.
    void SetRegistryKey();

    std::string m_strCompany;
    std::string m_strLogServer;

private:
    std::unique_ptr<CRegistrySettingsStore> m_pStore;
};
