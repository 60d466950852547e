// The index of a parts folder.
#include "mail/PartsIndex.h"

#include "mail/PartNames.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "services/FileStream.h"
#include "services/FileUtils.h"
#include "services/StringUtils.h"
#include "services/TextUtils.h"

bool ReadPartsIndex(std::string_view folder, std::vector<CPartsIndexEntry>& entries)
{
    CFileStream in;
    if (!in.Open(JoinPath(folder, kPartsIndexName), CFileStream::EMode::Read))
        return false;
    std::string line;
    while (in.ReadLine(line, 64 * 1024)) {
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        if (line.empty())
            continue;
        std::vector<std::string> f;
        if (SplitString(f, line.c_str(), ";") != 4 || !IsPlainFileName(f[0]))
            return false;
        entries.push_back({f[0], f[1], f[2], EqualsNoCase(f[3], "inline")});
    }
    return !in.HasError();
}

bool WritePartsIndex(std::string_view folder, const std::vector<CPartsIndexEntry>& entries)
{
    std::string dir(folder);
    if (entries.empty()) {
        ErrorBox("No parts in %s", dir.c_str());
        return false;
    }
    std::string path = JoinPath(folder, kPartsIndexName);
    CFileHandle file = OpenFileForWriting(path, EWriteMode::Truncate);
    if (!file.IsOpen()) {
        ErrorBox("can't open %s", path.c_str());
        return false;
    }
    std::string text;
    for (const CPartsIndexEntry& e : entries)
        text += e.strName + ";" + e.strType + ";" + e.strSubtype + ";" + (e.bInline ? "inline" : "attachment") + "\r\n";
    if (!file.Write(text.data(), text.size()) || !file.Close()) {
        ErrorBox("write error to %s", path.c_str());
        return false;
    }
    return true;
}
