// The registry key wrapper, starting processes and pumping messages.
#include <windows.h>

#include <gtest/gtest.h>

#include "services/Process_win.h"
#include "services/RegistryKey_win.h"
#include "fakes/FakeUi.h"

namespace {

constexpr char kTestKey[] = "Software\\Brellix\\tova_shell_tests_keys";

} // namespace

// Nested keys are made one by one; a component ending in 表 (0x95 0x5C) is one
// component, not two.
TEST(RegistryKey, NestedKeysValuesAndDeletion)
{
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Brellix\\tova_shell_tests_keys");
    CRegistryKey key;
    const std::string path = std::string(kTestKey) + "\\\x95\x5C\\inner";  // ...\表\inner
    EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, path, false));
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, path, true));
    const char text[] = "\x93\xfa\x96\x7b";  // 日本
    ASSERT_TRUE(key.SetValue("Dic", REG_SZ, text, sizeof text));
    DWORD number = 42;
    ASSERT_TRUE(key.SetValue("N", REG_DWORD, &number, sizeof number));
    char buf[64] = {};
    DWORD size = sizeof buf;
    ASSERT_TRUE(key.QueryValue("Dic", buf, size));
    EXPECT_STREQ(buf, text);
    EXPECT_EQ(size, sizeof text);
    DWORD back = 0;
    size = sizeof back;
    ASSERT_TRUE(key.QueryValue("N", &back, size));
    EXPECT_EQ(back, 42u);
    size = 2;
    EXPECT_FALSE(key.QueryValue("Dic", buf, size));  // does not fit
    EXPECT_FALSE(key.QueryValue("Missing", buf, size));

    // The wide name holds one component 表.
    HKEY h = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Brellix\\tova_shell_tests_keys\\表", 0, KEY_READ, &h),
              ERROR_SUCCESS);
    ::RegCloseKey(h);

    CRegistryKey parent;
    ASSERT_TRUE(parent.Open(HKEY_CURRENT_USER, std::string(kTestKey) + "\\\x95\x5C", false));
    key.Close();
    EXPECT_TRUE(parent.DeleteKey("inner"));
    EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, path, false));
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Brellix\\tova_shell_tests_keys");
}

TEST(StartProcess, StartsTheCommandLineAndRefusesOneThatDoesNotFit)
{
    HANDLE h = StartProcess("cmd /c exit %d", 7);
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(::WaitForSingleObject(h, 20000), WAIT_OBJECT_0);
    DWORD code = 0;
    ::GetExitCodeProcess(h, &code);
    EXPECT_EQ(code, 7u);
    ::CloseHandle(h);

    CScopedFakeUi ui;
    EXPECT_EQ(StartProcess("cmd /c echo %s", std::string(1100, 'x').c_str()), nullptr);
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(StartProcess("no-such-program-%d.exe", 1), nullptr);
}

namespace {

int g_nPumped = 0;

LRESULT CALLBACK CountingProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_APP) {
        ++g_nPumped;
        return 0;
    }
    return ::DefWindowProcW(h, m, w, l);
}

} // namespace

// Pending messages are dispatched up to the count; a quit is posted again.
TEST(PumpMessages, DispatchesUpToTheCountAndKeepsTheQuit)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TovaPumpTest";
    ::RegisterClassW(&wc);
    HWND h = ::CreateWindowW(L"TovaPumpTest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(h, nullptr);
    g_nPumped = 0;
    for (int i = 0; i < 10; ++i)
        ::PostMessageW(h, WM_APP, 0, 0);
    PumpMessages(4);
    EXPECT_EQ(g_nPumped, 4);
    PumpMessages(32);
    EXPECT_EQ(g_nPumped, 10);

    ::PostQuitMessage(3);
    ::PostMessageW(h, WM_APP, 0, 0);
    PumpMessages(32);
    EXPECT_EQ(g_nPumped, 11);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
    ::DestroyWindow(h);
}
