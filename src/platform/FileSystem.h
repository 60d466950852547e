// The files the core reads and writes, one implementation per target
// (FileSystem_posix.cpp, FileSystem_win.cpp). Paths are Shift-JIS bytes; the
// Windows side opens them through the wide API, so no ANSI code page is involved.
// Every call that fails leaves its reason in LastFileError(); nothing here shows
// a message: the callers report, in their own words.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Why the last file operation failed.
enum class EFileError {
    None,
    NotFound,      // no such file or folder
    AccessDenied,  // no permission, read-only file or folder
    ReadOnly,      // the file is marked read-only (refused before trying)
    Sharing,       // another program holds the file
    DiskFull,      // no space left (or quota)
    Exists,        // the name is taken (exclusive creation)
    ReadError,     // the device reported an error while reading
    WriteError,    // the device reported an error while writing
    Other,
};

struct CFileErrorInfo {
    EFileError kind = EFileError::None;
    long nCode = 0;  // errno or GetLastError()
};

// The reason of the last failure on this thread.
CFileErrorInfo LastFileError();
void SetLastFileError(EFileError kind, long nCode = 0);
// A short Japanese description of the last failure (Shift-JIS), for messages.
std::string LastFileErrorText();

// Last-write times are 100-nanosecond intervals since 1601-01-01 UTC on every
// target, so a recorded time means the same wherever it was read.
using FileTime = std::int64_t;

// An open file; closed when the object goes away. Move-only.
class CFileHandle {
public:
    CFileHandle() = default;
    ~CFileHandle();
    CFileHandle(CFileHandle&& other) noexcept : m_h(other.m_h), m_bOwned(other.m_bOwned) { other.m_h = kNone; }
    CFileHandle& operator=(CFileHandle&& other) noexcept;
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    bool IsOpen() const { return m_h != kNone; }
    // Reads up to n bytes: the count read, 0 at the end, -1 on an error.
    std::ptrdiff_t Read(void* p, size_t n);
    // Writes all n bytes; false on an error.
    bool Write(const void* p, size_t n);
    // Moves the file position to pos bytes from the start.
    bool Seek(std::int64_t pos);
    // Moves it to the end; pos receives the file's size.
    bool SeekToEnd(std::int64_t& pos);
    // The size of a regular file (not a pipe or a device), without moving and
    // without setting the last error: false when there is none to tell.
    bool GetSize(std::int64_t& size) const;
    // Forces the written data to the device.
    bool Sync();
    bool GetLastWriteTime(FileTime& t);
    bool SetLastWriteTime(FileTime t);
    // Closes the file; false when closing reported an error (data not written).
    bool Close();

    static constexpr std::intptr_t kNone = -1;
    // Wraps a native handle (fd / HANDLE); bOwned: close it at the end.
    static CFileHandle FromNative(std::intptr_t h, bool bOwned)
    {
        CFileHandle f;
        f.m_h = h;
        f.m_bOwned = bOwned;
        return f;
    }

private:
    std::intptr_t m_h = kNone;
    bool m_bOwned = true;
};

// An existing file for reading (others may read and write it meanwhile).
CFileHandle OpenFileForReading(std::string_view path);
// An existing file for writing, held by us alone (no sharing on Windows); its
// contents are kept. For probing and for the last-write time.
CFileHandle OpenExistingFileExclusive(std::string_view path);
// How OpenFileForWriting opens a file. Others may read it meanwhile, never write.
enum class EWriteMode {
    Truncate,   // create it or empty it
    Append,     // create it or keep it, position at the end
    CreateNew,  // create it; fails with EFileError::Exists when the name is taken
    Update,     // an existing file for reading and writing, contents kept
};
CFileHandle OpenFileForWriting(std::string_view path, EWriteMode mode);
// A lock file: created or emptied for writing; others may read it, but while
// the handle is open no other handle (in any process) gets it through this
// call: that fails with EFileError::Sharing.
CFileHandle OpenLockFile(std::string_view path);
// Standard input and output, not closed by the handle.
CFileHandle StandardInput();
CFileHandle StandardOutput();

// Creates a new, empty file with a name of its own in the folder that holds
// target (the folder of the file a link points to, when target is a link), so
// that ReplaceFileWith can later put it in target's place in one step. The
// name is created exclusively: an existing file is never reused. On success
// tempPath receives the new file's path.
CFileHandle CreateTempFileBeside(std::string_view target, std::string& tempPath);
// Puts the file tempPath in place of target in one step: target is either the
// old file or the new one, never a mixture or nothing. Keeps target's
// permissions and attributes when it existed.
bool ReplaceFileWith(std::string_view target, std::string_view tempPath);
bool RemoveFile(std::string_view path);
bool FileExists(std::string_view path);
// True when the file is marked read-only: the read-only attribute on Windows, no
// write permission for anyone on POSIX. A save must not replace such a file,
// even when the process could (an administrator, root).
bool IsReadOnlyFile(std::string_view path);

// The folder part of a Shift-JIS path, without the final separator ("" when
// there is none). Separators are '\' and '/' at character boundaries only: the
// second byte of 表 or ソ is 0x5C and is no separator.
std::string_view FolderOfPath(std::string_view path);
// The name after the folder part.
std::string_view NameOfPath(std::string_view path);

// The separator this target puts between folder and name.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// What the file system says about one path.
struct CPathInfo {
    bool bFolder = false;
    std::int64_t nSize = 0;
    FileTime ftLastWrite = 0;
};
// False (LastFileError tells why) when the path cannot be examined.
bool GetPathInfo(std::string_view path, CPathInfo& info);
bool FolderExists(std::string_view path);
bool CreateFolder(std::string_view path);
// Removes an empty folder.
bool RemoveFolder(std::string_view path);
// Removes a symbolic link or a junction itself, never what it points to.
bool RemoveLink(std::string_view path);

// One entry of a folder. A symbolic link or junction is a Link whatever it
// points to, so walking a tree never leaves it through one.
struct CFolderEntry {
    enum EKind { File, Folder, Link };
    std::string strName;
    EKind kind = File;
};
// The entries of a folder, without "." and "..".
bool ListFolder(std::string_view folder, std::vector<CFolderEntry>& entries);

// The absolute form of a path (made from the current folder, with "." and ".."
// resolved); the path itself when that fails.
std::string FullPathOf(std::string_view path);
// True when both paths name one file: the same file when both exist (links and
// alternative spellings included), else the same full path as this target
// compares paths.
bool IsSameFile(std::string_view a, std::string_view b);
// The current folder; false when the system cannot say.
bool GetCurrentFolder(std::string& folder);
// Looks up the path's last component: name receives its short (8.3) name where
// the file system keeps one, else its name as stored. False when it does not exist.
bool LookUpShortName(std::string_view path, std::string& name);
