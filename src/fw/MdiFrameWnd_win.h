// The main window: an MDI frame with its menu, its bars along the edges and the
// MDI client in between, where the document windows live. It builds the route
// every command takes and keeps menus and toolbar buttons in step with it.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "fw/CmdTarget.h"
#include "fw/Wnd_win.h"

class CControlBar;
class CMDIChildWnd;
class CStatusBar;

class CMDIFrameWnd : public CWnd {
public:
    // The first child id of the window menu's document list.
    static constexpr UINT kFirstMdiChild = 0xFF00;

    // Creates the window with menu resource nMenuId (its menu while no document
    // window is open) at rc (CW_USEDEFAULT when null).
    bool Create(const wchar_t* pszTitle, UINT nMenuId, HICON hIcon, const RECT* pRect);

    HWND GetMdiClient() const { return m_hMdiClient; }
    // The active document window, or null.
    CMDIChildWnd* MDIGetActive() const;
    // The document windows, topmost first.
    std::vector<CMDIChildWnd*> GetChildFrames() const;
    // Switches to the menu of the active document window (null: the frame's own).
    void SetMenuForChild(HMENU hMenu);
    // Sets the main window's title for the active document.
    void UpdateFrameTitle();

    // Bars, laid out from the edge inwards in the order added.
    void AddControlBar(CControlBar* pBar);
    CControlBar* GetControlBar(UINT nBarId) const;
    void ShowControlBar(CControlBar* pBar, bool bShow);
    void RecalcLayout();
    // The status bar whose pane 0 shows menu prompts and messages.
    void SetStatusBar(CStatusBar* pBar) { m_pStatusBar = pBar; }
    CStatusBar* GetStatusBar() const { return m_pStatusBar; }
    void SetMessageText(const std::wstring& text);
    // The text pane 0 shows while nothing else is said ("レディ").
    static std::wstring IdleMessage();

    // The user's key bindings as this window's accelerator table (not owned).
    void SetAccelTable(HACCEL hAccel) { m_hAccel = hAccel; }
    HACCEL GetAccelTable() const { return m_hAccel; }
    // A target offered every command before the active view (the command window
    // while it is shown), or null.
    void SetFirstTarget(CCmdTarget* pTarget) { m_pFirstTarget = pTarget; }

    // The targets a command goes to now: the first target, the active view,
    // its document, the active document window, this window, the application.
    CCmdRoute GetRoute() const;
    // Runs a command as a menu would; true when some target ran it.
    bool RunCommand(unsigned nId);
    // Brings toolbar buttons and indicators up to date (idle work).
    void UpdateCommandState();

    bool PreTranslateMessage(MSG* pMsg) override;
    // Window arrangement, next and previous window, the bars' visibility.
    bool OnCommand(unsigned nId, CCmdUi* pUi) override;

protected:
    // After the window exists: the MDI client is made; derived classes add bars.
    virtual bool OnCreate();
    // WM_CLOSE: asks about modified documents, closes them, destroys the window.
    virtual void OnClose();
    // Files dropped on the window (Shift-JIS paths): opened as documents.
    virtual void OnDropFiles(const std::vector<std::string>& paths);

    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    void OnInitMenuPopup(HMENU hMenu, bool bSystemMenu);
    void OnMenuSelect(UINT nId, UINT nFlags, HMENU hMenu);
    void UpdateRecentFileMenu(HMENU hMenu);
    bool OnNotify(NMHDR* pHdr, LRESULT& result);
    void OnDropFilesMessage(HDROP hDrop);

    HWND m_hMdiClient = nullptr;
    HMENU m_hMenuDefault = nullptr;
    HACCEL m_hAccel = nullptr;
    std::vector<CControlBar*> m_bars;
    CStatusBar* m_pStatusBar = nullptr;
    CCmdTarget* m_pFirstTarget = nullptr;
    std::wstring m_strTitle;
    std::wstring m_strTipBuffer;
};

// The window menu inside a menu (the popup that holds the window arrangement
// commands), or null.
HMENU FindWindowMenu(HMENU hMenu);
