// Lines made together (a file as it loads, lines inserted in one piece) are cut
// out of a few large blocks instead of taking one heap allocation each. A file
// of millions of short lines otherwise pays a heap header and a trip through
// the allocator per line: a third more memory, and on Windows, whose heap is
// slower per call than glibc's, most of the time of the load.
//
// A block goes back to the heap when the last line cut from it is freed; until
// then the text of its freed or replaced lines stays in it, so a block holds at
// most what was put into it once. Lines move freely between stores: which
// block a line lies in is found from its address. Blocks are only made and
// freed on the thread that owns the line stores.
#pragma once
#include <cstddef>

struct CLineBlock;

class CLineCutter {
public:
    // nExpected: the bytes (each line's NUL included) the caller is about to
    // add, when it knows them: the first block is made to fit them exactly.
    // Without it blocks start small and grow as they fill.
    explicit CLineCutter(size_t nExpected = 0);
    ~CLineCutter();
    CLineCutter(const CLineCutter&) = delete;
    CLineCutter& operator=(const CLineCutter&) = delete;

    // A copy of s[0..len) and a NUL; null when memory is short. A long line
    // that does not fit the present block gets a heap allocation of its own
    // rather than wasting the block's rest.
    char* Add(const char* s, size_t len);
    // Lets go of the block being filled; its lines stay valid.
    void Finish();

private:
    bool StartBlock(size_t nNeed);

    CLineBlock* m_pBlock = nullptr;
    char* m_pNext = nullptr;
    char* m_pEnd = nullptr;
    size_t m_nExpected;
    size_t m_nGrowth;
};

// Frees a line cut from a block, and the block with its last line: true. False
// when p was not cut from a block (it is a heap allocation of its own).
bool ReleaseCutLine(char* p);
// How many blocks hold lines (or are being filled).
size_t LiveLineBlocks();
