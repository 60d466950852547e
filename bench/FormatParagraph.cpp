// Paragraph formatting over a whole file through the real view: the file is
// loaded as the editor loads it, every line is marked as one line block, and
// ID_FORMAT_PARAGRAPH refills it to 72 columns on a surface without a window.
// Prints the command's time, then undoes it and checks that the one undo
// record gave back the very lines.
//   tova_format FILE
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "settings/AppSettings.h"
#include "keys/CommandIds.h"
#include "platform/SettingsStore.h"
#include "text/Doc.h"
#include "view/Vu.h"

namespace {

class CBenchSurface : public CNullViewSurface {
public:
    void GetClientSize(int& nWidth, int& nHeight) override
    {
        nWidth = 100 * 8;
        nHeight = 40 * 16;
    }
    CViewMetrics MeasureFont() override { return {8, 16, 16}; }
    bool HasFocus() override { return true; }
};

std::vector<std::string> Lines(const CDoc& doc)
{
    std::vector<std::string> lines;
    char* const* pp = doc.m_Lines.GetLines();
    for (int i = 0; i < doc.m_Lines.GetLineCount(); ++i)
        lines.emplace_back(pp[i] ? pp[i] : "");
    return lines;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tova_format FILE\n");
        return 2;
    }
    CMemorySettingsStore store;
    LoadFillingSettings(store, AppSettings());
    CDoc doc;
    doc.m_bForceToDisk = false;
    if (!doc.OnOpenDocument(argv[1])) {
        std::fprintf(stderr, "the file did not load\n");
        return 1;
    }
    std::vector<std::string> before = Lines(doc);
    CVu vu;
    CBenchSurface surface;
    vu.SetSurface(&surface);
    doc.AddView(&vu);
    vu.OnInitialUpdate();
    vu.OnCommand(ID_MARK, nullptr);
    vu.OnCommand(ID_GOTO_END, nullptr);
    auto t0 = std::chrono::steady_clock::now();
    vu.OnCommand(ID_FORMAT_PARAGRAPH, nullptr);
    auto t1 = std::chrono::steady_clock::now();
    long nAfter = doc.GetLineCount();
    vu.OnCommand(ID_EDIT_UNDO, nullptr);
    bool bRestored = Lines(doc) == before;
    // The same command again, now in memory the process has touched before:
    // what is left once first-touch page faults are paid (on a virtual machine
    // they can cost more than the command itself).
    vu.OnCommand(ID_GOTO_TOP, nullptr);
    vu.OnCommand(ID_MARK, nullptr);
    vu.OnCommand(ID_GOTO_END, nullptr);
    auto t2 = std::chrono::steady_clock::now();
    vu.OnCommand(ID_FORMAT_PARAGRAPH, nullptr);
    auto t3 = std::chrono::steady_clock::now();
    bool bSame = doc.GetLineCount() == nAfter;
    vu.OnCommand(ID_EDIT_UNDO, nullptr);
    bRestored = bRestored && bSame && Lines(doc) == before;
    auto us = [](auto a, auto b) {
        return static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(b - a).count());
    };
    std::printf("format_us %lld again_us %lld lines_before %zu lines_after %ld undo_restores %s\n", us(t0, t1),
                us(t2, t3), before.size(), nAfter, bRestored ? "yes" : "no");
    doc.RemoveView(&vu);
    return bRestored ? 0 : 1;
}
