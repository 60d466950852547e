// Buffered reading and writing over the file seam.
#include "services/FileStream.h"

#include <cstring>

namespace {

constexpr size_t kBufferSize = 64 * 1024;

} // namespace

bool CFileStream::Open(std::string_view path, EMode mode)
{
    Close();
    switch (mode) {
    case EMode::Read: m_file = OpenFileForReading(path); break;
    case EMode::Update: m_file = OpenFileForWriting(path, EWriteMode::Update); break;
    case EMode::Write: m_file = OpenFileForWriting(path, EWriteMode::Truncate); break;
    case EMode::Append: m_file = OpenFileForWriting(path, EWriteMode::Append); break;
    case EMode::CreateNew: m_file = OpenFileForWriting(path, EWriteMode::CreateNew); break;
    }
    if (!m_file.IsOpen())
        return false;
    m_strPath.assign(path);
    m_buffer.resize(kBufferSize);
    m_nPos = m_nLen = 0;
    m_nBufferStart = 0;
    if (mode == EMode::Append && !m_file.SeekToEnd(m_nBufferStart)) {
        m_file.Close();
        return false;
    }
    m_bWriting = false;
    m_bError = false;
    m_bAtEnd = false;
    return true;
}

bool CFileStream::Refill()
{
    if (m_bError || !m_file.IsOpen())
        return false;
    if (m_bWriting && !Flush())
        return false;
    m_nBufferStart += static_cast<std::int64_t>(m_nLen);
    m_nPos = m_nLen = 0;
    std::ptrdiff_t got = m_file.Read(m_buffer.data(), m_buffer.size());
    if (got < 0) {
        Fail();
        return false;
    }
    if (got == 0) {
        m_bAtEnd = true;
        return false;
    }
    m_nLen = static_cast<size_t>(got);
    return true;
}

size_t CFileStream::Read(void* p, size_t n)
{
    char* out = static_cast<char*>(p);
    size_t done = 0;
    while (done < n) {
        if (m_nPos == m_nLen && !Refill())
            break;
        size_t take = m_nLen - m_nPos < n - done ? m_nLen - m_nPos : n - done;
        std::memcpy(out + done, m_buffer.data() + m_nPos, take);
        m_nPos += take;
        done += take;
    }
    return done;
}

bool CFileStream::ReadLine(std::string& line, size_t maxBytes)
{
    line.clear();
    while (line.size() < maxBytes) {
        if (m_nPos == m_nLen && !Refill())
            break;
        // Take up to the next LF in the buffer at once.
        size_t room = maxBytes - line.size();
        size_t avail = m_nLen - m_nPos < room ? m_nLen - m_nPos : room;
        const char* start = m_buffer.data() + m_nPos;
        const char* lf = static_cast<const char*>(std::memchr(start, '\n', avail));
        size_t take = lf ? static_cast<size_t>(lf - start) + 1 : avail;
        line.append(start, take);
        m_nPos += take;
        if (lf && line.size() >= 2 && line[line.size() - 2] == '\r')
            return true;
    }
    return !line.empty();
}

bool CFileStream::StartWriting()
{
    if (m_bWriting)
        return true;
    // Leaving a read: the file position goes back to where the reader stands.
    std::int64_t pos = Tell();
    if (m_nLen != 0 && !m_file.Seek(pos)) {
        Fail();
        return false;
    }
    m_nBufferStart = pos;
    m_nPos = m_nLen = 0;
    m_bWriting = true;
    return true;
}

bool CFileStream::Write(const void* p, size_t n)
{
    if (m_bError || !m_file.IsOpen() || !StartWriting())
        return false;
    const char* in = static_cast<const char*>(p);
    while (n > 0) {
        if (m_nPos == m_buffer.size() && !WriteOut())
            return false;
        size_t take = m_buffer.size() - m_nPos < n ? m_buffer.size() - m_nPos : n;
        std::memcpy(m_buffer.data() + m_nPos, in, take);
        m_nPos += take;
        in += take;
        n -= take;
    }
    return true;
}

bool CFileStream::WriteOut()
{
    if (m_nPos > 0 && !m_file.Write(m_buffer.data(), m_nPos)) {
        Fail();
        return false;
    }
    m_nBufferStart += static_cast<std::int64_t>(m_nPos);
    m_nPos = 0;
    return true;
}

bool CFileStream::Flush()
{
    if (!m_bWriting)
        return !m_bError;
    if (!WriteOut())
        return false;
    m_bWriting = false;
    return !m_bError;
}

std::int64_t CFileStream::Tell() const { return m_nBufferStart + static_cast<std::int64_t>(m_nPos); }

bool CFileStream::Seek(std::int64_t pos)
{
    if (!m_file.IsOpen() || (m_bWriting && !Flush()))
        return false;
    if (!m_file.Seek(pos)) {
        Fail();
        return false;
    }
    m_nBufferStart = pos;
    m_nPos = m_nLen = 0;
    m_bAtEnd = false;
    return true;
}

bool CFileStream::Close()
{
    if (!m_file.IsOpen())
        return true;
    bool ok = Flush();
    if (!m_file.Close())
        ok = false;
    if (!ok)
        Fail();
    return ok;
}

bool ReadWholeFile(std::string_view path, std::string& text, size_t maxBytes)
{
    text.clear();
    CFileStream in;
    if (!in.Open(path, CFileStream::EMode::Read))
        return false;
    char buf[8192];
    while (text.size() < maxBytes) {
        size_t want = maxBytes - text.size() < sizeof buf ? maxBytes - text.size() : sizeof buf;
        size_t got = in.Read(buf, want);
        text.append(buf, got);
        if (got < want)
            break;
    }
    return !in.HasError();
}
