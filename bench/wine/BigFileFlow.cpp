// Drives the real editor through what a user does with a big file, and times
// each step from outside, by what the screen and the window titles show:
//   big_file_flow TOVA_EXE FILE TIMEOUT_SECONDS [RESAVE_FILE [SHOT.bmp]]
// 1. starts the editor on FILE and waits until its view shows text (open_ms);
// 2. Ctrl+End, until the view's pixels changed and then held still (end_ms);
// 3. types "x" there (the document becomes modified: its title gains "*"),
//    then Ctrl+S, until the title lost the "*" again and the file on disk is a
//    new one (save_ms);
// 4. reads the editor's memory after the open and after the save, then closes
//    it (nothing may be asked: the document was just saved).
// With RESAVE_FILE, FILE (now the first save) is copied there and a second
// editor saves the copy once more: Ctrl+End, "x", Backspace (a change that
// leaves the text as it was; an unmodified document does not save), Ctrl+S.
// Saving normalizes the text (trailing blanks go, runs of blanks that end at a
// tab stop become tabs), so a first save differs from a generated file; a
// second save of what the first wrote must not, which the caller checks with
// cmp, along with where the "x" landed.
// With SHOT.bmp, the main window is written there as the screen showed it after
// Ctrl+End.
// Prints "name value" lines; on a failure, what went wrong on stderr and exit 1.
// Keys go through SendInput to the editor brought to the foreground, so they
// take the path a user's keys take (the main window's accelerator table); if
// the editor cannot be made the foreground window, the commands those keys are
// bound to are posted instead, and the output says so.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "ScreenWatch.h"
#include "keys/CommandIds.h"

namespace {

DWORD g_timeoutMs = 0;
HANDLE g_hEditor = nullptr;  // ended on a failure, so that no editor is left behind

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "big_file_flow: %s\n", what);
    std::fflush(stdout);
    if (g_hEditor) {
        ::TerminateProcess(g_hEditor, 1);
        ::WaitForSingleObject(g_hEditor, 10000);
    }
    std::exit(1);
}

struct CDialogSearch {
    DWORD dwProcess;
    std::wstring text;
};

BOOL CALLBACK CollectText(HWND hWnd, LPARAM lParam)
{
    auto* s = reinterpret_cast<CDialogSearch*>(lParam);
    std::wstring t = WindowText(hWnd);
    if (!t.empty())
        s->text += L" | " + t;
    return TRUE;
}

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    auto* s = reinterpret_cast<CDialogSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    wchar_t name[64] = {};
    ::GetClassNameW(hWnd, name, 64);
    if (pid != s->dwProcess || !::IsWindowVisible(hWnd) || wcscmp(name, L"#32770") != 0)
        return TRUE;
    s->text = WindowText(hWnd);
    ::EnumChildWindows(hWnd, CollectText, lParam);
    return FALSE;
}

std::string Utf8(const std::wstring& w)
{
    int n = ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

FILETIME LastWrite(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return FILETIME{};
    return data.ftLastWriteTime;
}

double FileMb(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<double>(data.nFileSizeHigh) * 4294967296.0 + data.nFileSizeLow) / 1048576.0;
}

bool WriteBmp(const std::wstring& path, const RECT& rc)
{
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0)
        return false;
    HDC hdcScreen = ::GetDC(nullptr);
    HDC hdcMem = ::CreateCompatibleDC(hdcScreen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;  // bottom-up, as a BMP file stores it
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(hdcMem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (hBitmap) {
        HGDIOBJ old = ::SelectObject(hdcMem, hBitmap);
        ::BitBlt(hdcMem, 0, 0, w, h, hdcScreen, rc.left, rc.top, SRCCOPY);
        ::GdiFlush();
        // Opaque: readers take the fourth byte of a 32-bit BMP for alpha.
        auto* px = static_cast<uint32_t*>(bits);
        for (size_t i = 0, n = static_cast<size_t>(w) * h; i < n; ++i)
            px[i] |= 0xFF000000u;
        DWORD imageSize = static_cast<DWORD>(w) * h * 4;
        BITMAPFILEHEADER fh = {};
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
        fh.bfSize = fh.bfOffBits + imageSize;
        if (FILE* f = _wfopen(path.c_str(), L"wb")) {
            ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f) == 1 &&
                 std::fwrite(bits, imageSize, 1, f) == 1;
            ok = std::fclose(f) == 0 && ok;
        }
        ::SelectObject(hdcMem, old);
        ::DeleteObject(hBitmap);
    }
    ::DeleteDC(hdcMem);
    ::ReleaseDC(nullptr, hdcScreen);
    return ok;
}

// One editor process and its windows.
class CEditor {
public:
    CEditor(const std::wstring& exe, const std::wstring& file, const char* prefix)
        : m_file(file), m_prefix(prefix)
    {
        std::wstring command = L'"' + exe + L"\" \"" + file + L'"';
        STARTUPINFOW si = {sizeof si};
        m_clock.Restart();
        if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi))
            Fail("cannot start the editor");
        g_hEditor = m_pi.hProcess;
    }

    ~CEditor()
    {
        if (::WaitForSingleObject(m_pi.hProcess, 0) != WAIT_OBJECT_0) {
            ::TerminateProcess(m_pi.hProcess, 1);
            ::WaitForSingleObject(m_pi.hProcess, 10000);
        }
        g_hEditor = nullptr;
        ::CloseHandle(m_pi.hThread);
        ::CloseHandle(m_pi.hProcess);
    }

    // Process start to the first paint that shows text in the view.
    void WaitForOpen()
    {
        for (;;) {
            Poll("the open");
            if (!m_hView)
                m_hView = FindProcessWindow(m_pi.dwProcessId, L"TovaEditView");
            if (m_hView && ShowsText(m_hView))
                break;
            ::Sleep(5);
        }
        Print("open_ms", m_clock.Ms());
        m_hMain = ::GetAncestor(m_hView, GA_ROOT);
        for (HWND h = m_hView; h && h != m_hMain; h = ::GetParent(h)) {
            wchar_t name[64] = {};
            ::GetClassNameW(h, name, 64);
            if (wcscmp(name, L"TovaDocFrame") == 0)
                m_hDocFrame = h;
        }
        if (!m_hDocFrame)
            Fail("no document window around the view");
        // Keys from SendInput go to the foreground window's focus, the view.
        ::SetForegroundWindow(m_hMain);
        CStopwatch wait;
        while (::GetForegroundWindow() != m_hMain && wait.Ms() < 2000) {
            ::Sleep(20);
            ::SetForegroundWindow(m_hMain);
        }
        m_bKeys = ::GetForegroundWindow() == m_hMain;
        if (!m_bKeys)
            std::printf("%snote the editor did not become the foreground window: commands posted instead of keys\n",
                        m_prefix);
    }

    // Ctrl+End: until the view changed and then held still for a while (a
    // blinking caret, one or two pixel columns, counts as still). Ctrl+End
    // goes to the last line that holds text and keeps the caret's column; the
    // End after it puts the caret at that line's end, where typing appends to
    // the file's text.
    void GoToEnd(const std::wstring& shot)
    {
        CScreenShot before = CaptureClient(m_hView);
        m_clock.Restart();
        if (m_bKeys)
            Keys({VK_CONTROL, VK_END});
        else
            ::PostMessageW(m_hMain, WM_COMMAND, ID_GOTO_END, 0);
        CScreenShot last;
        double lastChange = -1;
        for (;;) {
            Poll("Ctrl+End");
            CScreenShot now = CaptureClient(m_hView);
            double t = m_clock.Ms();
            if (lastChange < 0) {
                if (DifferingColumns(before, now) >= 8) {
                    lastChange = t;
                    last = std::move(now);
                }
            } else if (DifferingColumns(last, now) >= 8) {
                lastChange = t;
                last = std::move(now);
            } else if (t - lastChange >= 150) {
                break;
            }
            ::Sleep(10);
        }
        Print("end_ms", lastChange);
        if (m_bKeys)
            Keys({VK_END});
        else
            ::PostMessageW(m_hMain, WM_COMMAND, ID_CURSOR_LINE_END, 0);
        if (!shot.empty()) {
            RECT rc = {};
            ::GetWindowRect(m_hMain, &rc);
            if (!WriteBmp(shot, rc))
                std::printf("%snote the screenshot could not be written\n", m_prefix);
        }
    }

    // Types a character (and, to leave the text as it was, takes it back with
    // Backspace); the document must then be modified. Keys reach the editor in
    // the order they were sent, so what follows needs no wait here; had the
    // Backspace made the document unmodified again, the save would write
    // nothing, which Save reports.
    void Type(bool bTakeBack)
    {
        m_clock.Restart();
        if (m_bKeys)
            Keys({'X'});
        else
            ::PostMessageW(m_hView, WM_CHAR, 'x', 1);
        while (!Modified()) {
            Poll("typing");
            ::Sleep(10);
        }
        if (!bTakeBack)
            return;
        if (m_bKeys)
            Keys({VK_BACK});
        else
            ::PostMessageW(m_hMain, WM_COMMAND, ID_BACKSPACE, 0);
    }

    // Ctrl+S: until the title says unmodified again; the file must then be a
    // new one (the editor writes a temporary file beside it and moves it over).
    void Save(const char* name)
    {
        FILETIME before = LastWrite(m_file);
        m_clock.Restart();
        if (m_bKeys)
            Keys({VK_CONTROL, 'S'});
        else
            ::PostMessageW(m_hMain, WM_COMMAND, ID_FILE_SAVE, 0);
        while (Modified()) {
            Poll("the save");
            ::Sleep(5);
        }
        Print(name, m_clock.Ms());
        FILETIME after = LastWrite(m_file);
        if (::CompareFileTime(&before, &after) == 0)
            Fail("the title says saved but the file was not written");
    }

    void Memory(const char* when)
    {
        PROCESS_MEMORY_COUNTERS_EX pmc = {};
        pmc.cb = sizeof pmc;
        if (!::GetProcessMemoryInfo(m_pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc)) {
            std::printf("%snote no memory counters (%lu)\n", m_prefix, ::GetLastError());
            return;
        }
        double file = FileMb(m_file);
        double peak = static_cast<double>(pmc.PeakWorkingSetSize) / 1048576.0;
        std::printf("%s%s_peak_mb %.0f\n%s%s_ws_mb %.0f\n%s%s_peak_ratio %.2f\n", m_prefix, when, peak, m_prefix, when,
                    static_cast<double>(pmc.WorkingSetSize) / 1048576.0, m_prefix, when, file > 0 ? peak / file : 0.0);
        // Committed private memory: Windows gives it twice, as PrivateUsage and
        // PagefileUsage; Wine leaves the first at 0 for another process.
        SIZE_T priv = pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage;
        std::printf("%s%s_private_mb %.0f\n%s%s_private_peak_mb %.0f\n", m_prefix, when,
                    static_cast<double>(priv) / 1048576.0, m_prefix, when,
                    static_cast<double>(pmc.PeakPagefileUsage) / 1048576.0);
        std::fflush(stdout);
    }

    // WM_CLOSE to the main window: the editor must end without asking.
    void Close()
    {
        m_clock.Restart();
        ::PostMessageW(m_hMain, WM_CLOSE, 0, 0);
        while (::WaitForSingleObject(m_pi.hProcess, 10) != WAIT_OBJECT_0)
            Poll("closing", true);
        Print("close_ms", m_clock.Ms());
    }

private:
    // Fails on anything the editor should not do meanwhile: end (unless it was
    // asked to), show a box, or take longer than the timeout.
    void Poll(const char* during, bool bEndExpected = false)
    {
        char what[2048];
        if (!bEndExpected && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0) {
            DWORD code = 0;
            ::GetExitCodeProcess(m_pi.hProcess, &code);
            std::snprintf(what, sizeof what, "the editor ended during %s (exit code %lu)", during, code);
            Fail(what);
        }
        CDialogSearch search = {m_pi.dwProcessId, {}};
        ::EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (!search.text.empty()) {
            std::snprintf(what, sizeof what, "the editor showed a box during %s: %s", during,
                          Utf8(search.text).c_str());
            Fail(what);
        }
        if (m_clock.Ms() > g_timeoutMs) {
            std::snprintf(what, sizeof what, "timeout during %s", during);
            Fail(what);
        }
    }

    bool Modified() const
    {
        std::wstring title = WindowText(m_hDocFrame);
        return !title.empty() && title.back() == L'*';
    }

    void Print(const char* name, double ms) const
    {
        std::printf("%s%s %.0f\n", m_prefix, name, ms);
        std::fflush(stdout);
    }

    // Presses the keys in order and lets them go in reverse, in one burst.
    static void Keys(std::initializer_list<WORD> keys)
    {
        std::vector<INPUT> inputs;
        for (WORD vk : keys) {
            INPUT in = {};
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = vk;
            in.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
            if (vk == VK_END)
                in.ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
            inputs.push_back(in);
        }
        for (size_t i = inputs.size(); i-- > 0;) {
            INPUT in = inputs[i];
            in.ki.dwFlags |= KEYEVENTF_KEYUP;
            inputs.push_back(in);
        }
        ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }

    std::wstring m_file;
    const char* m_prefix;
    PROCESS_INFORMATION m_pi = {};
    CStopwatch m_clock;
    HWND m_hView = nullptr;
    HWND m_hDocFrame = nullptr;
    HWND m_hMain = nullptr;
    bool m_bKeys = false;
};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: big_file_flow TOVA_EXE FILE TIMEOUT_SECONDS [RESAVE_FILE [SHOT.bmp]]\n");
        return 2;
    }
    std::wstring exe = argv[1], file = argv[2];
    g_timeoutMs = static_cast<DWORD>(_wtoi(argv[3])) * 1000;
    std::wstring resave = argc > 4 ? argv[4] : L"";
    std::wstring shot = argc > 5 ? argv[5] : L"";
    std::printf("file_mb %.1f\n", FileMb(file));
    {
        CEditor editor(exe, file, "");
        editor.WaitForOpen();
        editor.Memory("open");
        editor.GoToEnd(shot);
        editor.Type(false);
        editor.Save("save_ms");
        editor.Memory("save");
        editor.Close();
    }
    if (resave.empty())
        return 0;
    if (!::CopyFileW(file.c_str(), resave.c_str(), FALSE))
        Fail("cannot copy the saved file");
    CEditor editor(exe, resave, "resave_");
    editor.WaitForOpen();
    editor.GoToEnd(L"");
    editor.Type(true);
    editor.Save("save_ms");
    editor.Close();
    return 0;
}
