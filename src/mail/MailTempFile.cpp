// The mail code's temporary files.
#include "mail/MailTempFile.h"

#include <cstdio>
#include <cstring>

#include "mail/MailWorkDir.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "services/FileUtils.h"

namespace {

constexpr int kTempNumbers = 10000;  // what "%04d" can tell apart

int g_nNextTempNumber = 0;

} // namespace

CMailTempFile::~CMailTempFile()
{
    m_stream.Close();
    if (!m_strPath.empty() && !m_bKeep)
        RemoveFile(m_strPath);
}

bool CMailTempFile::Create()
{
    std::string dir = MailWorkDir();
    std::string path;
    for (int attempt = 0; attempt < kTempNumbers; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "_mavlen%04d%s", g_nNextTempNumber, ".tmp");
        g_nNextTempNumber = (g_nNextTempNumber + 1) % kTempNumbers;
        path = JoinPath(dir, name);
        if (m_stream.Open(path, CFileStream::EMode::CreateNew)) {
            m_strPath = path;
            return true;
        }
        if (LastFileError().kind != EFileError::Exists)
            break;
    }
    ErrorBox("Can't open %s", path.c_str());
    return false;
}

bool CMailTempFile::Open(const char* mode)
{
    CFileStream::EMode m;
    if (std::strcmp(mode, "r") == 0) {
        m = CFileStream::EMode::Read;
    } else if (std::strcmp(mode, "w") == 0) {
        m = CFileStream::EMode::Write;
    } else if (std::strcmp(mode, "a") == 0) {
        m = CFileStream::EMode::Append;
    } else {
        ErrorBox("Internal error: can't open %s", m_strPath.c_str());
        return false;
    }
    m_stream.Close();
    if (m_strPath.empty() && m != CFileStream::EMode::Read)
        return Create();
    if (m_stream.Open(m_strPath, m))
        return true;
    ErrorBox("Can't open %s", m_strPath.c_str());
    return false;
}

bool CMailTempFile::Close()
{
    if (m_stream.Close())
        return true;
    ErrorBox("Write error");
    TraceLog("Write error\r\n");
    return false;
}

bool CMailTempFile::Write(std::string_view bytes)
{
    if (m_stream.Write(bytes))
        return true;
    ErrorBox("Write error");
    TraceLog("Write error\r\n");
    return false;
}
