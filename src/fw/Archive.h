// The stream a document is loaded from or stored to: an open file (or, for tests
// and tools, a block of memory), with a direction and an error state. Loading
// reads in chunks; storing collects bytes in a large buffer that the writer
// fills in place (GetWriteSpace/CommitWrite), so converted text is written
// without an extra copy.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

class CArchive {
public:
    enum EMode { Load, Store };

    // Over an open file (not owned). pathName is what messages call it.
    CArchive(CFileHandle& file, EMode mode, std::string_view pathName = {});
    // Loading from memory (not copied; must outlive the archive).
    CArchive(const void* data, size_t size, std::string_view pathName = {});
    // Storing into a string (appended to).
    explicit CArchive(std::string& sink, std::string_view pathName = {});
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsLoading() const { return m_mode == Load; }
    bool IsStoring() const { return m_mode == Store; }
    const std::string& GetPathName() const { return m_strPathName; }

    // Loading: reads up to n bytes; fewer only at the end of the input (a pipe's
    // short reads are joined); -1 on an error (the error state is set).
    std::ptrdiff_t Read(void* p, size_t n);
    // Loading: how many bytes the input holds in all, when that is known
    // beforehand (memory, a regular file); else 0.
    std::uint64_t GetSizeHint() const;

    // Storing: room for n bytes at the end of the buffer (flushing or growing it
    // first); null when that failed (the error state is set). The writer puts up
    // to n bytes there and commits how many it used.
    char* GetWriteSpace(size_t n);
    void CommitWrite(size_t n) { m_nUsed += n; }
    bool Write(const void* p, size_t n);
    // Writes out what is buffered; false when the archive is in error.
    bool Flush();
    size_t GetBytesWritten() const { return m_nFlushed + m_nUsed; }

    bool HasError() const { return m_bError; }
    // What went wrong (EFileError::Other with code 0 for memory).
    const CFileErrorInfo& GetError() const { return m_error; }
    void SetError(EFileError kind, long nCode = 0);

private:
    void SetErrorFromFile();

    EMode m_mode;
    std::string m_strPathName;
    CFileHandle* m_pFile = nullptr;
    const char* m_pMem = nullptr;
    size_t m_nMemSize = 0;
    size_t m_nMemPos = 0;
    std::string* m_pSink = nullptr;
    char* m_pBuffer = nullptr;
    size_t m_nCapacity = 0;
    size_t m_nUsed = 0;
    size_t m_nFlushed = 0;
    bool m_bError = false;
    CFileErrorInfo m_error;
};
