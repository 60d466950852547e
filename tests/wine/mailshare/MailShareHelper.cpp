// The other process of the sharing tests: holds the mail client's mutex or a
// lock file the way another program would, until told to let go.
//   hold-mutex READY RELEASE   take the mutex, make READY, wait for RELEASE
//   abandon-mutex READY        take the mutex, make READY, end holding it
//   try-mutex                  exit 0 when the mutex could be taken at once
//   lock PATH READY RELEASE    lock PATH, make READY, wait for RELEASE, unlock
//   try-lock PATH OUT          exit 0 when PATH could be locked; else write the holder to OUT
#include <windows.h>

#include <cstring>
#include <string>

#include "mail/Mail.h"
#include "platform/FileSystem.h"
#include "platform/NamedMutex.h"
#include "services/LockFile.h"

namespace {

void Touch(const char* path)
{
    CFileHandle f = OpenFileForWriting(path, EWriteMode::Truncate);
}

// Waits (at most 30 s) for the file that says "let go".
bool WaitFor(const char* path)
{
    for (int i = 0; i < 1500; ++i) {
        if (FileExists(path))
            return true;
        ::Sleep(20);
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 64;
    const char* mode = argv[1];
    if (std::strcmp(mode, "hold-mutex") == 0 && argc == 4) {
        CNamedMutex mutex(kMailReadMutexName);
        if (!mutex.Acquire())
            return 3;
        Touch(argv[2]);
        bool told = WaitFor(argv[3]);
        mutex.Release();
        return told ? 0 : 4;
    }
    if (std::strcmp(mode, "abandon-mutex") == 0 && argc == 3) {
        HANDLE h = ::CreateMutexW(nullptr, FALSE, L"Mavlen Mail Read");
        if (!h || ::WaitForSingleObject(h, INFINITE) != WAIT_OBJECT_0)
            return 3;
        Touch(argv[2]);
        ::ExitProcess(0);  // still holding it
    }
    if (std::strcmp(mode, "try-mutex") == 0) {
        CNamedMutex mutex(kMailReadMutexName);
        return mutex.TryAcquire() ? 0 : 1;
    }
    if (std::strcmp(mode, "lock") == 0 && argc == 5) {
        CLockFile lock;
        if (!lock.Lock(argv[2]))
            return 2;
        Touch(argv[3]);
        return WaitFor(argv[4]) ? 0 : 4;
    }
    if (std::strcmp(mode, "try-lock") == 0 && argc == 4) {
        CLockFile lock;
        if (lock.Lock(argv[2]))
            return 0;
        std::string holder = lock.HolderTime() + " " + lock.HolderComputer();
        CFileHandle out = OpenFileForWriting(argv[3], EWriteMode::Truncate);
        out.Write(holder.data(), holder.size());
        return 1;
    }
    return 64;
}
