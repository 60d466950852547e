// Opening a URL in the user's web browser, as the registry says the "http"
// protocol is opened: by DDE to a browser that is already running when the
// protocol names a DDE conversation, otherwise by starting the registered
// command line. The two browser kinds of HTML files are told apart by their
// file type. The registry, the DDE conversation and starting a process are
// reached through CBrowserSystem, so the rules run anywhere; BrowserInfo_win.cpp
// supplies the Win32 ones.
#pragma once
#include <functional>
#include <string>

// Reads the registry and reaches other programs for the browser launch.
struct CBrowserSystem {
    // The default value of a key under the classes root; false when the key or
    // value is missing or longer than nMax bytes.
    std::function<bool(const std::string& path, size_t nMax, std::string& value)> readClass;
    // A named value of a key under the local machine hive, the same way.
    std::function<bool(const std::string& path, const std::string& name, size_t nMax, std::string& value)>
        readMachine;
    // Sends a command to a DDE server (application, topic); true only when a
    // conversation was made and the server took the command. Empty: no DDE.
    std::function<bool(const std::string& app, const std::string& topic, const std::string& command)> ddeExecute;
    // Starts a command line; true when the process was created.
    std::function<bool(const std::string& commandLine)> startProcess;
};

// The longest command line, for DDE or a process, that is built; a longer one
// is refused rather than cut.
constexpr size_t kMaxBrowserCommand = 1023;

class CBrowserInfo {
public:
    enum : int { kUnknown = 0, kExplorer = 1, kNetscape = 2 };

    // Reads the fields afresh; the error box when neither browser kind owns
    // HTML files (all fields then stay empty). False in that case.
    bool Detect(const CBrowserSystem& system);

    int m_nKind = kUnknown;
    std::string m_strHttpCommand;     // "http\shell\open\command"
    std::string m_strDdeCommand;      // "http\shell\open\ddeexec" (with its application and topic, or none)
    std::string m_strDdeApplication;
    std::string m_strDdeTopic;
    std::string m_strNetscapeUserDir;  // the current Netscape user's folder, "" when unknown
};

// Detects the browser and opens the URL: DDE first, then the command line.
// False (after saying why where there is something to say) when it could not.
bool OpenURL(const std::string& url, const CBrowserSystem& system);

// The same through the Win32 registry and processes; the DDE attempt goes
// through the opener set below.
bool OpenURL(const std::string& url);
// Replaces the DDE conversation of the Win32 launch (by default one of our DDE
// client; empty: the browser is always started by its command line). Returns
// the one it replaces.
using BrowserDdeExecute = std::function<bool(const std::string& app, const std::string& topic, const std::string& command)>;
BrowserDdeExecute SetBrowserDdeExecute(BrowserDdeExecute execute);
