// Named mutexes on POSIX: an flock on a file named after the mutex in the
// temporary folder. The lock goes with the process, so a holder that dies lets go.
#include "platform/NamedMutex.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

std::string LockPathOf(const std::string& name)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string path = (tmp && *tmp) ? tmp : "/tmp";
    path += "/tova-mutex-";
    for (char c : name)
        path += (c == '/' || c == ' ') ? '_' : c;
    return path;
}

} // namespace

bool CNamedMutex::Take(bool bWait)
{
    int fd = ::open(LockPathOf(m_strName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    int rc;
    do
        rc = ::flock(fd, LOCK_EX | (bWait ? 0 : LOCK_NB));
    while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        ::close(fd);
        return false;
    }
    m_h = fd;
    return true;
}

void CNamedMutex::Give()
{
    ::flock(static_cast<int>(m_h), LOCK_UN);
    ::close(static_cast<int>(m_h));
    m_h = -1;
}
