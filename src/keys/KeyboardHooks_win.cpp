// The keypad hook and the key-capture hook.
#include "keys/KeyboardHooks_win.h"

#include "keys/KeyHookRules.h"
#include "platform/Messages.h"

namespace {

HHOOK g_hKeypadHook = nullptr;
HHOOK g_hCaptureHook = nullptr;
HWND g_hCaptureTarget = nullptr;

// Carries out a hook's verdict; repost posts the event again its own way.
template <typename Repost>
LRESULT Apply(HHOOK hHook, EHookVerdict verdict, int code, WPARAM wParam, LPARAM lParam, Repost repost)
{
    switch (verdict) {
    case EHookVerdict::Repost:
        repost();
        return 1;
    case EHookVerdict::Swallow:
        return 1;
    case EHookVerdict::PassOn:
        break;
    }
    return ::CallNextHookEx(hHook, code, wParam, lParam);
}

LRESULT CALLBACK KeypadHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    EHookVerdict verdict = KeypadHookVerdict(code, static_cast<unsigned>(wParam), static_cast<uint32_t>(lParam));
    return Apply(g_hKeypadHook, verdict, code, wParam, lParam, [&] {
        // With no window to take it, the key is dropped.
        if (HWND hFocus = ::GetFocus())
            ::PostMessageW(hFocus, WM_KEYDOWN, wParam, lParam);
    });
}

LRESULT CALLBACK KeyCaptureHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    EHookVerdict verdict = KeyCaptureVerdict(code, static_cast<unsigned>(wParam), static_cast<uint32_t>(lParam));
    return Apply(g_hCaptureHook, verdict, code, wParam, lParam,
                 [&] { ::PostMessageW(g_hCaptureTarget, WM_CAPTURED_KEY, wParam, lParam); });
}

bool Install(HHOOK& hHook, HOOKPROC proc)
{
    if (hHook)
        return true;
    hHook = ::SetWindowsHookExW(WH_KEYBOARD, proc, nullptr, ::GetCurrentThreadId());
    if (!hHook) {
        ErrorBox("can't set keyboard hook");
        return false;
    }
    return true;
}

void Remove(HHOOK& hHook)
{
    if (hHook)
        ::UnhookWindowsHookEx(hHook);
    hHook = nullptr;
}

} // namespace

bool InstallKeypadHook() { return Install(g_hKeypadHook, KeypadHookProc); }
void RemoveKeypadHook() { Remove(g_hKeypadHook); }
bool IsKeypadHookInstalled() { return g_hKeypadHook != nullptr; }

bool InstallKeyCaptureHook(HWND hTarget)
{
    if (g_hCaptureHook)
        return true;
    g_hCaptureTarget = hTarget;
    return Install(g_hCaptureHook, KeyCaptureHookProc);
}

void RemoveKeyCaptureHook()
{
    Remove(g_hCaptureHook);
    g_hCaptureTarget = nullptr;
}

bool IsKeyCaptureHookInstalled() { return g_hCaptureHook != nullptr; }
