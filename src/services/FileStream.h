// A buffered byte stream over one open file, the form in which the mail code
// reads and writes mail files and temporary files: bytes and lines, a position
// that can be asked for and set, and an error state. Reading and writing may
// alternate on a stream opened for update. No messages: callers report.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

class CFileStream {
public:
    enum class EMode {
        Read,       // an existing file
        Update,     // an existing file, read and written
        Write,      // created or emptied
        Append,     // created or kept, written at the end
        CreateNew,  // created; fails when the name is taken
    };

    CFileStream() = default;
    ~CFileStream() { Close(); }
    CFileStream(const CFileStream&) = delete;
    CFileStream& operator=(const CFileStream&) = delete;

    // False (LastFileError tells why) when the file cannot be opened.
    bool Open(std::string_view path, EMode mode);
    bool IsOpen() const { return m_file.IsOpen(); }
    const std::string& GetPath() const { return m_strPath; }

    // The next byte (0-255), or -1 at the end of the file or on an error.
    int GetByte()
    {
        if (m_nPos < m_nLen)
            return static_cast<unsigned char>(m_buffer[m_nPos++]);
        return Refill() ? static_cast<unsigned char>(m_buffer[m_nPos++]) : -1;
    }
    // Up to n bytes; fewer only at the end of the file or on an error.
    size_t Read(void* p, size_t n);
    // One line into line (replaced): the bytes up to and including an LF that
    // follows a CR, or maxBytes bytes, or what is left. False when nothing was
    // left to read (or on an error).
    bool ReadLine(std::string& line, size_t maxBytes);

    bool Write(const void* p, size_t n);
    bool Write(std::string_view text) { return Write(text.data(), text.size()); }
    // Writes out what is buffered.
    bool Flush();

    // The offset of the next byte to be read or written.
    std::int64_t Tell() const;
    bool Seek(std::int64_t pos);

    // Flushes and closes; false when that failed (the data may be lost).
    bool Close();
    // A read or write failed since the stream was opened.
    bool HasError() const { return m_bError; }
    // The end of the file was reached by a read.
    bool AtEnd() const { return m_bAtEnd; }

private:
    bool Refill();
    bool StartWriting();
    bool WriteOut();
    void Fail() { m_bError = true; }

    CFileHandle m_file;
    std::string m_strPath;
    std::vector<char> m_buffer;
    size_t m_nPos = 0;           // next byte in the buffer
    size_t m_nLen = 0;           // bytes of the file in the buffer (reading)
    std::int64_t m_nBufferStart = 0;  // file offset of m_buffer[0]
    bool m_bWriting = false;     // the buffer holds bytes not yet written
    bool m_bError = false;
    bool m_bAtEnd = false;
};

// Reads a whole file into text (replaced), at most maxBytes of it. False when
// it cannot be opened or read.
bool ReadWholeFile(std::string_view path, std::string& text, size_t maxBytes);
