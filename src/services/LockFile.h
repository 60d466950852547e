// A lock file tells other editors (on this or another computer) that a file is
// being worked on, and by whom. For "dir\name.ext" it is "dir\name.lk": the
// extension is dropped, so "a.txt" and "a.doc" in one folder share "a.lk". It
// holds "<local time> <computer name>" without a line end, and stays open,
// shared for reading only, while the lock is held.
#pragma once
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

class CLockFile {
public:
    CLockFile() = default;
    ~CLockFile() { Unlock(); }
    CLockFile(const CLockFile&) = delete;
    CLockFile& operator=(const CLockFile&) = delete;

    // Takes the lock of path (releasing one this object held). False when
    // another holds it (HolderTime and HolderComputer then tell who, or an error
    // box says that the lock file could not be read), and for a path that is
    // itself a lock file ("can't lock %s").
    bool Lock(std::string_view path);
    // Closes and deletes the lock file, if one is held.
    void Unlock();
    bool IsLocked() const { return m_file.IsOpen(); }

    const std::string& HolderTime() const { return m_strHolderTime; }
    const std::string& HolderComputer() const { return m_strHolderComputer; }
    const std::string& LockPath() const { return m_strLockPath; }

    // The lock file's name for a file.
    static std::string LockPathOf(std::string_view path);

private:
    bool ReadHolder();

    CFileHandle m_file;
    std::string m_strLockPath;
    std::string m_strHolderTime;
    std::string m_strHolderComputer;
};
