// A shell command through pipes.
#include "command/ShellCommand_win.h"

#include <windows.h>

#include <memory>
#include <vector>

#include "command/ShellOutput.h"
#include "platform/Messages.h"
#include "platform/System.h"
#include "platform/Wide_win.h"
#include "view/Vu.h"

namespace {

// The editor runs one shell command at a time: the filter's block is the
// worker's, and a question shown while waiting must not start another.
bool g_bRunning = false;

// What the worker writes: its own copy of the lines and the pipe's write end.
struct CFilterInput {
    std::vector<std::string> lines;
    HANDLE hWrite = nullptr;
};

bool WriteAll(HANDLE h, const char* p, size_t n)
{
    while (n > 0) {
        DWORD chunk = n > 0x10000 ? 0x10000 : static_cast<DWORD>(n);
        DWORD written = 0;
        if (!::WriteFile(h, p, chunk, &written, nullptr) || written == 0)
            return false;
        p += written;
        n -= written;
    }
    return true;
}

// The worker: each line with CR LF, then the Ctrl-Z that text-mode console
// programs take as the end of their input. 0, or -1 when a write failed (the
// user-interface thread says so: a box belongs to its thread).
DWORD WINAPI WriteFilterInput(LPVOID pParam)
{
    std::unique_ptr<CFilterInput> pBlock(static_cast<CFilterInput*>(pParam));
    DWORD result = 0;
    for (const std::string& line : pBlock->lines)
        if (!WriteAll(pBlock->hWrite, line.data(), line.size()) || !WriteAll(pBlock->hWrite, "\r\n", 2)) {
            result = static_cast<DWORD>(-1);
            break;
        }
    if (result == 0 && !WriteAll(pBlock->hWrite, "\x1A", 1))
        result = static_cast<DWORD>(-1);
    ::CloseHandle(pBlock->hWrite);
    return result;
}

void CloseIf(HANDLE& h)
{
    if (h) {
        ::CloseHandle(h);
        h = nullptr;
    }
}

// Pipe handles: the child's ends inheritable, the editor's own not, so that
// closing the editor's input end gives the child the end of its input.
bool MakePipe(HANDLE& hRead, HANDLE& hWrite, bool bChildReads)
{
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    if (!::CreatePipe(&hRead, &hWrite, &sa, 0))
        return false;
    ::SetHandleInformation(bChildReads ? hWrite : hRead, HANDLE_FLAG_INHERIT, 0);
    return true;
}

std::string Interpreter()
{
    std::string value;
    if (GetEnvironmentValue("SHELL", value) || GetEnvironmentValue("COMSPEC", value))
        return value;
    return "cmd.exe";
}

// Reads the child's output to its end. After kShellAskSeconds without an end
// the user may end the command (and everything it started); false then.
bool ReadOutput(HANDLE hRead, HANDLE hProcess, HANDLE hJob, const std::string& command, std::string& out)
{
    DWORD nextAsk = ::GetTickCount() + kShellAskSeconds * 1000;
    char chunk[32766];
    for (;;) {
        DWORD avail = 0;
        if (!::PeekNamedPipe(hRead, nullptr, 0, nullptr, &avail, nullptr))
            return true;  // every writer is gone: the end of the output
        if (avail > 0) {
            DWORD got = 0;
            DWORD want = avail < static_cast<DWORD>(sizeof chunk) ? avail : static_cast<DWORD>(sizeof chunk);
            if (!::ReadFile(hRead, chunk, want, &got, nullptr) || got == 0)
                return true;
            out.append(chunk, got);
            continue;
        }
        if (static_cast<LONG>(::GetTickCount() - nextAsk) < 0) {
            ::Sleep(10);
            continue;
        }
        if (QuestionBox("コマンド \"%s\" が終わりません。終了させますか？", command.c_str())) {
            if (!hJob || !::TerminateJobObject(hJob, 1))
                ::TerminateProcess(hProcess, 1);
            return false;
        }
        nextAsk = ::GetTickCount() + 2 * kShellAskSeconds * 1000;
    }
}

} // namespace

void RunShellCommand(const std::string& strText, int nMode, const std::function<CVu*()>& activeView)
{
    std::string command(ShellCommandText(strText));
    if (command.empty())
        return;
    std::string commandLine;
    if (!BuildShellCommandLine(Interpreter(), command, commandLine)) {
        InfoBox("コマンドラインが長すぎます");
        return;
    }
    CVu* pTarget = activeView();
    if (!pTarget) {
        InfoBox("アクティブなビューを取得できません");
        return;
    }
    if (g_bRunning) {
        InfoBox("前のコマンドがまだ終わっていません");
        return;
    }
    g_bRunning = true;
    struct CRunning {
        ~CRunning() { g_bRunning = false; }
    } running;

    // The pick comes first: when it refuses, nothing is started.
    auto pInput = std::make_unique<CFilterInput>();
    if (nMode == 1 && !pTarget->PickFilterInput(pInput->lines))
        return;
    HANDLE hInRead = nullptr, hInWrite = nullptr, hOutRead = nullptr, hOutWrite = nullptr;
    if (nMode == 1 && !MakePipe(hInRead, hInWrite, true)) {
        InfoBox("can't create down pipe");
        return;
    }
    if (!MakePipe(hOutRead, hOutWrite, false)) {
        CloseIf(hInRead);
        CloseIf(hInWrite);
        InfoBox("can't create up pipe");
        return;
    }
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    si.hStdInput = nMode == 1 ? hInRead : ::GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = hOutWrite;
    si.hStdError = hOutWrite;
    PROCESS_INFORMATION pi = {};
    std::wstring wide = Wide(commandLine);
    BOOL started = ::CreateProcessW(nullptr, wide.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW | CREATE_SUSPENDED,
                                    nullptr, nullptr, &si, &pi);
    CloseIf(hOutWrite);
    CloseIf(hInRead);
    if (!started) {
        CloseIf(hOutRead);
        CloseIf(hInWrite);
        InfoBox("can't execute command \"%s\"", command.c_str());
        return;
    }
    // A job holds the command and whatever it starts, so ending it ends them all.
    HANDLE hJob = ::CreateJobObjectW(nullptr, nullptr);
    if (hJob && !::AssignProcessToJobObject(hJob, pi.hProcess))
        CloseIf(hJob);
    ::ResumeThread(pi.hThread);
    ::CloseHandle(pi.hThread);

    HANDLE hWorker = nullptr;
    if (nMode == 1) {
        pInput->hWrite = hInWrite;
        hWorker = ::CreateThread(nullptr, 0, WriteFilterInput, pInput.get(), 0, nullptr);
        if (hWorker)
            pInput.release();
        else
            CloseIf(hInWrite);
    }

    HCURSOR hOld = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    std::string output;
    bool bEnded = ReadOutput(hOutRead, pi.hProcess, hJob, command, output);
    CloseIf(hOutRead);
    ::SetCursor(hOld);

    DWORD workerResult = 0;
    if (hWorker) {
        // The child's end of the input is gone with it, so a write still
        // waiting fails at once; the wait is only a guard.
        if (::WaitForSingleObject(hWorker, 5000) == WAIT_TIMEOUT) {
            ::CancelSynchronousIo(hWorker);
            ::WaitForSingleObject(hWorker, INFINITE);
        }
        ::GetExitCodeThread(hWorker, &workerResult);
        ::CloseHandle(hWorker);
    }
    ::CloseHandle(pi.hProcess);
    CloseIf(hJob);
    if (!bEnded)
        return;
    if (workerResult != 0)
        InfoBox("can't write into pipe");
    if (activeView() != pTarget) {
        InfoBox("コマンドの出力先のビューがなくなりました");
        return;
    }
    bool bCut = false;
    std::vector<std::string> lines = SplitShellOutput(output, &bCut);
    if (bCut)
        InfoBox("長すぎる行を分割しました");
    pTarget->InsertCommandOutput(lines);
}
