// The editor's application object: start-up in its fixed steps, the run mode
// and options of the command line, every setting in memory, the view font, the
// window list of the previous run, the shell's open command, and the
// application's own commands.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/AppBase_win.h"
#include "app/ColorDialog_win.h"
#include "app/ViewFont_win.h"
#include "app/ViewList.h"
#include "keys/AccelTable.h"
#include "mail/ContentTypeTable.h"
#include "view/ViewHost_win.h"

class CDocBase;
class CDocTemplate;
class CKeyBindingServer;
class CMainFrame;
class CMDIChildWnd;
class CView;
class CVu;
struct CCommandArgs;

class CEditorApp : public CAppBase, public IViewHost {
public:
    CEditorApp();
    ~CEditorApp() override;

    bool InitInstance() override;
    bool OnIdle(long lCount) override;
    int ExitInstance() override;
    // Opens a file as a document: its true spelling when it exists, the
    // creation question when it does not. Null when nothing was opened.
    CDocBase* OpenDocumentFile(const std::string& strPath) override;
    // The shell's and the mail client's commands: "[open(...)]" is handled here
    // (true); any other text goes to the default handling (false).
    bool OnDDECommand(const std::string& strCommand);
    bool OnCommand(unsigned nId, CCmdUi* pUi) override;
    // Key messages are also shown to the main window's Alt menu filter.
    bool PreTranslateMessage(MSG* pMsg) override;

    CMainFrame* GetMainFrame() const;
    const CViewFont& GetViewFont() const { return m_font; }
    // Makes a new view font current (the old one stays when it cannot be made),
    // stores "Font" and lays out the main window and every view again.
    bool SetViewFont(const std::string& strFace, int nPointSize);
    const CContentTypeTable& GetContentTypes() const { return ContentTypes(); }

    // Writes the document windows to "View List" (main window closing).
    void SaveViewList();

    // ---- Key bindings ----
    // Start-up: reads the keyboard options and the key binding table (built-in
    // table 1 when none is stored) and installs it as the main window's table.
    void LoadKeyBindings();
    // The main window is closing: the options, and the table when the key
    // binding dialog changed it.
    void SaveKeyBindings();
    // The application's key binding table (what key binding queries answer from).
    const CAccelTable& GetKeyTable() const { return m_keyTable; }
    // Asked by a document window being shown: the placement it takes while the
    // previous run's windows are reopened, or null.
    const WINDOWPLACEMENT* GetRestorePlacement() const { return m_bRestoringViews ? &m_wpRestore : nullptr; }

    // A mail was sent from pSentDoc: quit once its window and every other
    // document allow it (command 32828 carries it out).
    void QuitAfterSend(CDocBase* pSentDoc);
    // File name for command 32811 (the command window's "E name").
    std::string m_strNamedFile;
    // The shell command for command 32835 and its mode (0 output only, 1 filter).
    std::string m_strShellCommand;
    int m_nShellMode = 0;
    // The active view of the active document window, or null.
    CVu* GetActiveVu() const;
    // The accelerator table of the document kind (built-in table 2 for plain
    // text; none for mail), for a document window while the main window has none.
    HACCEL GetDocumentAccelerator() const;
    // Control-code input mode: no key binding applies while it is on.
    bool m_bControlCodeMode = false;

    // ---- Settings dialogs and what they change (EditorAppSettings_win.cpp) ----
    // The commands of the settings dialogs, the colours, the font and About.
    bool OnSettingsCommand(unsigned nId, CCmdUi* pUi);
    // Writes the shell association of ".txt" with this program.
    bool AssociateTxt();
    // The cursor the chosen pointer ("PointerName") shows over text, and
    // loading it again after the choice changed.
    HCURSOR GetPointerCursor() const { return m_hPointer; }
    void LoadPointerCursor();
    // Every view of every document window (both panes of a split window).
    std::vector<CView*> GetAllViews() const;
    void RepaintAllViews() const;
    // ---- end of the settings dialogs ----

    // IViewHost: what the view windows take from the application and its frame.
    HFONT ViewFont() const override { return m_font.Get(); }
    HCURSOR PointerCursor() const override { return m_hPointer; }
    void SetCaretPanes(long nColumn, long nLine) override;
    HACCEL DocumentAccelerator() const override { return GetDocumentAccelerator(); }
    bool IsControlCodeMode() const override { return m_bControlCodeMode; }

    bool m_bWinNT = true;
    std::string m_strProgramDir;  // without a trailing backslash
    std::string m_strTempDir;     // without a trailing backslash
    bool m_bNoViewListSave = false;

private:
    void ApplyCommandLine(const CCommandArgs& args);
    void FindFolders();
    bool RegisterTemplate();
    bool CreateMainFrame();
    void ReopenViewList();
    // Mail modes: a newly opened mail window opens its header pane (and shows
    // the header bar while it is hidden).
    void OpenHeaderPaneOf(CDocBase* pOpened);
    void ReopenView(const CViewListEntry& entry);
    void OnFileOpen();
    void OnCloseAllWindows();
    void OnQuitAfterSend();
    void OnHelp();
    CViewListEntry ViewListEntryOf(CMDIChildWnd* pFrame) const;
    // Builds the key binding table again and makes it the main window's,
    // unless control-code input mode keeps the main window without one.
    void InstallKeyTable();
    // The key binding dialog (32794) and control-code input mode (32885).
    void OnCustomizeKeys();
    void OnControlCodeMode();

    CViewFont m_font;
    CAccelTable m_docAccel;
    CAccelTable m_keyTable;
    std::unique_ptr<CKeyBindingServer> m_pKeyServer;  // answers "Tova"/"KeyBinding"
    bool m_bKeyBindingsLoaded = false;
    CDocTemplate* m_pTemplate = nullptr;
    std::vector<std::string> m_files;  // from the command line
    bool m_bRestoringViews = false;
    bool m_bOleInitialized = false;
    bool m_bSettingsLoaded = false;
    WINDOWPLACEMENT m_wpRestore = {};
    CDocBase* m_pSentDoc = nullptr;
    // Settings dialogs.
    CColorDialog m_colorDialog;
    HCURSOR m_hPointer = nullptr;
};

CEditorApp* EditorApp();
