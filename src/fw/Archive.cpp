// Chunked reading and buffered, in-place writing for document load and save.
#include "fw/Archive.h"

#include <cstdlib>
#include <cstring>

namespace {

// Large enough that writing 100 MB takes a hundred system calls, small enough
// to stay in the caches between the converter and the kernel's copy.
constexpr size_t kWriteBufferSize = 1 << 20;

} // namespace

CArchive::CArchive(CFileHandle& file, EMode mode, std::string_view pathName)
    : m_mode(mode), m_strPathName(pathName), m_pFile(&file)
{
}

CArchive::CArchive(const void* data, size_t size, std::string_view pathName)
    : m_mode(Load), m_strPathName(pathName), m_pMem(static_cast<const char*>(data)), m_nMemSize(size)
{
}

CArchive::CArchive(std::string& sink, std::string_view pathName)
    : m_mode(Store), m_strPathName(pathName), m_pSink(&sink)
{
}

CArchive::~CArchive() { std::free(m_pBuffer); }

void CArchive::SetError(EFileError kind, long nCode)
{
    if (m_bError)
        return;  // the first failure is the one worth reporting
    m_bError = true;
    m_error.kind = kind;
    m_error.nCode = nCode;
}

void CArchive::SetErrorFromFile()
{
    CFileErrorInfo e = LastFileError();
    SetError(e.kind == EFileError::None ? EFileError::Other : e.kind, e.nCode);
}

std::ptrdiff_t CArchive::Read(void* p, size_t n)
{
    if (m_bError || m_mode != Load)
        return -1;
    if (!m_pFile) {
        size_t take = m_nMemSize - m_nMemPos < n ? m_nMemSize - m_nMemPos : n;
        std::memcpy(p, m_pMem + m_nMemPos, take);
        m_nMemPos += take;
        return static_cast<std::ptrdiff_t>(take);
    }
    size_t got = 0;
    while (got < n) {
        std::ptrdiff_t r = m_pFile->Read(static_cast<char*>(p) + got, n - got);
        if (r < 0) {
            SetErrorFromFile();
            return -1;
        }
        if (r == 0)
            break;
        got += static_cast<size_t>(r);
    }
    return static_cast<std::ptrdiff_t>(got);
}

std::uint64_t CArchive::GetSizeHint() const
{
    if (m_mode != Load)
        return 0;
    if (!m_pFile)
        return m_nMemSize;
    std::int64_t size = 0;
    return m_pFile->GetSize(size) && size > 0 ? static_cast<std::uint64_t>(size) : 0;
}

char* CArchive::GetWriteSpace(size_t n)
{
    if (m_bError || m_mode != Store)
        return nullptr;
    if (m_nCapacity - m_nUsed >= n)
        return m_pBuffer + m_nUsed;
    if (m_nUsed > 0 && !Flush())
        return nullptr;
    if (n > m_nCapacity) {
        size_t cap = n > kWriteBufferSize ? n : kWriteBufferSize;
        char* p = static_cast<char*>(std::realloc(m_pBuffer, cap));
        if (!p) {
            SetError(EFileError::Other);
            return nullptr;
        }
        m_pBuffer = p;
        m_nCapacity = cap;
    }
    return m_pBuffer + m_nUsed;
}

bool CArchive::Write(const void* p, size_t n)
{
    char* d = GetWriteSpace(n);
    if (!d)
        return false;
    std::memcpy(d, p, n);
    CommitWrite(n);
    return true;
}

bool CArchive::Flush()
{
    if (m_bError)
        return false;
    if (m_nUsed == 0)
        return true;
    if (m_pSink) {
        m_pSink->append(m_pBuffer, m_nUsed);
    } else if (!m_pFile->Write(m_pBuffer, m_nUsed)) {
        SetErrorFromFile();
        return false;
    }
    m_nFlushed += m_nUsed;
    m_nUsed = 0;
    return true;
}
