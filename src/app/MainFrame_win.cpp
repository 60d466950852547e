// The editor's main window.
#include "app/MainFrame_win.h"

#include "settings/AppSettings.h"
#include "app/EditorApp_win.h"
#include "app/MailCommands_win.h"
#include "command/ComWin.h"
#include "app/Resource.h"
#include "fw/DocBase.h"
#include "fw/MdiChildWnd_win.h"
#include "keys/CommandIds.h"
#include "platform/SettingsStore.h"
#include "platform/Win32Ui_win.h"
#include "platform/Wide_win.h"

namespace {

// The system's caret-blink timer message.
constexpr UINT kCaretBlinkTimer = 0x0118;

// Images in res/toolbar.bmp, in strip order.
enum EImage : int {
    kImgNew, kImgOpen, kImgSave, kImgCut, kImgCopy, kImgPaste, kImgUndo, kImgRedo, kImgMark, kImgPick,
    kImgCloseBuf, kImgOpenBuf, kImgQuote, kImgFormat, kImgSearchNext, kImgSearchPrev, kImgAbout, kImgSend,
    kImgReply, kImgForward, kImgNextMail, kImgPrevMail, kImgNextUnread, kImgPrevUnread, kImgHeaderPane,
    kImgKanaSearch,
};

constexpr CToolButton kSeparator = {0, 0};

} // namespace

std::vector<CToolButton> CMainFrame::ToolbarButtons(int nMailMode)
{
    const std::vector<CToolButton> editing = {
        {ID_EDIT_CUT, kImgCut},     {ID_EDIT_COPY, kImgCopy},     {ID_EDIT_PASTE, kImgPaste}, kSeparator,
        {ID_EDIT_UNDO, kImgUndo},   {ID_EDIT_REDO, kImgRedo},     kSeparator,
        {ID_MARK, kImgMark},        {ID_PICK, kImgPick},          {ID_CLOSE, kImgCloseBuf},   {ID_OPEN, kImgOpenBuf},
        kSeparator,                 {ID_QUOTE_ON_COPY, kImgQuote}, {ID_FORMAT_PARAGRAPH, kImgFormat}, kSeparator,
        {ID_SEARCH_NEXT, kImgSearchNext}, {ID_SEARCH_PREV, kImgSearchPrev},
    };
    std::vector<CToolButton> buttons;
    switch (nMailMode) {
    case 1:  // reader
        buttons = {{ID_FILE_SAVE, kImgSave},        kSeparator,
                   {ID_MAIL_REPLY, kImgReply},      {ID_MAIL_FORWARD, kImgForward},       kSeparator,
                   {ID_MAIL_PREV, kImgPrevMail},    {ID_MAIL_NEXT, kImgNextMail},
                   {ID_MAIL_PREV_UNREAD, kImgPrevUnread}, {ID_MAIL_NEXT_UNREAD, kImgNextUnread}, kSeparator,
                   {ID_HEADER_PANE, kImgHeaderPane}};
        break;
    case 2:  // composer
        buttons = {{ID_FILE_SAVE, kImgSave}, {ID_MAIL_SEND, kImgSend}, kSeparator};
        buttons.insert(buttons.end(), editing.begin(), editing.end());
        buttons.insert(buttons.end(), {kSeparator, {ID_HANKAKU_KANA_SEARCH, kImgKanaSearch},
                                       {ID_HEADER_PANE, kImgHeaderPane}});
        break;
    default:
        buttons = {{ID_FILE_NEW, kImgNew}, {ID_FILE_OPEN, kImgOpen}, {ID_FILE_SAVE, kImgSave}, kSeparator};
        buttons.insert(buttons.end(), editing.begin(), editing.end());
        break;
    }
    buttons.insert(buttons.end(), {kSeparator, {ID_APP_ABOUT, kImgAbout}});
    return buttons;
}

bool CMainFrame::Create()
{
    CAppSettings& s = AppSettings();
    LoadFrameRect(SettingsStore(), s);
    RECT rc = {s.m_nFrameLeft, s.m_nFrameTop, s.m_nFrameLeft + s.m_nFrameWidth, s.m_nFrameTop + s.m_nFrameHeight};
    HICON hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    return CMDIFrameWnd::Create(App()->GetProgramName().c_str(), IDR_MAINFRAME, hIcon,
                                s.m_nFrameLeft != kNoFrameRect ? &rc : nullptr);
}

bool CMainFrame::OnCreate()
{
    if (!CMDIFrameWnd::OnCreate())
        return false;
    m_systemConversation.SetHandler([](const std::string& strCommand) {
        if (CEditorApp* pApp = EditorApp())
            pApp->OnDDECommand(strCommand);
    });
    const CAppSettings& s = AppSettings();
    if (!m_toolBar.Create(m_hWnd, ID_VIEW_TOOLBAR, IDB_TOOLBAR, ToolbarButtons(s.m_nMailMode)))
        return false;
    if (!m_statusBar.Create(m_hWnd))
        return false;
    AddControlBar(&m_toolBar);
    AddControlBar(&m_statusBar);
    // The attachment bar lies above the status bar, hidden until the composer
    // attaches files.
    if (!m_attachBar.Create(m_hWnd, ID_VIEW_ATTACH_BAR))
        return false;
    AddControlBar(&m_attachBar);
    if (!CreateHeaderBar())
        return false;
    SetStatusBar(&m_statusBar);
    m_statusBar.ApplyFont(EditorApp()->GetViewFont().Get());
    m_statusBar.SetPaneText(CMyStatusBar::kPaneMessage, IdleMessage());
    if (!s.m_bToolBarVisible)
        ::ShowWindow(m_toolBar.GetHwnd(), SW_HIDE);
    if (!s.m_bStatusBarVisible)
        ::ShowWindow(m_statusBar.GetHwnd(), SW_HIDE);
    RecalcLayout();
    if (auto* pUi = dynamic_cast<CWin32Ui*>(&Ui())) {
        pUi->SetOwner(m_hWnd);
        pUi->SetStatusSink([this](const std::wstring& text) { SetMessageText(text); });
    }
    return true;
}

void CMainFrame::OnFontChanged()
{
    m_statusBar.ApplyFont(EditorApp()->GetViewFont().Get());
    if (m_pHeaderBar)
        m_pHeaderBar->ApplyFont(EditorApp()->GetViewFont().Get());
    RecalcLayout();
}

RECT CMainFrame::GetMdiClientScreenRect() const
{
    RECT rc = ClientRect();
    auto height = [](const CControlBar& bar) {
        RECT r = {};
        ::GetWindowRect(bar.GetHwnd(), &r);
        return r.bottom - r.top;
    };
    if (m_toolBar.IsVisible())
        rc.top += height(m_toolBar);
    if (m_attachBar.IsVisible())
        rc.bottom -= height(m_attachBar);
    if (m_statusBar.IsVisible())
        rc.bottom -= height(m_statusBar);
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

std::vector<HWND> CMainFrame::GetChildFrameHandles() const
{
    std::vector<HWND> handles;
    for (CMDIChildWnd* pFrame : GetChildFrames())
        handles.push_back(pFrame->GetHwnd());
    return handles;
}

bool CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == kCaretBlinkTimer && !AppSettings().m_bCursorBlink)
        return true;
    // Keys typed into the command window were translated by the status bar
    // already.
    if (IsHeaderBarMessage(*pMsg))
        return false;
    return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

void CMainFrame::EnterCommandMode()
{
    SetMessageText(std::wstring());
    if (!m_statusBar.GetComWin())
        return;
    // Command mode lives in the status bar: it must be there to type into.
    if (!m_statusBar.IsVisible()) {
        ::ShowWindow(m_statusBar.GetHwnd(), SW_SHOW);
        RecalcLayout();
    }
    // While it is shown, the command window is the first to take commands.
    SetFirstTarget(m_statusBar.GetComWin());
    m_statusBar.ShowCommandWindow();
}

void CMainFrame::EnterSearchMode()
{
    EnterCommandMode();
    if (HWND h = m_statusBar.CommandWindowHwnd())
        ::PostMessageW(h, WM_COMMAND, ID_SEARCH, 0);
}

bool CMainFrame::OnCommand(unsigned nId, CCmdUi* pUi)
{
    switch (nId) {
    case ID_COMMAND_MODE:
        if (!pUi)
            EnterCommandMode();
        return true;
    case ID_SEARCH:
        if (!pUi)
            EnterSearchMode();
        return true;
    case ID_DROP_ATTACH:
    case ID_DROP_OPEN:
        return OnDropCommand(nId, pUi);
    default:
        return CMDIFrameWnd::OnCommand(nId, pUi);
    }
}

void CMainFrame::OnClose()
{
    // The stored position is the restored window's, whatever its state now.
    if (::IsIconic(m_hWnd) || ::IsZoomed(m_hWnd))
        ::ShowWindow(m_hWnd, SW_RESTORE);
    CEditorApp* pApp = EditorApp();
    CAppSettings& s = AppSettings();
    if (s.m_nMailMode == 2) {
        // The composer asks, for every changed mail, whether to send it.
        if (!SendPendingMails())
            return;
    } else {
        pApp->SaveViewList();
    }
    RECT rc = {};
    ::GetWindowRect(m_hWnd, &rc);
    s.m_nFrameLeft = rc.left;
    s.m_nFrameTop = rc.top;
    s.m_nFrameWidth = rc.right - rc.left;
    s.m_nFrameHeight = rc.bottom - rc.top;
    s.m_bToolBarVisible = m_toolBar.IsVisible();
    s.m_bStatusBarVisible = m_statusBar.IsVisible();
    SaveFrameSettings(SettingsStore(), s);
    pApp->SaveKeyBindings();
    CMDIFrameWnd::OnClose();
}

void CMainFrame::PostNcDestroy()
{
    // Message boxes and status texts after the window has gone have no owner.
    if (auto* pUi = dynamic_cast<CWin32Ui*>(&Ui())) {
        pUi->SetOwner(nullptr);
        pUi->SetStatusSink(nullptr);
    }
    CMDIFrameWnd::PostNcDestroy();
}

LRESULT CMainFrame::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU && lParam == 0 && m_altKeyMenu.TakeKeyMenuRequest())
        return 0;
    if (nMsg == WM_COMMAND && (lParam == 0 || HIWORD(wParam) == BN_CLICKED) &&
        SendEditCommandToHeaderBar(LOWORD(wParam)))
        return 0;
    LRESULT lResult = 0;
    if (m_systemConversation.OnMessage(m_hWnd, nMsg, wParam, lParam, lResult))
        return lResult;
    return CMDIFrameWnd::WindowProc(nMsg, wParam, lParam);
}

void CMainFrame::OnDropFiles(const std::vector<std::string>& paths)
{
    // The composer asks whether to attach dropped files to the mail being
    // written or to open them; everywhere else they are opened.
    if (AppSettings().m_nMailMode != 2 || !MDIGetActive() || paths.empty()) {
        CMDIFrameWnd::OnDropFiles(paths);
        return;
    }
    m_droppedFiles = paths;
    ShowDropMenu();
}

void CMainFrame::ShowDropMenu()
{
    // In front, so that a click anywhere else closes the menu.
    ::SetForegroundWindow(m_hWnd);
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuW(hMenu, MF_STRING, ID_DROP_ATTACH, L"添付");
    ::AppendMenuW(hMenu, MF_STRING, ID_DROP_OPEN, L"開く");
    POINT pt = {};
    ::GetCursorPos(&pt);
    ::TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(hMenu);
}

bool CMainFrame::OnDropCommand(unsigned nId, CCmdUi* pUi)
{
    CMDIChildWnd* pActive = MDIGetActive();
    bool bAttach = nId == ID_DROP_ATTACH;
    if (pUi) {
        pUi->Enable(!m_droppedFiles.empty() && (!bAttach || (pActive && pActive->GetDocument())));
        return true;
    }
    std::vector<std::string> paths;
    paths.swap(m_droppedFiles);
    if (!bAttach) {
        for (const std::string& path : paths)
            EditorApp()->OpenDocumentFile(path);
        return true;
    }
    if (!m_attachBar.IsVisible())
        ShowControlBar(&m_attachBar, true);
    for (const std::string& path : paths)
        m_attachBar.AddFile(path);
    pActive->GetDocument()->SetModifiedFlag(true);
    return true;
}
