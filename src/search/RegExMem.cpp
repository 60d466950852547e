// The engine's block arena.
#include "search/RegExMem.h"

#include <cstdlib>

#include "platform/Messages.h"

namespace {

constexpr size_t kAlign = alignof(std::max_align_t);

} // namespace

CRegExMem::CRegExMem(size_t nMaxBlocks) : m_nMaxBlocks(nMaxBlocks)
{
    if (!NextBlock())
        ErrorBox("memory allocation error in CRegExMem constructor");
}

CRegExMem::~CRegExMem()
{
    for (char* block : m_blocks)
        std::free(block);
}

bool CRegExMem::NextBlock()
{
    // A rewound arena refills the blocks it already has before taking new ones.
    size_t next = m_blocks.empty() ? 0 : m_nCurrent + 1;
    if (next == m_blocks.size()) {
        if (m_blocks.size() >= m_nMaxBlocks)
            return false;
        char* block = static_cast<char*>(std::malloc(kBlockSize));
        if (!block)
            return false;
        m_blocks.push_back(block);
    }
    m_nCurrent = next;
    m_nUsed = 0;
    return true;
}

void* CRegExMem::Alloc(size_t n)
{
    n = (n + kAlign - 1) / kAlign * kAlign;
    if (n == 0 || n >= kBlockSize)
        return nullptr;
    if (m_blocks.empty() || m_nUsed + n >= kBlockSize) {
        if (!NextBlock())
            return nullptr;
    }
    void* p = m_blocks[m_nCurrent] + m_nUsed;
    m_nUsed += n;
    return p;
}

void CRegExMem::Reset()
{
    m_nCurrent = 0;
    m_nUsed = 0;
}
