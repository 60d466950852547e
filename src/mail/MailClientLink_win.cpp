// The Win32 seams of the mail client link.
#include "mail/MailClientLink_win.h"

#include <windows.h>

#include "platform/Wide_win.h"
#include "services/DDEClient_win.h"
#include "services/ProfileFile.h"
#include "services/Process_win.h"
#include "services/RegistryKey_win.h"

namespace {

// Waits until the started program waits for input, running our own messages
// meanwhile so that our windows stay alive (and answer a DDE broadcast of the
// program being started).
void WaitUntilIdle(HANDLE hProcess, unsigned waitMs)
{
    DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < waitMs) {
        DWORD r = ::WaitForInputIdle(hProcess, 0);
        if (r != WAIT_TIMEOUT)  // idle, or a program without a message queue
            return;
        if (::WaitForSingleObject(hProcess, 0) == WAIT_OBJECT_0)
            return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        PumpMessages(20);
    }
}

class CDdeMailConversation : public IMailConversation {
public:
    CDdeMailConversation(const std::string& service, const std::string& topic) : m_client(service, topic) {}
    bool IsConnected() const { return m_client.IsConnected(); }
    bool IsAlive() const override { return m_client.IsConnected() && ::IsWindow(m_client.GetServer()); }
    bool Execute(const std::string& name, const std::vector<std::string>& args) override
    {
        uint16_t status = 0;
        return m_client.ExecuteCommand(name, args, &status) && (status & 0x8000);
    }

private:
    CDDEClient m_client;
};

} // namespace

CMailLinkSystem Win32MailLinkSystem()
{
    CMailLinkSystem s;
    s.readClass = [](const std::string& path, size_t nMax, std::string& value) {
        return ReadRegistryString(HKEY_CLASSES_ROOT, path, "", nMax, value);
    };
    s.readUser = [](const std::string& path, const std::string& name, size_t nMax, std::string& value) {
        return ReadRegistryString(HKEY_CURRENT_USER, path, name, nMax, value);
    };
    s.readProfile = [](const std::string& ini, const std::string& section, const std::string& key,
                       const std::string& def) { return ReadProfileString(ini, section, key, def); };
    s.fileExists = [](const std::string& path) {
        DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    };
    s.start = [](const std::string& commandLine, unsigned waitMs) {
        HANDLE hProcess = StartProcess("%s", commandLine.c_str());
        if (!hProcess)
            return false;
        if (waitMs > 0)
            WaitUntilIdle(hProcess, waitMs);
        ::CloseHandle(hProcess);
        return true;
    };
    s.connect = [](const std::string& service, const std::string& topic) -> std::unique_ptr<IMailConversation> {
        auto p = std::make_unique<CDdeMailConversation>(service, topic);
        if (!p->IsConnected())
            return nullptr;
        return p;
    };
    return s;
}
