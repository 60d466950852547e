// The bookkeeping of named mutexes that is the same on every target.
#include "platform/NamedMutex.h"

namespace {

int g_nHeld = 0;

} // namespace

bool CNamedMutex::Get(bool bWait)
{
    if (m_bHeld)
        return true;
    if (!Take(bWait))
        return false;
    m_bHeld = true;
    ++g_nHeld;
    return true;
}

void CNamedMutex::Release()
{
    if (!m_bHeld)
        return;
    Give();
    m_bHeld = false;
    --g_nHeld;
}

int CNamedMutex::HeldCount() { return g_nHeld; }
