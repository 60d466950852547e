// Named mutexes on Windows: kernel mutex objects shared by name.
#include "platform/NamedMutex.h"

#include <windows.h>

#include "platform/Wide_win.h"

bool CNamedMutex::Take(bool bWait)
{
    HANDLE h = ::CreateMutexW(nullptr, FALSE, Wide(m_strName).c_str());
    if (!h)
        return false;
    DWORD r = ::WaitForSingleObject(h, bWait ? INFINITE : 0);
    // WAIT_ABANDONED: the last owner ended while holding it; we own it now.
    if (r != WAIT_OBJECT_0 && r != WAIT_ABANDONED) {
        ::CloseHandle(h);
        return false;
    }
    m_h = reinterpret_cast<std::intptr_t>(h);
    return true;
}

void CNamedMutex::Give()
{
    HANDLE h = reinterpret_cast<HANDLE>(m_h);
    ::ReleaseMutex(h);
    ::CloseHandle(h);
    m_h = -1;
}
