// The plain view.
#include "app/PlainView_win.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "app/AppSettings.h"
#include "app/EditorApp_win.h"
#include "keys/CommandIds.h"
#include "text/Doc.h"
#include "text/DocHeader.h"
#include "text/Sjis.h"
#include "text/Unicode.h"

namespace {

constexpr long kMaxScrollCols = 8192;
constexpr int kMaxHeaderRows = 5;

HFONT ViewFont() { return EditorApp() ? EditorApp()->GetViewFont().Get() : nullptr; }

} // namespace

CDoc* CPlainView::GetShownDoc() const
{
    auto* pDoc = dynamic_cast<CDoc*>(GetDocument());
    if (pDoc && m_bHeader)
        return pDoc->GetHeaderDoc();
    return pDoc;
}

void CPlainView::Measure()
{
    TEXTMETRICW tm = EditorApp()->GetViewFont().Metrics();
    m_nCharWidth = std::max(1L, tm.tmAveCharWidth);
    m_nLineHeight = std::max(1, static_cast<int>(tm.tmHeight + tm.tmExternalLeading) + AppSettings().m_nGapPixel);
}

int CPlainView::Rows() const { return std::max(1, static_cast<int>(ClientRect().bottom) / m_nLineHeight); }

int CPlainView::Cols() const { return std::max(1, static_cast<int>(ClientRect().right) / m_nCharWidth); }

void CPlainView::OnInitialUpdate()
{
    Measure();
    UpdateScrollBars();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CPlainView::OnFontChanged() { OnInitialUpdate(); }

void CPlainView::OnUpdate(CViewBase*, long lHint, const CCellRect*)
{
    if (lHint == kHintLineCount)
        UpdateScrollBars();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

bool CPlainView::GetPaneHeights(int& nIdeal, int& nMin) const
{
    // The header's lines without the empty ones at its end, five at most.
    CDoc* pDoc = GetShownDoc();
    int lines = pDoc ? std::min(pDoc->GetTextLineCount(), kMaxHeaderRows) : 0;
    int bar = ::GetSystemMetrics(SM_CYHSCROLL);
    nIdeal = lines * m_nLineHeight + bar;
    nMin = m_nLineHeight + bar;
    return true;
}

CViewPosition CPlainView::GetPosition() const { return CViewPosition{m_nLeftCol, m_nTopLine, m_nCaretCol, m_nCaretRow}; }

void CPlainView::SetPosition(const CViewPosition& pos)
{
    m_nCaretCol = pos.nCaretCol;
    m_nCaretRow = pos.nCaretRow;
    ScrollTo(pos.nTopLine, pos.nLeftCol);
}

void CPlainView::UpdateScrollBars()
{
    CDoc* pDoc = GetShownDoc();
    int lines = pDoc ? pDoc->GetLineCount() : 0;
    SCROLLINFO si = {sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL};
    si.nMax = std::max(0, lines - 1);
    si.nPage = static_cast<UINT>(Rows());
    si.nPos = static_cast<int>(m_nTopLine);
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
    si.nMax = kMaxScrollCols;
    si.nPage = static_cast<UINT>(Cols());
    si.nPos = static_cast<int>(m_nLeftCol);
    ::SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
}

void CPlainView::ScrollTo(long nTopLine, long nLeftCol)
{
    CDoc* pDoc = GetShownDoc();
    long last = pDoc ? std::max(0, pDoc->GetLineCount() - 1) : 0;
    m_nTopLine = std::clamp(nTopLine, 0L, last);
    m_nLeftCol = std::clamp(nLeftCol, 0L, kMaxScrollCols);
    UpdateScrollBars();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CPlainView::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    const CAppSettings& s = AppSettings();
    RECT rc = ClientRect();
    HBRUSH back = ::CreateSolidBrush(s.m_crBack);
    ::FillRect(hdc, &rc, back);
    ::DeleteObject(back);
    HGDIOBJ oldFont = ::SelectObject(hdc, ViewFont() ? static_cast<HGDIOBJ>(ViewFont()) : ::GetStockObject(SYSTEM_FIXED_FONT));
    ::SetTextColor(hdc, s.m_crText);
    ::SetBkMode(hdc, TRANSPARENT);
    if (CDoc* pDoc = GetShownDoc()) {
        int count = pDoc->GetLineCount();
        char* const* lines = pDoc->m_Lines.GetLines();
        for (int row = 0; row <= Rows() && m_nTopLine + row < count; ++row) {
            std::string_view line(lines[m_nTopLine + row] ? lines[m_nTopLine + row] : "");
            // One cell per byte: a double-byte character is two cells wide,
            // drawn from its first byte, so the grid never depends on glyph widths.
            std::wstring text;
            std::vector<INT> advance;
            int x = static_cast<int>(-m_nLeftCol) * m_nCharWidth;
            int startX = x;
            bool bStarted = false;
            for (size_t i = 0; i < line.size();) {
                int n = CharLenAt(line, i);
                if (!bStarted && x + n * m_nCharWidth <= 0) {
                    x += n * m_nCharWidth;
                    i += static_cast<size_t>(n);
                    continue;
                }
                if (!bStarted) {
                    startX = x;
                    bStarted = true;
                }
                std::u16string w = SjisToUtf16(line.substr(i, static_cast<size_t>(n)));
                for (size_t k = 0; k < w.size(); ++k) {
                    text += static_cast<wchar_t>(w[k]);
                    advance.push_back(k + 1 == w.size() ? n * m_nCharWidth : 0);
                }
                x += n * m_nCharWidth;
                i += static_cast<size_t>(n);
                if (x > rc.right)
                    break;
            }
            if (!text.empty())
                ::ExtTextOutW(hdc, startX, row * m_nLineHeight, 0, nullptr, text.c_str(),
                              static_cast<UINT>(text.size()), advance.data());
        }
    }
    ::SelectObject(hdc, oldFont);
    ::EndPaint(m_hWnd, &ps);
}

bool CPlainView::OnCommand(unsigned nId, CCmdUi* pUi)
{
    long top = m_nTopLine, left = m_nLeftCol;
    CDoc* pDoc = GetShownDoc();
    long count = pDoc ? pDoc->GetLineCount() : 0;
    switch (nId) {
    case ID_PAGE_DOWN: top += Rows(); break;
    case ID_PAGE_UP: top -= Rows(); break;
    case ID_CURSOR_DOWN:
    case ID_SCROLL_LINE_DOWN: top += 1; break;
    case ID_CURSOR_UP:
    case ID_SCROLL_LINE_UP: top -= 1; break;
    case ID_GOTO_TOP: top = 0; break;
    case ID_GOTO_END: top = count - Rows(); break;
    case ID_SCREEN_RIGHT: left += Cols(); break;
    case ID_SCREEN_LEFT: left -= Cols(); break;
    default: return false;
    }
    if (!pUi)
        ScrollTo(top, left);
    return true;
}

LRESULT CPlainView::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        UpdateScrollBars();
        break;
    case WM_VSCROLL:
    case WM_HSCROLL: {
        bool bVert = nMsg == WM_VSCROLL;
        SCROLLINFO si = {sizeof si, SIF_ALL};
        ::GetScrollInfo(m_hWnd, bVert ? SB_VERT : SB_HORZ, &si);
        long pos = si.nPos;
        long page = bVert ? Rows() : Cols();
        switch (LOWORD(wParam)) {
        case SB_LINEUP: pos -= 1; break;
        case SB_LINEDOWN: pos += 1; break;
        case SB_PAGEUP: pos -= page; break;
        case SB_PAGEDOWN: pos += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: pos = si.nTrackPos; break;
        case SB_TOP: pos = 0; break;
        case SB_BOTTOM: pos = si.nMax; break;
        default: break;
        }
        if (bVert)
            ScrollTo(pos, m_nLeftCol);
        else
            ScrollTo(m_nTopLine, pos);
        return 0;
    }
    case WM_SETCURSOR:
        // Over the text, the pointer the user chose ("PointerName").
        if (LOWORD(lParam) == HTCLIENT && EditorApp() && EditorApp()->GetPointerCursor()) {
            ::SetCursor(EditorApp()->GetPointerCursor());
            return TRUE;
        }
        break;
    case WM_MOUSEWHEEL:
        ScrollTo(m_nTopLine - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3, m_nLeftCol);
        return 0;
    default:
        break;
    }
    return CView::WindowProc(nMsg, wParam, lParam);
}
