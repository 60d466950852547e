// Browser detection and launch over a registry held in maps: both browser
// kinds, Netscape's quoted DDE URL, the fall-back from DDE to the command line,
// the command line's argument rules, and refusals.
#include <gtest/gtest.h>

#include <map>

#include "fakes/FakeUi.h"
#include "services/BrowserInfo.h"

namespace {

struct CFakeBrowserWorld {
    std::map<std::string, std::string> classes;  // path -> default value
    std::map<std::string, std::string> machine;  // path + "|" + name -> value
    bool bDdeAnswers = true;
    std::vector<std::string> dde;      // "app|topic|command"
    std::vector<std::string> started;  // command lines

    CBrowserSystem System()
    {
        CBrowserSystem s;
        s.readClass = [this](const std::string& path, size_t nMax, std::string& value) {
            auto it = classes.find(path);
            if (it == classes.end() || it->second.size() >= nMax)
                return false;
            value = it->second;
            return true;
        };
        s.readMachine = [this](const std::string& path, const std::string& name, size_t, std::string& value) {
            auto it = machine.find(path + "|" + name);
            if (it == machine.end())
                return false;
            value = it->second;
            return true;
        };
        s.ddeExecute = [this](const std::string& app, const std::string& topic, const std::string& command) {
            dde.push_back(app + "|" + topic + "|" + command);
            return bDdeAnswers;
        };
        s.startProcess = [this](const std::string& line) {
            started.push_back(line);
            return true;
        };
        return s;
    }
    void Http(const std::string& command, const std::string& ddeCommand = "", const std::string& app = "",
              const std::string& topic = "")
    {
        classes["http\\shell\\open\\command"] = command;
        if (!ddeCommand.empty()) {
            classes["http\\shell\\open\\ddeexec"] = ddeCommand;
            classes["http\\shell\\open\\ddeexec\\Application"] = app;
            classes["http\\shell\\open\\ddeexec\\Topic"] = topic;
        }
    }
    void NetscapeUser()
    {
        const std::string nav = "SOFTWARE\\Netscape\\Netscape Navigator";
        machine[nav + "|CurrentVersion"] = "4.7";
        machine[nav + "\\4.7\\Main|Install Directory"] = "C:\\nav";
        machine[nav + "\\Users|CurrentUser"] = "me";
        machine[nav + "\\Users\\me|DirRoot"] = "C:\\nav\\users\\me";
    }
};

} // namespace

TEST(BrowserInfo, ExplorerByDdeAndByCommandLine)
{
    CScopedFakeUi ui;
    CFakeBrowserWorld world;
    world.classes[".htm"] = "htmlfile";
    world.classes["htmlfile\\shell\\open\\command"] = "iexplore.exe %1";
    world.Http("iexplore.exe -nohome", "\"%1\",,-1,0", "IExplore", "WWW_OpenURL");
    EXPECT_TRUE(OpenURL("http://x.jp/a%20b", world.System()));
    EXPECT_EQ(world.dde, std::vector<std::string>{"IExplore|WWW_OpenURL|\"http://x.jp/a%20b\",,-1,0"});
    EXPECT_TRUE(world.started.empty());
    EXPECT_EQ(ui.m_trace,
              (std::vector<std::string>{"デフォルトブラウザーは IE\r\n", "http open command:<iexplore.exe -nohome>\r\n",
                                        "http open DDE:<\"%1\",,-1,0><IExplore><WWW_OpenURL>\r\n",
                                        "file open command:<iexplore.exe %1>\r\n", "file open DDE:<><><>\r\n",
                                        "\"http://x.jp/a%20b\",,-1,0\r\n"}));
    // No DDE server running: the command line, with the URL after a space
    // when it has no "%1" and untouched otherwise.
    world.bDdeAnswers = false;
    EXPECT_TRUE(OpenURL("http://x.jp/a%20b", world.System()));
    EXPECT_EQ(world.started, std::vector<std::string>{"iexplore.exe -nohome http://x.jp/a%20b"});
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(BrowserInfo, NetscapeGetsTheUrlInQuotesOnlyWithAUserFolder)
{
    CScopedFakeUi ui;
    CFakeBrowserWorld world;
    world.classes[".html"] = "NetscapeMarkup";  // ".htm" missing
    world.Http("netscape.exe -h \"%1\"", "%1", "NSShell", "WWW_OpenURL");
    CBrowserInfo info;
    ASSERT_TRUE(info.Detect(world.System()));
    EXPECT_EQ(info.m_nKind, CBrowserInfo::kNetscape);
    EXPECT_EQ(info.m_strDdeCommand, "%1");
    world.NetscapeUser();
    ASSERT_TRUE(info.Detect(world.System()));
    EXPECT_EQ(info.m_strNetscapeUserDir, "C:\\nav\\users\\me");
    EXPECT_EQ(info.m_strDdeCommand, "\"%1\"");
    EXPECT_TRUE(OpenURL("http://y.jp/", world.System()));
    EXPECT_EQ(world.dde, std::vector<std::string>{"NSShell|WWW_OpenURL|\"http://y.jp/\""});
    // A missing step of the user chain leaves the folder unknown.
    world.machine.erase("SOFTWARE\\Netscape\\Netscape Navigator\\4.7\\Main|Install Directory");
    ASSERT_TRUE(info.Detect(world.System()));
    EXPECT_TRUE(info.m_strNetscapeUserDir.empty());
}

TEST(BrowserInfo, RefusalsAndMissingBrowsers)
{
    CScopedFakeUi ui;
    CFakeBrowserWorld world;
    world.classes[".htm"] = "SomethingElse";
    world.Http("other.exe %1");
    EXPECT_FALSE(OpenURL("http://x.jp/", world.System()));
    ASSERT_EQ(ui.m_boxes.size(), 2u);
    EXPECT_EQ(ui.m_boxes[0].kind, EMessageBox::Error);
    EXPECT_EQ(ui.m_boxes[1].text, "Webﾌﾞﾗｳｻﾞがｲﾝｽﾄｰﾙされていません");
    EXPECT_TRUE(world.started.empty());
    // A command line that would not fit is refused whole, by DDE or process.
    ui.Clear();
    world.classes[".htm"] = "htmlfile";
    world.Http("iexplore.exe %1", "%1", "IExplore", "WWW_OpenURL");
    std::string longUrl = "http://x.jp/" + std::string(kMaxBrowserCommand, 'a');
    EXPECT_FALSE(OpenURL(longUrl, world.System()));
    EXPECT_TRUE(world.dde.empty());
    EXPECT_TRUE(world.started.empty());
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "コマンドラインが長すぎます");
}
