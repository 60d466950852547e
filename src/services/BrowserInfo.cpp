// Browser detection from the registry and the launch of a URL.
#include "services/BrowserInfo.h"

#include "platform/Messages.h"
#include "services/StringUtils.h"

namespace {

constexpr size_t kTypeMax = 128;
constexpr size_t kCommandMax = 1024;
constexpr size_t kDdeCommandMax = 256;
constexpr size_t kDdeNameMax = 128;
constexpr size_t kDirMax = 260;
constexpr char kNavigator[] = "SOFTWARE\\Netscape\\Netscape Navigator";

bool Read(const CBrowserSystem& system, const std::string& path, size_t nMax, std::string& value)
{
    value.clear();
    if (!system.readClass || !system.readClass(path, nMax, value)) {
        value.clear();
        return false;
    }
    return true;
}

bool ReadMachine(const CBrowserSystem& system, const std::string& path, const char* name, size_t nMax,
                 std::string& value)
{
    value.clear();
    if (!system.readMachine || !system.readMachine(path, name, nMax, value)) {
        value.clear();
        return false;
    }
    return true;
}

// The folder of the current Netscape user; each step must be there.
std::string NetscapeUserDir(const CBrowserSystem& system)
{
    std::string version, install, user, dir;
    if (!ReadMachine(system, kNavigator, "CurrentVersion", kDirMax, version) ||
        !ReadMachine(system, std::string(kNavigator) + "\\" + version + "\\Main", "Install Directory", kDirMax,
                     install) ||
        !ReadMachine(system, std::string(kNavigator) + "\\Users", "CurrentUser", kDirMax, user) ||
        !ReadMachine(system, std::string(kNavigator) + "\\Users\\" + user, "DirRoot", kDirMax, dir))
        return {};
    return dir;
}

// A file type's own open command, for the trace log only.
void TraceFileOpen(const CBrowserSystem& system, const std::string& type)
{
    std::string base = type + "\\shell\\open\\";
    std::string command, dde, app, topic;
    if (Read(system, base + "command", kCommandMax, command))
        TraceLog("file open command:<%s>\r\n", command.c_str());
    Read(system, base + "ddeexec", kDdeCommandMax, dde);
    Read(system, base + "ddeexec\\Application", kDdeNameMax, app);
    Read(system, base + "ddeexec\\Topic", kDdeNameMax, topic);
    TraceLog("file open DDE:<%s><%s><%s>\r\n", dde.c_str(), app.c_str(), topic.c_str());
}

} // namespace

bool CBrowserInfo::Detect(const CBrowserSystem& system)
{
    *this = CBrowserInfo();
    std::string type;
    if (!Read(system, ".htm", kTypeMax, type))
        Read(system, ".html", kTypeMax, type);
    if (type == "htmlfile") {
        m_nKind = kExplorer;
        TraceLog("デフォルトブラウザーは IE\r\n");
    } else if (type == "NetscapeMarkup") {
        m_nKind = kNetscape;
        TraceLog("デフォルトブラウザーは Netscape\r\n");
    } else {
        ErrorBox("Netscape も Internet Explorer もｲﾝｽﾄｰﾙされていません\n"
                 ".htm および／または .html が、htmlfile(IE) または NetscapeMarkup(NN) というﾌｧｲﾙﾀｲﾌﾟになっている必要があります");
        return false;
    }
    m_strNetscapeUserDir = NetscapeUserDir(system);
    if (Read(system, "http\\shell\\open\\command", kCommandMax, m_strHttpCommand)) {
        TraceLog("http open command:<%s>\r\n", m_strHttpCommand.c_str());
        std::string dde, app, topic;
        if (Read(system, "http\\shell\\open\\ddeexec", kDdeCommandMax, dde) &&
            Read(system, "http\\shell\\open\\ddeexec\\Application", kDdeNameMax, app) &&
            Read(system, "http\\shell\\open\\ddeexec\\Topic", kDdeNameMax, topic)) {
            // Netscape takes a bare URL by DDE only in double quotes.
            if (!m_strNetscapeUserDir.empty() && dde == "%1")
                dde = "\"%1\"";
            m_strDdeCommand = dde;
            m_strDdeApplication = app;
            m_strDdeTopic = topic;
        }
        TraceLog("http open DDE:<%s><%s><%s>\r\n", m_strDdeCommand.c_str(), m_strDdeApplication.c_str(),
                 m_strDdeTopic.c_str());
    }
    TraceFileOpen(system, m_nKind == kExplorer ? "htmlfile" : "NetscapeMarkup");
    return true;
}

bool OpenURL(const std::string& url, const CBrowserSystem& system)
{
    CBrowserInfo info;
    info.Detect(system);
    if (!info.m_strDdeCommand.empty() && system.ddeExecute) {
        std::string command = SubstituteArgument(info.m_strDdeCommand.c_str(), url.c_str());
        if (command.size() <= kMaxBrowserCommand) {
            TraceLog("%s\r\n", command.c_str());
            if (system.ddeExecute(info.m_strDdeApplication, info.m_strDdeTopic, command))
                return true;
        }
    }
    if (info.m_strHttpCommand.empty()) {
        InfoBox("Webﾌﾞﾗｳｻﾞがｲﾝｽﾄｰﾙされていません");
        return false;
    }
    std::string command = SubstituteArgument(info.m_strHttpCommand.c_str(), url.c_str());
    if (command.size() > kMaxBrowserCommand) {
        ErrorBox("コマンドラインが長すぎます");
        return false;
    }
    TraceLog("%s\r\n", command.c_str());
    return system.startProcess && system.startProcess(command);
}
