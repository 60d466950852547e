// A program that uses tovahlpdll as an outside program would: loads it,
// looks its two functions up by name, and calls them.
//   tovahlphost [--no-init] DESCRIPTION...
// Each description (UTF-8 here, Shift-JIS to the library) is asked for in
// turn; after each, the host keeps its windows going until the event
// "TovaHelpHostNext" is set. Then it unloads the library. The exit code
// is InitTovaHelpDLL's result (2 when the library could not be loaded).
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

using InitFn = int (*)();
using QueryFn = int(__stdcall*)(const char*);

std::string Sjis(const wchar_t* w)
{
    int n = ::WideCharToMultiByte(932, 0, w, -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(932, 0, w, -1, s.data(), n, nullptr, nullptr);
    s.resize(static_cast<size_t>(n > 0 ? n - 1 : 0));
    return s;
}

void WaitForNext(HANDLE hNext)
{
    for (;;) {
        DWORD r = ::MsgWaitForMultipleObjects(1, &hNext, FALSE, 60000, QS_ALLINPUT);
        if (r != WAIT_OBJECT_0 + 1)
            return;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    HANDLE hNext = ::CreateEventW(nullptr, FALSE, FALSE, L"TovaHelpHostNext");
    HMODULE hLib = ::LoadLibraryW(L"tovahlpdll.dll");
    if (!hLib) {
        std::fprintf(stderr, "tovahlpdll.dll not loaded (%lu)\n", ::GetLastError());
        return 2;
    }
    auto pInit = reinterpret_cast<InitFn>(reinterpret_cast<void*>(::GetProcAddress(hLib, "InitTovaHelpDLL")));
    auto pQuery = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(::GetProcAddress(hLib, "GetCurrentKeyBound")));
    if (!pInit || !pQuery) {
        std::fprintf(stderr, "exports missing\n");
        return 2;
    }
    int first = 1;
    int result = 0;
    if (argc > 1 && std::wstring(argv[1]) == L"--no-init")
        first = 2;
    else
        result = pInit();
    std::fprintf(stderr, "InitTovaHelpDLL: %d\n", result);
    for (int i = first; i < argc; ++i) {
        pQuery(Sjis(argv[i]).c_str());
        WaitForNext(hNext);
    }
    ::FreeLibrary(hLib);
    ::CloseHandle(hNext);
    return result;
}
