// Lock files: taking, reading the holder, giving back.
#include "services/LockFile.h"

#include <ctime>

#include "platform/Messages.h"
#include "platform/System.h"
#include "services/FileUtils.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The next whitespace-separated word of text from pos on.
std::string NextWord(std::string_view text, size_t& pos)
{
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    size_t start = pos;
    while (pos < text.size() && !IsBlank(text[pos]))
        ++pos;
    return std::string(text.substr(start, pos - start));
}

} // namespace

std::string CLockFile::LockPathOf(std::string_view path)
{
    std::string ext = ExtensionOf(path);
    std::string lock(path.substr(0, path.size() - ext.size()));
    return lock + ".lk";
}

bool CLockFile::Lock(std::string_view path)
{
    Unlock();
    m_strHolderTime.clear();
    m_strHolderComputer.clear();
    std::string ext = ExtensionOf(path);
    if (ext.size() == 3 && (ext[1] == 'l' || ext[1] == 'L') && (ext[2] == 'k' || ext[2] == 'K')) {
        std::string p(path);
        ErrorBox("can't lock %s", p.c_str());
        return false;
    }
    m_strLockPath = LockPathOf(path);
    CFileHandle f = OpenLockFile(m_strLockPath);
    if (!f.IsOpen()) {
        if (!ReadHolder())
            ErrorBox("%s から情報を取り出せません。", m_strLockPath.c_str());
        return false;
    }
    std::time_t now = std::time(nullptr);
    char stamp[64] = {};
    if (const std::tm* local = std::localtime(&now))
        std::strftime(stamp, sizeof stamp, "%Y/%m/%d-%H:%M:%S", local);
    std::string content = std::string(stamp) + " " + ComputerName();
    if (!f.Write(content.data(), content.size()) || !f.Sync()) {
        // A lock nobody can read is no lock: give it back at once.
        f.Close();
        RemoveFile(m_strLockPath);
        ErrorBox("Can't write %s", m_strLockPath.c_str());
        return false;
    }
    m_file = std::move(f);
    return true;
}

bool CLockFile::ReadHolder()
{
    CFileHandle f = OpenFileForReading(m_strLockPath);
    if (!f.IsOpen())
        return false;
    char buf[128] = {};
    std::ptrdiff_t got = f.Read(buf, 127);
    if (got <= 0)
        return false;
    std::string_view text(buf, static_cast<size_t>(got));
    size_t pos = 0;
    std::string time = NextWord(text, pos);
    std::string computer = NextWord(text, pos);
    if (time.empty() || computer.empty())
        return false;
    m_strHolderTime = time;
    m_strHolderComputer = computer;
    return true;
}

void CLockFile::Unlock()
{
    if (!m_file.IsOpen())
        return;
    m_file.Close();
    RemoveFile(m_strLockPath);
}
