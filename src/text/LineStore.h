// The store that holds every text of the editor: a growable array of lines, each
// a NUL-terminated Shift-JIS string without line ending or TAB, allocated on its
// own or cut from a block of lines made together (LineBlocks.h). A line is
// edited in the one program-wide working-line buffer and copied back when
// editing moves elsewhere; the file format (reading and writing a store) lives
// here too.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "text/OwnedLines.h"

class CArchive;
class CDoc;

// Size of the working line, of each store's scratch buffer and of the read
// buffer: a line holds at most MaxLineBytes - 1 = 65278 bytes plus its NUL.
inline constexpr int MaxLineBytes = 65279;
// A store's initial line slots, and the least by which its array grows (it grows
// by half its size when that is more).
inline constexpr int LineArrayStep = 16384;
inline constexpr int MaxLineLength = MaxLineBytes - 1;

// The program-wide working-line and read buffers (MaxLineBytes each), null until
// AllocateLineBuffers succeeds. The application allocates them at construction;
// every store makes sure of them too.
extern char* WorkLine;
extern char* ReadBuffer;
// Allocates whichever of the two is missing; message 50 when that fails.
bool AllocateLineBuffers();
// Gives both back (at program end; no store may hold the working line).
void FreeLineBuffers();
// Writes back the working line, whichever store holds it.
void FlushAnyWorkLine();

class CLineStore {
public:
    CLineStore();
    virtual ~CLineStore();
    CLineStore(const CLineStore&) = delete;  // owns its lines
    CLineStore& operator=(const CLineStore&) = delete;

    int GetLineCount() const { return m_nCount; }
    // Direct read access to the lines 0 .. GetLineCount()-1.
    char* const* GetLines() const { return m_ppLines; }
    // Line i; a line past the end extends the text with empty lines up to it
    // (*pbAppended tells). Null with message 55 for a negative index or no room.
    char* GetLine(int i, bool* pbAppended = nullptr);
    // A heap copy of a line of its own; message 54 and null when memory is
    // short. Every line, however made, is freed with FreeLine.
    static char* DupLine(const char* s);
    static char* DupLine(const char* s, size_t len);
    static void FreeLine(char* p);
    // Makes room for nWanted slots (0: for one more), growing by half the present
    // size at least and rounding to LineArrayStep; message 51 and false when
    // memory is short (nothing changes).
    bool Grow(long long nWanted = 0);

    // Makes line i the working line (writing back the one held before, in this
    // or any other store). False with message 56 when it cannot.
    bool TakeWorkLine(int i);
    // Writes the working line of this store back into a heap string.
    void FlushWorkLine();
    int GetWorkLineIndex() const { return m_nWorkLine; }

    // Byte edits of one line through the working line; false when refused
    // (message 53 when the line would reach MaxLineBytes).
    bool InsertChars(int col, int line, const char* src, int n);
    bool OverwriteChars(int col, int line, const char* src, int n);
    bool DeleteChars(int col, int line, int n);

    bool InsertEmptyLines(int i, int n);
    bool InsertLines(int i, const char* const* ppLines, int n);
    // Removes lines i .. i+n-1, freeing them when bFree (else the caller has
    // taken the pointers over). False (message 55) when the range is not inside.
    bool DeleteLines(int i, int n, bool bFree);
    // Frees the present lines and takes the n pointers (ownership passes).
    bool AdoptLines(char** ppLines, int n);
    // Copies of lines take the place of all present lines; when a copy or the
    // store's room fails, the store stays as it was.
    bool ReplaceAllLines(const std::vector<std::string>& lines);
    // Lines i .. i+n-1 leave the store for out (which is emptied first),
    // uncopied. False (message 55) when the range is not inside.
    bool TakeLines(int i, int n, COwnedLines& out);
    // The lines go in before line i, uncopied; lines is left empty. False
    // (message 51 or 55) when there is no room or i is outside, and then
    // nothing changed.
    bool PutLines(int i, COwnedLines& lines);
    // Appends p as the last line (ownership passes); false (message 51) when
    // there is no room, and then p stays the caller's.
    bool AppendLine(char* p);
    // Columns [c1, c2) of line i, padded with spaces: a new heap string or null.
    char* CopyColumns(int i, int c1, int c2);

    // Load or store the text through an archive, in the file format of the editor.
    virtual bool Serialize(CArchive& ar);
    // Replaces the text with the lines of a file. False when the file could not
    // be loaded (a line too long, a read error, memory); the store is then empty.
    bool Load(CArchive& ar);
    // Writes the text. *pbKanaWidened is set when a JIS save had to write
    // half-width katakana in full width. False when writing failed.
    bool Store(CArchive& ar, bool* pbKanaWidened = nullptr);

    CDoc* m_pDoc = nullptr;
    // Tab width of reading and writing: 0 until a file with tabs is read.
    int m_nTabWidth = 0;
    bool m_bJis = false;     // write JIS (ISO-2022-JP)
    bool m_bEuc = false;     // write EUC-JP
    bool m_bLfOnly = false;  // end lines with LF alone

private:
    struct CRawLine;
    enum class ERead { Line, End, TooLong, Error };

    void FreeAllLines();
    // Grow without the message, for the load, which frees what it read first.
    bool GrowSilently(long long nWanted);
    // Room for one more line while loading, sized for the whole file when its
    // size is known (0: it is not).
    bool GrowForLoad(std::uint64_t nFileBytes);
    // Gives a large array of an empty store back (after a failed load).
    void ReleaseSpareSlots();
    ERead ReadLine(CArchive& ar, CRawLine& line);
    bool Refill(CArchive& ar, bool& bError);
    bool StoreLine(CArchive& ar, char* p, int nTabWidth, bool* pbKanaWidened);

    char* m_pScratch = nullptr;
    char** m_ppLines = nullptr;
    int m_nCapacity = 0;
    int m_nCount = 0;
    unsigned m_nReadPos = 0;
    unsigned m_nReadLen = 0;
    char* m_pReadChunk = nullptr;  // where a load reads to, m_nReadChunk bytes
    size_t m_nReadChunk = 0;
    std::uint64_t m_nReadTotal = 0;  // bytes read from the archive so far
    bool m_bReadEnd = false;
    int m_nWorkLine = -1;
    long m_nReadLineNo = 0;
};
