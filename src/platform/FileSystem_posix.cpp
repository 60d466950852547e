// The file seam on POSIX systems (the native build, tovaconv, tests and benchmarks).
// Paths are passed to the system as they are.
#include "platform/FileSystem.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr FileTime kUnixEpochIn1601Units = 116444736000000000LL;

EFileError KindOfErrno(int e)
{
    switch (e) {
    case ENOENT:
    case ENOTDIR: return EFileError::NotFound;
    case EACCES:
    case EPERM:
    case EROFS: return EFileError::AccessDenied;
    case ETXTBSY:
    case EBUSY: return EFileError::Sharing;
    case ENOSPC:
    case EDQUOT: return EFileError::DiskFull;
    case EEXIST: return EFileError::Exists;
    case EIO: return EFileError::ReadError;
    default: return EFileError::Other;
    }
}

void FailWithErrno(int e) { SetLastFileError(KindOfErrno(e), e); }

int Fd(std::intptr_t h) { return static_cast<int>(h); }

CFileHandle OpenPath(std::string_view path, int flags, mode_t mode = 0)
{
    std::string p(path);
    int fd;
    do
        fd = ::open(p.c_str(), flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        FailWithErrno(errno);
        return CFileHandle();
    }
    return CFileHandle::FromNative(fd, true);
}

// The path a save must replace: the file a symbolic link points to, so that the
// link stays a link.
std::string ResolvedTarget(std::string_view target)
{
    std::string p(target);
    struct stat st;
    if (::lstat(p.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char buf[PATH_MAX];
        if (::realpath(p.c_str(), buf))
            return buf;
    }
    return p;
}

} // namespace

std::ptrdiff_t CFileHandle::Read(void* p, size_t n)
{
    for (;;) {
        ssize_t got = ::read(Fd(m_h), p, n);
        if (got >= 0)
            return got;
        if (errno != EINTR) {
            SetLastFileError(errno == EIO ? EFileError::ReadError : KindOfErrno(errno), errno);
            return -1;
        }
    }
}

bool CFileHandle::Write(const void* p, size_t n)
{
    const char* q = static_cast<const char*>(p);
    while (n > 0) {
        ssize_t put = ::write(Fd(m_h), q, n);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            SetLastFileError(errno == EIO ? EFileError::WriteError : KindOfErrno(errno), errno);
            return false;
        }
        q += put;
        n -= static_cast<size_t>(put);
    }
    return true;
}

bool CFileHandle::Seek(std::int64_t pos)
{
    if (::lseek(Fd(m_h), static_cast<off_t>(pos), SEEK_SET) < 0) {
        FailWithErrno(errno);
        return false;
    }
    return true;
}

bool CFileHandle::SeekToEnd(std::int64_t& pos)
{
    off_t end = ::lseek(Fd(m_h), 0, SEEK_END);
    if (end < 0) {
        FailWithErrno(errno);
        return false;
    }
    pos = end;
    return true;
}

bool CFileHandle::GetSize(std::int64_t& size) const
{
    struct stat st {};
    if (::fstat(Fd(m_h), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    size = st.st_size;
    return true;
}

bool CFileHandle::Sync()
{
    if (::fsync(Fd(m_h)) != 0 && errno != EINVAL && errno != EROFS) {
        SetLastFileError(EFileError::WriteError, errno);
        return false;
    }
    return true;
}

bool CFileHandle::GetLastWriteTime(FileTime& t)
{
    struct stat st;
    if (::fstat(Fd(m_h), &st) != 0) {
        FailWithErrno(errno);
        return false;
    }
    t = kUnixEpochIn1601Units + static_cast<FileTime>(st.st_mtim.tv_sec) * 10000000 + st.st_mtim.tv_nsec / 100;
    return true;
}

bool CFileHandle::SetLastWriteTime(FileTime t)
{
    FileTime unix100ns = t - kUnixEpochIn1601Units;
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;  // access time stays
    times[1].tv_sec = static_cast<time_t>(unix100ns / 10000000);
    times[1].tv_nsec = static_cast<long>(unix100ns % 10000000) * 100;
    if (times[1].tv_nsec < 0) {
        times[1].tv_nsec += 1000000000;
        times[1].tv_sec -= 1;
    }
    if (::futimens(Fd(m_h), times) != 0) {
        FailWithErrno(errno);
        return false;
    }
    return true;
}

bool CFileHandle::Close()
{
    if (m_h == kNone)
        return true;
    int fd = Fd(m_h);
    bool owned = m_bOwned;
    m_h = kNone;
    if (owned && ::close(fd) != 0 && errno != EINTR) {
        SetLastFileError(KindOfErrno(errno) == EFileError::Other ? EFileError::WriteError : KindOfErrno(errno), errno);
        return false;
    }
    return true;
}

CFileHandle OpenFileForReading(std::string_view path) { return OpenPath(path, O_RDONLY); }

CFileHandle OpenExistingFileExclusive(std::string_view path)
{
    // POSIX has no sharing modes; an advisory lock is no protection against
    // other programs, so this is a plain open for writing.
    return OpenPath(path, O_WRONLY);
}

CFileHandle OpenFileForWriting(std::string_view path, EWriteMode mode)
{
    switch (mode) {
    case EWriteMode::Truncate: return OpenPath(path, O_WRONLY | O_CREAT | O_TRUNC, 0666);
    case EWriteMode::CreateNew: return OpenPath(path, O_WRONLY | O_CREAT | O_EXCL, 0666);
    case EWriteMode::Update: return OpenPath(path, O_RDWR);
    case EWriteMode::Append: {
        CFileHandle f = OpenPath(path, O_WRONLY | O_CREAT, 0666);
        std::int64_t end = 0;
        if (f.IsOpen() && !f.SeekToEnd(end))
            return CFileHandle();
        return f;
    }
    }
    return CFileHandle();
}

CFileHandle OpenLockFile(std::string_view path)
{
    // POSIX has no sharing modes: an flock on the file stands for "no other
    // writer". The last holder unlinks the file, possibly between our open and
    // our lock, so the lock only counts when the name still leads to our file.
    std::string p(path);
    for (int attempt = 0; attempt < 16; ++attempt) {
        int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) {
            FailWithErrno(errno);
            return CFileHandle();
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            int e = errno;
            ::close(fd);
            if (e == EWOULDBLOCK)
                SetLastFileError(EFileError::Sharing, e);
            else
                FailWithErrno(e);
            return CFileHandle();
        }
        struct stat mine;
        struct stat named;
        if (::fstat(fd, &mine) == 0 && ::stat(p.c_str(), &named) == 0 && mine.st_dev == named.st_dev &&
            mine.st_ino == named.st_ino) {
            if (::ftruncate(fd, 0) != 0) {
                FailWithErrno(errno);
                ::close(fd);
                return CFileHandle();
            }
            return CFileHandle::FromNative(fd, true);
        }
        ::close(fd);  // unlinked under us: try the new file
    }
    SetLastFileError(EFileError::Sharing, 0);
    return CFileHandle();
}

CFileHandle StandardInput() { return CFileHandle::FromNative(0, false); }
CFileHandle StandardOutput() { return CFileHandle::FromNative(1, false); }

CFileHandle CreateTempFileBeside(std::string_view target, std::string& tempPath)
{
    std::string real = ResolvedTarget(target);
    std::string folder(FolderOfPath(real));
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    std::string prefix = folder + "." + std::string(NameOfPath(real)) + ".tova";
    static unsigned s_nCounter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate =
            prefix + std::to_string(::getpid()) + "-" + std::to_string(++s_nCounter) + ".tmp";
        CFileHandle f = OpenPath(candidate, O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (f.IsOpen()) {
            tempPath = candidate;
            return f;
        }
        if (LastFileError().kind != EFileError::Exists)
            return CFileHandle();
    }
    return CFileHandle();
}

bool ReplaceFileWith(std::string_view target, std::string_view tempPath)
{
    std::string real = ResolvedTarget(target);
    std::string temp(tempPath);
    struct stat st;
    if (::stat(real.c_str(), &st) == 0) {
        // The new file gets the old one's permissions (and, where allowed, its group).
        if (::chmod(temp.c_str(), st.st_mode & 07777) != 0) {
            FailWithErrno(errno);
            return false;
        }
        if (::chown(temp.c_str(), static_cast<uid_t>(-1), st.st_gid) != 0) {
            // Not a member of the group: the file keeps ours, as any new file would.
        }
    }
    if (::rename(temp.c_str(), real.c_str()) != 0) {
        FailWithErrno(errno);
        return false;
    }
    // Make the rename itself durable.
    std::string folder(FolderOfPath(real));
    int dfd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        (void)::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

bool RemoveFile(std::string_view path)
{
    std::string p(path);
    if (::unlink(p.c_str()) != 0) {
        FailWithErrno(errno);
        return false;
    }
    return true;
}

bool FileExists(std::string_view path)
{
    std::string p(path);
    struct stat st;
    return ::stat(p.c_str(), &st) == 0;
}

bool IsReadOnlyFile(std::string_view path)
{
    std::string p(path);
    struct stat st;
    return ::stat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::string_view FolderOfPath(std::string_view path)
{
    // POSIX paths are plain bytes (often UTF-8): '/' is the only separator.
    size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return std::string_view();
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

std::string_view NameOfPath(std::string_view path)
{
    size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool GetPathInfo(std::string_view path, CPathInfo& info)
{
    std::string p(path);
    struct stat st;
    if (::stat(p.c_str(), &st) != 0) {
        FailWithErrno(errno);
        return false;
    }
    info.bFolder = S_ISDIR(st.st_mode);
    info.nSize = st.st_size;
    info.ftLastWrite =
        kUnixEpochIn1601Units + static_cast<FileTime>(st.st_mtim.tv_sec) * 10000000 + st.st_mtim.tv_nsec / 100;
    return true;
}

bool FolderExists(std::string_view path)
{
    CPathInfo info;
    return GetPathInfo(path, info) && info.bFolder;
}

bool CreateFolder(std::string_view path)
{
    std::string p(path);
    if (::mkdir(p.c_str(), 0777) != 0) {
        FailWithErrno(errno);
        return false;
    }
    return true;
}

bool RemoveFolder(std::string_view path)
{
    std::string p(path);
    if (::rmdir(p.c_str()) != 0) {
        FailWithErrno(errno);
        return false;
    }
    return true;
}

bool RemoveLink(std::string_view path) { return RemoveFile(path); }

bool ListFolder(std::string_view folder, std::vector<CFolderEntry>& entries)
{
    entries.clear();
    std::string dirPath(folder);
    DIR* dir = ::opendir(dirPath.c_str());
    if (!dir) {
        FailWithErrno(errno);
        return false;
    }
    if (!dirPath.empty() && dirPath.back() != '/')
        dirPath += '/';
    errno = 0;
    while (struct dirent* e = ::readdir(dir)) {
        std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        CFolderEntry entry;
        entry.strName = name;
        struct stat st;
        if (::lstat((dirPath + name).c_str(), &st) == 0) {
            if (S_ISLNK(st.st_mode))
                entry.kind = CFolderEntry::Link;
            else if (S_ISDIR(st.st_mode))
                entry.kind = CFolderEntry::Folder;
        }
        entries.push_back(std::move(entry));
        errno = 0;
    }
    int e = errno;
    ::closedir(dir);
    if (e != 0) {
        FailWithErrno(e);
        return false;
    }
    return true;
}

std::string FullPathOf(std::string_view path)
{
    std::string p(path);
    if (p.empty() || p[0] != '/') {
        std::string cwd;
        if (!GetCurrentFolder(cwd))
            return p;
        p = cwd + "/" + p;
    }
    // Resolve "." and ".." by the names alone: the file need not exist.
    std::vector<std::string> parts;
    size_t i = 0;
    while (i < p.size()) {
        size_t j = p.find('/', i);
        if (j == std::string::npos)
            j = p.size();
        std::string part = p.substr(i, j - i);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        i = j + 1;
    }
    std::string result;
    for (const std::string& part : parts)
        result += "/" + part;
    return result.empty() ? "/" : result;
}

bool IsSameFile(std::string_view a, std::string_view b)
{
    std::string pa(a), pb(b);
    struct stat sa;
    struct stat sb;
    if (::stat(pa.c_str(), &sa) == 0 && ::stat(pb.c_str(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return FullPathOf(a) == FullPathOf(b);
}

bool GetCurrentFolder(std::string& folder)
{
    char buf[PATH_MAX];
    if (!::getcwd(buf, sizeof buf)) {
        FailWithErrno(errno);
        return false;
    }
    folder = buf;
    return true;
}

bool LookUpShortName(std::string_view path, std::string& name)
{
    // No short names here: the name as stored, when it exists.
    std::string p(path);
    struct stat st;
    if (::lstat(p.c_str(), &st) != 0) {
        FailWithErrno(errno);
        return false;
    }
    name = std::string(NameOfPath(path));
    return true;
}
