// The editor's main window: the toolbar of the run mode, the status bar, and
// (in the mail modes) the header bar; what happens when it closes; dropped
// files; the filtering of messages before they are dispatched.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/AttachBar_win.h"
#include "app/HeaderBar_win.h"
#include "app/MyStatusBar_win.h"
#include "fw/MdiFrameWnd_win.h"
#include "fw/ToolBar_win.h"
#include "keys/AltKeyMenuFilter.h"
#include "services/SystemConversation_win.h"

class CMainFrame : public CMDIFrameWnd {
public:
    // Creates the window where "Main Frame Rect" says (the system's choice when
    // it holds no position), with the bars of the run mode.
    bool Create();

    CMyStatusBar& GetStatusBarEx() { return m_statusBar; }
    CToolBar& GetToolBar() { return m_toolBar; }
    // The composer's files to attach (hidden until files are added).
    CAttachBar& GetAttachBar() { return m_attachBar; }
    // The client area in screen coordinates less the visible toolbar (top) and
    // the visible attachment and status bars (bottom).
    RECT GetMdiClientScreenRect() const;
    // The document windows, topmost first.
    std::vector<HWND> GetChildFrameHandles() const;
    // The view font changed: the bars take it and the window is laid out again.
    void OnFontChanged();

    bool PreTranslateMessage(MSG* pMsg) override;
    bool OnCommand(unsigned nId, CCmdUi* pUi) override;

    // The buttons of the toolbar of a run mode (0 plain, 1 reader, 2 composer).
    static std::vector<CToolButton> ToolbarButtons(int nMailMode);

    // ---- Key bindings ----
    // A key message was offered to the key bindings (bTranslated: one took it).
    void OnKeyTranslated(const MSG& msg, bool bTranslated)
    {
        m_altKeyMenu.OnKeyMessage(msg.message, static_cast<unsigned>(msg.wParam), static_cast<uint32_t>(msg.lParam),
                                  bTranslated);
    }

    // ---- Mail header bar (MainFrameHeader_win.cpp); none in the plain mode ----
    // The mail window showing pDoc became active: the bar shows its header.
    void ShowHeaderOf(CDoc* pDoc);
    // The bar writes its edit fields into its document (before it is saved).
    void StoreHeader();
    CHeaderBar* GetHeaderBar() const { return m_pHeaderBar.get(); }
    // Shown, even while the main window itself is not yet.
    bool IsHeaderBarVisible() const;

protected:
    bool OnCreate() override;
    void OnClose() override;
    void OnDropFiles(const std::vector<std::string>& paths) override;
    void PostNcDestroy() override;
    // Keeps the menu bar shut when Alt is released after an Alt+key binding.
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    void EnterCommandMode();
    // Command mode for a search: Return searches for the typed text.
    void EnterSearchMode();
    // The composer's menu for dropped files: attach them (32840) or open them (32841).
    void ShowDropMenu();
    bool OnDropCommand(unsigned nId, CCmdUi* pUi);
    // The composer's edit bar or the reader's view bar, hidden, font applied.
    bool CreateHeaderBar();
    // A message for one of the header bar's fields: it reaches the field as typed.
    bool IsHeaderBarMessage(const MSG& msg) const;
    // Cut, copy, paste or undo from a menu or button while a header field has
    // the focus: done in the field (true).
    bool SendEditCommandToHeaderBar(unsigned nId);

    CToolBar m_toolBar;
    CMyStatusBar m_statusBar;
    CAltKeyMenuFilter m_altKeyMenu;
    CAttachBar m_attachBar;
    std::vector<std::string> m_droppedFiles;  // kept for the drop menu's choice
    CSystemConversation m_systemConversation;  // the shell's "[open(...)]"
    std::unique_ptr<CHeaderBar> m_pHeaderBar;
};
