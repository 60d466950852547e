// The editor in its mail modes against the stand-in mail client and
// address-book editor, in-process: the stand-ins are real programs reached by
// DDE and started from the registry, as the real ones would be.
#include "ShellTestSupport.h"
#include "ViewShot.h"

#include <filesystem>
#include <fstream>
#include <utility>

#include "app/ChildFrame_win.h"
#include "app/MailCommands_win.h"
#include "fw/DocFlow_win.h"
#include "keys/CommandIds.h"
#include "mail/MailClientLink.h"
#include "services/DDEClient_win.h"
#include "services/FileUtils.h"
#include "text/Doc.h"
#include "view/Caret.h"
#include "view/Vu.h"

namespace {

// The build folder, where the stand-ins are (the tests run there).
std::wstring ProgramDir()
{
    wchar_t dir[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, dir);
    return dir;
}

void SetValue(HKEY hRoot, const std::wstring& path, const wchar_t* name, const std::wstring& value)
{
    ::RegSetKeyValueW(hRoot, path.c_str(), name, REG_SZ, value.c_str(),
                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// Runs act from a timer while the program waits inside a command.
struct CTimerAct {
    static inline std::function<void()> s_act;
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD)
    {
        ::KillTimer(nullptr, id);
        if (auto act = std::exchange(s_act, nullptr))
            act();
    }
    explicit CTimerAct(std::function<void()> act)
    {
        s_act = std::move(act);
        ::SetTimer(nullptr, 0, 200, Fire);
    }
    ~CTimerAct() { s_act = nullptr; }
};

class MailLinkTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        std::wstring dir = ProgramDir();
        ::SetEnvironmentVariableW(L"TOVA_MAIL_LOG", Wide(File("mail.log")).c_str());
        ::SetEnvironmentVariableW(L"TOVA_MAIL_FOLDER", Wide(File("inbox")).c_str());
        ::SetEnvironmentVariableW(L"TOVA_EDITOR_SERVICE", L"tova_mail_tests");
        m_strClient = L"\"" + dir + L"\\standin_mailclient.exe\"";
        SetValue(HKEY_CLASSES_ROOT, L"Trash.Document\\shell\\open\\command", nullptr, m_strClient + L" \"%1\"");
        // The client's own program in a folder with a blank, its settings file
        // naming the address-book editor by full path, the address file by name.
        std::filesystem::create_directory(File("Mail Client"));
        std::filesystem::create_directory(File("inbox"));
        ::CopyFileW((dir + L"\\standin_mailclient.exe").c_str(), Wide(File("Mail Client\\Mavlen.exe")).c_str(),
                    FALSE);
        SetValue(HKEY_CURRENT_USER, L"Software\\Brellix\\Mavlen", L"ModuleFile", Wide(File("Mail Client\\Mavlen.exe")));
        m_dir.Write("Mail Client\\Mavlen.ini",
                    "[Global Parameters]\r\nAliasEditor=" + Narrow(dir) + "\\standin_aliaseditor.exe\r\n");
        m_dir.Write("Mail Client\\Aliases.ali", "");
    }
    void TearDown() override
    {
        CloseMailClientLink();
        // Every instance, so that none logs into the next test's folder.
        for (int i = 0; i < 5 && Tell(L"Mavlen", L"Command", "[quit]"); ++i)
            ::Sleep(200);
        for (int i = 0; i < 5 && Tell(L"Alias", L"system", "[quit]"); ++i)
            ::Sleep(200);
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Trash.Document");
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Brellix\\Mavlen");
        ::SetEnvironmentVariableW(L"TOVA_MAIL_LOG", nullptr);
        ShellTest::TearDown();
    }
    // A command to a stand-in, when it runs.
    static bool Tell(const wchar_t* service, const wchar_t* topic, const std::string& command)
    {
        CDDEClient client(Narrow(service), Narrow(topic));
        uint16_t status = 0;
        return client.IsConnected() && client.Execute(command, &status);
    }
    // The log of the stand-ins once it holds n lines (waiting up to five seconds).
    std::vector<std::string> Log(size_t n)
    {
        std::vector<std::string> lines;
        for (int i = 0; i < 100; ++i) {
            lines.clear();
            std::ifstream in(File("mail.log"));
            for (std::string line; std::getline(in, line);)
                lines.push_back(line);
            if (lines.size() >= n)
                break;
            Pump();
            ::Sleep(50);
        }
        return lines;
    }
    // What the boxes said, for a failure's report.
    std::string BoxTexts() const
    {
        std::string texts;
        for (const auto& box : m_ui.m_boxes)
            texts += "[" + box.text + "] ";
        return texts;
    }
    std::vector<std::string> Titles() const
    {
        std::vector<std::string> titles;
        for (CMDIChildWnd* pChild : Main()->GetChildFrames())
            titles.push_back(pChild->GetDocument()->GetTitle());
        return titles;
    }
    CDoc* ActiveDoc() const { return dynamic_cast<CDoc*>(Main()->MDIGetActive()->GetDocument()); }
    bool Enabled(unsigned nId) const { return Main()->GetRoute().QueryState(nId).IsEnabled(); }

    std::wstring m_strClient;
};

} // namespace

TEST_F(MailLinkTest, ReadingMovesThroughTheFolderInOneWindowRepliesForwardsAndRegistersAnAddress)
{
    for (int i = 1; i <= 3; ++i)
        m_dir.Write("inbox\\000" + std::to_string(i) + ".txt",
                    "Subject: mail " + std::to_string(i) + "\r\nFrom: x@y.jp\r\n\r\nwrite to friend@example.jp\r\n");
    ASSERT_TRUE(Start("-MAIL \"" + File("inbox\\0001.txt") + "\""));
    ASSERT_EQ(Titles(), std::vector<std::string>{"0001.txt"});
    EXPECT_TRUE(Enabled(ID_MAIL_REPLY));
    EXPECT_FALSE(Enabled(ID_MAIL_SEND));

    // The client is not running: the first reply starts it from the document
    // type's open command (without its "%1") and then sends Reply.
    const std::string folderFile = File("inbox") + ".fld";
    EXPECT_TRUE(Main()->RunCommand(ID_MAIL_REPLY));
    EXPECT_EQ(Log(2), (std::vector<std::string>{"start " + Narrow(m_strClient),
                                                 "dde [Reply(\"" + folderFile + "\",\"0001\")]"}));

    // Next and previous: the client opens the neighbour in the editor, and the
    // window of the mail before goes; at the end of the folder the mail stays.
    Main()->RunCommand(ID_MAIL_NEXT);
    EXPECT_EQ(Titles(), std::vector<std::string>{"0002.txt"});
    Main()->RunCommand(ID_MAIL_NEXT);
    EXPECT_EQ(Titles(), std::vector<std::string>{"0003.txt"});
    Main()->RunCommand(ID_MAIL_NEXT);
    EXPECT_EQ(Titles(), std::vector<std::string>{"0003.txt"});
    Main()->RunCommand(ID_MAIL_PREV);
    EXPECT_EQ(Titles(), std::vector<std::string>{"0002.txt"});
    Pump();
    Pump();  // the toolbar paints what the idle work set
    CViewShot(Main()->GetHwnd()).Save("mail-read-after-prev");
    Main()->RunCommand(ID_MAIL_FORWARD);
    Main()->RunCommand(ID_MAIL_NEXT_UNREAD);
    EXPECT_EQ(Log(8), (std::vector<std::string>{"start " + Narrow(m_strClient),
                                                 "dde [Reply(\"" + folderFile + "\",\"0001\")]", "dde [View(\"Next\")]",
                                                 "dde [View(\"Next\")]", "dde [View(\"Next\")]", "dde [View(\"Prev\")]",
                                                 "dde [Forward(\"" + folderFile + "\",\"0002\")]",
                                                 "dde [View(\"NextRecv\")]"}));
    EXPECT_EQ(m_ui.m_nBeeps, 0);
    EXPECT_TRUE(m_ui.m_boxes.empty());

    // While a command waits for the client, the mail commands are off and do
    // nothing; the window the command came from, closed meanwhile, is not
    // closed again.
    ASSERT_TRUE(Tell(L"Mavlen", L"Command", "[slow(View)]"));
    bool bOffMeanwhile = false;
    {
        CTimerAct act([&] {
            bOffMeanwhile = !Enabled(ID_MAIL_NEXT) && !Enabled(ID_MAIL_REPLY) && !Main()->RunCommand(ID_MAIL_PREV);
            ::SendMessageW(Main()->MDIGetActive()->GetHwnd(), WM_CLOSE, 0, 0);
        });
        Main()->RunCommand(ID_MAIL_NEXT);
    }
    EXPECT_TRUE(bOffMeanwhile);
    EXPECT_EQ(Titles(), std::vector<std::string>{"0003.txt"});
    EXPECT_EQ(Log(9).size(), 9u);
    EXPECT_EQ(Log(9).back(), "dde [View(\"Next\")]");
    EXPECT_EQ(m_ui.m_nBeeps, 0);
    EXPECT_TRUE(Enabled(ID_MAIL_NEXT));
    // A refused command beeps.
    ASSERT_TRUE(Tell(L"Mavlen", L"Command", "[refuse(Reply)]"));
    Main()->RunCommand(ID_MAIL_REPLY);
    EXPECT_EQ(m_ui.m_nBeeps, 1);

    // An address in the text: into the address book through the address-book
    // editor (started as the settings file says), and a new mail to it.
    CVu* pVu = m_pApp->GetActiveVu();
    ASSERT_NE(pVu, nullptr);
    pVu->Caret().SetCell(12 - pVu->m_nLeftCol, 0 - pVu->m_nTopLine);
    Pump();
    Main()->RunCommand(ID_REGISTER_ADDRESS);
    std::vector<std::string> log = Log(12);
    ASSERT_EQ(log.size(), 12u) << BoxTexts();
    EXPECT_EQ(log[10], "start " + Narrow(ProgramDir()) + "\\standin_aliaseditor.exe \"" + File("Mail Client") +
                           "\\Aliases.ali\"");
    EXPECT_EQ(log[11], "dde [Append(\"friend@example.jp\")]");
    pVu->Caret().SetCell(12 - pVu->m_nLeftCol, 0 - pVu->m_nTopLine);
    Pump();
    Main()->RunCommand(ID_OPEN_URL);
    log = Log(13);
    ASSERT_EQ(log.size(), 13u);
    EXPECT_EQ(log[12], "start \"" + File("Mail Client\\Mavlen.exe") + "\" -mailto friend@example.jp");
    EXPECT_EQ(m_ui.m_boxes.size(), 0u);
    EXPECT_EQ(CloseAndRun(), 0);
}

TEST_F(MailLinkTest, ComposingSendsTheAttachmentsAndQuitsButNeverAfterAFailedStep)
{
    m_dir.Write("draft.txt", "Subject: s\r\nTo: a@b.jp\r\n\r\nbody\r\n");
    m_dir.Write("a.doc", "a");
    m_dir.Write("b c.zip", "b");
    ASSERT_TRUE(Start("-MAILEDIT \"" + File("draft.txt") + "\""));
    CDoc* pDoc = ActiveDoc();
    ASSERT_NE(pDoc, nullptr);
    EXPECT_FALSE(Enabled(ID_MAIL_SEND));  // nothing changed yet
    EXPECT_FALSE(Enabled(ID_MAIL_REPLY));

    // Half-width katakana: the save refuses, nothing is sent, nothing is lost.
    const char* kana = "\xB1\xB2";
    pDoc->m_Lines.InsertLines(0, &kana, 1);
    pDoc->SetModifiedFlag(true);
    ASSERT_TRUE(Enabled(ID_MAIL_SEND));
    Main()->RunCommand(ID_MAIL_SEND);
    ASSERT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(m_ui.m_boxes[0].text,
              "このファイルには半角カタカナ類のコードが含まれています。\n\n「半角カタカナ検索」機能で修正してください。");
    EXPECT_EQ(m_dir.Read("draft.txt"), "Subject: s\r\nTo: a@b.jp\r\n\r\nbody\r\n");
    EXPECT_TRUE(pDoc->m_bChanged);
    EXPECT_TRUE(Log(0).empty());
    pDoc->m_Lines.DeleteLines(0, 1, true);

    // Two attachments; the client (started by the link) refuses the first
    // Attach: the mail is saved but stays changed and open, and closing the
    // window asks to send it, fails the same way and keeps the window.
    Main()->GetAttachBar().AddFile(File("a.doc"));
    Main()->GetAttachBar().AddFile(File("b c.zip"));
    std::wstring client = m_strClient;
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(::CreateProcessW(nullptr, client.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    ASSERT_EQ(Log(1).size(), 1u);
    for (int i = 0; i < 50 && !Tell(L"Mavlen", L"Command", "[refuse(Attach)]"); ++i)
        ::Sleep(100);
    Main()->RunCommand(ID_MAIL_SEND);
    const std::string attach =
        "dde [Attach(\"" + File("draft.txt") + "\",\"" + File("a.doc") + "\",\"" + File("b c.zip") + "\")]";
    EXPECT_EQ(Log(2).back(), attach);
    EXPECT_EQ(m_dir.Read("draft.txt"), "Subject: s\r\nTo: a@b.jp\r\n--------\r\nbody\r\n");
    EXPECT_TRUE(pDoc->m_bChanged);
    EXPECT_EQ(m_ui.m_nBeeps, 1);
    ASSERT_TRUE(Tell(L"Mavlen", L"Command", "[refuse(Attach)]"));
    m_ui.AnswerNext(true);
    ::SendMessageW(Main()->GetHwnd(), WM_CLOSE, 0, 0);
    ASSERT_NE(Main(), nullptr);
    ASSERT_EQ(m_ui.m_boxes.size(), 2u);
    EXPECT_EQ(m_ui.m_boxes[1].text, File("draft.txt") + " を送信しますか");
    EXPECT_EQ(Log(3).size(), 3u);
    EXPECT_EQ(m_pApp->GetDocuments().size(), 1u);

    // Accepted: the editor quits by itself.
    Main()->RunCommand(ID_MAIL_SEND);
    EXPECT_EQ(Log(4).back(), attach);
    EXPECT_FALSE(pDoc->m_bChanged);
    EXPECT_EQ(m_pApp->RunMessageLoop(), 0);
    EXPECT_EQ(m_ui.m_boxes.size(), 2u);
}

TEST_F(MailLinkTest, AfterASendTheOtherChangedMailsAreStillAskedAboutAndKeepTheirFileTime)
{
    m_dir.Write("one.txt", "Subject: 1\r\n\r\nbody\r\n");
    m_dir.Write("two.txt", "Subject: 2\r\n\r\nbody\r\n");
    ASSERT_TRUE(Start("-MAILEDIT \"" + File("one.txt") + "\" \"" + File("two.txt") + "\""));
    ASSERT_EQ(m_pApp->GetDocuments().size(), 2u);
    auto* pTwo = dynamic_cast<CDoc*>(m_pApp->GetDocuments()[1]);
    ASSERT_NE(pTwo, nullptr);
    // two.txt was saved since it was opened: its file time changed.
    const int64_t before = FileTimeOf(File("two.txt"));
    ::Sleep(50);
    pTwo->SetModifiedFlag(true);
    ASSERT_TRUE(DoSave(pTwo, false));
    ASSERT_NE(FileTimeOf(File("two.txt")), before);
    ASSERT_TRUE(pTwo->m_bChanged);
    // Without attachments the send needs no mail client.
    auto* pOne = dynamic_cast<CDoc*>(m_pApp->GetDocuments()[0]);
    pOne->SetModifiedFlag(true);
    for (CMDIChildWnd* pChild : Main()->GetChildFrames())
        if (pChild->GetDocument() == pOne)
            pChild->MDIActivate();
    ASSERT_EQ(ActiveDoc(), pOne);
    m_ui.AnswerNext(false);  // not two.txt
    Main()->RunCommand(ID_MAIL_SEND);
    EXPECT_EQ(m_pApp->RunMessageLoop(), 0);
    ASSERT_EQ(m_ui.m_boxes.size(), 1u) << BoxTexts();
    EXPECT_EQ(m_ui.m_boxes[0].text, File("two.txt") + " を送信しますか");
    EXPECT_EQ(m_dir.Read("one.txt"), "Subject: 1\r\n--------\r\nbody\r\n");
    EXPECT_EQ(FileTimeOf(File("two.txt")), before);
    EXPECT_TRUE(Log(0).empty());
}
