// The editor view on arbitrary lines and an arbitrary sequence of its motion
// commands and clicks: no crash, no sanitizer report; the caret never rests on
// a second byte; every run the painter draws is whole characters inside the
// window's row; the address finder stays inside its text and a scan from
// AddressScanStart finds what a whole scan finds.
// Input: byte 0 the window's size, then lines separated by NUL, then after two
// NULs one byte per command.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "QuietUi.h"
#include "keys/CommandIds.h"
#include "text/Doc.h"
#include "text/Sjis.h"
#include "view/AddressFinder.h"
#include "view/Caret.h"
#include "view/Vu.h"

namespace {

// Paints when asked, as a window does, and checks each run.
class CCheckingSurface : public CNullViewSurface {
public:
    CCheckingSurface(int nCols, int nRows) : m_nCols(nCols), m_nRows(nRows) {}
    void GetClientSize(int& w, int& h) override
    {
        w = m_nCols * 8;
        h = m_nRows * 16;
    }
    CViewMetrics MeasureFont() override { return {8, 16, 16}; }
    bool HasFocus() override { return true; }
    void InvalidateCells(const CCellRect&) override { m_bInvalid = true; }
    void UpdateNow() override
    {
        if (m_bInvalid && m_pVu) {
            m_bInvalid = false;
            m_pVu->OnPaint(m_pVu->m_rcDirty);
        }
    }
    void DrawRun(const CTextRun& run) override
    {
        if (run.nRow < 0 || run.nRow > m_nRows || run.nClipLeft < 0 || run.nClipRight > m_nCols + 1 ||
            run.nClipLeft >= run.nClipRight)
            std::abort();
        if (!run.text.empty()) {
            // Whole characters from the first byte of the one at the left edge.
            std::string_view line = m_pVu->PeekLine(m_pVu->m_nTopLine + run.nRow);
            long offset = run.text.data() - line.data();
            if (offset < 0 || offset + static_cast<long>(run.text.size()) > static_cast<long>(line.size()) ||
                IsSecondByteAt(line, offset) || run.nTextCell < run.nClipLeft - 1 ||
                run.nTextCell + static_cast<long>(run.text.size()) > run.nClipRight + 1)
                std::abort();
        }
    }
    CVu* m_pVu = nullptr;

private:
    int m_nCols, m_nRows;
    bool m_bInvalid = false;
};

const unsigned kCommands[] = {
    ID_CURSOR_UP,         ID_CURSOR_DOWN,         ID_CURSOR_LEFT,       ID_CURSOR_RIGHT,      ID_CURSOR_TAB_RIGHT,
    ID_CURSOR_TAB_LEFT,   ID_CURSOR_SCREEN_LEFT,  ID_CURSOR_SCREEN_RIGHT, ID_CURSOR_SCREEN_TOP, ID_CURSOR_SCREEN_BOTTOM,
    ID_CURSOR_LINE_HEAD,  ID_CURSOR_LINE_END,     ID_CURSOR_NEXT_LINE,  ID_WORD_NEXT,         ID_WORD_PREV,
    ID_GOTO_TOP,          ID_GOTO_END,            ID_GOTO_LINE,         ID_SCROLL_LINE_UP,    ID_SCROLL_LINE_DOWN,
    ID_PAGE_DOWN,         ID_PAGE_UP,             ID_QUARTER_PAGE_DOWN, ID_QUARTER_PAGE_UP,   ID_SCROLL_LEFT_TAB,
    ID_SCROLL_RIGHT_TAB,  ID_SCREEN_LEFT,         ID_SCREEN_RIGHT,
};

void CheckAddresses(std::string_view line)
{
    for (size_t col = 0; col <= line.size(); col += 3) {
        size_t start = AddressScanStart(line, col);
        if (start > col)
            std::abort();
        CAddressMatch m = FindAddress(line.substr(start));
        if (m.nKind && m.nOffset + m.nLength > line.size() - start)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    UseQuietUi();
    if (size < 1)
        return 0;
    int nCols = 1 + data[0] % 40, nRows = 1 + (data[0] / 40) % 8;
    std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    size_t end = input.find(std::string("\0\0", 2));
    std::string text = input.substr(0, end);
    std::string commands = end == std::string::npos ? std::string() : input.substr(end + 2);
    std::vector<char*> lines;
    for (size_t pos = 0; pos <= text.size();) {
        size_t nul = text.find('\0', pos);
        std::string line = text.substr(pos, nul == std::string::npos ? std::string::npos : nul - pos);
        CheckAddresses(line);
        lines.push_back(CLineStore::DupLine(line.c_str()));
        if (nul == std::string::npos)
            break;
        pos = nul + 1;
    }
    CDoc doc;
    doc.m_Lines.AdoptLines(lines.data(), static_cast<int>(lines.size()));
    CVu view;
    CCheckingSurface surface(nCols, nRows);
    surface.m_pVu = &view;
    view.SetSurface(&surface);
    doc.AddView(&view);
    view.OnInitialUpdate();
    AppSettings().m_nGotoLine = 0;
    for (unsigned char c : commands) {
        if (c >= 0xF0) {
            view.OnLButtonUp((c & 7) * 8, ((c >> 3) & 1) * 16);  // a click
        } else {
            AppSettings().m_nGotoLine = c * 3;
            view.OnCommand(kCommands[c % std::size(kCommands)], nullptr);
        }
        if (IsSecondByteAt(view.PeekLine(view.CaretLine()), view.CaretCol()))
            std::abort();
    }
    doc.RemoveView(&view);
    view.SetSurface(nullptr);
    return 0;
}
