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

bool CFileHandle::Seek(std::int64_t pos)
{
    LARGE_INTEGER li;
    li.QuadPart = pos;
    if (!::SetFilePointerEx(H(m_h), li, nullptr, FILE_BEGIN)) {
        FailWithLastError();
        return false;
    }
    return true;
}

bool CFileHandle::GetSize(std::int64_t& size) const
{
    LARGE_INTEGER n;
    if (::GetFileType(H(m_h)) != FILE_TYPE_DISK || !::GetFileSizeEx(H(m_h), &n))
        return false;
    size = n.QuadPart;
    return true;
}

bool CFileHandle::SeekToEnd(std::int64_t& pos)
{
    LARGE_INTEGER zero;
    zero.QuadPart = 0;
    LARGE_INTEGER end;
    if (!::SetFilePointerEx(H(m_h), zero, &end, FILE_END)) {
        FailWithLastError();
        return false;
    }
    pos = end.QuadPart;
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

CFileHandle OpenFileForWriting(std::string_view path, EWriteMode mode)
{
    switch (mode) {
    case EWriteMode::Truncate: return Open(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
    case EWriteMode::CreateNew: return Open(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_NEW);
    case EWriteMode::Update: return Open(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING);
    case EWriteMode::Append: {
        CFileHandle f = Open(path, GENERIC_WRITE, FILE_SHARE_READ, OPEN_ALWAYS);
        std::int64_t end = 0;
        if (f.IsOpen() && !f.SeekToEnd(end))
            return CFileHandle();
        return f;
    }
    }
    return CFileHandle();
}

// Holding the file for writing with read sharing only keeps every other writer
// out: a second CREATE_ALWAYS for writing meets a sharing violation.
CFileHandle OpenLockFile(std::string_view path) { return Open(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS); }

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
    // ReplaceFile keeps the old file's attributes, security and streams. When it
    // fails with both files still in their places, a plain move does the job.
    if (attrs != INVALID_FILE_ATTRIBUTES && !(attrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        if (::ReplaceFileW(wTarget.c_str(), wTemp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
            return true;
        DWORD e = ::GetLastError();
        if (e != ERROR_UNABLE_TO_REMOVE_REPLACED && e != ERROR_UNABLE_TO_MOVE_REPLACEMENT && e != ERROR_ACCESS_DENIED &&
            e != ERROR_INVALID_PARAMETER && e != ERROR_NOT_SUPPORTED && e != ERROR_INVALID_FUNCTION) {
            FailWithLastError();
            return false;
        }
    }
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

bool IsReadOnlyFile(std::string_view path)
{
    DWORD attrs = ::GetFileAttributesW(Wide(path).c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY) && (attrs & FILE_ATTRIBUTE_READONLY);
}


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

namespace {

FileTime FromFileTime(const FILETIME& ft)
{
    return static_cast<FileTime>((static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}

bool IsLinkAttributes(DWORD attrs, DWORD reparseTag)
{
    return (attrs & FILE_ATTRIBUTE_REPARSE_POINT) &&
           (reparseTag == IO_REPARSE_TAG_SYMLINK || reparseTag == IO_REPARSE_TAG_MOUNT_POINT);
}

} // namespace

bool GetPathInfo(std::string_view path, CPathInfo& info)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) {
        FailWithLastError();
        return false;
    }
    info.bFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info.nSize = static_cast<std::int64_t>((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) |
                                           data.nFileSizeLow);
    info.ftLastWrite = FromFileTime(data.ftLastWriteTime);
    return true;
}

bool FolderExists(std::string_view path)
{
    DWORD attrs = ::GetFileAttributesW(Wide(path).c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolder(std::string_view path)
{
    if (!::CreateDirectoryW(Wide(path).c_str(), nullptr)) {
        FailWithLastError();
        return false;
    }
    return true;
}

bool RemoveFolder(std::string_view path)
{
    if (!::RemoveDirectoryW(Wide(path).c_str())) {
        FailWithLastError();
        return false;
    }
    return true;
}

bool RemoveLink(std::string_view path)
{
    // A link to a folder (symbolic link or junction) is removed as a folder,
    // which takes the link away and leaves its target alone.
    std::wstring w = Wide(path);
    DWORD attrs = ::GetFileAttributesW(w.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) {
        FailWithLastError();
        return false;
    }
    BOOL ok = (attrs & FILE_ATTRIBUTE_DIRECTORY) ? ::RemoveDirectoryW(w.c_str()) : ::DeleteFileW(w.c_str());
    if (!ok) {
        FailWithLastError();
        return false;
    }
    return true;
}

bool ListFolder(std::string_view folder, std::vector<CFolderEntry>& entries)
{
    entries.clear();
    std::string pattern(folder);
    if (!pattern.empty() && LastSeparator(pattern) != pattern.size() - 1)
        pattern += '\\';
    pattern += "*.*";
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW(Wide(pattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) {
        FailWithLastError();
        return false;
    }
    do {
        std::wstring_view name(fd.cFileName);
        if (name == L"." || name == L"..")
            continue;
        CFolderEntry entry;
        entry.strName = Narrow(name);
        if (IsLinkAttributes(fd.dwFileAttributes, fd.dwReserved0))
            entry.kind = CFolderEntry::Link;
        else if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            entry.kind = CFolderEntry::Folder;
        entries.push_back(std::move(entry));
    } while (::FindNextFileW(h, &fd));
    DWORD e = ::GetLastError();
    ::FindClose(h);
    if (e != ERROR_NO_MORE_FILES) {
        SetLastFileError(KindOfError(e), static_cast<long>(e));
        return false;
    }
    return true;
}

std::string FullPathOf(std::string_view path)
{
    std::wstring w = Wide(path);
    DWORD n = ::GetFullPathNameW(w.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        return std::string(path);
    std::wstring full(n, L'\0');
    DWORD got = ::GetFullPathNameW(w.c_str(), n, full.data(), nullptr);
    if (got == 0 || got >= n)
        return std::string(path);
    full.resize(got);
    return Narrow(full);
}

namespace {

// Volume and file index of an existing file.
bool FileIdentity(std::string_view path, BY_HANDLE_FILE_INFORMATION& info)
{
    HANDLE h = ::CreateFileW(Wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BOOL ok = ::GetFileInformationByHandle(h, &info);
    ::CloseHandle(h);
    return ok != FALSE;
}

} // namespace

bool IsSameFile(std::string_view a, std::string_view b)
{
    BY_HANDLE_FILE_INFORMATION ia;
    BY_HANDLE_FILE_INFORMATION ib;
    if (FileIdentity(a, ia) && FileIdentity(b, ib))
        return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
               ia.nFileIndexLow == ib.nFileIndexLow;
    // Windows compares names without regard to case.
    std::wstring fa = Wide(FullPathOf(a));
    std::wstring fb = Wide(FullPathOf(b));
    return ::CompareStringOrdinal(fa.c_str(), static_cast<int>(fa.size()), fb.c_str(), static_cast<int>(fb.size()),
                                  TRUE) == CSTR_EQUAL;
}

bool GetCurrentFolder(std::string& folder)
{
    DWORD n = ::GetCurrentDirectoryW(0, nullptr);
    if (n == 0) {
        FailWithLastError();
        return false;
    }
    std::wstring w(n, L'\0');
    DWORD got = ::GetCurrentDirectoryW(n, w.data());
    if (got == 0 || got >= n) {
        FailWithLastError();
        return false;
    }
    w.resize(got);
    folder = Narrow(w);
    return true;
}

bool LookUpShortName(std::string_view path, std::string& name)
{
    // FindFirstFile takes wildcards; a name holding one names no single file.
    std::string_view last = NameOfPath(path);
    if (last.find_first_of("*?") != std::string_view::npos) {
        SetLastFileError(EFileError::NotFound, ERROR_INVALID_NAME);
        return false;
    }
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW(Wide(path).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) {
        FailWithLastError();
        return false;
    }
    ::FindClose(h);
    name = Narrow(fd.cAlternateFileName[0] ? fd.cAlternateFileName : fd.cFileName);
    return true;
}
