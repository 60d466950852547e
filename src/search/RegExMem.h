// The arena the regular-expression engine compiles into. Programs are never freed
// one by one: each compile takes fresh space, and the whole arena is rewound at
// once. Blocks are 65280 bytes; a rewind keeps them all and hands them out again.
#pragma once
#include <cstddef>
#include <vector>

class CRegExMem {
public:
    static constexpr size_t kBlockSize = 65280;

    static constexpr size_t kUnbounded = static_cast<size_t>(-1);

    // nMaxBlocks bounds the arena's growth. The first block is taken here; when
    // that fails the error box says so, and every Alloc fails.
    explicit CRegExMem(size_t nMaxBlocks = kUnbounded);
    ~CRegExMem();
    // Owns its blocks; not copied or moved.
    CRegExMem(const CRegExMem&) = delete;
    CRegExMem& operator=(const CRegExMem&) = delete;

    // n bytes, aligned for any object; nullptr when no block can hold them.
    void* Alloc(size_t n);
    // Rewinds to the first block: everything allocated so far is given up.
    void Reset();

    size_t BlockCount() const { return m_blocks.size(); }

private:
    bool NextBlock();

    std::vector<char*> m_blocks;  // every block taken, in order of first use
    size_t m_nCurrent = 0;        // index of the block being filled
    size_t m_nUsed = 0;           // bytes used in that block
    size_t m_nMaxBlocks;
};
