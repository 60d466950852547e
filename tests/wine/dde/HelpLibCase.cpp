// tovahlpdll in a host program: it starts the editor when none answers and
// closes it again at unload, starts nothing when one runs, and shows the keys
// of a command in its window.
#include "DdeDriver.h"
#include "platform/Wide_win.h"

namespace {

std::wstring HostCommand(const std::wstring& args) { return L"\"" + HostPath() + L"\" " + args; }

void Next()
{
    HANDLE h = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, L"TovaHelpHostNext");
    if (h) {
        ::SetEvent(h);
        ::CloseHandle(h);
    }
}

HWND EditorWindow() { return ::FindWindowW(L"TovaMainFrame", nullptr); }

HWND ReplyWindow(DWORD pid, const std::wstring& caption)
{
    HWND h = nullptr;
    WaitFor([&] { return (h = FindTopWindow(pid, L"#32770", caption.c_str())) != nullptr; }, 30000);
    return h;
}

std::wstring ProfileValue()
{
    wchar_t value[64] = {};
    ::GetPrivateProfileStringW(L"Window Position", L"KeysBoundDialog", L"", value, 64, L"tovahlpdll.INI");
    return value;
}

} // namespace

bool CaseHelpLib()
{
    ::WritePrivateProfileStringW(L"Window Position", nullptr, nullptr, L"tovahlpdll.INI");
    CHECK(!EditorWindow());
    // No editor: the library starts it minimized, shows the keys, and closes
    // it again when it is unloaded.
    {
        CProcess host;
        CHECK(host.Start(HostCommand(WideFromUtf8("パラグラフの調整 \"no such\"")), SW_SHOWNORMAL, BuildDir()));
        HWND reply = ReplyWindow(host.Pid(), WideFromUtf8("【パラグラフの整形】キー"));
        CHECK(reply);
        HWND editor = EditorWindow();
        CHECK(editor);
        CHECK(::IsIconic(editor));
        CHECK(TextOf(::GetDlgItem(reply, 1000)) == L"F4");
        ::SetWindowPos(reply, nullptr, 123, 145, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Next();
        CHECK(ReplyWindow(host.Pid(), WideFromUtf8("【no such】キー")) == reply);
        CHECK(TextOf(::GetDlgItem(reply, 1000)) == WideFromUtf8("バインドされていません"));
        DWORD editorPid = 0;
        ::GetWindowThreadProcessId(editor, &editorPid);
        HANDLE hEditor = ::OpenProcess(SYNCHRONIZE, FALSE, editorPid);
        Next();
        CHECK(host.Wait() == 1);
        CHECK(::WaitForSingleObject(hEditor, 20000) == WAIT_OBJECT_0);
        ::CloseHandle(hEditor);
        CHECK(ProfileValue() == L"123 145");
    }
    // An editor runs: the library uses it and leaves it running; its window
    // comes back where it was.
    {
        CProcess tova;
        CHECK(tova.Start(L"\"" + TovaPath() + L"\""));
        HWND editor = nullptr;
        CHECK(WaitFor([&] { return (editor = FindTopWindow(tova.Pid(), L"TovaMainFrame")) != nullptr; }));
        CProcess host;
        CHECK(host.Start(HostCommand(L"\"no such\""), SW_SHOWNORMAL, BuildDir()));
        HWND reply = ReplyWindow(host.Pid(), WideFromUtf8("【no such】キー"));
        CHECK(reply);
        RECT rc = {};
        ::GetWindowRect(reply, &rc);
        CHECK(rc.left == 123 && rc.top == 145);
        Next();
        CHECK(host.Wait() == 1);
        ::Sleep(500);
        CHECK(tova.Running());
        CHECK(::IsWindow(editor));
        // A query before InitTovaHelpDLL fails with the library's message.
        CProcess early;
        CHECK(early.Start(HostCommand(L"--no-init x"), SW_SHOWNORMAL, BuildDir()));
        HWND box = nullptr;
        CHECK(WaitFor([&] { return (box = FindTopWindow(early.Pid(), L"#32770")) != nullptr; }));
        CHECK(TextOf(::GetDlgItem(box, 0xFFFF)) == WideFromUtf8("Tova との DDE 通信に失敗しました"));
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        Next();
        CHECK(early.Wait() == 0);
        ::PostMessageW(editor, WM_CLOSE, 0, 0);
        CHECK(tova.Wait() == 0);
    }
    return true;
}

// The unpacked release: the editor opens the sample and answers a host that
// loaded the release's own tovahlpdll.dll.
bool CasePackageRuns()
{
    CProcess tova;
    CHECK(tova.Start(L"\"" + TovaPath() + L"\" \"" + BuildDir() + L"\\sample.txt\""));
    HWND editor = nullptr;
    CHECK(WaitFor([&] { return (editor = FindTopWindow(tova.Pid(), L"TovaMainFrame")) != nullptr; }));
    CHECK(WaitFor([&] { return TextOf(editor) == L"tova - sample.txt"; }));
    CProcess host;
    CHECK(host.Start(HostCommand(WideFromUtf8("パラグラフの整形")), SW_SHOWNORMAL, BuildDir()));
    HWND reply = ReplyWindow(host.Pid(), WideFromUtf8("【パラグラフの整形】キー"));
    CHECK(reply);
    CHECK(TextOf(::GetDlgItem(reply, 1000)) == L"F4");
    Next();
    CHECK(host.Wait() == 1);
    CHECK(tova.Running());
    ::PostMessageW(editor, WM_CLOSE, 0, 0);
    CHECK(tova.Wait() == 0);
    return true;
}
