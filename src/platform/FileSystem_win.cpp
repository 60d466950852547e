// The file seam on Windows: Shift-JIS paths become UTF-16 and go to the wide API.
#include "platform/FileSystem.h"

#include <windows.h>

#include "platform/Wide_win.h"
#include "text/Sjis.h"

namespace {

EFileError KindOfError(DWORD e)
{
    switch (e) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: return EFileError::NotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return EFileError::AccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return EFileError::Sharing;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return EFileError::DiskFull;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EFileError::Exists;
    default: return EFileError::Other;
    }
}

void FailWithLastError()
{
    DWORD e = ::GetLastError();
    SetLastFileError(KindOfError(e), static_cast<long>(e));
}

HANDLE H(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }

CFileHandle Open(std::string_view path, DWORD access, DWORD share, DWORD disposition)
{
    HANDLE h = ::CreateFileW(Wide(path).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        FailWithLastError();
        return CFileHandle();
    }
    return CFileHandle::FromNative(reinterpret_cast<std::intptr_t>(h), true);
}

} // namespace

CFileHandle::~CFileHandle() { Close(); }

CFileHandle& CFileHandle::operator=(CFileHandle&& other) noexcept
{
    if (this != &other) {
        Close();
        m_h = other.m_h;
        m_bOwned = other.m_bOwned;
        other.m_h = kNone;
    }
    return *this;
}

std::ptrdiff_t CFileHandle::Read(void* p, size_t n)
{
    DWORD got = 0;
    DWORD want = n > 0x40000000 ? 0x40000000 : static_cast<DWORD>(n);
    if (!::ReadFile(H(m_h), p, want, &got, nullptr)) {
        DWORD e = ::GetLastError();
        if (e == ERROR_BROKEN_PIPE || e == ERROR_HANDLE_EOF)
            return 0;  // the writer of a pipe has finished
        SetLastFileError(KindOfError(e) == EFileError::Other ? EFileError::ReadError : KindOfError(e),
                         static_cast<long>(e));
        return -1;
    }
    return static_cast<std::ptrdiff_t>(got);
}

bool CFileHandle::Write(const void* p, size_t n)
{
    const char* q = static_cast<const char*>(p);
    while (n > 0) {
        DWORD chunk = n > 0x40000000 ? 0x40000000 : static_cast<DWORD>(n);
        DWORD put = 0;
        if (!::WriteFile(H(m_h), q, chunk, &put, nullptr) || put == 0) {
            DWORD e = ::GetLastError();
            SetLastFileError(KindOfError(e) == EFileError::Other ? EFileError::WriteError : KindOfError(e),
                             static_cast<long>(e));
            return false;
        }
        q += put;
        n -= put;
    }
    return true;
}

bool CFileHandle::Sync()
{
    if (!::FlushFileBuffers(H(m_h))) {
        DWORD e = ::GetLastError();
        if (e == ERROR_INVALID_HANDLE || e == ERROR_INVALID_FUNCTION)
            return true;  // a console or pipe: nothing to flush
        SetLastFileError(EFileError::WriteError, static_cast<long>(e));
        return false;
    }
    return true;
}

bool CFileHandle::GetLastWriteTime(FileTime& t)
{
    FILETIME ft;
    if (!::GetFileTime(H(m_h), nullptr, nullptr, &ft)) {
        FailWithLastError();
        return false;
    }
    t = static_cast<FileTime>((static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
    return true;
}

bool CFileHandle::SetLastWriteTime(FileTime t)
{
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(static_cast<unsigned long long>(t) & 0xFFFFFFFFu);
    ft.dwHighDateTime = static_cast<DWORD>(static_cast<unsigned long long>(t) >> 32);
    if (!::SetFileTime(H(m_h), nullptr, nullptr, &ft)) {
        FailWithLastError();
        return false;
    }
    return true;
}

bool CFileHandle::Close()
{
    if (m_h == kNone)
        return true;
    HANDLE h = H(m_h);
    bool owned = m_bOwned;
    m_h = kNone;
    if (owned && !::CloseHandle(h)) {
        FailWithLastError();
        return false;
    }
    return true;
}

CFileHandle OpenFileForReading(std::string_view path)
{
    return Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
}

CFileHandle OpenExistingFileExclusive(std::string_view path) { return Open(path, GENERIC_WRITE, 0, OPEN_EXISTING); }

CFileHandle StandardInput()
{
    return CFileHandle::FromNative(reinterpret_cast<std::intptr_t>(::GetStdHandle(STD_INPUT_HANDLE)), false);
}

CFileHandle StandardOutput()
{
    return CFileHandle::FromNative(reinterpret_cast<std::intptr_t>(::GetStdHandle(STD_OUTPUT_HANDLE)), false);
}

namespace {

// Position after the last separator at a character boundary, or npos.
size_t LastSeparator(std::string_view path)
{
    size_t last = std::string_view::npos;
    for (size_t i = 0; i < path.size(); i += CharLenAt(path, i))
        if (path[i] == '\\' || path[i] == '/')
            last = i;
    return last;
}

} // namespace

CFileHandle CreateTempFileBeside(std::string_view target, std::string& tempPath)
{
    std::string prefix(FolderOfPath(target));
    if (!prefix.empty() && LastSeparator(prefix) != prefix.size() - 1)
        prefix += '\\';
    prefix += "~tova";
    static unsigned s_nCounter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = prefix + std::to_string(::GetCurrentProcessId()) + "-" +
                                std::to_string(++s_nCounter) + ".tmp";
        CFileHandle f = Open(candidate, GENERIC_WRITE, 0, CREATE_NEW);
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
    std::wstring wTarget = Wide(target);
    std::wstring wTemp = Wide(tempPath);
    DWORD attrs = ::GetFileAttributesW(wTarget.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES) {
        // The new file carries the old one's attributes (hidden, archive, ...).
        // A read-only target stays protected: the move below refuses it.
        DWORD keep = attrs & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                              FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
        if (keep)
            ::SetFileAttributesW(wTemp.c_str(), keep);
    }
    if (!::MoveFileExW(wTemp.c_str(), wTarget.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        FailWithLastError();
        return false;
    }
    return true;
}

bool RemoveFile(std::string_view path)
{
    if (!::DeleteFileW(Wide(path).c_str())) {
        FailWithLastError();
        return false;
    }
    return true;
}

bool FileExists(std::string_view path) { return ::GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }


std::string_view FolderOfPath(std::string_view path)
{
    size_t sep = LastSeparator(path);
    if (sep == std::string_view::npos)
        return std::string_view();
    // "C:\x" keeps its root "C:\"; "\x" keeps "\".
    if (sep == 0 || (sep == 2 && path[1] == ':'))
        return path.substr(0, sep + 1);
    return path.substr(0, sep);
}

std::string_view NameOfPath(std::string_view path)
{
    size_t sep = LastSeparator(path);
    return sep == std::string_view::npos ? path : path.substr(sep + 1);
}
