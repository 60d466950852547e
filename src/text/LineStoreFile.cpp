// The text file format of a line store: reading a file into lines (line endings,
// tab expansion, code detection) and writing lines back (blank stripping, code
// conversion, tab compression, line endings).
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "settings/AppSettings.h"
#include "fw/Archive.h"
#include "platform/Messages.h"
#include "text/Codes.h"
#include "text/LineBlocks.h"
#include "text/LineScan.h"
#include "text/LineStore.h"

struct CLineStore::CRawLine {
    char* p = nullptr;
    size_t len = 0;
    bool bHigh = false;    // holds bytes of 0x80 and above
    bool bEscape = false;  // holds ESC or SUB
    bool bNul = false;     // holds a NUL byte
};

namespace {

enum : unsigned {
    kMsgNoMemory = 50,
    kMsgNoNewLine = 51,
    kMsgNoFinalNewline = 52,
    kMsgNoLineMemory = 54,
};

// A UTF-8 format of the message helpers.
const char kUuencodeNotice[] =
    "このファイルには uuencode されたデータが含まれています。\n\nTova で書き換えるとデコード不能になる可能性があります。";

constexpr size_t kBigReadChunk = 1024 * 1024;

bool IsCSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// "begin <number> <name>": the three fields a uuencode header reads as.
bool IsUuencodeHeader(const char* p, size_t len)
{
    if (len < 6 || std::memcmp(p, "begin ", 6) != 0)
        return false;
    size_t i = 6;
    while (i < len && IsCSpace(p[i]))
        ++i;
    if (i < len && (p[i] == '+' || p[i] == '-'))
        ++i;
    size_t digits = i;
    while (i < len && p[i] >= '0' && p[i] <= '9')
        ++i;
    if (i == digits)
        return false;
    while (i < len && IsCSpace(p[i]))
        ++i;
    return i < len;
}

// Runs of two or more spaces that end at a tab stop (w) become one TAB, in place;
// positions are bytes of the converted line. Returns the new length.
size_t CompressBlanks(char* s, size_t n, unsigned w)
{
    size_t r = 0;
    for (;;) {
        const void* hit = r < n ? std::memchr(s + r, ' ', n - r) : nullptr;
        if (!hit)
            return n;
        r = static_cast<size_t>(static_cast<const char*>(hit) - s);
        if (r + 1 < n && s[r + 1] == ' ')
            break;
        ++r;
    }
    // Before r nothing changes, and no space is held back there.
    size_t out = r;
    size_t held = 0;
    for (; r < n; ++r) {
        char c = s[r];
        if (c == ' ') {
            if ((r + 1) % w != 0) {
                ++held;
                continue;
            }
            s[out++] = held ? '\t' : ' ';
            held = 0;
        } else {
            for (; held; --held)
                s[out++] = ' ';
            s[out++] = c;
        }
    }
    for (; held; --held)
        s[out++] = ' ';
    return out;
}

} // namespace

bool CLineStore::Refill(CArchive& ar, bool& bError)
{
    bError = false;
    if (m_bReadEnd)
        return false;
    std::ptrdiff_t got = ar.Read(m_pReadChunk, m_nReadChunk);
    if (got < 0) {
        bError = true;
        return false;
    }
    if (static_cast<size_t>(got) < m_nReadChunk)
        m_bReadEnd = true;
    m_nReadPos = 0;
    m_nReadLen = static_cast<unsigned>(got);
    m_nReadTotal += static_cast<std::uint64_t>(got);
    return got > 0;
}

CLineStore::ERead CLineStore::ReadLine(CArchive& ar, CRawLine& line)
{
    ++m_nReadLineNo;
    line = CRawLine();
    auto* rb = reinterpret_cast<unsigned char*>(m_pReadChunk);

    // Most lines lie inside the buffer and hold no TAB, NUL or stray CR: they are
    // delivered where they are, converted in place there.
    if (m_nReadPos < m_nReadLen) {
        unsigned char* start = rb + m_nReadPos;
        // A line found here is never longer than a line may be; a longer one
        // is left to the general case, which refuses it.
        size_t avail = std::min<size_t>(m_nReadLen - m_nReadPos, MaxLineBytes);
        size_t k = ScanLineBytes(start, avail, line.bHigh, line.bEscape);
        if (k < avail && start[k] == '\n') {
            m_bLfOnly = true;
            line.p = reinterpret_cast<char*>(start);
            line.len = k;
            m_nReadPos += static_cast<unsigned>(k + 1);
            return ERead::Line;
        }
        if (k + 1 < avail && start[k] == '\r' && start[k + 1] == '\n') {
            line.p = reinterpret_cast<char*>(start);
            line.len = k;
            m_nReadPos += static_cast<unsigned>(k + 2);
            return ERead::Line;
        }
        line.bHigh = line.bEscape = false;
    }

    // The general case, assembled in the scratch buffer.
    size_t len = 0;
    bool bCr = false;
    for (;;) {
        if (m_nReadPos >= m_nReadLen) {
            bool bError = false;
            if (!Refill(ar, bError)) {
                if (bError)
                    return ERead::Error;
                if (len == 0)
                    return ERead::End;
                ErrorBox(kMsgNoFinalNewline);
                break;  // the last line is kept
            }
        }
        unsigned char* start = rb + m_nReadPos;
        size_t avail = m_nReadLen - m_nReadPos;
        size_t k = ScanLineBytes(start, avail, line.bHigh, line.bEscape);
        if (len + k > static_cast<size_t>(MaxLineLength))
            return ERead::TooLong;
        std::memcpy(m_pScratch + len, start, k);
        len += k;
        m_nReadPos += static_cast<unsigned>(k);
        if (k == avail)
            continue;
        unsigned char c = start[k];
        ++m_nReadPos;
        if (c == '\n') {
            if (!bCr)
                m_bLfOnly = true;
            break;
        }
        if (c == '\r') {
            bCr = true;  // dropped wherever it is; alone it ends nothing
        } else if (c == '\t') {
            if (m_nTabWidth == 0)
                m_nTabWidth = AppSettings().m_nReadTab < 1 ? 8 : AppSettings().m_nReadTab;
            // Stops count the bytes as read, escape sequences of a JIS file included.
            size_t spaces = static_cast<size_t>(m_nTabWidth) - len % static_cast<size_t>(m_nTabWidth);
            if (len + spaces > static_cast<size_t>(MaxLineLength))
                return ERead::TooLong;
            std::memset(m_pScratch + len, ' ', spaces);
            len += spaces;
        } else {  // NUL: kept for now, it ends the line's text when delivered
            if (len + 1 > static_cast<size_t>(MaxLineLength))
                return ERead::TooLong;
            m_pScratch[len++] = '\0';
            line.bNul = true;
        }
    }
    line.p = m_pScratch;
    line.len = len;
    return ERead::Line;
}

bool CLineStore::Load(CArchive& ar)
{
    FreeAllLines();
    m_nReadPos = 0;
    m_nReadLen = 0;
    m_nReadTotal = 0;
    m_bReadEnd = false;
    m_nReadLineNo = 0;
    if (!ReadBuffer || !m_pScratch) {
        ErrorBox(kMsgNoMemory);
        return false;
    }
    // A big file is read a megabyte at a time (far fewer reads, far fewer
    // lines across two chunks); the shared read buffer does when that much
    // is not to be had, or for a small file.
    struct CChunk {
        char* p = nullptr;
        ~CChunk() { std::free(p); }
    } chunk;
    const std::uint64_t nFileBytes = ar.GetSizeHint();
    m_pReadChunk = ReadBuffer;
    m_nReadChunk = MaxLineBytes;
    if (nFileBytes > kBigReadChunk && (chunk.p = static_cast<char*>(std::malloc(kBigReadChunk)))) {
        m_pReadChunk = chunk.p;
        m_nReadChunk = kBigReadChunk;
    }
    // The code flags of the whole file: once it has shown what it is, later
    // lines are judged by that.
    bool bSjisSeen = AppSettings().m_nCodeOption == 2;
    bool bJisSeen = false;
    bool bEuc = AppSettings().m_nCodeOption == 1;
    long nFirstNulLine = 0;
    long nFirstSupplementaryLine = 0;
    // The file's lines are cut from a few large blocks, not allocated one by one.
    CLineCutter cutter;
    // A failed load keeps nothing of what it read.
    auto giveBack = [&] {
        FreeAllLines();
        cutter.Finish();
        ReleaseSpareSlots();
    };
    CRawLine raw;
    for (;;) {
        ERead r = ReadLine(ar, raw);
        if (r == ERead::End)
            break;
        if (r != ERead::Line) {
            if (r == ERead::TooLong) {
                ErrorBox("line %ld too long", m_nReadLineNo);
            } else {
                CFileErrorInfo e = ar.GetError();
                SetLastFileError(e.kind, e.nCode);
                ErrorBox("%s を読み込めません。\n\n%s", ar.GetPathName().c_str(), LastFileErrorText().c_str());
            }
            giveBack();
            return false;
        }
        size_t len = raw.len;
        if (raw.bNul) {
            len = static_cast<size_t>(static_cast<const char*>(std::memchr(raw.p, '\0', len)) - raw.p);
            if (nFirstNulLine == 0)
                nFirstNulLine = m_nReadLineNo;
        }
        // Saving strips trailing blanks, which would spoil uuencoded lines.
        if (IsUuencodeHeader(raw.p, len))
            InfoBox(kUuencodeNotice);
        if (raw.bEscape || (raw.bHigh && (bEuc || !bSjisSeen))) {
            size_t nSupplementary = 0;
            len = ToSjisN(raw.p, len, bSjisSeen, bJisSeen, bEuc, &nSupplementary);
            if (nSupplementary && nFirstSupplementaryLine == 0)
                nFirstSupplementaryLine = m_nReadLineNo;
        }
        // Short of memory the open fails as a whole (half a file bound to its
        // name would be saved over the whole), and says so only once what was
        // read has been given back: the message needs memory too.
        if (m_nCount == m_nCapacity && !GrowForLoad(nFileBytes)) {
            giveBack();
            ErrorBox(kMsgNoNewLine);
            return false;
        }
        if (bJisSeen)
            m_bJis = true;
        if (bEuc)
            m_bEuc = true;
        char* p = cutter.Add(raw.p, len);
        if (!p) {
            giveBack();
            ErrorBox(kMsgNoLineMemory);
            return false;
        }
        m_ppLines[m_nCount++] = p;
    }
    if (nFirstSupplementaryLine)
        InfoBox("このファイルの %ld 行目から、Shift-JIS にない文字 (JIS X 0212 の補助漢字など) を〓として読み込みました。\n\n"
                "保存するとそれらの文字は〓になります。",
                nFirstSupplementaryLine);
    if (nFirstNulLine)
        InfoBox("このファイルの %ld 行目に NUL 文字 (0x00) が含まれています。\n\n"
                "その行の NUL 文字から行末までは読み込まれていません。保存するとその部分は失われます。",
                nFirstNulLine);
    return true;
}

bool CLineStore::StoreLine(CArchive& ar, char* p, int nTabWidth, bool* pbKanaWidened)
{
    size_t len = std::strlen(p);
    if (len && p[len - 1] == ' ') {
        while (len && p[len - 1] == ' ')
            --len;
        p[len] = '\0';  // the text in memory loses them too
    }
    size_t need = (m_bJis ? JisBufferSize(len) : m_bEuc ? EucBufferSize(len) : len + 1) + 2;
    char* d = ar.GetWriteSpace(need);
    if (!d)
        return false;
    size_t n;
    if (m_bJis) {
        bool bStopped = false;
        n = SjisToJisN(d, p, len, false, &bStopped);
        if (bStopped) {
            // Half-width katakana have no place in JIS: written full-width.
            n = SjisToJisN(d, p, len, true, nullptr);
            if (pbKanaWidened)
                *pbKanaWidened = true;
        }
    } else if (m_bEuc) {
        n = SjisToEucN(d, p, len);
    } else {
        std::memcpy(d, p, len);
        n = len;
    }
    if (nTabWidth > 0)
        n = CompressBlanks(d, n, static_cast<unsigned>(nTabWidth));
    if (!m_bLfOnly)
        d[n++] = '\r';
    d[n++] = '\n';
    ar.CommitWrite(n);
    return true;
}

bool CLineStore::Store(CArchive& ar, bool* pbKanaWidened)
{
    FlushWorkLine();
    // Walking back strips the lines after the last non-empty one and finds it;
    // the forward pass strips the rest as it writes.
    int last = -1;
    for (int i = m_nCount - 1; i >= 0; --i) {
        char* p = m_ppLines[i];
        size_t len = std::strlen(p);
        while (len && p[len - 1] == ' ')
            --len;
        if (len) {
            last = i;
            break;
        }
        if (p[0])
            p[0] = '\0';
    }
    int nTabWidth = AppSettings().m_nMailMode == 2 ? 0 : m_nTabWidth;
    for (int i = 0; i <= last; ++i)
        if (!StoreLine(ar, m_ppLines[i], nTabWidth, pbKanaWidened))
            return false;
    return ar.Flush();
}
