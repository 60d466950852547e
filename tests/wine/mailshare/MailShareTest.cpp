// The mail client's mutex and the lock files, with a second process holding
// them: a header read waits for the mutex and always gives it back; an
// abandoned mutex does not stop the editor; a lock held elsewhere is refused
// with its holder's time and computer.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "fakes/FakeUi.h"
#include "mail/Mail.h"
#include "platform/FileSystem.h"
#include "platform/NamedMutex.h"
#include "platform/System.h"
#include "platform/Wide_win.h"
#include "services/LockFile.h"
#include "support/TempDir.h"

namespace {

const char kMail[] = "From: a@b\r\nTo: c@d\r\nSubject: s\r\n--------\r\nbody\r\n";

std::wstring HelperPath()
{
    wchar_t self[MAX_PATH];
    DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, n);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"mailshare_helper.exe";
}

// One run of the helper program, ended when the object goes if still running.
class CHelper {
public:
    explicit CHelper(const std::string& args)
    {
        std::wstring cmd = L"\"" + HelperPath() + L"\" " + Wide(args);
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        if (::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            ::CloseHandle(pi.hThread);
            m_hProcess = pi.hProcess;
        }
    }
    ~CHelper()
    {
        if (!m_hProcess)
            return;
        if (::WaitForSingleObject(m_hProcess, 0) == WAIT_TIMEOUT)
            ::TerminateProcess(m_hProcess, 99);
        ::CloseHandle(m_hProcess);
    }
    CHelper(const CHelper&) = delete;
    CHelper& operator=(const CHelper&) = delete;

    bool Started() const { return m_hProcess != nullptr; }
    // The exit code, or -1 when it has not ended within ms.
    int Wait(DWORD ms)
    {
        if (!m_hProcess || ::WaitForSingleObject(m_hProcess, ms) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        ::GetExitCodeProcess(m_hProcess, &code);
        return static_cast<int>(code);
    }

private:
    HANDLE m_hProcess = nullptr;
};

bool WaitForFile(const std::string& path, int ms)
{
    for (int waited = 0; waited < ms; waited += 20) {
        if (FileExists(path))
            return true;
        ::Sleep(20);
    }
    return false;
}

// Runs a header read on a thread of its own; tells whether it has ended.
class CHeaderReadThread {
public:
    explicit CHeaderReadThread(const std::string& path)
    {
        std::thread([this, path] {
            CMail mail(path);
            m_bOk = mail.ReadHeader(true, false);
            m_bDone = true;
        }).detach();
    }
    bool WaitDone(int ms)
    {
        for (int waited = 0; waited < ms && !m_bDone; waited += 10)
            ::Sleep(10);
        return m_bDone;
    }
    bool Done() const { return m_bDone; }
    bool Ok() const { return m_bOk; }

private:
    std::atomic<bool> m_bDone{false};
    std::atomic<bool> m_bOk{false};
};

} // namespace

TEST(MailShare, AHeaderReadWaitsForTheMailClient)
{
    CScopedFakeUi ui;
    CTempDir dir;
    dir.Write("m.txt", kMail);
    CHelper client("hold-mutex " + dir.Path("ready") + " " + dir.Path("release"));
    ASSERT_TRUE(client.Started());
    ASSERT_TRUE(WaitForFile(dir.Path("ready"), 10000));

    auto* read = new CHeaderReadThread(dir.Path("m.txt"));
    ::Sleep(500);
    EXPECT_FALSE(read->Done());  // no time limit: it waits as long as the client holds on
    dir.Write("release", "");
    ASSERT_TRUE(read->WaitDone(10000));
    EXPECT_TRUE(read->Ok());
    EXPECT_EQ(client.Wait(10000), 0);
    delete read;
}

TEST(MailShare, EveryWayOutOfAHeaderReadLetsGo)
{
    CScopedFakeUi ui;
    CTempDir dir;
    dir.Write("good.txt", kMail);
    dir.Write("noseparator.txt", "From: a\r\n");
    dir.Write("badto.txt", "To: a@b\x01\r\n--------\r\n");
    for (const char* name : {"good.txt", "noseparator.txt", "badto.txt", "missing.txt"}) {
        CMail mail(dir.Path(name));
        mail.ReadHeader(true, false);
        CHelper other("try-mutex");
        EXPECT_EQ(other.Wait(10000), 0) << name;
    }
    // The name is one mutex for both processes.
    CNamedMutex mine(kMailReadMutexName);
    ASSERT_TRUE(mine.Acquire());
    CHelper blocked("try-mutex");
    EXPECT_EQ(blocked.Wait(10000), 1);
    mine.Release();
    CHelper free("try-mutex");
    EXPECT_EQ(free.Wait(10000), 0);
}

TEST(MailShare, AnAbandonedMutexCountsAsTaken)
{
    CScopedFakeUi ui;
    CTempDir dir;
    dir.Write("m.txt", kMail);
    // A handle of ours keeps the mutex in being when its owner ends.
    HANDLE keep = ::CreateMutexW(nullptr, FALSE, L"Mavlen Mail Read");
    ASSERT_NE(keep, nullptr);
    CHelper gone("abandon-mutex " + dir.Path("ready"));
    ASSERT_TRUE(WaitForFile(dir.Path("ready"), 10000));
    EXPECT_EQ(gone.Wait(10000), 0);
    auto* read = new CHeaderReadThread(dir.Path("m.txt"));
    ASSERT_TRUE(read->WaitDone(10000));
    EXPECT_TRUE(read->Ok());
    CHelper other("try-mutex");
    EXPECT_EQ(other.Wait(10000), 0);
    EXPECT_EQ(::WaitForSingleObject(keep, 0), static_cast<DWORD>(WAIT_OBJECT_0));  // no longer abandoned
    ::ReleaseMutex(keep);
    ::CloseHandle(keep);
    delete read;
}

TEST(MailShare, LockFilesBetweenTwoEditors)
{
    CScopedFakeUi ui;
    CTempDir dir;
    CHelper first("lock " + dir.Path("a.txt") + " " + dir.Path("ready") + " " + dir.Path("release"));
    ASSERT_TRUE(WaitForFile(dir.Path("ready"), 10000));

    // a.doc shares a.lk with a.txt.
    CLockFile mine;
    EXPECT_FALSE(mine.Lock(dir.Path("a.doc")));
    EXPECT_EQ(mine.HolderComputer(), ComputerName());
    EXPECT_EQ(mine.HolderTime().size(), 19u);  // YYYY/MM/DD-HH:MM:SS
    EXPECT_EQ(mine.HolderTime()[10], '-');
    EXPECT_TRUE(ui.m_boxes.empty());

    dir.Write("release", "");
    EXPECT_EQ(first.Wait(10000), 0);
    EXPECT_FALSE(FileExists(dir.Path("a.lk")));
    ASSERT_TRUE(mine.Lock(dir.Path("a.txt")));

    CHelper second("try-lock " + dir.Path("a.doc") + " " + dir.Path("holder"));
    EXPECT_EQ(second.Wait(10000), 1);
    EXPECT_EQ(dir.Read("holder"), dir.Read("a.lk"));
    mine.Unlock();
    CHelper third("try-lock " + dir.Path("a.doc") + " " + dir.Path("holder"));
    EXPECT_EQ(third.Wait(10000), 0);
}
