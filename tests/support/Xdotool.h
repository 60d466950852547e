// Real key presses and window activation for the tests that run under Wine:
// Wine starts Unix programs too, so a Windows test program runs xdotool on the
// X display its windows are on. The keys then come through the X server like a
// user's, with hooks, key state and accelerators all in play.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace xdotool {

constexpr wchar_t kPath[] = L"/usr/bin/xdotool";

// Whether keys can be pressed here: under Wine, with xdotool installed and an X display.
inline bool Available()
{
    wchar_t display[64] = {};
    return ::GetFileAttributesW(L"Z:\\usr\\bin\\xdotool") != INVALID_FILE_ATTRIBUTES &&
           ::GetEnvironmentVariableW(L"DISPLAY", display, 64) > 0;
}

// Runs xdotool with the arguments and waits for it; true when it succeeded.
// Wine does not follow a Unix program it starts (its process handle is
// signalled at once), so a shell around it leaves the exit code in a file that
// is waited for. A thread that owns windows must pass pump, which handles its
// messages while it waits: activating a window needs its thread to answer the
// window manager.
inline bool Run(const std::wstring& args, const std::function<void()>& pump = {})
{
    static unsigned s_nRun = 0;
    std::wstring name = L"tova-xdotool-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                        std::to_wstring(::GetCurrentThreadId()) + L"-" + std::to_wstring(++s_nRun);
    std::wstring done = L"Z:\\tmp\\" + name;
    ::DeleteFileW(done.c_str());
    std::wstring line = L"/bin/sh -c \"" + std::wstring(kPath) + L" " + args + L"; echo $? >/tmp/" + name + L".part; mv /tmp/" +
                        name + L".part /tmp/" + name + L"\"";
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < 20000;) {
        HANDLE h = ::CreateFileW(done.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            char code[16] = {};
            DWORD n = 0;
            ::ReadFile(h, code, sizeof code - 1, &n, nullptr);
            ::CloseHandle(h);
            ::DeleteFileW(done.c_str());
            return code[0] == '0';
        }
        if (pump) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            pump();
        } else {
            ::Sleep(10);
        }
    }
    return false;
}

// Presses keys (xdotool key names: "ctrl+s", "shift+End", raw keycodes "106").
inline bool Keys(const std::wstring& keys, const std::function<void()>& pump = {})
{
    return Run(L"key --delay 30 " + keys, pump);
}

// The X window behind a top-level window (Wine keeps its id as a property).
inline uintptr_t XWindowOf(HWND hTop)
{
    return reinterpret_cast<uintptr_t>(::GetPropW(::GetAncestor(hTop, GA_ROOT), L"__wine_x11_whole_window"));
}

// Makes the window the active one of the X display, so keys go to it.
inline bool Activate(HWND hTop, const std::function<void()>& pump = {})
{
    uintptr_t xid = XWindowOf(hTop);
    return xid && Run(L"windowactivate --sync " + std::to_wstring(xid), pump);
}

// Clicks the left mouse button at a point of the screen.
inline bool Click(POINT pt, const std::function<void()>& pump = {})
{
    return Run(L"mousemove " + std::to_wstring(pt.x) + L" " + std::to_wstring(pt.y) + L" click 1", pump);
}

} // namespace xdotool
