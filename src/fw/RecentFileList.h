// The list of the files opened last, newest first, shown at the end of the File
// menu and kept in the settings section "Recent File List" as "File1", "File2", ...
#pragma once
#include <string>
#include <string_view>
#include <vector>

class ISettingsStore;

class CRecentFileList {
public:
    explicit CRecentFileList(size_t nMaxSize = 9) : m_nMaxSize(nMaxSize) {}

    void Load(ISettingsStore& store);
    // Writes the entries and removes stored entries beyond them.
    void Save(ISettingsStore& store) const;

    // Puts path at the top; a path already listed (compared as Windows compares
    // paths) moves there; the oldest entry falls off a full list.
    void Add(std::string_view path);
    void Remove(size_t nIndex);
    size_t GetSize() const { return m_paths.size(); }
    const std::string& operator[](size_t nIndex) const { return m_paths[nIndex]; }

    // The menu text of entry nIndex: "&1 " and the path, long folders shortened to
    // "..." so the name stays visible, "&" doubled (Shift-JIS).
    std::string MenuText(size_t nIndex) const;

private:
    size_t m_nMaxSize;
    std::vector<std::string> m_paths;
};
