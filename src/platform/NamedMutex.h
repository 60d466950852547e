// A mutex that other programs find by its name (the mail client shares one with
// the editor). Held by the object that acquired it until Release or the
// object's end. On Windows a named kernel mutex; on POSIX an flock on a file in
// the temporary folder, so that two processes exclude each other there too.
#pragma once
#include <cstdint>
#include <string>

class CNamedMutex {
public:
    explicit CNamedMutex(std::string name) : m_strName(std::move(name)) {}
    ~CNamedMutex() { Release(); }
    CNamedMutex(const CNamedMutex&) = delete;
    CNamedMutex& operator=(const CNamedMutex&) = delete;

    // Waits without a time limit until this process owns the mutex. A mutex
    // whose last owner ended without releasing it counts as taken by us. False
    // only when the mutex could not be made at all.
    bool Acquire() { return Get(true); }
    // Takes it only when nobody holds it now.
    bool TryAcquire() { return Get(false); }
    void Release();
    bool IsHeld() const { return m_bHeld; }

    // Mutexes held by this process at the moment (a check for the tests that
    // every path lets go).
    static int HeldCount();

private:
    bool Get(bool bWait);
    // The platform's part: take (waiting or not) and give back.
    bool Take(bool bWait);
    void Give();

    std::string m_strName;
    std::intptr_t m_h = -1;
    bool m_bHeld = false;
};
