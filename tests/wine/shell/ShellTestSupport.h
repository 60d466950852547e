// Running the editor's application object inside a test program: a command
// line of the test's choosing, settings under this program's own registry key
// (cleared for every test), message boxes answered by the recording fake.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "settings/AppSettings.h"
#include "app/EditorApp_win.h"
#include "app/MainFrame_win.h"
#include "fakes/FakeUi.h"
#include "platform/Wide_win.h"
#include "support/TempDir.h"

// What the shell hands a window that files were dropped on (the window frees it).
inline HDROP MakeDrop(const std::vector<std::string>& paths)
{
    std::wstring list;
    for (const std::string& path : paths)
        list += Wide(path) + L'\0';
    list += L'\0';
    HGLOBAL hDrop = ::GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* pDrop = static_cast<DROPFILES*>(::GlobalLock(hDrop));
    pDrop->pFiles = sizeof(DROPFILES);
    pDrop->fWide = TRUE;
    std::memcpy(pDrop + 1, list.data(), list.size() * sizeof(wchar_t));
    ::GlobalUnlock(hDrop);
    return static_cast<HDROP>(hDrop);
}

// The application with the arguments a test gives it.
class CTestEditorApp : public CEditorApp {
public:
    explicit CTestEditorApp(std::string args) : m_strArgs(std::move(args)) {}
    std::string GetCommandLineSjis() const override { return "tova_shell_tests.exe " + m_strArgs; }

private:
    std::string m_strArgs;
};

class ShellTest : public ::testing::Test {
protected:
    // The settings key of this test program (the application names it after
    // the executable).
    static std::wstring SettingsKey()
    {
        wchar_t path[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring name(path);
        name = name.substr(name.find_last_of(L"\\/") + 1);
        return L"Software\\Brellix\\" + name.substr(0, name.rfind(L'.'));
    }
    const std::wstring m_strSettingsKey = SettingsKey();

    void SetUp() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_strSettingsKey.c_str());
        AppSettings() = CAppSettings();
    }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, m_strSettingsKey.c_str()); }

    // Starts an application with the arguments; false when start-up failed.
    bool Start(const std::string& args)
    {
        m_pApp = std::make_unique<CTestEditorApp>(args);
        return m_pApp->Initialize(::GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    }
    CMainFrame* Main() const { return m_pApp->GetMainFrame(); }
    // Dispatches what is queued and runs the idle work once.
    void Pump()
    {
        MSG msg;
        for (int i = 0; i < 1000 && ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT; ++i)
            m_pApp->PumpMessage();
        m_pApp->OnIdle(0);
    }
    // Closes the main window and runs the loop to its end; the exit code.
    int CloseAndRun()
    {
        ::PostMessageW(Main()->GetHwnd(), WM_CLOSE, 0, 0);
        return m_pApp->RunMessageLoop();
    }
    // A Shift-JIS path of a file in the test's folder.
    std::string File(const std::string& name) const { return m_dir.Path(name); }
    std::wstring StoredString(const wchar_t* section, const wchar_t* name) const
    {
        wchar_t buf[2048] = {};
        DWORD size = sizeof buf;
        std::wstring key = m_strSettingsKey + L"\\" + section;
        if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
            return L"<missing>";
        return buf;
    }

    CScopedFakeUi m_ui;
    CTempDir m_dir;
    std::unique_ptr<CTestEditorApp> m_pApp;
};
