// The mail client link over a world held in maps: the folder arguments and
// command lines it builds, reaching (and starting) the mail client, the
// address-book editor, a new mail by command line, and the refusals.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "fakes/FakeUi.h"
#include "mail/MailClientLink.h"
#include "mail/MailLinkText.h"

namespace {

struct CFakeMailWorld;

class CFakeConversation : public IMailConversation {
public:
    CFakeConversation(CFakeMailWorld& world, std::string service) : m_world(world), m_strService(std::move(service)) {}
    bool IsAlive() const override;
    bool Execute(const std::string& name, const std::vector<std::string>& args) override;

private:
    CFakeMailWorld& m_world;
    std::string m_strService;
};

struct CFakeMailWorld {
    std::map<std::string, std::string> classes;  // path -> default value
    std::map<std::string, std::string> user;     // path + "|" + name -> value
    std::map<std::string, std::string> profile;  // ini + "|" + section + "|" + key -> value
    std::set<std::string> files;
    std::set<std::string> running;  // services that answer
    std::map<std::string, std::string> startServes;  // a started command line makes this service answer
    bool bAcknowledge = true;
    bool bAlive = true;
    std::vector<std::string> started;    // "command line|wait"
    std::vector<std::string> executed;   // "service|name|arg|arg"
    int nConnects = 0;
    std::function<void()> duringExecute;

    CMailLinkSystem System()
    {
        CMailLinkSystem s;
        s.readClass = [this](const std::string& path, size_t nMax, std::string& value) {
            auto it = classes.find(path);
            if (it == classes.end() || it->second.size() >= nMax)
                return false;
            value = it->second;
            return true;
        };
        s.readUser = [this](const std::string& path, const std::string& name, size_t nMax, std::string& value) {
            auto it = user.find(path + "|" + name);
            if (it == user.end() || it->second.size() >= nMax)
                return false;
            value = it->second;
            return true;
        };
        s.readProfile = [this](const std::string& ini, const std::string& section, const std::string& key,
                               const std::string& def) {
            auto it = profile.find(ini + "|" + section + "|" + key);
            return it == profile.end() ? def : it->second;
        };
        s.fileExists = [this](const std::string& path) { return files.count(path) > 0; };
        s.start = [this](const std::string& line, unsigned waitMs) {
            started.push_back(line + "|" + std::to_string(waitMs));
            auto it = startServes.find(line);
            if (it == startServes.end())
                return false;
            if (!it->second.empty())
                running.insert(it->second);
            return true;
        };
        s.connect = [this](const std::string& service, const std::string& topic) -> std::unique_ptr<IMailConversation> {
            ++nConnects;
            if (!running.count(service + "/" + topic))
                return nullptr;
            return std::make_unique<CFakeConversation>(*this, service);
        };
        return s;
    }
};

bool CFakeConversation::IsAlive() const { return m_world.bAlive; }

bool CFakeConversation::Execute(const std::string& name, const std::vector<std::string>& args)
{
    std::string line = m_strService + "|" + name;
    for (const std::string& arg : args)
        line += "|" + arg;
    m_world.executed.push_back(line);
    if (m_world.duringExecute)
        m_world.duringExecute();
    return m_world.bAcknowledge;
}

constexpr char kOpenKey[] = "Trash.Document\\shell\\open\\command";
constexpr char kModuleKey[] = "Software\\Brellix\\Mavlen|ModuleFile";

std::vector<std::string> Texts(const CFakeUi& ui)
{
    std::vector<std::string> texts;
    for (const auto& box : ui.m_boxes)
        texts.push_back(box.text);
    return texts;
}

} // namespace

TEST(MailLinkText, FolderArgumentsSettingsFileAndCommandLines)
{
    CMailFolderArguments a = MailFolderArguments("C:\\mail\\inbox\\0001.txt");
    EXPECT_EQ(a.strFolderFile, "C:\\mail\\inbox.fld");
    EXPECT_EQ(a.strMailName, "0001");
    // A folder name ending in a double-byte character whose second byte is a
    // backslash keeps it.
    a = MailFolderArguments("C:\\mail\\\x95\x5c\\12.mail.txt");
    EXPECT_EQ(a.strFolderFile, "C:\\mail\\\x95\x5c.fld");
    EXPECT_EQ(a.strMailName, "12.mail");

    EXPECT_EQ(MailClientSettingsPath("C:\\Program Files\\Mavlen\\Mavlen.exe"), "C:\\Program Files\\Mavlen\\Mavlen.ini");
    EXPECT_EQ(MailClientFilePath("C:\\M\\Mavlen.exe", "Alias.exe"), "C:\\M\\Alias.exe");
    EXPECT_EQ(MailClientFilePath("C:\\M\\Mavlen.exe", "D:\\a\\Aliases.ali"), "D:\\a\\Aliases.ali");

    // The open command without its document, the program quoted when it has blanks.
    std::string line;
    ASSERT_TRUE(MailClientStartCommand("\"C:\\Program Files\\M\\Mavlen.exe\" \"%1\"", line));
    EXPECT_EQ(line, "\"C:\\Program Files\\M\\Mavlen.exe\"");
    ASSERT_TRUE(MailClientStartCommand("C:\\Program Files\\M\\Mavlen.EXE %1 -x", line));
    EXPECT_EQ(line, "\"C:\\Program Files\\M\\Mavlen.EXE\"  -x");
    ASSERT_TRUE(MailClientStartCommand("C:\\M\\Mavlen.exe", line));
    EXPECT_EQ(line, "C:\\M\\Mavlen.exe");
    EXPECT_FALSE(MailClientStartCommand(" \"%1\" ", line));

    CScopedFakeUi ui;
    ASSERT_TRUE(BuildMailCommandLine("C:\\Program Files\\A\\Alias.exe", {"C:\\M\\My Aliases.ali"}, line));
    EXPECT_EQ(line, "\"C:\\Program Files\\A\\Alias.exe\" \"C:\\M\\My Aliases.ali\"");
    ASSERT_TRUE(BuildMailCommandLine("\"C:\\M\\Mavlen.exe\"", {"-mailto", "a@b.jp"}, line));
    EXPECT_EQ(line, "\"C:\\M\\Mavlen.exe\" -mailto a@b.jp");
    EXPECT_TRUE(ui.m_boxes.empty());
    // Refused, never cut: a quote inside an argument, a line too long.
    line = "unchanged";
    EXPECT_FALSE(BuildMailCommandLine("C:\\M\\Mavlen.exe", {"-mailto", "a\"b@c.jp"}, line));
    EXPECT_FALSE(BuildMailCommandLine("C:\\M\\Mavlen.exe", {std::string(kMaxMailCommandLine, 'x')}, line));
    EXPECT_EQ(line, "unchanged");
    EXPECT_EQ(Texts(ui), (std::vector<std::string>{"C:\\M\\Mavlen.exe -mailto a\"b@c.jp を実行できません",
                                                    "コマンドラインが長すぎます"}));
}

TEST(MailClientLink, StartsTheClientOnceAndKeepsTheConversationWhileItsWindowLives)
{
    CScopedFakeUi ui;
    CFakeMailWorld world;
    world.classes[kOpenKey] = "\"C:\\Program Files\\Mavlen\\Mavlen.exe\" \"%1\"";
    world.startServes["\"C:\\Program Files\\Mavlen\\Mavlen.exe\""] = "Mavlen/Command";
    CMailClientLink link(world.System());
    EXPECT_TRUE(link.Reply("C:\\mail\\inbox\\0001.txt"));
    EXPECT_EQ(world.started, std::vector<std::string>{"\"C:\\Program Files\\Mavlen\\Mavlen.exe\"|20000"});
    EXPECT_TRUE(link.Forward("C:\\mail\\inbox\\0002.txt"));
    EXPECT_TRUE(link.View("Next"));
    EXPECT_TRUE(link.Attach("C:\\draft\\1.txt", {"C:\\a b.doc", "C:\\c.zip"}));
    EXPECT_EQ(world.executed, (std::vector<std::string>{"Mavlen|Reply|C:\\mail\\inbox.fld|0001",
                                                         "Mavlen|Forward|C:\\mail\\inbox.fld|0002", "Mavlen|View|Next",
                                                         "Mavlen|Attach|C:\\draft\\1.txt|C:\\a b.doc|C:\\c.zip"}));
    EXPECT_EQ(world.nConnects, 2);  // nobody, then the started client
    EXPECT_EQ(world.started.size(), 1u);
    // Its window went: a new conversation with the client now running.
    world.bAlive = false;
    EXPECT_TRUE(link.View("Prev"));
    EXPECT_EQ(world.nConnects, 3);
    // A command that is not acknowledged is a failure.
    world.bAlive = true;
    world.bAcknowledge = false;
    EXPECT_FALSE(link.View("NextRecv"));
    EXPECT_TRUE(ui.m_boxes.empty());

    // A command asked for while one waits is refused, and the link is free after.
    world.bAcknowledge = true;
    bool bInner = true;
    world.duringExecute = [&] {
        EXPECT_TRUE(link.IsBusy());
        bInner = link.View("Prev") || link.RegisterAddress("a@b.jp");
    };
    EXPECT_TRUE(link.View("Next"));
    world.duringExecute = nullptr;
    EXPECT_FALSE(bInner);
    EXPECT_FALSE(link.IsBusy());
    EXPECT_EQ(world.executed.back(), "Mavlen|View|Next");
}

TEST(MailClientLink, ClientThatCannotBeFoundStartedOrReached)
{
    CScopedFakeUi ui;
    CFakeMailWorld world;
    CMailClientLink link(world.System());
    EXPECT_FALSE(link.Reply("C:\\m\\in\\1.txt"));
    world.classes[kOpenKey] = "C:\\M\\Mavlen.exe %1";
    EXPECT_FALSE(link.Reply("C:\\m\\in\\1.txt"));  // cannot be started
    world.startServes["C:\\M\\Mavlen.exe"] = "";   // starts, never answers
    EXPECT_FALSE(link.View("Next"));
    world.classes[kOpenKey] = "C:\\M\\Mavlen.exe " + std::string(1100, 'x');  // longer than the key may be
    EXPECT_FALSE(link.View("Next"));
    EXPECT_EQ(Texts(ui), (std::vector<std::string>{"Mavlenの実行形式ファイルのパスを取得できません。",
                                                    "C:\\M\\Mavlen.exe を実行できません",
                                                    "Mavlen が DDE による呼び掛けに答えません",
                                                    "Mavlenの実行形式ファイルのパスを取得できません。"}));
    EXPECT_TRUE(world.executed.empty());
}

TEST(MailClientLink, RegisteringAnAddressAndANewMail)
{
    CScopedFakeUi ui;
    CFakeMailWorld world;
    CMailClientLink link(world.System());
    // A running address-book editor.
    world.running.insert("Alias/system");
    EXPECT_TRUE(link.RegisterAddress("a@b.jp"));
    EXPECT_EQ(world.executed, std::vector<std::string>{"Alias|Append|a@b.jp"});
    EXPECT_TRUE(world.started.empty());

    // Not running: found through the client's program and settings file.
    world.running.clear();
    EXPECT_FALSE(link.RegisterAddress("a@b.jp"));
    world.user[kModuleKey] = "C:\\Program Files\\Mavlen\\Mavlen.exe";
    const std::string ini = "C:\\Program Files\\Mavlen\\Mavlen.ini|Global Parameters|";
    world.profile[ini + "AliasFile"] = "D:\\book\\my.ali";
    EXPECT_FALSE(link.RegisterAddress("a@b.jp"));  // no address file
    world.files.insert("D:\\book\\my.ali");
    EXPECT_FALSE(link.RegisterAddress("a@b.jp"));  // no editor (the default name beside the client)
    world.files.insert("C:\\Program Files\\Mavlen\\Alias.exe");
    const std::string line = "\"C:\\Program Files\\Mavlen\\Alias.exe\" D:\\book\\my.ali";
    EXPECT_FALSE(link.RegisterAddress("a@b.jp"));  // cannot be started
    world.startServes[line] = "";
    EXPECT_FALSE(link.RegisterAddress("a@b.jp"));  // started, no answer
    world.startServes[line] = "Alias/system";
    EXPECT_TRUE(link.RegisterAddress("c@d.jp"));
    EXPECT_EQ(world.executed.back(), "Alias|Append|c@d.jp");
    EXPECT_EQ(world.started.back(), line + "|10000");
    EXPECT_EQ(Texts(ui),
              (std::vector<std::string>{
                  "Mavlen (Version 321.2b2 以降) がインストールされていないか、一度も実行されていません",
                  "C:\\Program Files\\Mavlen\\Mavlen.ini に設定されている住所録ファイル (D:\\book\\my.ali) が存在しません",
                  "C:\\Program Files\\Mavlen\\Mavlen.ini に設定されている住所録エディタ (C:\\Program "
                  "Files\\Mavlen\\Alias.exe) が存在しません",
                  line + " を実行できません", "C:\\Program Files\\Mavlen\\Alias.exe が DDE による呼び掛けに答えません"}));

    // A new mail: the client's program with "-mailto"; nothing without it.
    ui.Clear();
    world.startServes["\"C:\\Program Files\\Mavlen\\Mavlen.exe\" -mailto c@d.jp"] = "";
    EXPECT_TRUE(link.NewMail("c@d.jp"));
    EXPECT_EQ(world.started.back(), "\"C:\\Program Files\\Mavlen\\Mavlen.exe\" -mailto c@d.jp|0");
    world.user.erase(kModuleKey);
    size_t nStarted = world.started.size();
    EXPECT_FALSE(link.NewMail("c@d.jp"));
    EXPECT_EQ(world.started.size(), nStarted);
    EXPECT_TRUE(ui.m_boxes.empty());
}
