// The editor view's window.
#include "view/VuWnd_win.h"

#include <imm.h>
#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <string>

#include "fw/MdiFrameWnd_win.h"
#include "fw/WinApp_win.h"
#include "platform/Messages.h"
#include "platform/Wide_win.h"
#include "settings/AppSettings.h"
#include "text/Unicode.h"
#include "view/GlyphRun.h"
#include "view/ViewCursors_win.h"
#include "view/ViewHost_win.h"
#include "view/Vu.h"
#include "view/VuHeader.h"

namespace {

// The note a view posts itself when its document's line count changed.
constexpr UINT kMsgLineCountChanged = WM_APP + 0x21;

// The UTF-16 units and advances of the run being drawn: one buffer for all
// views (everything draws on the one thread), grown to the longest run once.
std::vector<wchar_t>& RunUnits()
{
    static std::vector<wchar_t> units;
    return units;
}

std::vector<INT>& RunAdvances()
{
    static std::vector<INT> advances;
    return advances;
}

EScrollAction ScrollActionOf(WORD code)
{
    switch (code) {
    case SB_LINEUP: return EScrollAction::LineUp;
    case SB_LINEDOWN: return EScrollAction::LineDown;
    case SB_PAGEUP: return EScrollAction::PageUp;
    case SB_PAGEDOWN: return EScrollAction::PageDown;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return EScrollAction::Track;
    default: return EScrollAction::Other;
    }
}

int ClampToInt(long n) { return static_cast<int>(std::clamp(n, static_cast<long>(INT_MIN), static_cast<long>(INT_MAX))); }

} // namespace

CVuWnd::CVuWnd() : CVuWnd(std::make_unique<CVu>()) {}

CVuWnd::CVuWnd(std::unique_ptr<CVu> pVu) : CView(std::move(pVu)) { Vu().SetSurface(this); }

CVu& CVuWnd::Vu() const { return static_cast<CVu&>(*GetDocView()); }

const wchar_t* CVuWnd::WindowClassName()
{
    // Double clicks; redrawn whole when the size changes; no background brush
    // (every cell is painted opaque) and no cursor of its own.
    static const wchar_t kClass[] = L"TovaEditView";
    RegisterWindowClass(kClass, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, nullptr, nullptr);
    return kClass;
}

DWORD CVuWnd::ExtraStyle() const { return Vu().HasScrollBars() ? WS_VSCROLL | WS_HSCROLL : 0; }

void CVuWnd::OnInitialUpdate() { Vu().OnInitialUpdate(); }

bool CVuWnd::IsHeaderView() const { return Vu().IsHeaderView(); }

bool CVuWnd::GetPaneHeights(int& nIdeal, int& nMin) const
{
    auto* pHeader = dynamic_cast<CVuHeader*>(&Vu());
    if (!pHeader)
        return false;
    int bar = ::GetSystemMetrics(SM_CYHSCROLL);
    nIdeal = pHeader->GetPaneHeight(bar);
    nMin = pHeader->GetMinPaneHeight(bar);
    return true;
}

void CVuWnd::OnFontChanged() { Vu().RecalcLayout(); }

CViewPosition CVuWnd::GetPosition() const { return Vu().GetPosition(); }

void CVuWnd::SetPosition(const CViewPosition& pos) { Vu().SetPosition(pos); }

void CVuWnd::SetHistoryCapacity(int nCapacity) { Vu().SetHistoryCapacity(nCapacity); }

HFONT CVuWnd::Font() const
{
    HFONT hFont = ViewHost() ? ViewHost()->ViewFont() : nullptr;
    return hFont ? hFont : static_cast<HFONT>(::GetStockObject(SYSTEM_FIXED_FONT));
}

void CVuWnd::GetClientSize(int& nWidth, int& nHeight)
{
    RECT rc = ClientRect();
    nWidth = rc.right;
    nHeight = rc.bottom;
}

CViewMetrics CVuWnd::MeasureFont()
{
    TEXTMETRICW tm = {};
    HDC hdc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(hdc, Font());
    ::GetTextMetricsW(hdc, &tm);
    ::SelectObject(hdc, old);
    ::ReleaseDC(m_hWnd, hdc);
    int text = static_cast<int>(tm.tmHeight + tm.tmExternalLeading);
    return CViewMetrics{std::max(1, static_cast<int>(tm.tmAveCharWidth)), text + AppSettings().m_nGapPixel, text};
}

void CVuWnd::InvalidateCells(const CCellRect& rc)
{
    const CViewMetrics& m = Vu().m_metrics;
    RECT r = {ClampToInt(rc.left * m.nCharWidth), ClampToInt(rc.top * m.nLineHeight),
              ClampToInt(rc.right * m.nCharWidth), ClampToInt(rc.bottom * m.nLineHeight)};
    ::InvalidateRect(m_hWnd, &r, FALSE);
}

void CVuWnd::UpdateNow() { ::UpdateWindow(m_hWnd); }

void CVuWnd::ScrollPixels(int dx, int dy)
{
    // Parts of the window that were covered and come into view are invalidated
    // by the system; the view marks the uncovered cells itself.
    ::ScrollWindowEx(m_hWnd, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
}

void CVuWnd::OnPaint()
{
    PAINTSTRUCT ps;
    m_hdc = ::BeginPaint(m_hWnd, &ps);
    const CViewMetrics& m = Vu().m_metrics;
    CCellRect cells{ps.rcPaint.left / m.nCharWidth, ps.rcPaint.top / m.nLineHeight,
                    (ps.rcPaint.right + m.nCharWidth - 1) / m.nCharWidth,
                    (ps.rcPaint.bottom + m.nLineHeight - 1) / m.nLineHeight};
    Vu().OnPaint(cells);
    ::EndPaint(m_hWnd, &ps);
    m_hdc = nullptr;
}

void CVuWnd::BeginDraw()
{
    if (m_nDrawDepth++ > 0)
        return;
    if (!m_hdc) {
        m_hdc = ::GetDC(m_hWnd);
        m_bOwnDc = true;
    }
    m_hOldFont = ::SelectObject(m_hdc, Font());
}

void CVuWnd::EndDraw()
{
    if (--m_nDrawDepth > 0)
        return;
    ::SelectObject(m_hdc, m_hOldFont);
    if (m_bOwnDc) {
        ::ReleaseDC(m_hWnd, m_hdc);
        m_hdc = nullptr;
        m_bOwnDc = false;
    }
}

void CVuWnd::DrawRun(const CTextRun& run)
{
    if (!m_hdc)
        return;
    std::vector<wchar_t>& units = RunUnits();
    std::vector<INT>& advances = RunAdvances();
    if (units.size() < run.text.size()) {
        units.resize(run.text.size());
        advances.resize(run.text.size());
    }
    const CViewMetrics& m = Vu().m_metrics;
    size_t count = ToGlyphRun(run.text, m.nCharWidth, units.data(), advances.data());
    ::SetTextColor(m_hdc, static_cast<COLORREF>(run.crText));
    ::SetBkColor(m_hdc, static_cast<COLORREF>(run.crBack));
    RECT rc = {ClampToInt(run.nClipLeft * m.nCharWidth), run.nRow * m.nLineHeight,
               ClampToInt(run.nClipRight * m.nCharWidth), (run.nRow + 1) * m.nLineHeight};
    ::ExtTextOutW(m_hdc, ClampToInt(run.nTextCell * m.nCharWidth), run.nRow * m.nLineHeight, ETO_OPAQUE | ETO_CLIPPED,
                  &rc, units.data(), static_cast<UINT>(count), advances.data());
}

void CVuWnd::PlaceCaret(int x, int y, int nWidth, int nHeight)
{
    // The system has one caret, the focused window's.
    if (!HasFocus())
        return;
    if (m_bCaretMade)
        ::DestroyCaret();
    m_bCaretMade = ::CreateCaret(m_hWnd, nullptr, nWidth, nHeight) != FALSE;
    ::SetCaretPos(x, y);
    ::ShowCaret(m_hWnd);
}

void CVuWnd::HideCaret()
{
    if (m_bCaretMade)
        ::HideCaret(m_hWnd);
}

void CVuWnd::ShowCaret()
{
    if (m_bCaretMade)
        ::ShowCaret(m_hWnd);
}

void CVuWnd::DestroyCaret()
{
    if (m_bCaretMade)
        ::DestroyCaret();
    m_bCaretMade = false;
}

void CVuWnd::SetCaretPanes(long nColumn, long nLine)
{
    if (ViewHost() && HasFocus())
        ViewHost()->SetCaretPanes(nColumn, nLine);
}

void CVuWnd::SetImePosition(int x, int y)
{
    if (!HasFocus())
        return;
    HIMC hImc = ::ImmGetContext(m_hWnd);
    if (!hImc)
        return;
    LOGFONTW lf = {};
    if (::GetObjectW(Font(), sizeof lf, &lf))
        ::ImmSetCompositionFontW(hImc, &lf);
    COMPOSITIONFORM cf = {};
    cf.dwStyle = CFS_POINT;
    cf.ptCurrentPos = POINT{x, y};
    ::ImmSetCompositionWindow(hImc, &cf);
    ::ImmReleaseContext(m_hWnd, hImc);
}

bool CVuWnd::IsImeOpen()
{
    HIMC hImc = ::ImmGetContext(m_hWnd);
    if (!hImc)
        return false;
    bool bOpen = ::ImmGetOpenStatus(hImc) != FALSE;
    ::ImmReleaseContext(m_hWnd, hImc);
    return bOpen;
}

void CVuWnd::SetImeOpen(bool bOpen)
{
    HIMC hImc = ::ImmGetContext(m_hWnd);
    if (!hImc)
        return;
    ::ImmSetOpenStatus(hImc, bOpen);
    ::ImmReleaseContext(m_hWnd, hImc);
}

void CVuWnd::SetScrollRange(bool bVert, long nMax, int nPage)
{
    SCROLLINFO si = {sizeof si, SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL};
    si.nMax = ClampToInt(nMax);
    si.nPage = static_cast<UINT>(std::max(nPage, 0));
    ::SetScrollInfo(m_hWnd, bVert ? SB_VERT : SB_HORZ, &si, TRUE);
}

void CVuWnd::SetScrollPos(bool bVert, long nPos)
{
    SCROLLINFO si = {sizeof si, SIF_POS};
    si.nPos = ClampToInt(nPos);
    ::SetScrollInfo(m_hWnd, bVert ? SB_VERT : SB_HORZ, &si, TRUE);
}

void CVuWnd::PostLineCountChanged() { ::PostMessageW(m_hWnd, kMsgLineCountChanged, 0, 0); }

void CVuWnd::PostCommand(unsigned nId)
{
    HWND hMain = App() && App()->GetMainWnd() ? App()->GetMainWnd()->GetHwnd() : nullptr;
    if (hMain)
        ::PostMessageW(hMain, WM_COMMAND, nId, 0);
}

void CVuWnd::BeginWaitCursor()
{
    HCURSOR hWait = ::LoadCursorW(nullptr, IDC_WAIT);
    if (m_nWaitDepth++ == 0)
        m_hCursorBeforeWait = ::SetCursor(hWait);
}

void CVuWnd::EndWaitCursor()
{
    if (m_nWaitDepth > 0 && --m_nWaitDepth == 0)
        ::SetCursor(m_hCursorBeforeWait);
}

bool CVuWnd::IsControlCodeMode() { return ViewHost() && ViewHost()->IsControlCodeMode(); }

unsigned CVuWnd::TrackPopupMenu(int x, int y, const std::vector<CMenuEntry>& entries)
{
    HWND hOwner = App() && App()->GetMainWnd() ? App()->GetMainWnd()->GetHwnd() : m_hWnd;
    HMENU hMenu = ::CreatePopupMenu();
    if (!hMenu)
        return 0;
    for (const CMenuEntry& e : entries) {
        if (e.nId == 0)
            ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
        else
            ::AppendMenuW(hMenu, MF_STRING | (e.bChecked ? MF_CHECKED : 0), e.nId, WideFromUtf8(e.pszText).c_str());
    }
    POINT pt = {x, y};
    ::ClientToScreen(m_hWnd, &pt);
    auto nId = static_cast<unsigned>(
        ::TrackPopupMenuEx(hMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, pt.x, pt.y, hOwner, nullptr));
    ::DestroyMenu(hMenu);
    return nId;
}

bool CVuWnd::HasFocus() { return m_hWnd && ::GetFocus() == m_hWnd; }

void CVuWnd::TakeFocus() { ::SetFocus(m_hWnd); }

void CVuWnd::CaptureMouse(bool bCapture)
{
    if (bCapture)
        ::SetCapture(m_hWnd);
    else if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

unsigned long CVuWnd::GetTickCount() { return ::GetTickCount(); }

bool CVuWnd::PumpMessages(int nMax)
{
    ++m_nDispatchDepth;
    bool bQuit = false;
    MSG msg;
    for (int n = 0; n < nMax && !m_bDestroyed && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
        if (msg.message == WM_QUIT) {
            // The main loop must still see it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            bQuit = true;
            break;
        }
        if (!App() || !App()->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    --m_nDispatchDepth;
    return !m_bDestroyed && !bQuit;
}

void CVuWnd::WaitForMessage(unsigned nMs) { ::MsgWaitForMultipleObjects(0, nullptr, FALSE, nMs, QS_ALLINPUT); }

void CVuWnd::Sleep(unsigned nMs) { ::Sleep(nMs); }

void CVuWnd::OnScroll(bool bVert, WPARAM wParam)
{
    EScrollAction action = ScrollActionOf(LOWORD(wParam));
    long track = 0;
    if (action == EScrollAction::Track) {
        // The 32-bit position (the message carries 16 bits of it).
        SCROLLINFO si = {sizeof si, SIF_TRACKPOS};
        ::GetScrollInfo(m_hWnd, bVert ? SB_VERT : SB_HORZ, &si);
        track = si.nTrackPos;
    }
    if (bVert)
        Vu().OnVScroll(action, track);
    else
        Vu().OnHScroll(action, track);
}

bool CVuWnd::OnSetCursor()
{
    POINT pt;
    ::GetCursorPos(&pt);
    ::ScreenToClient(m_hWnd, &pt);
    ::SetCursor(ViewCursor(Vu().CursorAt(pt.x, pt.y)));
    return true;
}

void CVuWnd::OnChar(WPARAM wParam, bool bIme)
{
    auto ch = static_cast<char16_t>(wParam);
    // The view's text is Shift-JIS: a character of code page 932 as its code,
    // anything else cannot be typed.
    unsigned code = ch < 0x80 ? ch : UnicodeToCp932(ch);
    if (code == 0 && ch != 0) {
        ErrorBeep();
        return;
    }
    if (bIme)
        Vu().ImeChar(code);
    else
        Vu().TypeChar(code);
}

void CVuWnd::OnImeComposition(WPARAM wParam, LPARAM lParam)
{
    if (!(lParam & GCS_RESULTSTR)) {
        CView::WindowProc(WM_IME_COMPOSITION, wParam, lParam);
    } else if (HIMC hImc = ::ImmGetContext(m_hWnd)) {
        // The result is read here as wide text rather than left to the
        // default processing, which would send it again as characters.
        LONG bytes = ::ImmGetCompositionStringW(hImc, GCS_RESULTSTR, nullptr, 0);
        if (bytes > 0) {
            std::wstring text(static_cast<size_t>(bytes) / sizeof(wchar_t), L'\0');
            ::ImmGetCompositionStringW(hImc, GCS_RESULTSTR, text.data(), static_cast<DWORD>(bytes));
            for (wchar_t ch : text)
                OnChar(ch, true);
        }
        ::ImmReleaseContext(m_hWnd, hImc);
    }
    Vu().ImeComposition(static_cast<unsigned>(wParam), static_cast<unsigned long>(lParam));
}

LRESULT CVuWnd::OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CVu& vu = Vu();
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (nMsg) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED && HIWORD(lParam) >= 1)
            vu.RecalcLayout();
        return 0;
    case WM_SETFOCUS:
        CView::WindowProc(nMsg, wParam, lParam);
        vu.OnSetFocus();
        return 0;
    case WM_KILLFOCUS: vu.OnKillFocus(); return 0;
    case WM_VSCROLL: OnScroll(true, wParam); return 0;
    case WM_HSCROLL: OnScroll(false, wParam); return 0;
    case WM_MOUSEWHEEL: vu.OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA); return 0;
    case WM_LBUTTONDOWN: vu.OnLButtonDown(x, y); return 0;
    case WM_LBUTTONUP: vu.OnLButtonUp(x, y); return 0;
    case WM_LBUTTONDBLCLK: vu.OnLButtonDblClk(x, y); return 0;
    case WM_CHAR: OnChar(wParam, false); return 0;
    case WM_IME_CHAR: OnChar(wParam, true); return 0;
    case WM_IME_COMPOSITION: OnImeComposition(wParam, lParam); return 0;
    case WM_RBUTTONDOWN: vu.OnRButtonDown(x, y); return 0;
    case WM_RBUTTONUP: vu.OnRButtonUp(x, y); return 0;
    case WM_CAPTURECHANGED: vu.OnCaptureLost(); return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && OnSetCursor())
            return TRUE;
        break;
    case kMsgLineCountChanged: vu.UpdateScrollRange(); return 0;
    default: break;
    }
    return CView::WindowProc(nMsg, wParam, lParam);
}

LRESULT CVuWnd::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = OnMessage(nMsg, wParam, lParam);
    // The window went while a message inside this one was dispatched (an
    // auto-scroll pumps them): the object goes now that nothing uses it.
    if (m_bDestroyed && m_nDispatchDepth == 0)
        delete this;
    return result;
}

void CVuWnd::PostNcDestroy()
{
    DetachFromDocument();
    if (m_nDispatchDepth > 0) {
        m_bDestroyed = true;
        return;
    }
    delete this;
}
