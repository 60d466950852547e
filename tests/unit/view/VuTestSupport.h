// A view on a document of given lines in an 80 x 25 cell window of the
// recording surface (8 x 16 pixel cells), with the settings put back after
// each test and message boxes and beeps recorded.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeUi.h"
#include "fakes/FakeViewSurface.h"
#include "support/SettingsScope.h"
#include "text/Doc.h"
#include "text/Unicode.h"
#include "view/Caret.h"
#include "view/Vu.h"

// Shift-JIS of a UTF-8 literal.
inline std::string Sjis(const char* utf8) { return Utf8ToSjis(utf8); }

// "line 0", "line 1", ...
inline std::vector<std::string> Numbered(int n)
{
    std::vector<std::string> lines;
    for (int i = 0; i < n; ++i)
        lines.push_back("line " + std::to_string(i));
    return lines;
}

inline void SetLines(CDoc& doc, const std::vector<std::string>& lines)
{
    std::vector<char*> copies;
    for (const std::string& line : lines)
        copies.push_back(CLineStore::DupLine(line.c_str()));
    doc.m_Lines.AdoptLines(copies.data(), static_cast<int>(copies.size()));
}

class VuTest : public ::testing::Test {
protected:
    // Lines of the document, shown from the top in a window of the given size.
    void Show(const std::vector<std::string>& lines, int nCols = 80, int nRows = 25)
    {
        SetLines(m_doc, lines);
        m_doc.AddView(&m_vu);
        m_surface.m_nWidth = nCols * 8;
        m_surface.m_nHeight = nRows * 16;
        m_surface.Attach(m_vu);
        m_surface.Paint();
        m_ui.Clear();
    }
    // Runs a view command and lets the window paint.
    void Run(unsigned nId)
    {
        ASSERT_TRUE(m_vu.OnCommand(nId, nullptr)) << nId;
        m_surface.Paint();
        m_surface.DeliverPosted();
    }
    void RunTimes(unsigned nId, int n)
    {
        for (int i = 0; i < n; ++i)
            Run(nId);
    }
    // The caret's absolute cell and its screen cell.
    long Col() const { return m_vu.CaretCol(); }
    long Line() const { return m_vu.CaretLine(); }
    long ScreenCol() const { return m_vu.Caret().m_nCol; }
    long ScreenRow() const { return m_vu.Caret().m_nRow; }
    // Puts the caret on an absolute cell, scrolling only when it is out of sight.
    void PutCaret(long nCol, long nLine)
    {
        if (nLine < m_vu.m_nTopLine || nLine >= m_vu.m_nTopLine + m_vu.m_nRows)
            m_vu.ScrollVert(nLine - m_vu.m_nTopLine);
        if (nCol < m_vu.m_nLeftCol || nCol >= m_vu.m_nLeftCol + m_vu.m_nCols)
            m_vu.ScrollHorz(std::max(0L, nCol - m_vu.m_nCols + 1) - m_vu.m_nLeftCol);
        m_vu.Caret().SetCell(nCol - m_vu.m_nLeftCol, nLine - m_vu.m_nTopLine);
        m_surface.Paint();
    }
    // The screen as painted now equals a complete repaint of the window.
    void ExpectScreenIsFresh()
    {
        m_surface.Paint();
        std::vector<std::string> shown;
        for (int r = 0; r <= m_vu.m_nRows; ++r)
            shown.push_back(m_surface.RowText(r));
        m_vu.MarkAllDirty();
        m_surface.Paint();
        for (int r = 0; r <= m_vu.m_nRows; ++r)
            EXPECT_EQ(shown[static_cast<size_t>(r)], m_surface.RowText(r)) << "row " << r;
    }

    CScopedFakeUi m_ui;
    CSettingsScope m_settings;
    CDoc m_doc;
    CVu m_vu;
    CFakeViewSurface m_surface;
};
