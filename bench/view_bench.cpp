// The editor view's painter on the 100 MB corpus: a full window of Japanese
// text painted at places all over the file, a page down with its repaint, a
// one-line scroll (pixels moved, the uncovered rows painted), each per frame,
// with the draw calls turned into the UTF-16 runs the window's text output
// takes. A null surface stands in for the window: what is measured is the
// portable painter and the run building, not the platform's glyph drawing.
// Allocations are counted per frame.
//
// The corpus is the file named by TOVA_CORPUS, or generated here (the same
// bytes make_corpus writes) into a temporary file and opened as the editor
// opens files.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "Corpus.h"
#include "settings/AppSettings.h"
#include "keys/CommandIds.h"
#include "text/Doc.h"
#include "view/GlyphRun.h"
#include "view/Vu.h"

namespace {

std::atomic<long> g_nAllocations{0};

} // namespace

__attribute__((noinline)) void* operator new(size_t n)
{
    ++g_nAllocations;
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}

// Out of line, so the compiler does not pair an inlined free with a new.
__attribute__((noinline)) void operator delete(void* p) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

constexpr int kCols = 160;
constexpr int kRows = 60;
constexpr int kCell = 8;
constexpr int kLine = 16;

// The window's part of painting without the window: runs become UTF-16 text
// with cell advances, invalid cells are painted when the view asks for it.
class CBenchSurface : public CNullViewSurface {
public:
    void GetClientSize(int& nWidth, int& nHeight) override
    {
        nWidth = kCols * kCell;
        nHeight = kRows * kLine;
    }
    CViewMetrics MeasureFont() override { return {kCell, kLine, kLine}; }
    bool HasFocus() override { return true; }
    void InvalidateCells(const CCellRect&) override { m_bInvalid = true; }
    void UpdateNow() override
    {
        if (!m_bInvalid || !m_pVu)
            return;
        m_bInvalid = false;
        m_pVu->OnPaint(m_pVu->m_rcDirty);
    }
    void DrawRun(const CTextRun& run) override
    {
        ++m_nRuns;
        if (m_units.size() < run.text.size()) {
            m_units.resize(run.text.size());
            m_advances.resize(run.text.size());
        }
        m_nUnits += ToGlyphRun(run.text, kCell, m_units.data(), m_advances.data());
    }

    CVu* m_pVu = nullptr;
    bool m_bInvalid = false;
    long m_nRuns = 0;
    size_t m_nUnits = 0;

private:
    std::vector<char16_t> m_units;
    std::vector<int> m_advances;
};

std::string CorpusPath()
{
    if (const char* path = std::getenv("TOVA_CORPUS"); path && *path)
        return path;
    static std::string generated = [] {
        std::string path = (std::filesystem::temp_directory_path() / "tova-view-bench.sjis").string();
        std::string text = GenerateCorpusSjis(100 * 1000 * 1000);
        if (FILE* f = std::fopen(path.c_str(), "wb")) {
            std::fwrite(text.data(), 1, text.size(), f);
            std::fclose(f);
        }
        return path;
    }();
    return generated;
}

CDoc& CorpusDoc()
{
    static CDoc* pDoc = [] {
        auto* p = new CDoc;
        p->m_bForceToDisk = false;
        if (!p->OnOpenDocument(CorpusPath())) {
            std::fprintf(stderr, "the corpus did not load\n");
            std::exit(1);
        }
        return p;
    }();
    return *pDoc;
}

// A view of the corpus in a 160 x 60 cell window.
struct CBenchView {
    explicit CBenchView(CDoc& doc)
    {
        surface.m_pVu = &view;
        view.SetSurface(&surface);
        doc.AddView(&view);
        view.OnInitialUpdate();
    }
    ~CBenchView()
    {
        if (view.GetDocument())
            view.GetDocument()->RemoveView(&view);
        view.SetSurface(nullptr);
    }
    CBenchSurface surface;
    CVu view;
};

void Report(benchmark::State& state, const CBenchView& v, long allocsBefore, long runsBefore)
{
    double frames = static_cast<double>(state.iterations());
    state.counters["runs/frame"] = static_cast<double>(v.surface.m_nRuns - runsBefore) / frames;
    state.counters["allocs/frame"] = static_cast<double>(g_nAllocations - allocsBefore) / frames;
    state.counters["frames/s"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
}

// A full window painted at lines spread over the whole file.
void PaintFullWindow(benchmark::State& state)
{
    AppSettings().m_bUrlSensitive = state.range(0) != 0;
    CDoc& doc = CorpusDoc();
    CBenchView v(doc);
    long count = doc.GetLineCount() - kRows - 1;
    long allocs = g_nAllocations, runs = v.surface.m_nRuns;
    long n = 0;
    for (auto _ : state) {
        v.view.m_nTopLine = (++n * 104729L) % count;
        v.view.RepaintAll();
    }
    Report(state, v, allocs, runs);
}

// A command run as its key runs it, and what it repaints: a page down (the
// whole window) or a one-line scroll (the pixels move, the uncovered row and
// the partly shown one are painted).
void Command(benchmark::State& state, unsigned nId)
{
    AppSettings().m_bUrlSensitive = true;
    CDoc& doc = CorpusDoc();
    CBenchView v(doc);
    long last = doc.GetLineCount() - 2 * kRows;
    long allocs = g_nAllocations, runs = v.surface.m_nRuns;
    for (auto _ : state) {
        v.view.OnCommand(nId, nullptr);
        if (v.view.m_nTopLine > last)
            v.view.OnCommand(ID_GOTO_TOP, nullptr);
    }
    Report(state, v, allocs, runs);
}

// The worst lines: 200 lines of 60000 bytes of Japanese text with addresses,
// the window scrolled to the middle of them (the address scan starts at each
// line's start).
void PaintLongLines(benchmark::State& state)
{
    AppSettings().m_bUrlSensitive = true;
    static CDoc* pDoc = [] {
        std::string corpus = GenerateCorpusSjis(200 * 64000, 7);
        std::string line;
        std::vector<char*> lines;
        for (size_t i = 0; i < corpus.size() && lines.size() < 200; ++i) {
            char c = corpus[i];
            if (c == '\r' || c == '\n' || c == '\t')
                continue;
            // Whole characters only, and an address now and then.
            if (line.size() >= 60000 && (static_cast<unsigned char>(c) < 0x80 || line.size() >= 60002)) {
                lines.push_back(CLineStore::DupLine(line.c_str()));
                line.clear();
            }
            line += c;
            if (line.size() % 997 == 0 && static_cast<unsigned char>(c) < 0x80)
                line += " http://example.com/x ab@example.com ";
        }
        auto* p = new CDoc;
        p->m_Lines.AdoptLines(lines.data(), static_cast<int>(lines.size()));
        return p;
    }();
    CBenchView v(*pDoc);
    v.view.ScrollHorz(30000);
    long allocs = g_nAllocations, runs = v.surface.m_nRuns;
    long n = 0;
    for (auto _ : state) {
        v.view.m_nTopLine = (++n * 37) % (pDoc->GetLineCount() - kRows - 1);
        v.view.RepaintAll();
    }
    Report(state, v, allocs, runs);
}

} // namespace

BENCHMARK(PaintFullWindow)->ArgName("urls")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Command, PageDown, ID_PAGE_DOWN)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Command, ScrollLine, ID_SCROLL_LINE_DOWN)->Unit(benchmark::kMicrosecond);
BENCHMARK(PaintLongLines)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
