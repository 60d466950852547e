// The running editor's two conversations: the shell's "system" topic opening
// files, and the key binding queries.
#include "DdeDriver.h"
#include "platform/Wide_win.h"
#include "text/Unicode.h"

namespace {

constexpr unsigned kAboutCommand = 57664;

std::vector<HWND> DocWindows(HWND main)
{
    std::vector<HWND> windows;
    HWND client = ::FindWindowExW(main, nullptr, L"MDIClient", nullptr);
    for (HWND h = ::GetWindow(client, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        wchar_t cls[64] = {};
        ::GetClassNameW(h, cls, 64);
        if (std::wstring(cls) == L"TovaDocFrame")
            windows.push_back(h);
    }
    return windows;
}

} // namespace

bool CaseDdeEditor()
{
    CRecordingUi ui;
    std::wstring japanese = WorkPath(WideFromUtf8("日本語の文書.txt"));
    CHECK(WriteBytes(japanese, "text\r\n"));
    CHECK(WriteBytes(WorkPath(L"b.txt"), "b\r\n"));
    CProcess tova;
    CHECK(tova.Start(L"\"" + TovaPath() + L"\""));
    HWND main = nullptr;
    CHECK(WaitFor([&] { return (main = FindTopWindow(tova.Pid(), L"TovaMainFrame")) != nullptr; }));

    // The shell's form, with a name in Shift-JIS that travels as UTF-16.
    CDDEClient shell("TOVA", "System");
    CHECK(shell.IsConnected());
    CHECK(shell.GetServer() == main);
    uint16_t status = 0;
    CHECK(shell.Execute("[open(-max,\"" + Narrow(japanese) + "\")]", &status));
    CHECK(status == 0x8000);
    CHECK(WaitFor([&] { return DocWindows(main).size() == 1; }));
    CHECK(TextOf(DocWindows(main)[0]) == WideFromUtf8("日本語の文書.txt"));
    // An empty name is skipped (no offer to create it); a command longer than
    // the buffer is refused, not cut.
    CHECK(shell.Execute("[open(\"\")]", &status));
    CHECK(status == 0x8000);
    CHECK(shell.Execute("[open(" + std::string(600, 'x') + ")]", &status));
    CHECK(status == 0x0000);
    ::Sleep(300);
    CHECK(!FindTopWindow(tova.Pid(), L"#32770"));
    CHECK(DocWindows(main).size() == 1);
    // While a modal dialog is open the command is answered busy and not run.
    ::PostMessageW(main, WM_COMMAND, kAboutCommand, 0);
    HWND about = nullptr;
    CHECK(WaitFor([&] { return (about = FindTopWindow(tova.Pid(), L"#32770")) != nullptr; }));
    DWORD t0 = ::GetTickCount();
    CHECK(shell.Execute("[open(\"" + Narrow(WorkPath(L"b.txt")) + "\")]", &status));
    CHECK(status == 0x4000);
    CHECK(::GetTickCount() - t0 < 5000);
    ::PostMessageW(about, WM_COMMAND, IDOK, 0);
    CHECK(WaitFor([&] { return !::IsWindow(about); }));
    CHECK(DocWindows(main).size() == 1);

    // Key binding queries: the keys of a command by its description.
    CDataClient keys("Tova", "KeyBinding");
    CHECK(keys.IsConnected());
    CHECK(keys.Request(Utf8ToSjis("パラグラフの整形"), CF_TEXT));
    CHECK_EQ_S(keys.m_strData, "F4");
    CHECK(keys.Request("no such command", CF_TEXT));
    CHECK_EQ_S(keys.m_strData, "");
    // Any letter case opens the conversation; only the exact topic answers.
    CDataClient lower("TOVA", "keybinding");
    CHECK(lower.IsConnected());
    CHECK(!lower.Request(Utf8ToSjis("パラグラフの整形"), CF_TEXT));
    CHECK(lower.GetStatus() == 0x00FF);
    // Executes keep the server's base answers.
    CHECK(lower.Execute("[open(a,b)]", &status));
    CHECK(status == 0x80FF);
    CHECK(lower.Execute("[open(a", &status));
    CHECK(status == 0x8080);
    HWND box = nullptr;
    CHECK(WaitFor([&] { return (box = FindTopWindow(tova.Pid(), L"#32770")) != nullptr; }));
    CHECK(TextOf(::GetDlgItem(box, 0xFFFF)) == L"DDE command syntax error in:\n[open(a");
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    CHECK(WaitFor([&] { return !::IsWindow(box); }));

    ::PostMessageW(main, WM_CLOSE, 0, 0);
    CHECK(tova.Wait() == 0);
    return true;
}
