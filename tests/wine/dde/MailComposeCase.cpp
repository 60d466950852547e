// The mail client starts the real editor to compose a mail: the stand-in mail
// client is told to start tova.exe with "-MAILEDIT"; a typed character and
// Send save the mail with its header separator and end the editor, and a mail
// without attachments asks nothing of the client.
#include <fstream>
#include <sstream>

#include "DdeDriver.h"
#include "platform/Wide_win.h"

namespace {

std::string ReadAll(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool TellClient(const std::string& command)
{
    CDDEClient client("Mavlen", "Command");
    uint16_t status = 0;
    return client.IsConnected() && client.Execute(command, &status) && (status & 0x8000);
}

} // namespace

bool CaseMailCompose()
{
    CRecordingUi ui;
    std::wstring log = WorkPath(L"mail.log");
    std::wstring draft = WorkPath(L"draft.txt");
    ::SetEnvironmentVariableW(L"TOVA_MAIL_LOG", log.c_str());
    CHECK(WriteBytes(draft, "Subject: s\r\nTo: a@b.jp\r\n\r\nbody\r\n"));
    CProcess client;
    CHECK(client.Start(L"\"" + BuildDir() + L"\\standin_mailclient.exe\""));
    const std::string edit = "[edit(\"" + Narrow(TovaPath()) + "\",\"" + Narrow(draft) + "\")]";
    CHECK(WaitFor([&] { return TellClient(edit); }));
    HWND main = nullptr;
    CHECK(WaitFor([&] { return (main = ::FindWindowW(L"TovaMainFrame", nullptr)) != nullptr; }));
    DWORD pid = 0;
    DWORD tid = ::GetWindowThreadProcessId(main, &pid);
    HANDLE hTova = ::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
    CHECK(hTova);
    // An editor left running would hold the test's output open to its end.
    struct CEndEditor {
        HANDLE h;
        ~CEndEditor()
        {
            if (::WaitForSingleObject(h, 0) == WAIT_TIMEOUT)
                ::TerminateProcess(h, 99);
            ::CloseHandle(h);
        }
    } endEditor{hTova};

    // A character into the body view once it has the focus (the main window
    // has it first, while the mail window is still being made), then Send.
    GUITHREADINFO gti = {sizeof gti};
    auto bodyHasFocus = [&] {
        wchar_t cls[64] = {};
        return ::GetGUIThreadInfo(tid, &gti) && gti.hwndFocus && ::GetClassNameW(gti.hwndFocus, cls, 64) &&
               std::wstring(cls) == L"TovaEditView";
    };
    CHECK(WaitFor(bodyHasFocus));
    ::PostMessageW(gti.hwndFocus, WM_CHAR, 'x', 1);
    ::Sleep(300);
    ::PostMessageW(main, WM_COMMAND, 32842, 0);
    bool bEnded = ::WaitForSingleObject(hTova, 20000) == WAIT_OBJECT_0;
    if (!bEnded)
        std::fprintf(stderr, "the editor did not end; the draft holds:\n%s\n", ReadAll(draft).c_str());
    CHECK(bEnded);
    CHECK_EQ_S(ReadAll(draft), "Subject: s\r\nTo: a@b.jp\r\n--------\r\nxbody\r\n");
    CHECK(TellClient("[quit]"));
    CHECK(client.Wait() == 0);
    std::string lines = ReadAll(log);
    CHECK_EQ_S(lines, "start \"" + Narrow(BuildDir()) + "\\standin_mailclient.exe\"\ndde " + edit + "\n");
    CHECK(ui.m_boxes.empty());
    return true;
}
