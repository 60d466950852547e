// The mouse: clicks that place the caret, auto-scroll on the edge rows, the
// wheel, the pointer's shape, the context menu; and focus gain and loss.
#include <algorithm>
#include <climits>
#include <vector>

#include "settings/AppSettings.h"
#include "keys/CommandIds.h"
#include "text/LineStore.h"
#include "view/Caret.h"
#include "view/Vu.h"

namespace {

// A click this soon after the focus came (or after an auto-scroll step) only
// activates: it does not move the caret.
constexpr unsigned long kClickSettleMs = 512;
// A press shorter than this on an edge row is a click, not an auto-scroll.
constexpr unsigned long kAutoScrollDelayMs = 256;
constexpr unsigned kAutoScrollPauseMs = 20;
constexpr int kAutoScrollPumpCount = 4;
constexpr long kWheelLines = 3;

} // namespace

bool CVu::IsTopRow(int y) const { return y < m_metrics.nLineHeight; }

bool CVu::IsBottomRow(int y) const { return y >= m_rcClient.bottom - m_metrics.nLineHeight; }

void CVu::OnLButtonDown(int, int y)
{
    IViewSurface& surface = Surface();
    if (!surface.HasFocus())
        surface.TakeFocus();
    if (IsTopRow(y))
        AutoScroll(ID_SCROLL_LINE_UP);
    else if (IsBottomRow(y))
        AutoScroll(ID_SCROLL_LINE_DOWN);
}

void CVu::OnRButtonDown(int x, int y)
{
    // The right button scrolls the other way.
    if (IsTopRow(y))
        AutoScroll(ID_SCROLL_LINE_DOWN);
    else if (IsBottomRow(y))
        AutoScroll(ID_SCROLL_LINE_UP);
    else
        ShowContextMenu(x, y);
}

void CVu::AutoScroll(unsigned nCmd)
{
    IViewSurface& surface = Surface();
    surface.CaptureMouse(true);
    m_nAutoScrollCmd = nCmd;
    // A quick click ends (its button-up arrives) before anything scrolls. When
    // a message took the window away, nothing of the view may be touched.
    unsigned long start = surface.GetTickCount();
    for (unsigned long spent = 0; m_nAutoScrollCmd && spent < kAutoScrollDelayMs;
         spent = surface.GetTickCount() - start) {
        surface.WaitForMessage(static_cast<unsigned>(kAutoScrollDelayMs - spent));
        if (!surface.PumpMessages(INT_MAX))
            return;
    }
    while (m_nAutoScrollCmd) {
        RunCommand(nCmd);
        if (!surface.PumpMessages(kAutoScrollPumpCount))
            return;
        if (!AppSettings().m_bFastScroll)
            surface.Sleep(kAutoScrollPauseMs);
        m_dwFocusTick = surface.GetTickCount();
    }
    surface.CaptureMouse(false);
}

void CVu::OnLButtonUp(int x, int y)
{
    m_nAutoScrollCmd = 0;
    if (m_bSkipButtonUp) {
        m_bSkipButtonUp = false;
        return;
    }
    IViewSurface& surface = Surface();
    if (AppSettings().m_bChase && surface.GetTickCount() - m_dwFocusTick > kClickSettleMs) {
        CancelShiftMark();
        long col = std::clamp(static_cast<long>(x / m_metrics.nCharWidth), 0L, std::max(m_nCols - 1L, 0L));
        long row = std::clamp(static_cast<long>(y / m_metrics.nLineHeight), 0L, std::max(m_nRows - 1L, 0L));
        m_pCaret->SetCell(col, row);
    }
    UpdateHilight();
}

void CVu::OnRButtonUp(int, int) { m_nAutoScrollCmd = 0; }

void CVu::OnMouseWheel(int nNotches)
{
    if (!GetShownDoc() || nNotches == 0)
        return;
    ScrollLinesKeepingCaret(-kWheelLines * nNotches);
    UpdateHilight();
}

EViewCursor CVu::CursorAt(int x, int y)
{
    if (x < 0 || y < 0 || x >= m_rcClient.right || y >= m_rcClient.bottom)
        return EViewCursor::Pointer;
    if (IsTopRow(y) || IsBottomRow(y))
        return EViewCursor::Scroll;
    if (AppSettings().m_bUrlSensitive &&
        FindAddressAt(x / m_metrics.nCharWidth, y / m_metrics.nLineHeight).nKind != kAddressNone)
        return EViewCursor::Address;
    return EViewCursor::Pointer;
}

void CVu::ShowContextMenu(int x, int y)
{
    // Menu texts in UTF-8; the surface makes them wide.
    std::vector<CMenuEntry> entries;
    if (IsMarkSet())
        entries.push_back({ID_UNMARK, "マーク", true});
    else
        entries.push_back({ID_MARK, "マーク", false});
    entries.insert(entries.end(), {{}, {ID_PICK, "ピック"}, {ID_CLOSE, "クローズ"}, {ID_OPEN, "オープン"}, {},
                                   {ID_COMMAND_MODE, "コマンド"}, {}, {ID_FORMAT_PARAGRAPH, "ﾊﾟﾗｸﾞﾗﾌ整形"}});
    // The address stays with the view for the command that opens it.
    switch (AddressAt(x / m_metrics.nCharWidth, y / m_metrics.nLineHeight)) {
    case kAddressUrl:
        entries.insert(entries.end(), {{}, {ID_OPEN_URL, "URL を開く"}});
        break;
    case kAddressMailto:
    case kAddressMail:
        entries.insert(entries.end(), {{}, {ID_OPEN_URL, "メールを出す"}, {ID_REGISTER_ADDRESS, "アドレスを登録"}});
        break;
    default:
        break;
    }
    if (unsigned nId = Surface().TrackPopupMenu(x, y, entries))
        Surface().PostCommand(nId);
}

void CVu::OnSetFocus()
{
    IViewSurface& surface = Surface();
    m_dwFocusTick = surface.GetTickCount();
    CCaret& caret = *m_pCaret;
    caret.m_nCol = std::clamp(caret.m_nCol, 0L, std::max(m_nCols - 1L, 0L));
    caret.m_nRow = std::clamp(caret.m_nRow, 0L, std::max(m_nRows - 1L, 0L));
    caret.Place();
    surface.SetImeOpen(m_bImeOpen);
    MarkAllDirty();
    m_rcHilight = {};
    UpdateHilight();
}

void CVu::OnKillFocus()
{
    FlushAnyWorkLine();
    IViewSurface& surface = Surface();
    surface.DestroyCaret();
    m_bImeOpen = surface.IsImeOpen();
    surface.SetImeOpen(false);
}
