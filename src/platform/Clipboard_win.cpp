// The Win32 clipboard: CF_UNICODETEXT, converted with our code page 932 table.
#include "platform/Clipboard.h"

#include <windows.h>

#include <cstring>
#include <new>

#include "text/Unicode.h"

namespace {

// The clipboard needs an owner window when we put data on it: opened without
// one, EmptyClipboard leaves it ownerless and SetClipboardData may then fail.
// A message-only window of our own serves, whichever window asked for the copy.
HWND OwnerWindow()
{
    static HWND s_hOwner =
        ::CreateWindowExW(0, L"STATIC", L"tova clipboard", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                          ::GetModuleHandleW(nullptr), nullptr);
    return s_hOwner;
}

class CWin32Clipboard : public IClipboard {
public:
    bool SetText(std::string_view sjis) override
    {
        std::u16string text = SjisToUtf16(sjis);
        size_t bytes = (text.size() + 1) * sizeof(char16_t);
        HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
        if (!hMem)
            return false;
        void* p = ::GlobalLock(hMem);
        if (!p) {
            ::GlobalFree(hMem);
            return false;
        }
        std::memcpy(p, text.c_str(), bytes);
        ::GlobalUnlock(hMem);
        if (!::OpenClipboard(OwnerWindow())) {
            ::GlobalFree(hMem);
            return false;
        }
        ::EmptyClipboard();
        bool ok = ::SetClipboardData(CF_UNICODETEXT, hMem) != nullptr;
        ::CloseClipboard();
        if (!ok)
            ::GlobalFree(hMem);  // still ours when the clipboard did not take it
        return ok;
    }

    EClipboardRead GetText(std::string& sjis) override
    {
        if (!::OpenClipboard(OwnerWindow()))
            return EClipboardRead::CannotOpen;
        EClipboardRead result = Read(sjis);
        ::CloseClipboard();
        return result;
    }

private:
    static EClipboardRead Read(std::string& sjis)
    {
        HANDLE hData = ::GetClipboardData(CF_UNICODETEXT);
        if (!hData)
            return EClipboardRead::NoText;
        const auto* p = static_cast<const char16_t*>(::GlobalLock(hData));
        if (!p)
            return EClipboardRead::CannotLock;
        // The text ends at its NUL or at the end of the memory block.
        size_t maxUnits = ::GlobalSize(hData) / sizeof(char16_t);
        size_t n = 0;
        while (n < maxUnits && p[n])
            ++n;
        EClipboardRead result = EClipboardRead::Text;
        try {
            sjis = Utf16ToSjis(std::u16string_view(p, n));
        } catch (const std::bad_alloc&) {
            result = EClipboardRead::NoMemory;
        }
        ::GlobalUnlock(hData);
        return result;
    }
};

} // namespace

IClipboard& PlatformClipboard()
{
    static CWin32Clipboard clipboard;
    return clipboard;
}
