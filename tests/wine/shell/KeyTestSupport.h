// Keys pressed for real in the in-process tests: a fixture that opens a file,
// brings its window to the front of the X display and presses keys with
// xdotool; a command target that records the commands keys run; a recorder of
// the messages the thread takes from its queue.
#pragma once
#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "ShellTestSupport.h"
#include "fw/MdiChildWnd_win.h"
#include "fw/View_win.h"
#include "keys/CommandIds.h"
#include "support/Xdotool.h"

// Runs the commands of its set (recording them) before anything else can.
class CCommandSpy : public CCmdTarget {
public:
    explicit CCommandSpy(std::set<unsigned> ids) : m_ids(std::move(ids)) {}
    bool OnCommand(unsigned nId, CCmdUi* pUi) override
    {
        if (!m_ids.count(nId))
            return false;
        if (!pUi)
            m_ran.push_back(nId);
        return true;
    }

    std::set<unsigned> m_ids;
    std::vector<unsigned> m_ran;
};

// Every message the thread takes from its queue while the recorder lives
// (keys swallowed by a keyboard hook never get here).
class CMessageRecorder {
public:
    CMessageRecorder()
    {
        s_pActive = this;
        m_hHook = ::SetWindowsHookExW(WH_GETMESSAGE, Proc, nullptr, ::GetCurrentThreadId());
    }
    ~CMessageRecorder()
    {
        ::UnhookWindowsHookEx(m_hHook);
        s_pActive = nullptr;
    }
    CMessageRecorder(const CMessageRecorder&) = delete;
    CMessageRecorder& operator=(const CMessageRecorder&) = delete;

    int Count(HWND hWnd, UINT nMsg, WPARAM wParam) const
    {
        return static_cast<int>(std::count_if(m_msgs.begin(), m_msgs.end(), [&](const MSG& m) {
            return m.hwnd == hWnd && m.message == nMsg && m.wParam == wParam;
        }));
    }
    void Clear() { m_msgs.clear(); }

    std::vector<MSG> m_msgs;

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HC_ACTION && wParam == PM_REMOVE && s_pActive)
            s_pActive->m_msgs.push_back(*reinterpret_cast<MSG*>(lParam));
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline CMessageRecorder* s_pActive = nullptr;
    HHOOK m_hHook = nullptr;
};

// Notes whether the menu bar took the keyboard (and lets it go again, so a
// test that finds it open fails instead of waiting in the menu forever).
class CMenuWatch {
public:
    CMenuWatch() : m_nTimer(::SetTimer(nullptr, 0, 300, Check)) { s_bOpened = false; }
    ~CMenuWatch() { ::KillTimer(nullptr, m_nTimer); }
    CMenuWatch(const CMenuWatch&) = delete;
    CMenuWatch& operator=(const CMenuWatch&) = delete;
    bool MenuWasOpened() const { return s_bOpened; }

private:
    static void CALLBACK Check(HWND, UINT, UINT_PTR, DWORD)
    {
        GUITHREADINFO info = {sizeof info};
        if (::GetGUIThreadInfo(::GetCurrentThreadId(), &info) && (info.flags & GUI_INMENUMODE)) {
            s_bOpened = true;
            ::EndMenu();
        }
    }

    static inline bool s_bOpened = false;
    UINT_PTR m_nTimer;
};

class KeyTest : public ShellTest {
protected:
    void TearDown() override
    {
        if (m_pApp && Main())
            Main()->SetFirstTarget(nullptr);
        ShellTest::TearDown();
    }

    // Starts with a file of nLines lines.
    bool StartWithFile(int nLines = 300)
    {
        std::string text;
        for (int i = 1; i <= nLines; ++i)
            text += "line " + std::to_string(i) + "\r\n";
        m_dir.Write("a.txt", text);
        return Start("\"" + File("a.txt") + "\"");
    }
    CMDIChildWnd* Frame() const { return Main()->MDIGetActive(); }
    CView* View() const { return Frame() ? Frame()->GetActiveView() : nullptr; }

    // The main window becomes the X display's active window and the view takes
    // the keyboard focus.
    bool FocusView()
    {
        if (!xdotool::Activate(Main()->GetHwnd(), Pumper()))
            return false;
        ::SetFocus(View()->GetHwnd());
        Drain();
        return ::GetFocus() == View()->GetHwnd();
    }
    // Handles what is queued, the way the application's loop does, without
    // ever waiting: a key that a hook swallows would leave a waiting
    // GetMessage blocked.
    void Drain()
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (!m_pApp->PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        m_pApp->OnIdle(0);
    }
    std::function<void()> Pumper()
    {
        return [this] { Drain(); };
    }
    // Presses keys and handles what they bring until done() holds (or 5 s pass).
    bool PressUntil(const std::wstring& keys, const std::function<bool()>& done)
    {
        return xdotool::Keys(keys, Pumper()) && PumpUntil(done);
    }
    bool PumpUntil(const std::function<bool()>& done, DWORD ms = 5000)
    {
        for (DWORD start = ::GetTickCount(); !done();) {
            if (::GetTickCount() - start > ms)
                return false;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            Drain();
        }
        return true;
    }
    // Turns Num Lock on for the keypad digits. The X server keeps its state
    // from one test to the next and a new program cannot ask for it, so the
    // keypad 0 is tried: Insert (toggle insert) comes while Num Lock is off.
    bool NumLockOn(CCommandSpy& spy)
    {
        for (int i = 0; i < 2; ++i) {
            spy.m_ran.clear();
            if (!PressUntil(L"90", [&] { return !spy.m_ran.empty(); }))
                return false;
            if (spy.m_ran.front() == ID_COMMAND_MODE) {
                spy.m_ran.clear();
                return true;
            }
            xdotool::Keys(L"Num_Lock", Pumper());
        }
        return false;
    }
    // Handles messages for a while (keys that must have no effect).
    void PumpFor(DWORD ms)
    {
        PumpUntil([] { return false; }, ms);
    }
};

// Skips a test that needs real key presses where none can be made.
#define REQUIRE_KEYS()                                        \
    do {                                                      \
        if (!xdotool::Available())                            \
            GTEST_SKIP() << "no xdotool or X display here";   \
    } while (0)
