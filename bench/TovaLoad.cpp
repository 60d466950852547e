// Loads a file into a line store exactly as the editor opens it, and stops:
// the load alone, for comparison with the floor program.
//   tova_load FILE
#include <cstdio>

#include "fw/Archive.h"
#include "platform/FileSystem.h"
#include "text/LineStore.h"

namespace {
// Kept to the end, as the floor program keeps its lines.
CLineStore* g_pStore = nullptr;
}

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    CFileHandle file = OpenFileForReading(argv[1]);
    if (!file.IsOpen())
        return 1;
    g_pStore = new CLineStore;
    CArchive ar(file, CArchive::Load, argv[1]);
    if (!g_pStore->Load(ar))
        return 1;
    std::fprintf(stderr, "%d lines\n", g_pStore->GetLineCount());
    return 0;
}
