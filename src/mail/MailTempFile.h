// A temporary file of the mail code: "_mavlen<nnnn>.tmp" in the work folder,
// with a number from a counter of the whole program. The first opening creates
// it exclusively (a name that exists is never reused: the next number is
// taken). The object closes and deletes the file when it goes away, unless
// told to keep it.
#pragma once
#include <string>
#include <string_view>

#include "services/FileStream.h"

class CMailTempFile {
public:
    CMailTempFile() = default;
    ~CMailTempFile();
    CMailTempFile(const CMailTempFile&) = delete;
    CMailTempFile& operator=(const CMailTempFile&) = delete;

    // Opens in mode "r", "w" or "a" (bytes as they are); the first opening
    // creates the file. "Internal error: can't open %s" for another mode, "Can't
    // open %s" when it fails.
    bool Open(const char* mode);
    bool Close();
    CFileStream& Stream() { return m_stream; }
    const std::string& GetPath() const { return m_strPath; }

    // Writes all bytes; a short write shows "Write error" and logs it.
    bool Write(std::string_view bytes);
    // The file stays when the object goes away.
    void Keep() { m_bKeep = true; }

private:
    bool Create();

    CFileStream m_stream;
    std::string m_strPath;
    bool m_bKeep = false;
};
