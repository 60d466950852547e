// The line store: lines, the working line, byte and line edits.
#include "text/LineStore.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "fw/Archive.h"
#include "platform/Messages.h"
#include "text/LineBlocks.h"

char* WorkLine = nullptr;
char* ReadBuffer = nullptr;

namespace {

enum : unsigned {
    kMsgNoMemory = 50,
    kMsgNoNewLine = 51,
    kMsgLineTooLong = 53,
    kMsgNoLineMemory = 54,
    kMsgImpossible = 55,
    kMsgQuitWithoutSaving = 56,
};

// The store whose line is in WorkLine (at most one in the program).
CLineStore* g_pWorkLineHolder = nullptr;

// What a slot holds after its working line could not be written back: an empty
// line that is never freed, so later accesses see an empty line.
char g_lostLine[1] = {'\0'};

// Copies of n lines (lineAt(k) is line k) cut from one block made to their
// size, into copies[0..n). False with message 54, keeping nothing, when memory
// is short.
template <class LineAt>
bool CutCopies(size_t n, LineAt lineAt, char** copies)
{
    size_t total = 0;
    for (size_t k = 0; k < n; ++k)
        total += lineAt(k).size() + 1;
    CLineCutter cutter(total);
    for (size_t k = 0; k < n; ++k) {
        std::string_view line = lineAt(k);
        copies[k] = cutter.Add(line.data(), line.size());
        if (!copies[k]) {
            while (k-- > 0)
                CLineStore::FreeLine(copies[k]);
            cutter.Finish();  // the message needs memory too
            ErrorBox(kMsgNoLineMemory);
            return false;
        }
    }
    return true;
}

} // namespace

bool AllocateLineBuffers()
{
    if (!WorkLine)
        WorkLine = static_cast<char*>(std::malloc(MaxLineBytes));
    if (!ReadBuffer)
        ReadBuffer = static_cast<char*>(std::malloc(MaxLineBytes));
    if (!WorkLine || !ReadBuffer) {
        ErrorBox(kMsgNoMemory);
        return false;
    }
    return true;
}

void FreeLineBuffers()
{
    FlushAnyWorkLine();
    std::free(WorkLine);
    std::free(ReadBuffer);
    WorkLine = nullptr;
    ReadBuffer = nullptr;
}

void FlushAnyWorkLine()
{
    if (g_pWorkLineHolder)
        g_pWorkLineHolder->FlushWorkLine();
}

CLineStore::CLineStore()
{
    AllocateLineBuffers();
    m_pScratch = static_cast<char*>(std::malloc(MaxLineBytes));
    m_ppLines = static_cast<char**>(std::malloc(sizeof(char*) * LineArrayStep));
    if (!m_ppLines || !m_pScratch) {
        FatalErrorBox(kMsgNoMemory);
        return;
    }
    m_nCapacity = LineArrayStep;
}

CLineStore::~CLineStore()
{
    FreeAllLines();
    std::free(m_ppLines);
    std::free(m_pScratch);
}

void CLineStore::FreeAllLines()
{
    if (m_nWorkLine >= 0) {
        // The working line is given up with the rest.
        m_ppLines[m_nWorkLine] = nullptr;
        m_nWorkLine = -1;
        g_pWorkLineHolder = nullptr;
    }
    for (int i = 0; i < m_nCount; ++i)
        FreeLine(m_ppLines[i]);
    m_nCount = 0;
}

char* CLineStore::DupLine(const char* s) { return DupLine(s, std::strlen(s)); }

char* CLineStore::DupLine(const char* s, size_t len)
{
    char* p = static_cast<char*>(std::malloc(len + 1));
    if (!p) {
        ErrorBox(kMsgNoLineMemory);
        return nullptr;
    }
    std::memcpy(p, s, len);
    p[len] = '\0';
    return p;
}

void CLineStore::FreeLine(char* p)
{
    if (p != g_lostLine && p != WorkLine && !ReleaseCutLine(p))
        std::free(p);
}

namespace {

// Slot counts that the array may reach: an int, and a byte size that fits size_t
// (on a 32-bit build a few hundred million slots already do not).
constexpr long long kMaxSlots = (static_cast<unsigned long long>(SIZE_MAX) / sizeof(char*) < INT_MAX
                                     ? static_cast<long long>(SIZE_MAX / sizeof(char*))
                                     : INT_MAX) /
                                LineArrayStep * LineArrayStep;

long long RoundUpToStep(long long n) { return (n + LineArrayStep - 1) / LineArrayStep * LineArrayStep; }

} // namespace

bool CLineStore::Grow(long long nWanted)
{
    if (GrowSilently(nWanted))
        return true;
    ErrorBox(kMsgNoNewLine);
    return false;
}

bool CLineStore::GrowSilently(long long nWanted)
{
    long long need = nWanted == 0 ? static_cast<long long>(m_nCapacity) + 1 : RoundUpToStep(nWanted);
    if (need <= m_nCapacity && m_ppLines)
        return true;
    // The array grows by half its size (a step at least), so that filling it line
    // by line copies each slot a bounded number of times: with a fixed step a big
    // file copied the whole array thousands of times where realloc cannot move pages.
    long long cap = RoundUpToStep(static_cast<long long>(m_nCapacity) + m_nCapacity / 2);
    if (cap < need)
        cap = RoundUpToStep(need);
    if (cap > kMaxSlots)
        cap = kMaxSlots;
    char** p = nullptr;
    if (need <= kMaxSlots) {
        p = static_cast<char**>(std::realloc(m_ppLines, static_cast<size_t>(cap) * sizeof(char*)));
        // Short of memory for the generous size, the bare need may still fit.
        if (!p && cap > RoundUpToStep(need)) {
            cap = RoundUpToStep(need);
            p = static_cast<char**>(std::realloc(m_ppLines, static_cast<size_t>(cap) * sizeof(char*)));
        }
    }
    if (!p)
        return false;
    m_ppLines = p;
    m_nCapacity = static_cast<int>(cap);
    return true;
}

bool CLineStore::GrowForLoad(std::uint64_t nFileBytes)
{
    // The lines read so far against the bytes they took tell how many the file
    // holds: the array then grows once or twice in a load instead of by half
    // again and again, each time copied whole where the heap cannot move pages
    // (Windows). A file whose lines grow shorter further on is not trusted
    // beyond eight times the present size, and a generous growth that fails
    // falls back to the ordinary one.
    std::uint64_t consumed = m_nReadTotal - (m_nReadLen - m_nReadPos);
    if (nFileBytes > consumed && consumed > 0 && m_nCount > 0) {
        double perByte = static_cast<double>(m_nCount) / static_cast<double>(consumed);
        double estimate = perByte * static_cast<double>(nFileBytes) * 1.02;
        double most = std::min(static_cast<double>(m_nCapacity) * 8, static_cast<double>(kMaxSlots));
        long long want = static_cast<long long>(std::min(estimate, most));
        if (want > static_cast<long long>(m_nCapacity) + m_nCapacity / 2 && GrowSilently(want))
            return true;
    }
    return GrowSilently(0);
}

void CLineStore::ReleaseSpareSlots()
{
    if (m_nCount > 0 || m_nCapacity <= LineArrayStep)
        return;
    // A shrinking realloc does not fail in practice; if it did, the big block stays.
    if (char** p = static_cast<char**>(std::realloc(m_ppLines, sizeof(char*) * LineArrayStep))) {
        m_ppLines = p;
        m_nCapacity = LineArrayStep;
    }
}

char* CLineStore::GetLine(int i, bool* pbAppended)
{
    if (pbAppended)
        *pbAppended = false;
    if (i < 0) {
        ErrorBox(kMsgImpossible);
        return nullptr;
    }
    if (i >= m_nCapacity && !Grow(i + 1)) {
        ErrorBox(kMsgImpossible);
        return nullptr;
    }
    while (m_nCount <= i) {
        char* p = DupLine("", 0);
        if (!p)
            return nullptr;
        m_ppLines[m_nCount++] = p;
        if (pbAppended)
            *pbAppended = true;
    }
    return m_ppLines[i];
}

bool CLineStore::TakeWorkLine(int i)
{
    if (m_nWorkLine == i && i >= 0)
        return true;
    if (m_nWorkLine >= 0)
        FlushWorkLine();
    // Another store's line in WorkLine would be overwritten: write it back first.
    if (g_pWorkLineHolder && g_pWorkLineHolder != this)
        g_pWorkLineHolder->FlushWorkLine();
    char* p = WorkLine ? GetLine(i) : nullptr;
    if (!p) {
        ErrorBox(kMsgQuitWithoutSaving);
        return false;
    }
    std::strcpy(WorkLine, p);
    FreeLine(p);
    m_ppLines[i] = WorkLine;
    m_nWorkLine = i;
    g_pWorkLineHolder = this;
    return true;
}

void CLineStore::FlushWorkLine()
{
    if (m_nWorkLine < 0)
        return;
    char* p = DupLine(WorkLine);
    if (!p) {
        ErrorBox(kMsgQuitWithoutSaving);
        p = g_lostLine;
    }
    m_ppLines[m_nWorkLine] = p;
    m_nWorkLine = -1;
    if (g_pWorkLineHolder == this)
        g_pWorkLineHolder = nullptr;
}

bool CLineStore::InsertChars(int col, int line, const char* src, int n)
{
    if (col < 0 || n < 0 || !TakeWorkLine(line))
        return false;
    size_t len = std::strlen(WorkLine);
    if (len <= static_cast<size_t>(col))
        return OverwriteChars(col, line, src, n);
    if (len + static_cast<size_t>(n) >= MaxLineBytes) {
        ErrorBox(kMsgLineTooLong);
        return false;
    }
    std::memmove(WorkLine + col + n, WorkLine + col, len - static_cast<size_t>(col) + 1);
    std::memcpy(WorkLine + col, src, static_cast<size_t>(n));
    return true;
}

bool CLineStore::OverwriteChars(int col, int line, const char* src, int n)
{
    if (col < 0 || n < 0)
        return false;
    if (static_cast<long long>(col) + n >= MaxLineBytes) {
        ErrorBox(kMsgLineTooLong);
        return false;
    }
    if (!TakeWorkLine(line))
        return false;
    size_t len = std::strlen(WorkLine);
    size_t c = static_cast<size_t>(col);
    if (len < c)
        std::memset(WorkLine + len, ' ', c - len);
    std::memmove(WorkLine + c, src, static_cast<size_t>(n));
    if (c + static_cast<size_t>(n) > len)
        WorkLine[c + static_cast<size_t>(n)] = '\0';
    return true;
}

bool CLineStore::DeleteChars(int col, int line, int n)
{
    if (col < 0 || n < 0 || !TakeWorkLine(line))
        return false;
    size_t len = std::strlen(WorkLine);
    size_t c = static_cast<size_t>(col);
    if (c >= len)
        return true;
    if (c + static_cast<size_t>(n) >= len)
        WorkLine[c] = '\0';
    else
        std::memmove(WorkLine + c, WorkLine + c + n, len - c - static_cast<size_t>(n) + 1);
    return true;
}

bool CLineStore::InsertLines(int i, const char* const* ppLines, int n)
{
    FlushWorkLine();
    if (i < 0 || i > m_nCount || n < 0) {
        ErrorBox(kMsgImpossible);
        return false;
    }
    if (static_cast<long long>(m_nCount) + n >= m_nCapacity && !Grow(static_cast<long long>(m_nCount) + n))
        return false;
    // Copy first, so that a failure leaves the store as it was. The copies are
    // cut from one block sized for them all.
    size_t count = static_cast<size_t>(n);
    void* room = std::malloc((sizeof(char*) + sizeof(size_t)) * (count + 1));
    if (!room) {
        ErrorBox(kMsgNoLineMemory);
        return false;
    }
    char** copies = static_cast<char**>(room);
    size_t* lengths = reinterpret_cast<size_t*>(copies + count + 1);
    for (size_t k = 0; k < count; ++k)
        lengths[k] = ppLines ? std::strlen(ppLines[k]) : 0;
    if (!CutCopies(count, [&](size_t k) { return std::string_view(ppLines ? ppLines[k] : "", lengths[k]); },
                   copies)) {
        std::free(room);
        return false;
    }
    std::memmove(m_ppLines + i + n, m_ppLines + i, sizeof(char*) * static_cast<size_t>(m_nCount - i));
    std::memcpy(m_ppLines + i, copies, sizeof(char*) * count);
    m_nCount += n;
    std::free(room);
    return true;
}

bool CLineStore::InsertEmptyLines(int i, int n) { return InsertLines(i, nullptr, n); }

bool CLineStore::DeleteLines(int i, int n, bool bFree)
{
    if (i < 0 || n < 0 || static_cast<long long>(i) + n > m_nCount) {
        ErrorBox(kMsgImpossible);
        return false;
    }
    FlushWorkLine();
    if (bFree)
        for (int k = i; k < i + n; ++k)
            FreeLine(m_ppLines[k]);
    std::memmove(m_ppLines + i, m_ppLines + i + n, sizeof(char*) * static_cast<size_t>(m_nCount - i - n));
    m_nCount -= n;
    return true;
}

bool CLineStore::TakeLines(int i, int n, COwnedLines& out)
{
    if (i < 0 || n < 0 || static_cast<long long>(i) + n > m_nCount) {
        ErrorBox(kMsgImpossible);
        return false;
    }
    FlushWorkLine();
    out.Clear();
    out.m_lines.assign(m_ppLines + i, m_ppLines + i + n);
    return DeleteLines(i, n, false);
}

bool CLineStore::PutLines(int i, COwnedLines& lines)
{
    FlushWorkLine();
    long long n = static_cast<long long>(lines.Count());
    if (i < 0 || i > m_nCount) {
        ErrorBox(kMsgImpossible);
        return false;
    }
    if (m_nCount + n >= m_nCapacity && !Grow(m_nCount + n))
        return false;
    std::memmove(m_ppLines + i + n, m_ppLines + i, sizeof(char*) * static_cast<size_t>(m_nCount - i));
    if (n > 0)
        std::memcpy(m_ppLines + i, lines.m_lines.data(), sizeof(char*) * static_cast<size_t>(n));
    m_nCount += static_cast<int>(n);
    lines.m_lines.clear();
    return true;
}

bool CLineStore::ReplaceAllLines(const std::vector<std::string>& lines)
{
    std::vector<char*> copies(lines.size());
    if (!CutCopies(lines.size(), [&](size_t k) { return std::string_view(lines[k]); }, copies.data()))
        return false;
    if (!AdoptLines(copies.data(), static_cast<int>(copies.size()))) {
        for (char* q : copies)
            FreeLine(q);
        return false;
    }
    return true;
}

bool CLineStore::AdoptLines(char** ppLines, int n)
{
    if (n > m_nCapacity && !Grow(n))
        return false;
    FreeAllLines();
    if (n > 0) {
        std::memcpy(m_ppLines, ppLines, sizeof(char*) * static_cast<size_t>(n));
        m_nCount = n;
    }
    return true;
}

bool CLineStore::AppendLine(char* p)
{
    if (m_nCount == m_nCapacity && !Grow(0))
        return false;
    m_ppLines[m_nCount++] = p;
    return true;
}

char* CLineStore::CopyColumns(int i, int c1, int c2)
{
    if (c1 < 0 || c2 < c1 || static_cast<long long>(c2) - c1 + 1 > MaxLineBytes)
        return nullptr;
    const char* p = GetLine(i);
    if (!p)
        return nullptr;
    size_t len = std::strlen(p);
    size_t b = static_cast<size_t>(c1);
    size_t width = static_cast<size_t>(c2 - c1);
    size_t have = len <= b ? 0 : (len - b < width ? len - b : width);
    if (have)
        std::memcpy(m_pScratch, p + b, have);
    std::memset(m_pScratch + have, ' ', width - have);
    m_pScratch[width] = '\0';
    return DupLine(m_pScratch, width);
}

bool CLineStore::Serialize(CArchive& ar) { return ar.IsLoading() ? Load(ar) : Store(ar); }
