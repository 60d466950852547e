// Loading into a line store and storing from it, per file code, on a 16 MB
// corpus held in memory (so the disk and the page cache stay out of it).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "Corpus.h"
#include "fw/Archive.h"
#include "platform/FileSystem.h"
#include "text/LineStore.h"

namespace {

constexpr size_t kCorpusBytes = 16 * 1000 * 1000;

// The corpus in each code, made once by the editor's own save.
const std::string& CorpusIn(int code)
{
    static std::string files[3];
    if (files[code].empty()) {
        static const std::string sjis = GenerateCorpusSjis(kCorpusBytes);
        CLineStore store;
        CArchive in(sjis.data(), sjis.size());
        store.Load(in);
        store.m_bEuc = code == 1;
        store.m_bJis = code == 2;
        CArchive out(files[code]);
        store.Store(out);
    }
    return files[code];
}

const char* const kCodeNames[] = {"sjis", "euc", "jis"};

void BM_Load(benchmark::State& state)
{
    const std::string& file = CorpusIn(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CLineStore store;
        CArchive ar(file.data(), file.size());
        if (!store.Load(ar))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(store.GetLineCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
    state.SetLabel(kCodeNames[state.range(0)]);
}

void BM_Store(benchmark::State& state)
{
    int code = static_cast<int>(state.range(0));
    CLineStore store;
    const std::string& sjis = CorpusIn(0);
    CArchive in(sjis.data(), sjis.size());
    store.Load(in);
    store.m_bEuc = code == 1;
    store.m_bJis = code == 2;
    CFileHandle devnull = OpenExistingFileExclusive("/dev/null");
    for (auto _ : state) {
        CArchive ar(devnull, CArchive::Store);
        if (!store.Store(ar))
            state.SkipWithError("store failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * sjis.size()));
    state.SetLabel(kCodeNames[code]);
}

} // namespace

BENCHMARK(BM_Load)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Store)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
