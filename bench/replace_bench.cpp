// The view's search and replace commands on the 100 MB corpus, through a real
// view on a surface without a window: replacing every 思う from the top with
// ID_REPLACE_ALL (each replacement one edit and one undo record), and
// ID_SEARCH_NEXT from the top for a word found only on the last line. The
// replacement reports the lines changed and the bytes the undo history holds
// afterwards ("MaxHistory" at its default keeps the newest records only).
//
// The corpus is the file named by TOVA_CORPUS, or generated here (the same
// bytes make_corpus writes) into a temporary file and opened as the editor
// opens files.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <filesystem>
#include <new>
#include <string>

#include "Corpus.h"
#include "keys/CommandIds.h"
#include "search/Searcher.h"
#include "text/Doc.h"
#include "text/LineStore.h"
#include "view/Vu.h"

namespace {

std::atomic<long long> g_nLiveBytes{0};

} // namespace

__attribute__((noinline)) void* operator new(size_t n)
{
    void* p = std::malloc(n ? n : 1);
    if (!p)
        throw std::bad_alloc();
    g_nLiveBytes += static_cast<long long>(malloc_usable_size(p));
    return p;
}

__attribute__((noinline)) void operator delete(void* p) noexcept
{
    if (p)
        g_nLiveBytes -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}
__attribute__((noinline)) void operator delete(void* p, size_t) noexcept { operator delete(p); }

namespace {

class CBenchSurface : public CNullViewSurface {
public:
    void GetClientSize(int& nWidth, int& nHeight) override
    {
        nWidth = 160 * 8;
        nHeight = 60 * 16;
    }
    CViewMetrics MeasureFont() override { return {8, 16, 16}; }
};

std::string CorpusPath()
{
    if (const char* path = std::getenv("TOVA_CORPUS"); path && *path)
        return path;
    static std::string generated = [] {
        std::string path = (std::filesystem::temp_directory_path() / "tova-replace-bench.sjis").string();
        std::string text = GenerateCorpusSjis(100 * 1000 * 1000);
        if (FILE* f = std::fopen(path.c_str(), "wb")) {
            std::fwrite(text.data(), 1, text.size(), f);
            std::fclose(f);
        }
        return path;
    }();
    return generated;
}

// A fresh document of the corpus with a view on it, the caret at the top.
struct CBenchView {
    CBenchView()
    {
        doc.m_bForceToDisk = false;
        if (!doc.OnOpenDocument(CorpusPath())) {
            std::fprintf(stderr, "the corpus did not load\n");
            std::exit(1);
        }
        view.SetSurface(&surface);
        doc.AddView(&view);
        view.OnInitialUpdate();
    }
    ~CBenchView()
    {
        doc.RemoveView(&view);
        view.SetSurface(nullptr);
    }
    CDoc doc;
    CBenchSurface surface;
    CVu view;
};

const char kWord[] = "\x8e\x76\x82\xa4";       // 思う
const char kReplacement[] = "\x8d\x6c\x82\xa6";  // 考え

void ReplaceAllWord(benchmark::State& state)
{
    long lines = 0;
    long long undoBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto pBench = std::make_unique<CBenchView>();
        std::string command = std::string("/") + kWord + "/" + kReplacement + "/";
        NewSearcher().SetReplace(command.c_str());
        long long before = g_nLiveBytes;
        state.ResumeTiming();
        pBench->view.OnCommand(ID_REPLACE_ALL, nullptr);
        state.PauseTiming();
        undoBytes = g_nLiveBytes - before;
        lines = 0;
        for (long i = 0; i < pBench->doc.GetLineCount(); ++i)
            if (std::strstr(pBench->doc.m_Lines.GetLines()[i], kReplacement))
                ++lines;
        pBench.reset();
        state.ResumeTiming();
    }
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["undo_bytes"] = static_cast<double>(undoBytes);
}
BENCHMARK(ReplaceAllWord)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();

void SearchNextToLastLine(benchmark::State& state)
{
    CBenchView bench;
    long last = bench.doc.GetLineCount();
    bench.doc.m_Lines.GetLine(static_cast<int>(last));
    bench.doc.m_Lines.InsertChars(0, static_cast<int>(last), "zyxwvu", 6);
    NewSearcher().SetSearch("zyxwvu", true);
    long bytes = 0;
    for (long i = 0; i <= last; ++i)
        bytes += static_cast<long>(std::strlen(bench.doc.m_Lines.GetLines()[i])) + 2;
    for (auto _ : state) {
        state.PauseTiming();
        bench.view.SetPosition(CViewPosition{});
        state.ResumeTiming();
        bench.view.OnCommand(ID_SEARCH_NEXT, nullptr);
        if (bench.view.CaretLine() != last)
            state.SkipWithError("not found on the last line");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
}
BENCHMARK(SearchNextToLastLine)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
