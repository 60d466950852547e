// The recent file list.
#include "fw/RecentFileList.h"

#include <algorithm>

#include "platform/SettingsStore.h"
#include "services/PathUtil.h"

namespace {

constexpr const char kSection[] = "Recent File List";
constexpr size_t kMenuPathBytes = 48;

std::string EntryKey(size_t nIndex) { return "File" + std::to_string(nIndex + 1); }

} // namespace

void CRecentFileList::Load(ISettingsStore& store)
{
    m_paths.clear();
    for (size_t i = 0; i < m_nMaxSize; ++i) {
        std::string path = store.GetString(kSection, EntryKey(i), "");
        if (!path.empty())
            m_paths.push_back(std::move(path));
    }
}

void CRecentFileList::Save(ISettingsStore& store) const
{
    for (size_t i = 0; i < m_nMaxSize; ++i) {
        if (i < m_paths.size())
            store.WriteString(kSection, EntryKey(i), m_paths[i]);
        else
            store.DeleteValue(kSection, EntryKey(i));
    }
}

void CRecentFileList::Add(std::string_view path)
{
    if (path.empty() || m_nMaxSize == 0)
        return;
    auto same = std::find_if(m_paths.begin(), m_paths.end(), [&](const std::string& p) { return PathsEqual(p, path); });
    if (same != m_paths.end())
        m_paths.erase(same);
    m_paths.insert(m_paths.begin(), std::string(path));
    if (m_paths.size() > m_nMaxSize)
        m_paths.resize(m_nMaxSize);
}

void CRecentFileList::Remove(size_t nIndex)
{
    if (nIndex < m_paths.size())
        m_paths.erase(m_paths.begin() + static_cast<long>(nIndex));
}

std::string CRecentFileList::MenuText(size_t nIndex) const
{
    const std::string& path = m_paths[nIndex];
    std::string shown = path;
    if (path.size() > kMenuPathBytes) {
        // Keep the drive or first folder and the name: "C:\...\name.txt".
        std::string name = FileNameOf(path);
        bool bDrive = path.size() >= 3 && path[1] == ':' && path[2] == '\\';
        shown = (bDrive ? path.substr(0, 3) : std::string()) + "...\\" + name;
    }
    std::string text = "&" + std::to_string(nIndex + 1) + " ";
    for (char c : shown) {
        text += c;
        if (c == '&')
            text += '&';  // '&' (0x26) is never the second byte of a double-byte character
    }
    return text;
}
