// Blocks of lines, and the table that finds a line's block from its address.
#include "text/LineBlocks.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <vector>

struct CLineBlock {
    char* pBegin;
    char* pEnd;
    // Lines cut from the block and not freed, plus one while a cutter fills it.
    size_t nLive;
};

namespace {

// Blocks start at a few kilobytes (a small file or a short paste wastes
// little) and double up to a megabyte; a load of 1 GB then makes about a
// thousand blocks, and a line's block is found with ten comparisons.
constexpr size_t kFirstBlock = 16 * 1024;
constexpr size_t kLargestBlock = 1024 * 1024;
// A line longer than this that does not fit the present block is allocated
// on its own: starting a block for it could waste most of the last one.
constexpr size_t kLongLine = kLargestBlock / 64;

// The live blocks by address. Freeing walks lines in order, so the last block
// found is tried first. The table is never destroyed: stores that are globals
// give their lines back during the program's exit, after function statics
// may already be gone.
std::vector<CLineBlock*>& Blocks()
{
    static auto* blocks = new std::vector<CLineBlock*>;
    return *blocks;
}
CLineBlock* g_pLastFound = nullptr;

bool ByAddress(const CLineBlock* x, const CLineBlock* y) { return std::less<const char*>()(x->pBegin, y->pBegin); }

bool Contains(const CLineBlock* b, const char* p)
{
    return std::less_equal<const char*>()(b->pBegin, p) && std::less<const char*>()(p, b->pEnd);
}

CLineBlock* FindBlock(const char* p)
{
    if (g_pLastFound && Contains(g_pLastFound, p))
        return g_pLastFound;
    std::vector<CLineBlock*>& blocks = Blocks();
    auto it = std::upper_bound(blocks.begin(), blocks.end(), p, [](const char* q, const CLineBlock* b) {
        return std::less<const char*>()(q, b->pBegin);
    });
    if (it == blocks.begin())
        return nullptr;
    CLineBlock* b = *(it - 1);
    if (!Contains(b, p))
        return nullptr;
    g_pLastFound = b;
    return b;
}

void Unref(CLineBlock* b)
{
    if (--b->nLive > 0)
        return;
    std::vector<CLineBlock*>& blocks = Blocks();
    blocks.erase(std::lower_bound(blocks.begin(), blocks.end(), b, ByAddress));
    if (g_pLastFound == b)
        g_pLastFound = nullptr;
    std::free(b);
}

} // namespace

CLineCutter::CLineCutter(size_t nExpected) : m_nExpected(nExpected), m_nGrowth(kFirstBlock) {}

CLineCutter::~CLineCutter() { Finish(); }

void CLineCutter::Finish()
{
    if (m_pBlock)
        Unref(m_pBlock);
    m_pBlock = nullptr;
    m_pNext = m_pEnd = nullptr;
}

bool CLineCutter::StartBlock(size_t nNeed)
{
    size_t size;
    if (m_nExpected) {
        size = std::min(std::max(m_nExpected, nNeed), std::max(kLargestBlock, nNeed));
    } else {
        size = std::max(m_nGrowth, nNeed);
        m_nGrowth = std::min(m_nGrowth * 2, kLargestBlock);
    }
    std::vector<CLineBlock*>& blocks = Blocks();
    // Room in the table first: a block that could not be entered could never
    // be found again.
    if (blocks.size() == blocks.capacity()) {
        try {
            blocks.reserve(blocks.size() * 2 + 16);
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    auto* b = static_cast<CLineBlock*>(std::malloc(sizeof(CLineBlock) + size));
    if (!b)
        return false;
    b->pBegin = reinterpret_cast<char*>(b + 1);
    b->pEnd = b->pBegin + size;
    b->nLive = 1;  // the cutter's own hold
    blocks.insert(std::upper_bound(blocks.begin(), blocks.end(), b, ByAddress), b);
    Finish();
    m_pBlock = b;
    m_pNext = b->pBegin;
    m_pEnd = b->pEnd;
    return true;
}

char* CLineCutter::Add(const char* s, size_t len)
{
    size_t need = len + 1;
    if (static_cast<size_t>(m_pEnd - m_pNext) < need) {
        if (need > kLongLine) {
            char* p = static_cast<char*>(std::malloc(need));
            if (p) {
                std::memcpy(p, s, len);
                p[len] = '\0';
            }
            m_nExpected = m_nExpected > need ? m_nExpected - need : 0;
            return p;
        }
        if (!StartBlock(need))
            return nullptr;
    }
    char* p = m_pNext;
    std::memcpy(p, s, len);
    p[len] = '\0';
    m_pNext += need;
    ++m_pBlock->nLive;
    m_nExpected = m_nExpected > need ? m_nExpected - need : 0;
    return p;
}

bool ReleaseCutLine(char* p)
{
    if (Blocks().empty())
        return false;
    CLineBlock* b = FindBlock(p);
    if (!b)
        return false;
    Unref(b);
    return true;
}

size_t LiveLineBlocks() { return Blocks().size(); }
