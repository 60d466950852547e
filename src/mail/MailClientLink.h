// The link to the outside mail client and its address-book editor: the
// client's command conversation (kept while its window lives, the client
// started from its document type's open command when nobody answers), the
// commands sent on it, registering an address with the address-book editor,
// and starting a new mail to an address. The registry, the settings file, the
// file system, processes and DDE are reached through CMailLinkSystem, so the
// rules run anywhere; MailClientLink_win.cpp supplies the Win32 ones.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One conversation with a DDE server.
class IMailConversation {
public:
    virtual ~IMailConversation() = default;
    // The server's window is still there.
    virtual bool IsAlive() const = 0;
    // "[name(\"arg\",...)]"; true only when the server acknowledged it (an
    // answer that ran out of time, or a refusal, is a failure).
    virtual bool Execute(const std::string& name, const std::vector<std::string>& args) = 0;
};

struct CMailLinkSystem {
    // The default value of a key under the classes root; false when the key or
    // value is missing or longer than nMax bytes.
    std::function<bool(const std::string& path, size_t nMax, std::string& value)> readClass;
    // A named value of a key under the current user's hive, the same way.
    std::function<bool(const std::string& path, const std::string& name, size_t nMax, std::string& value)> readUser;
    // A key of a settings file ("name.ini"), def when it is not there.
    std::function<std::string(const std::string& iniPath, const std::string& section, const std::string& key,
                              const std::string& def)>
        readProfile;
    std::function<bool(const std::string& path)> fileExists;
    // Starts a command line and, for waitMs > 0, waits until the program is
    // idle (at most that long); false when it could not be started.
    std::function<bool(const std::string& commandLine, unsigned waitMs)> start;
    // A conversation with the service and topic, or null when nobody answers.
    std::function<std::unique_ptr<IMailConversation>(const std::string& service, const std::string& topic)> connect;
};

class CMailClientLink {
public:
    static constexpr unsigned kClientStartWait = 20000;
    static constexpr unsigned kAliasEditorStartWait = 10000;
    // The longest registry value or path taken (a longer one counts as missing).
    static constexpr size_t kMaxPath = 260;

    explicit CMailClientLink(CMailLinkSystem system) : m_system(std::move(system)) {}

    // The conversation with the mail client, made (and the client started)
    // when needed; null after saying why it could not be had.
    IMailConversation* GetMailClientLink();

    // The commands to the client; each true only when the client took it. A
    // command asked for while another waits for its answer is refused.
    bool View(const std::string& direction);
    bool Reply(std::string_view mailPath);
    bool Forward(std::string_view mailPath);
    bool Attach(std::string_view mailPath, const std::vector<std::string>& attachments);

    // The address into the address book (through the address-book editor,
    // started when it does not answer). False after saying why it failed.
    bool RegisterAddress(const std::string& address);
    // A new mail to the address, by starting the client's program; nothing
    // happens when the program is not known.
    bool NewMail(const std::string& address);

    // A command is waiting: the program runs its messages meanwhile, so the
    // commands that would talk to the client must stay off.
    bool IsBusy() const { return m_bBusy; }
    // Ends the conversation (the program is ending).
    void Close() { m_pConversation.reset(); }

private:
    bool Send(const std::string& name, const std::vector<std::string>& args);
    // The client's program path ("ModuleFile"); false when it is not recorded.
    bool ReadModuleFile(std::string& path) const;
    bool OpenAliasEditor(std::unique_ptr<IMailConversation>& pConversation);

    CMailLinkSystem m_system;
    std::unique_ptr<IMailConversation> m_pConversation;
    bool m_bBusy = false;
};
