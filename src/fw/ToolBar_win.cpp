// The toolbar.
#include "fw/ToolBar_win.h"

#include <commctrl.h>

#include "platform/StringTable.h"
#include "platform/Wide_win.h"

namespace {

constexpr int kImageSize = 16;

std::wstring StringPart(unsigned nId, bool bTip)
{
    const char* text = LoadUtf8String(nId);
    if (!text)
        return std::wstring();
    std::string_view all(text);
    size_t lf = all.find('\n');
    if (lf == std::string_view::npos)
        return WideFromUtf8(all);
    return WideFromUtf8(bTip ? all.substr(lf + 1) : all.substr(0, lf));
}

} // namespace

std::wstring CommandTip(unsigned nId) { return StringPart(nId, true); }

std::wstring CommandPrompt(unsigned nId) { return StringPart(nId, false); }

CToolBar::~CToolBar()
{
    if (m_hImages)
        ::ImageList_Destroy(m_hImages);
}

bool CToolBar::Create(HWND hParent, UINT nBarId, UINT nBitmapId, const std::vector<CToolButton>& buttons)
{
    m_nBarId = nBarId;
    m_eDock = EDock::Top;
    m_buttons = buttons;
    HWND h = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER, 0, 0, 0, 0,
                               hParent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nBarId)),
                               ::GetModuleHandleW(nullptr), nullptr);
    if (!h || !SubclassWindow(h))
        return false;
    Send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    m_hImages = ::ImageList_LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nBitmapId), kImageSize, 0,
                                       RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (!m_hImages)
        return false;
    Send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_hImages));
    std::vector<TBBUTTON> tb;
    for (const CToolButton& b : buttons) {
        TBBUTTON t = {};
        if (b.nId == 0) {
            t.fsStyle = BTNS_SEP;
        } else {
            t.iBitmap = b.nImage;
            t.idCommand = static_cast<int>(b.nId);
            t.fsState = TBSTATE_ENABLED;
            t.fsStyle = BTNS_BUTTON;
        }
        tb.push_back(t);
    }
    Send(TB_ADDBUTTONSW, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
    Send(TB_AUTOSIZE);
    return true;
}

int CToolBar::CalcHeight(int /*nWidth*/)
{
    Send(TB_AUTOSIZE);
    RECT rc = {};
    ::GetWindowRect(m_hWnd, &rc);
    return rc.bottom - rc.top;
}

void CToolBar::UpdateCommandState(const CCmdRoute& route)
{
    for (const CToolButton& b : m_buttons) {
        if (b.nId == 0)
            continue;
        CCmdUi ui = route.QueryState(b.nId);
        LRESULT old = Send(TB_GETSTATE, b.nId);
        if (old == -1)
            continue;
        BYTE state = static_cast<BYTE>(old) & ~(TBSTATE_ENABLED | TBSTATE_CHECKED);
        if (ui.IsEnabled())
            state |= TBSTATE_ENABLED;
        if (ui.IsChecked())
            state |= TBSTATE_CHECKED;
        if (state != static_cast<BYTE>(old))
            Send(TB_SETSTATE, b.nId, MAKELONG(state, 0));
    }
}
