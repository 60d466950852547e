// Reaching the mail client and its address-book editor.
#include "mail/MailClientLink.h"

#include "mail/MailLinkText.h"
#include "platform/Messages.h"

namespace {

constexpr char kClientService[] = "Mavlen";
constexpr char kClientTopic[] = "Command";
constexpr char kAliasService[] = "Alias";
constexpr char kAliasTopic[] = "system";
constexpr char kOpenCommandKey[] = "Trash.Document\\shell\\open\\command";
constexpr char kClientKey[] = "Software\\Brellix\\Mavlen";
constexpr char kModuleFile[] = "ModuleFile";
constexpr char kSettingsSection[] = "Global Parameters";

// Set while a command waits for its answer; the answer's wait runs the
// program's messages, which could ask for another command.
class CBusy {
public:
    explicit CBusy(bool& bBusy) : m_bBusy(bBusy) { m_bBusy = true; }
    ~CBusy() { m_bBusy = false; }
    CBusy(const CBusy&) = delete;
    CBusy& operator=(const CBusy&) = delete;

private:
    bool& m_bBusy;
};

} // namespace

IMailConversation* CMailClientLink::GetMailClientLink()
{
    if (m_pConversation && m_pConversation->IsAlive())
        return m_pConversation.get();
    m_pConversation.reset();
    if (!m_system.connect)
        return nullptr;
    m_pConversation = m_system.connect(kClientService, kClientTopic);
    if (m_pConversation)
        return m_pConversation.get();

    std::string openCommand, commandLine;
    if (!m_system.readClass || !m_system.readClass(kOpenCommandKey, kMaxPath, openCommand) ||
        !MailClientStartCommand(openCommand, commandLine)) {
        ErrorBox("Mavlenの実行形式ファイルのパスを取得できません。");
        return nullptr;
    }
    if (!FitsMailCommandLine(commandLine))
        return nullptr;
    if (!m_system.start || !m_system.start(commandLine, kClientStartWait)) {
        ErrorBox("%s を実行できません", commandLine.c_str());
        return nullptr;
    }
    m_pConversation = m_system.connect(kClientService, kClientTopic);
    if (!m_pConversation) {
        ErrorBox("Mavlen が DDE による呼び掛けに答えません");
        return nullptr;
    }
    return m_pConversation.get();
}

bool CMailClientLink::Send(const std::string& name, const std::vector<std::string>& args)
{
    if (m_bBusy)
        return false;
    CBusy busy(m_bBusy);
    IMailConversation* pLink = GetMailClientLink();
    return pLink && pLink->Execute(name, args);
}

bool CMailClientLink::View(const std::string& direction) { return Send("View", {direction}); }

bool CMailClientLink::Reply(std::string_view mailPath)
{
    CMailFolderArguments a = MailFolderArguments(mailPath);
    return Send("Reply", {a.strFolderFile, a.strMailName});
}

bool CMailClientLink::Forward(std::string_view mailPath)
{
    CMailFolderArguments a = MailFolderArguments(mailPath);
    return Send("Forward", {a.strFolderFile, a.strMailName});
}

bool CMailClientLink::Attach(std::string_view mailPath, const std::vector<std::string>& attachments)
{
    std::vector<std::string> args{std::string(mailPath)};
    args.insert(args.end(), attachments.begin(), attachments.end());
    return Send("Attach", args);
}

bool CMailClientLink::ReadModuleFile(std::string& path) const
{
    path.clear();
    if (m_system.readUser && m_system.readUser(kClientKey, kModuleFile, kMaxPath, path) && !path.empty())
        return true;
    path.clear();
    return false;
}

bool CMailClientLink::OpenAliasEditor(std::unique_ptr<IMailConversation>& pConversation)
{
    pConversation = m_system.connect(kAliasService, kAliasTopic);
    if (pConversation)
        return true;
    std::string module;
    if (!ReadModuleFile(module)) {
        ErrorBox("Mavlen (Version 321.2b2 以降) がインストールされていないか、一度も実行されていません");
        return false;
    }
    std::string ini = MailClientSettingsPath(module);
    auto setting = [&](const char* key, const char* def) {
        std::string value = m_system.readProfile ? m_system.readProfile(ini, kSettingsSection, key, def) : def;
        return MailClientFilePath(module, value.empty() ? def : value);
    };
    std::string editor = setting("AliasEditor", "Alias.exe");
    std::string file = setting("AliasFile", "Aliases.ali");
    auto exists = [&](const std::string& path) {
        return path.size() < kMaxPath && m_system.fileExists && m_system.fileExists(path);
    };
    if (!exists(file)) {
        ErrorBox("%s に設定されている住所録ファイル (%s) が存在しません", ini.c_str(), file.c_str());
        return false;
    }
    if (!exists(editor)) {
        ErrorBox("%s に設定されている住所録エディタ (%s) が存在しません", ini.c_str(), editor.c_str());
        return false;
    }
    std::string commandLine;
    if (!BuildMailCommandLine(editor, {file}, commandLine))
        return false;
    if (!m_system.start || !m_system.start(commandLine, kAliasEditorStartWait)) {
        ErrorBox("%s を実行できません", commandLine.c_str());
        return false;
    }
    pConversation = m_system.connect(kAliasService, kAliasTopic);
    if (!pConversation) {
        ErrorBox("%s が DDE による呼び掛けに答えません", editor.c_str());
        return false;
    }
    return true;
}

bool CMailClientLink::RegisterAddress(const std::string& address)
{
    if (m_bBusy || !m_system.connect)
        return false;
    CBusy busy(m_bBusy);
    std::unique_ptr<IMailConversation> pConversation;
    if (!OpenAliasEditor(pConversation))
        return false;
    return pConversation->Execute("Append", {address});
}

bool CMailClientLink::NewMail(const std::string& address)
{
    std::string module, commandLine;
    if (!ReadModuleFile(module))
        return false;
    std::vector<std::string> args{"-mailto"};
    if (!address.empty())
        args.push_back(address);
    if (!BuildMailCommandLine(module, args, commandLine))
        return false;
    if (!m_system.start || !m_system.start(commandLine, 0)) {
        ErrorBox("%s を実行できません", commandLine.c_str());
        return false;
    }
    return true;
}
