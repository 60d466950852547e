// The browser launch on Win32: the registry read with read access only (the
// classes root and the local machine hive are not ours to write), processes
// started by their command line, and the DDE attempt through a conversation of
// our DDE client (or whatever a test plugs in instead).
#include <windows.h>

#include <utility>
#include <vector>

#include "platform/Wide_win.h"
#include "services/BrowserInfo.h"
#include "services/DDEClient_win.h"
#include "services/Process_win.h"
#include "services/RegistryKey_win.h"

namespace {

// A browser that answers the conversation has opened the URL only when it
// acknowledged the command; anything else falls back to the command line.
bool ExecuteByDde(const std::string& app, const std::string& topic, const std::string& command)
{
    CDDEClient client(app, topic);
    if (!client.IsConnected())
        return false;
    uint16_t status = 0;
    return client.Execute(command, &status) && (status & 0x8000);
}

BrowserDdeExecute& DdeExecute()
{
    static BrowserDdeExecute s_execute = ExecuteByDde;
    return s_execute;
}

} // namespace

BrowserDdeExecute SetBrowserDdeExecute(BrowserDdeExecute execute) { return std::exchange(DdeExecute(), std::move(execute)); }

bool OpenURL(const std::string& url)
{
    CBrowserSystem system;
    system.readClass = [](const std::string& path, size_t nMax, std::string& value) {
        return ReadRegistryString(HKEY_CLASSES_ROOT, path, "", nMax, value);
    };
    system.readMachine = [](const std::string& path, const std::string& name, size_t nMax, std::string& value) {
        return ReadRegistryString(HKEY_LOCAL_MACHINE, path, name, nMax, value);
    };
    system.ddeExecute = DdeExecute();
    system.startProcess = [](const std::string& commandLine) {
        HANDLE hProcess = StartProcess("%s", commandLine.c_str());
        if (!hProcess)
            return false;
        ::CloseHandle(hProcess);
        return true;
    };
    return OpenURL(url, system);
}
