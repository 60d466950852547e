// The searcher on the generated corpus, line by line as the search commands go:
// a plain kanji word, the same word as a regular expression, a run of katakana,
// a backtracking pattern and a caseless ASCII word. Each case counts the lines
// that hold a match (compare_search.sh checks them against the other tools).
// One more case shows the backtracking's worst side on a long line.
//
// The corpus is the file named by TOVA_CORPUS, or generated here (the same bytes
// make_corpus writes).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Corpus.h"
#include "text/Unicode.h"
#include "search/Searcher.h"

namespace {

struct Corpus {
    std::string text;  // each line's CR (or LF) replaced by its terminator
    std::vector<const char*> lines;
};

std::string ReadFile(const char* path)
{
    std::string data;
    if (FILE* f = std::fopen(path, "rb")) {
        char buf[1 << 16];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            data.append(buf, n);
        std::fclose(f);
    }
    return data;
}

const Corpus& TheCorpus()
{
    static Corpus corpus = [] {
        Corpus c;
        const char* path = std::getenv("TOVA_CORPUS");
        c.text = path ? ReadFile(path) : GenerateCorpusSjis(100 * 1000 * 1000);
        size_t start = 0;
        for (size_t i = 0; i <= c.text.size(); ++i) {
            if (i < c.text.size() && c.text[i] != '\n')
                continue;
            if (i == c.text.size() && start == i)
                break;
            size_t end = (i > start && c.text[i - 1] == '\r') ? i - 1 : i;
            c.text[end] = '\0';  // at the end of the text, the string's own terminator
            c.lines.push_back(c.text.data() + start);
            start = i + 1;
        }
        return c;
    }();
    return corpus;
}

void Search(benchmark::State& state, const char* utf8Command)
{
    const Corpus& corpus = TheCorpus();
    CRegEx engine;
    CSearcher searcher(engine);
    if (!searcher.SetSearch(Utf8ToSjis(utf8Command).c_str(), true)) {
        state.SkipWithError("the search does not compile");
        return;
    }
    long matching = 0;
    for (auto _ : state) {
        matching = 0;
        SearchHit hit;
        for (size_t n = 0; n < corpus.lines.size(); ++n)
            matching += searcher.FindInLine(static_cast<long>(n), corpus.lines[n], 0, true, &hit);
        benchmark::DoNotOptimize(matching);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus.text.size()));
    state.counters["lines"] = static_cast<double>(matching);
}

// The cost of the fixed backtracking: /a.*b/ over one long line of "a" without
// a "b" takes the rest of the line at every start and gives it back unit by unit.
void BacktrackingLongLine(benchmark::State& state)
{
    std::string line(static_cast<size_t>(state.range(0)), 'a');
    CRegEx engine;
    CSearcher searcher(engine);
    searcher.SetSearch("/a.*b/", true);
    for (auto _ : state) {
        SearchHit hit;
        benchmark::DoNotOptimize(searcher.FindInLine(0, line.c_str(), 0, true, &hit));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * line.size()));
}

} // namespace

BENCHMARK(BacktrackingLongLine)->Arg(1000)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, literal_plain, "思う")->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK_CAPTURE(Search, literal_regex, "/思う/")->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK_CAPTURE(Search, katakana_run, "/[ァ-ヶ]+/")->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK_CAPTURE(Search, backtracking, "/a.*b/")->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK_CAPTURE(Search, caseless_word, "/readme/i")->Unit(benchmark::kMillisecond)->Repetitions(3);

BENCHMARK_MAIN();
