// Two processes talk DDE: this driver's clients against a server process
// (this program started again with --serve), every transaction kind, the
// answers' status words and the server's exact messages.
#include <dde.h>

#include <cstring>

#include "DdeDriver.h"
#include "services/DDEClient_win.h"
#include "services/DDEServer_win.h"
#include "text/Unicode.h"

namespace {

constexpr char kService[] = "TovaPeer";

// The server side: logs what it is handed and every box it would show.
class CPeerServer : public CDDEServer {
public:
    explicit CPeerServer(FILE* log) : CDDEServer(kService, "Data"), m_log(log) {}

protected:
    uint8_t OnExecute(const std::string& strTopic, const std::string& strCommand,
                      const std::vector<std::string>& args) override
    {
        std::fprintf(m_log, "execute %s %s", strTopic.c_str(), strCommand.c_str());
        for (const std::string& a : args)
            std::fprintf(m_log, " <%s>", a.c_str());
        std::fputs("\n", m_log);
        std::fflush(m_log);
        if (strCommand == "quit") {
            ::PostQuitMessage(0);
            return 0;
        }
        return strCommand == "echo" ? 0x01 : CDDEServer::OnExecute(strTopic, strCommand, args);
    }
    uint8_t OnPoke(const std::string& /*strTopic*/, const std::string& strItem, const unsigned char* pData,
                   size_t nLength, uint16_t nFormat) override
    {
        std::string bytes(reinterpret_cast<const char*>(pData), strnlen(reinterpret_cast<const char*>(pData), nLength));
        std::fprintf(m_log, "poke %s %u %s\n", strItem.c_str(), nFormat, bytes.c_str());
        std::fflush(m_log);
        return 0x02;
    }
    bool OnRequest(const std::string& /*strTopic*/, const std::string& strItem, uint16_t /*nFormat*/,
                   const void*& pData, size_t& nLength) override
    {
        if (strItem == "missing")
            return false;
        m_reply = "value of " + strItem;
        pData = m_reply.c_str();
        nLength = m_reply.size() + 1;
        return true;
    }

private:
    FILE* m_log;
    std::string m_reply;
};

class CLogUi : public IUi {
public:
    explicit CLogUi(FILE* log) : m_log(log) {}
    bool ShowMessageBox(EMessageBox, const char* text) override
    {
        std::fprintf(m_log, "box: %s\n", text);
        std::fflush(m_log);
        return false;
    }
    void ShowStatusMessage(const char*) override {}
    void ErrorBeep() override {}

private:
    FILE* m_log;
};

std::string ReadFileBytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                             nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return bytes;
    char buf[4096];
    DWORD n = 0;
    while (::ReadFile(h, buf, sizeof buf, &n, nullptr) && n)
        bytes.append(buf, n);
    ::CloseHandle(h);
    return bytes;
}

std::string Hex(unsigned v, int width)
{
    char s[16];
    std::snprintf(s, sizeof s, "%0*x", width, v);
    return s;
}

} // namespace

int ServeMain(const std::wstring& logPath)
{
    FILE* log = _wfopen(logPath.c_str(), L"wb");
    if (!log)
        return 2;
    CLogUi ui(log);
    SetUi(&ui);
    {
        CPeerServer server(log);
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        std::fputs("server done\n", log);
    }
    std::fclose(log);
    SetUi(nullptr);
    return 0;
}

bool CaseDdePair()
{
    CRecordingUi ui;
    // Nobody serves it yet: no conversation, and nothing is sent.
    {
        CDDEClient none(kService, "Data");
        CHECK(!none.IsConnected());
        CHECK(none.GetState() == CDDEClient::kNone);
        CHECK(!none.Execute("[echo]"));
        CHECK(ui.m_nBeeps == 1);
    }
    std::wstring logPath = WorkPath(L"server.log");
    CProcess server;
    CHECK(server.Start(L"\"" + SelfPath() + L"\" --serve \"" + logPath + L"\""));
    CHECK(WaitFor([] { return ::FindWindowW(nullptr, L"DDEServer - TovaPeer") != nullptr; }));

    CDataClient first(kService, "DATA");  // the topic in any letter case
    CHECK(first.IsConnected());
    uint16_t status = 0;
    // Execute: the handler's code comes back with the acknowledged bit; the
    // base answers 0xFF; a malformed command 0x80 and the syntax message.
    CHECK(first.Execute("[echo(a,\"b,c\")]", &status));
    CHECK(status == 0x8001);
    CHECK(first.Execute("[open(a,b)]", &status));
    CHECK(status == 0x80FF);
    CHECK(first.Execute("[open(a", &status));
    CHECK(status == 0x8080);
    // Arguments are quoted on the way; one the quoting cannot carry is refused
    // and nothing is sent.
    CHECK(first.ExecuteCommand("echo", {"a b", "\"x\"", Utf8ToSjis("日本語 ファイル.txt")}, &status));
    CHECK(status == 0x8001);
    CHECK(!first.ExecuteCommand("echo", {"a\",\"b"}));
    CHECK(!first.ExecuteCommand("ec(ho", {"a"}));
    CHECK(ui.m_boxes.size() == 2);
    // Text in the bytes of an ANSI window's sender reads the same as the wide form.
    {
        std::string sjis = "[echo(" + Utf8ToSjis("表示") + ")]";
        HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, sjis.size() + 1);
        std::memcpy(::GlobalLock(h), sjis.c_str(), sjis.size() + 1);
        ::GlobalUnlock(h);
        CDDEClient raw(kService, "Data");
        CHECK(raw.IsConnected());
        CHECK(::PostMessageW(raw.GetServer(), WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(raw.GetHwnd()),
                             reinterpret_cast<LPARAM>(h)));
        ::Sleep(300);
        raw.Terminate();
        // raw's conversation replaced first's: start first's again (the
        // server no longer answers its terminate).
        first.SetTimeLimit(1000);
        CHECK(first.Reconnect());
        first.SetTimeLimit(CDDEClient::kTransactionLimit);
    }
    // Poke.
    CHECK(first.Poke("item", "data", 4));
    CHECK(first.GetStatus() == 0x8002);
    // Request: the data, or a refusal that ends the wait at once.
    CHECK(first.Request(Utf8ToSjis("項目"), CF_TEXT));
    CHECK(first.m_strData == Utf8ToSjis("value of 項目"));
    DWORD t0 = ::GetTickCount();
    CHECK(!first.Request("missing", CF_TEXT));
    CHECK(::GetTickCount() - t0 < 3000);
    CHECK(first.GetStatus() == 0x00FF);
    CHECK(first.GetState() == CDDEClient::kConnected);
    // Advise and unadvise; the second of each is refused with its message.
    CHECK(first.Advise("thing", CF_TEXT));
    CHECK(first.GetStatus() == 0x8000);
    CHECK(first.Advise("thing", CF_TEXT));
    CHECK(first.GetStatus() == 0x0000);
    CHECK(first.Unadvise("thing", 0));
    CHECK(first.GetStatus() == 0x8000);
    CHECK(first.Unadvise("thing", CF_TEXT));
    CHECK(first.GetStatus() == 0x0000);

    // A second client replaces the first; the first one's messages are not
    // answered, and a wait that runs out is a failure that leaves it idle.
    CDataClient second(kService, "Data");
    CHECK(second.IsConnected());
    first.SetTimeLimit(600);
    CHECK(!first.Execute("[echo(late)]"));
    CHECK(first.GetState() == CDDEClient::kConnected);
    CHECK(!first.Poke("item", "x", 1));
    CHECK(!first.Request("thing", CF_TEXT));
    CHECK(!first.Advise("thing", CF_TEXT));
    CHECK(!first.Unadvise("thing", CF_TEXT));
    ::PostMessageW(second.GetServer(), WM_DDE_ACK, reinterpret_cast<WPARAM>(first.GetHwnd()),
                   ::PackDDElParam(WM_DDE_ACK, 0x8000, ::GlobalAddAtomW(L"stray")));
    CHECK(second.Request("thing", CF_TEXT));
    CHECK(second.m_strData == "value of thing");

    CHECK(second.Execute("[quit]", &status));
    CHECK(server.Wait() == 0);
    // The terminate of the closing server ended second's conversation.
    CHECK(WaitFor([&] {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
        return !second.IsConnected();
    }));

    std::string log = ReadFileBytes(logPath);
    std::string firstHwnd4 = Hex(static_cast<unsigned>(reinterpret_cast<uintptr_t>(first.GetHwnd())), 4);
    std::string firstHwnd8 = Hex(static_cast<unsigned>(reinterpret_cast<uintptr_t>(first.GetHwnd())), 8);
    std::string expected = "execute DATA echo <a> <b,c>\n"
                           "execute DATA open <a> <b>\n"
                           "box: DDE command syntax error in:\n[open(a\n"
                           "execute DATA echo <a b> <x> <" +
                           Utf8ToSjis("日本語 ファイル.txt") +
                           ">\n"
                           "execute Data echo <" +
                           Utf8ToSjis("表示") +
                           ">\n"
                           "poke item 1 data\n"
                           "box: already advising\n"
                           "box: thing not my item\n"
                           "box: " + firstHwnd4 + " is not my client\n"
                           "box: " + firstHwnd4 + " is not my client\n"
                           "box: " + firstHwnd8 + " is not my client\n"
                           "box: " + firstHwnd8 + " not my client\n"
                           "box: " + firstHwnd8 + " not my client\n"
                           "box: " + firstHwnd8 + " not my client\n"
                           "execute Data quit\n"
                           "server done\n";
    CHECK_EQ_S(log, expected);
    return true;
}
