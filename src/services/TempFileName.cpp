// Unique temporary file names.
#include "services/TempFileName.h"

#include <cstdio>

#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/System.h"
#include "services/FileUtils.h"

std::string MakeTempFileName(const char* prefix, const char* suffix)
{
    std::string dir;
    if (!GetEnvironmentValue("TMP", dir) && !GetEnvironmentValue("TEMP", dir)) {
        ErrorBox("環境変数 TMP を設定してください。");
        return std::string();
    }
    if (!FolderExists(dir)) {
        ErrorBox("環境変数 TMP または TEMP の値として設定されているディレクトリ %s が存在しません。", dir.c_str());
        return std::string();
    }
    size_t sep = LastPathSeparator(dir);
    if (sep != std::string::npos && sep + 1 == dir.size() && sep > 0)
        dir.pop_back();
    std::string name;
    for (int n = 0; n < 1000; ++n) {
        char number[16];
        std::snprintf(number, sizeof number, "%03d", n);
        name = JoinPath(dir, std::string(prefix) + number + (suffix ? suffix : ""));
        CFileHandle f = OpenFileForWriting(name, EWriteMode::CreateNew);
        if (f.IsOpen())
            return name;
        if (LastFileError().kind != EFileError::Exists && FileExists(name) == false) {
            // Not a taken name but a folder we cannot write: no number helps.
            ErrorBox("Can't create %s", name.c_str());
            return std::string();
        }
    }
    ErrorBox("多数の一時ファイルが消えずに残っています。例えば、\n\n%s", name.c_str());
    return std::string();
}
