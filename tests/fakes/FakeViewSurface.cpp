// The recording view surface.
#include "fakes/FakeViewSurface.h"

#include <algorithm>

#include "view/Vu.h"

CFakeViewSurface::CFakeViewSurface(int nCols, int nRows) : m_nWidth(nCols * 8), m_nHeight(nRows * 16) { ResetGrid(); }

CFakeViewSurface::~CFakeViewSurface()
{
    if (m_pVu)
        m_pVu->SetSurface(nullptr);
}

void CFakeViewSurface::Attach(CVu& vu)
{
    m_pVu = &vu;
    ResetGrid();
    vu.SetSurface(this);
    vu.OnInitialUpdate();
    DeliverPosted();
}

void CFakeViewSurface::Resize(int nCols, int nRows)
{
    m_nWidth = nCols * m_metrics.nCharWidth;
    m_nHeight = nRows * m_metrics.nLineHeight;
    ResetGrid();
    if (m_pVu)
        m_pVu->RecalcLayout();
}

void CFakeViewSurface::ResetGrid()
{
    m_grid.assign(static_cast<size_t>(GridRows()), std::vector<CCell>(static_cast<size_t>(GridCols())));
}

void CFakeViewSurface::GetClientSize(int& nWidth, int& nHeight)
{
    nWidth = m_nWidth;
    nHeight = m_nHeight;
}

void CFakeViewSurface::InvalidateCells(const CCellRect& rc)
{
    m_rcInvalid = m_bInvalid ? CellUnion(m_rcInvalid, rc) : rc;
    m_bInvalid = true;
}

void CFakeViewSurface::Paint()
{
    if (!m_bInvalid || !m_pVu)
        return;
    CCellRect rc = m_rcInvalid;
    m_bInvalid = false;
    ++m_nPaints;
    m_pVu->OnPaint(rc);
}

void CFakeViewSurface::DeliverPosted()
{
    while (m_nPostedLineCount > 0 && m_pVu) {
        --m_nPostedLineCount;
        m_pVu->UpdateScrollRange();
    }
}

void CFakeViewSurface::ScrollPixels(int dx, int dy)
{
    m_scrolls.emplace_back(dx, dy);
    int sx = dx / m_metrics.nCharWidth, sy = dy / m_metrics.nLineHeight;
    std::vector<std::vector<CCell>> moved(m_grid.size(), std::vector<CCell>(m_grid[0].size()));
    for (int r = 0; r < GridRows(); ++r)
        for (int c = 0; c < GridCols(); ++c) {
            int fr = r - sy, fc = c - sx;
            if (fr >= 0 && fr < GridRows() && fc >= 0 && fc < GridCols())
                moved[static_cast<size_t>(r)][static_cast<size_t>(c)] = m_grid[static_cast<size_t>(fr)][static_cast<size_t>(fc)];
        }
    m_grid = std::move(moved);
}

void CFakeViewSurface::DrawRun(const CTextRun& run)
{
    m_runs.push_back({run.nRow, run.nTextCell, std::string(run.text), run.nClipLeft, run.nClipRight, run.crText,
                      run.crBack});
    if (run.nRow < 0 || run.nRow >= GridRows())
        return;
    std::vector<CCell>& row = m_grid[static_cast<size_t>(run.nRow)];
    for (long c = std::max(0L, run.nClipLeft); c < std::min<long>(run.nClipRight, GridCols()); ++c) {
        long i = c - run.nTextCell;
        char b = (i >= 0 && i < static_cast<long>(run.text.size())) ? run.text[static_cast<size_t>(i)] : ' ';
        row[static_cast<size_t>(c)] = {b, run.crText, run.crBack};
    }
}

std::string CFakeViewSurface::RowText(int nRow) const
{
    std::string s;
    for (const CCell& cell : m_grid[static_cast<size_t>(nRow)])
        s += cell.b;
    return s;
}

const CFakeViewSurface::CCell& CFakeViewSurface::CellAt(int nCol, int nRow) const
{
    return m_grid[static_cast<size_t>(nRow)][static_cast<size_t>(nCol)];
}

std::vector<CFakeViewSurface::CRun> CFakeViewSurface::RunsOfRow(int nRow) const
{
    std::vector<CRun> runs;
    for (const CRun& run : m_runs)
        if (run.nRow == nRow)
            runs.push_back(run);
    return runs;
}

void CFakeViewSurface::PlaceCaret(int x, int y, int nWidth, int nHeight)
{
    m_caret = {x, y, nWidth, nHeight, true};
    ++m_nCaretPlacements;
}

void CFakeViewSurface::SetCaretPanes(long nColumn, long nLine)
{
    m_nPaneColumn = nColumn;
    m_nPaneLine = nLine;
}

void CFakeViewSurface::SetImePosition(int x, int y)
{
    m_nImeX = x;
    m_nImeY = y;
}

void CFakeViewSurface::SetScrollRange(bool bVert, long nMax, int nPage)
{
    ++m_nScrollRangeSets;
    (bVert ? m_nVMax : m_nHMax) = nMax;
    (bVert ? m_nVPage : m_nHPage) = nPage;
}

unsigned CFakeViewSurface::TrackPopupMenu(int x, int y, const std::vector<CMenuEntry>& entries)
{
    m_nMenuX = x;
    m_nMenuY = y;
    m_menu.clear();
    for (const CMenuEntry& e : entries)
        m_menu.emplace_back(e.nId, e.pszText ? e.pszText : "");
    return m_nMenuChoice;
}

bool CFakeViewSurface::PumpMessages(int)
{
    ++m_nPumps;
    if (m_onPump)
        m_onPump();
    return !m_bWindowGone;
}

void CFakeViewSurface::Sleep(unsigned nMs)
{
    m_sleeps.push_back(nMs);
    m_nTick += nMs;
}
