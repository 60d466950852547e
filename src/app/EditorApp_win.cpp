// The editor's application object.
#include "app/EditorApp_win.h"

#include <ole2.h>

#include <optional>

#include "settings/AppSettings.h"
#include "app/ChildFrame_win.h"
#include "app/CommandLine.h"
#include "app/MailCommands_win.h"
#include "app/MainFrame_win.h"
#include "app/Resource.h"
#include "app/StartupPaths.h"
#include "command/ShellCommand_win.h"
#include "fw/DocFlow_win.h"
#include "fw/DocTemplate_win.h"
#include "fw/FileDialog_win.h"
#include "keys/CommandIds.h"
#include "keys/KeyBindingServer_win.h"
#include "keys/KeyTableDialog_win.h"
#include "keys/KeyboardHooks_win.h"
#include "mail/MailWorkDir.h"
#include "platform/Messages.h"
#include "platform/SettingsStore.h"
#include "platform/Wide_win.h"
#include "services/DDEClient_win.h"
#include "services/PathUtil.h"
#include "services/Process_win.h"
#include "text/Doc.h"
#include "text/LineStore.h"
#include "search/RegEx.h"
#include "spell/SpellChecker_win.h"
#include "view/Vu.h"
#include "view/VuWnd_win.h"

namespace {

std::optional<std::string> EnvironmentVariable(const wchar_t* name)
{
    DWORD n = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (n == 0)
        return std::nullopt;
    std::wstring value(n, L'\0');
    n = ::GetEnvironmentVariableW(name, value.data(), n);
    value.resize(n);
    return Narrow(value);
}

std::string CurrentDirectory()
{
    DWORD n = ::GetCurrentDirectoryW(0, nullptr);
    std::wstring dir(n, L'\0');
    n = ::GetCurrentDirectoryW(n, dir.data());
    dir.resize(n);
    return Narrow(dir);
}

// A name with wildcards would let the search below find some other file.
bool HasWildcards(const std::string& path) { return path.find_first_of("*?") != std::string::npos; }

} // namespace

CEditorApp* EditorApp() { return dynamic_cast<CEditorApp*>(App()); }

CEditorApp::CEditorApp() : CAppBase("Brellix")
{
    AllocateLineBuffers();
    SetViewHost(this);
    SetAddressOpener(&EditorAddressOpener());
    InstallSpellChecker();
}

CEditorApp::~CEditorApp()
{
    if (ViewHost() == this)
        SetViewHost(nullptr);
}

CMainFrame* CEditorApp::GetMainFrame() const { return dynamic_cast<CMainFrame*>(GetMainWnd()); }

void CEditorApp::SetCaretPanes(long nColumn, long nLine)
{
    if (CMainFrame* pMain = GetMainFrame())
        pMain->GetStatusBarEx().SetCaretPosition(nColumn, nLine);
}

bool CEditorApp::InitInstance()
{
    // 1. The platform.
    m_bWinNT = (::GetVersion() & 0x80000000) == 0;
    // 2. The settings location.
    SetRegistryKey();
    // 3. OLE.
    if (FAILED(::OleInitialize(nullptr))) {
        ErrorBox("Can't initialize OLE library");
        return false;
    }
    m_bOleInitialized = true;
    // 4. The files opened last.
    LoadStdProfileSettings(9);
    // 5. The command line: an unknown option ends start-up without a word.
    CCommandArgs args;
    if (!ParseCommandLine(ArgumentsOf(GetCommandLineSjis()), args))
        return false;
    ApplyCommandLine(args);
    // 6. The program's and the temporary folder.
    FindFolders();
    // 7. "Other", "Color" and the view font. (The colour dialog object comes
    //    with the colour commands.)
    ISettingsStore& store = SettingsStore();
    CAppSettings& s = AppSettings();
    LoadOtherSettings(store, s, CurrentDirectory());
    LoadColorSettings(store, s, CurrentSystemColors());
    LoadFontSettings(store, s);
    if (!m_font.Create(s.m_strFaceName, s.m_nPointSize))
        return false;
    // 8. The content types of attachments.
    ContentTypes().Load(store);
    // 9. The document template of the run mode.
    RegisterTemplate();
    // 10. The main window. (Its "System" conversation, through which the shell
    //     hands over files, starts with the DDE server.)
    if (!CreateMainFrame())
        return false;
    // 11. The files of the command line; without any, in the plain mode, the
    //     windows of the previous run.
    for (const std::string& file : m_files)
        OpenDocumentFile(file);
    if (m_files.empty() && s.m_nMailMode == 0)
        ReopenViewList();
    // 12. Show the main window.
    HWND hMain = GetMainWnd()->GetHwnd();
    ::ShowWindow(hMain, m_nCmdShow);
    ::UpdateWindow(hMain);
    // 13. The remaining settings. The pointer's cursor is loaded with the mouse
    //     pointer settings.
    LoadFillingSettings(store, s);
    LoadMouseSettings(store, s);
    LoadPointerCursor();
    LoadKeyBindings();
    LoadMailSettings(store, s);
    m_bSettingsLoaded = true;
    // 14. The program-wide regular-expression objects start with empty arenas;
    //     the numeric-keypad hook.
    SearchRegEx().Rewind();
    MailRegEx().Rewind();
    if (s.m_bHookNumPad)
        InstallKeypadHook();
    // 15. The key binding server ("Tova"/"KeyBinding"); the waits of the DDE
    //     conversations the editor opens pump through the application.
    CDDEClient::SetPump(PumpMessages);
    m_pKeyServer = std::make_unique<CKeyBindingServer>(m_keyTable);
    return true;
}

void CEditorApp::ApplyCommandLine(const CCommandArgs& args)
{
    args.ApplyTo(AppSettings());
    m_files = args.files;
}

void CEditorApp::FindFolders()
{
    std::vector<wchar_t> path(32768, L'\0');
    DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0 || n >= path.size())
        ErrorBox("Can't get module file name");
    else
        m_strProgramDir = ProgramDirOf(Narrow(std::wstring(path.data(), n)));
    m_strTempDir = ChooseTempDir(EnvironmentVariable(L"TEMP"), EnvironmentVariable(L"TMP"), m_strProgramDir);
    SetMailWorkDir(m_strTempDir);
}

bool CEditorApp::RegisterTemplate()
{
    int mode = AppSettings().m_nMailMode;
    UINT nResourceId = mode == 2 ? IDR_COMPOSE : mode == 1 ? IDR_READ : IDR_PLAIN;
    m_pTemplate = AddDocTemplate(CDocTemplate::Make<CDoc, CChildFrame, CVuWnd>(nResourceId));
    // Plain-text windows fall back on built-in table 2 while the main window has
    // no key binding table; mail windows have none of their own.
    if (mode == 0 && m_docAccel.LoadFromResource(2))
        m_docAccel.Build();
    return true;
}

HACCEL CEditorApp::GetDocumentAccelerator() const { return static_cast<HACCEL>(m_docAccel.GetHandle()); }

bool CEditorApp::CreateMainFrame()
{
    auto* pFrame = new CMainFrame;
    SetMainWnd(pFrame);
    if (!pFrame->Create()) {
        // A window that came to be deletes its object when it goes.
        if (!pFrame->GetHwnd() && GetMainWnd() == pFrame) {
            SetMainWnd(nullptr);
            delete pFrame;
        }
        return false;
    }
    return true;
}

bool CEditorApp::OnIdle(long lCount)
{
    bool bMore = CAppBase::OnIdle(lCount);
    CMainFrame* pMain = GetMainFrame();
    if (lCount != 0 || !pMain)
        return bMore;
    // The focused view's obscured flag: a view partly outside the main window's
    // client area must repaint when it scrolls.
    auto* pView = dynamic_cast<CView*>(CWnd::FromHandle(::GetFocus()));
    CMDIChildWnd* pFrame = pView ? pView->GetParentFrame() : nullptr;
    auto* pVu = pView ? dynamic_cast<CVu*>(pView->GetDocView()) : nullptr;
    if (!pFrame || !pVu)
        return bMore;
    if (pFrame->IsMaximized()) {
        pVu->m_bObscured = false;
    } else if (!::IsIconic(pFrame->GetHwnd())) {
        RECT view = {}, client = pMain->GetMdiClientScreenRect(), both = {};
        ::GetWindowRect(pView->GetHwnd(), &view);
        ::IntersectRect(&both, &view, &client);
        pVu->m_bObscured = !::EqualRect(&both, &view);
    }
    return bMore;
}

int CEditorApp::ExitInstance()
{
    RemoveKeypadHook();
    m_pKeyServer.reset();
    CloseMailClientLink();
    // Settings are written only by a run that read them all: a start-up that
    // ended early must not put defaults over the user's settings.
    if (m_bSettingsLoaded)
        SaveExitSettings(SettingsStore(), AppSettings());
    if (m_bOleInitialized) {
        ::OleUninitialize();
        m_bOleInitialized = false;
    }
    int nExitCode = CAppBase::ExitInstance();
    FreeLineBuffers();
    return nExitCode;
}

CDocBase* CEditorApp::OpenDocumentFile(const std::string& strPath)
{
    std::string path = strPath;
    WIN32_FIND_DATAW found = {};
    HANDLE hFind = HasWildcards(path) ? INVALID_HANDLE_VALUE : ::FindFirstFileW(Wide(path).c_str(), &found);
    if (hFind != INVALID_HANDLE_VALUE) {
        ::FindClose(hFind);
        // The name as the file system spells it, in the folder as given.
        std::string name;
        if (PathFromSystem(found.cFileName, name))
            path = FolderPrefixOf(path) + name;
    } else {
        if (!QuestionBox("%s を作成しますか？", path.c_str()))
            return nullptr;
        HANDLE hFile = ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                     nullptr);
        if (hFile == INVALID_HANDLE_VALUE) {
            InfoBox("%s を作成できません", path.c_str());
            return nullptr;
        }
        ::CloseHandle(hFile);
    }
    CDocBase* pDoc = CAppBase::OpenDocumentFile(path);
    OpenHeaderPaneOf(pDoc);
    return pDoc;
}

bool CEditorApp::OnDDECommand(const std::string& strCommand)
{
    CCommandArgs args;
    if (!ParseDdeOpenCommand(strCommand, args))
        return false;
    args.ApplyTo(AppSettings());
    // An empty name ("" from the shell) names no file: never offer to create it.
    for (const std::string& file : args.files)
        if (!file.empty() && file != "\"\"")
            OpenDocumentFile(file);
    return true;
}

void CEditorApp::OpenHeaderPaneOf(CDocBase* pOpened)
{
    // A new mail window opens with its header pane as high as its header
    // wants; the header pane command shows a hidden header bar with it. The
    // caret stays in the body: the user opened the mail to read or write it
    // (the command itself, given by the user, goes to the header).
    CMainFrame* pMain = GetMainFrame();
    if (!pOpened || !pMain || !pMain->GetHeaderBar())
        return;
    auto* pFrame = dynamic_cast<CChildFrame*>(pMain->MDIGetActive());
    if (!pFrame || pFrame->GetDocument() != pOpened || pFrame->IsHeaderPaneOpen())
        return;
    if (!pMain->IsHeaderBarVisible())
        pMain->RunCommand(ID_HEADER_PANE);
    else
        pFrame->OpenHeaderPane();
    pFrame->ActivateBodyPane();
}

void CEditorApp::ReopenViewList()
{
    m_bRestoringViews = true;
    ReadViewList(SettingsStore(), [this](const CViewListEntry& e) { ReopenView(e); });
    m_bRestoringViews = false;
}

void CEditorApp::ReopenView(const CViewListEntry& e)
{
    m_wpRestore = {};
    m_wpRestore.length = sizeof m_wpRestore;
    m_wpRestore.showCmd = static_cast<UINT>(e.nShowCmd);
    m_wpRestore.ptMinPosition = POINT{e.nMinX, e.nMinY};
    m_wpRestore.ptMaxPosition = POINT{-1, -1};
    m_wpRestore.rcNormalPosition = RECT{e.nLeft, e.nTop, e.nRight, e.nBottom};
    CAppSettings& s = AppSettings();
    int nReadTab = s.m_nReadTab;
    s.m_nReadTab = ReopenTabWidth(e.nTabWidth, nReadTab);
    CDocBase* pDoc = OpenDocumentFile(e.strPath);
    s.m_nReadTab = nReadTab;
    if (!pDoc) {
        ErrorBeep();
        return;
    }
    for (CViewBase* v : pDoc->GetViews()) {
        auto* pVu = dynamic_cast<CVu*>(v);
        if (pVu && !pVu->IsHeaderView()) {
            pVu->SetPosition(CViewPosition{e.nLeftCol, e.nTopLine, e.nCaretCol, e.nCaretRow});
            break;
        }
    }
}

CViewListEntry CEditorApp::ViewListEntryOf(CMDIChildWnd* pFrame) const
{
    CViewListEntry e;
    WINDOWPLACEMENT wp = {sizeof wp};
    ::GetWindowPlacement(pFrame->GetHwnd(), &wp);
    e.nShowCmd = static_cast<int>(wp.showCmd);
    e.nLeft = wp.rcNormalPosition.left;
    e.nTop = wp.rcNormalPosition.top;
    e.nRight = wp.rcNormalPosition.right;
    e.nBottom = wp.rcNormalPosition.bottom;
    e.nMinX = wp.ptMinPosition.x;
    e.nMinY = wp.ptMinPosition.y;
    CDocBase* pDoc = pFrame->GetDocument();
    e.strPath = pDoc->GetPathName();
    if (auto* pTextDoc = dynamic_cast<CDoc*>(pDoc))
        e.nTabWidth = pTextDoc->m_Lines.m_nTabWidth;
    CView* pView = pFrame->GetActiveView();
    if (auto* pChild = dynamic_cast<CChildFrame*>(pFrame))
        pView = pChild->GetBodyView();
    if (pView) {
        CViewPosition pos = pView->GetPosition();
        e.nLeftCol = pos.nLeftCol;
        e.nTopLine = pos.nTopLine;
        e.nCaretCol = pos.nCaretCol;
        e.nCaretRow = pos.nCaretRow;
    }
    return e;
}

void CEditorApp::SaveViewList()
{
    CMainFrame* pMain = GetMainFrame();
    if (m_bNoViewListSave || !pMain)
        return;
    // From the bottom of the window order to the top; a window without a path
    // takes no number.
    std::vector<CMDIChildWnd*> frames = pMain->GetChildFrames();
    std::vector<CViewListEntry> entries;
    for (auto it = frames.rbegin(); it != frames.rend(); ++it)
        if ((*it)->GetDocument() && !(*it)->GetDocument()->GetPathName().empty())
            entries.push_back(ViewListEntryOf(*it));
    WriteViewList(SettingsStore(), entries);
}

// ---- Key bindings ----

void CEditorApp::LoadKeyBindings()
{
    LoadKeyOptions(SettingsStore(), AppSettings());
    if (!m_keyTable.LoadFromProfile(kKeyBindingSection))
        m_keyTable.LoadFromResource(1);
    m_bKeyBindingsLoaded = true;
    InstallKeyTable();
}

void CEditorApp::SaveKeyBindings()
{
    // A start-up that ended before the table was read must not write defaults.
    if (!m_bKeyBindingsLoaded)
        return;
    SaveKeyOptions(SettingsStore(), AppSettings());
    m_keyTable.SaveToProfile(kKeyBindingSection);
}

bool CEditorApp::PreTranslateMessage(MSG* pMsg)
{
    bool bTaken = CAppBase::PreTranslateMessage(pMsg);
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        if (CMainFrame* pMain = GetMainFrame())
            pMain->OnKeyTranslated(*pMsg, bTaken);
    return bTaken;
}

void CEditorApp::InstallKeyTable()
{
    auto hAccel = static_cast<HACCEL>(m_keyTable.Build());
    // The main window must not keep a table that Build just destroyed.
    if (CMainFrame* pMain = GetMainFrame())
        pMain->SetAccelTable(m_bControlCodeMode ? nullptr : hAccel);
}

void CEditorApp::OnCustomizeKeys()
{
    // The keypad hook would turn keypad keys pressed into a label into key-downs
    // for the dialog instead of letting the capture hook see them.
    RemoveKeypadHook();
    CAppSettings& s = AppSettings();
    CKeyTableDialog dialog(m_keyTable, s.m_bHookNumPad, s.m_bReturnChar);
    if (dialog.DoModal() == IDOK)
        InstallKeyTable();
    if (s.m_bHookNumPad)
        InstallKeypadHook();
}

void CEditorApp::OnControlCodeMode()
{
    m_bControlCodeMode = !m_bControlCodeMode;
    // On, the main window has no table and keys reach the view as characters;
    // off, the table is built again from the bindings.
    InstallKeyTable();
}

bool CEditorApp::SetViewFont(const std::string& strFace, int nPointSize)
{
    if (!m_font.Create(strFace, nPointSize))
        return false;
    CAppSettings& s = AppSettings();
    s.m_strFaceName = strFace;
    s.m_nPointSize = nPointSize;
    SaveFontSettings(SettingsStore(), s);
    if (CMainFrame* pMain = GetMainFrame())
        pMain->OnFontChanged();
    for (CView* pView : GetAllViews())
        pView->OnFontChanged();
    return true;
}

void CEditorApp::OnFileOpen()
{
    ISettingsStore& store = SettingsStore();
    CAppSettings& s = AppSettings();
    EnsureFilterString(store, s);
    CFileDialogOptions options;
    options.strFilter = s.m_strFilterString;
    options.nFilterIndex = FilterIndex(store, s);
    options.strInitialDir = s.m_strOpenFileDir;
    options.strDefExt = "txt";
    if (!PromptOpenFileName(GetMainWnd() ? GetMainWnd()->GetHwnd() : nullptr, options))
        return;
    StoreFilterIndex(store, s, options.nFilterIndex);
    RememberOpenFileDir(s, options.strFileName);
    OpenDocumentFile(options.strFileName);
}

void CEditorApp::OnCloseAllWindows()
{
    CMainFrame* pMain = GetMainFrame();
    while (pMain && pMain->MDIGetActive()) {
        size_t nBefore = pMain->GetChildFrames().size();
        pMain->RunCommand(ID_FILE_CLOSE);
        // The user kept the window (Cancel at the save question): stop asking.
        if (pMain->GetChildFrames().size() >= nBefore)
            break;
    }
}

void CEditorApp::QuitAfterSend(CDocBase* pSentDoc)
{
    m_pSentDoc = pSentDoc;
    if (GetMainWnd())
        ::PostMessageW(GetMainWnd()->GetHwnd(), WM_COMMAND, ID_QUIT_AFTER_SEND, 0);
}

void CEditorApp::OnQuitAfterSend()
{
    CDocBase* pSent = m_pSentDoc;
    m_pSentDoc = nullptr;
    std::vector<CDocBase*> docs = GetDocuments();
    if (pSent) {
        // Only the mail just sent is taken as saved; every other document with
        // changes gets the usual question.
        if (std::find(docs.begin(), docs.end(), pSent) != docs.end())
            pSent->SetModifiedFlag(false);
    } else {
        // The command window's "EX A": quit without saving anything.
        for (CDocBase* pDoc : docs)
            pDoc->SetModifiedFlag(false);
    }
    m_bNoViewListSave = true;
    if (GetMainWnd())
        GetMainWnd()->Send(WM_CLOSE);
    // Cancelled at a question: the editor goes on, and its next close saves the
    // window list as usual.
    if (GetMainWnd())
        m_bNoViewListSave = false;
}

CVu* CEditorApp::GetActiveVu() const
{
    CMainFrame* pMain = GetMainFrame();
    CMDIChildWnd* pChild = pMain ? pMain->MDIGetActive() : nullptr;
    auto* pView = pChild ? dynamic_cast<CVuWnd*>(pChild->GetActiveView()) : nullptr;
    return pView ? &pView->Vu() : nullptr;
}

void CEditorApp::OnHelp() { StatusMessage("このプログラムにはヘルプファイルがありません"); }

bool CEditorApp::OnCommand(unsigned nId, CCmdUi* pUi)
{
    switch (nId) {
    case ID_FILE_OPEN:
        if (!pUi)
            OnFileOpen();
        return true;
    case ID_CLOSE_ALL_WINDOWS:
        if (pUi)
            pUi->Enable(GetMainFrame() && GetMainFrame()->MDIGetActive());
        else
            OnCloseAllWindows();
        return true;
    case ID_QUIT_AFTER_SEND:
        if (!pUi)
            OnQuitAfterSend();
        return true;
    case ID_OPEN_NAMED_FILE:
        if (!pUi && !m_strNamedFile.empty())
            OpenDocumentFile(m_strNamedFile);
        return true;
    case ID_SHELL_COMMAND:
        if (!pUi)
            RunShellCommand(m_strShellCommand, m_nShellMode, [this] { return GetActiveVu(); });
        return true;
    case ID_CUSTOMIZE_KEYS:
        if (!pUi)
            OnCustomizeKeys();
        return true;
    case ID_CONTROL_CODE_MODE:
        if (pUi)
            pUi->SetCheck(m_bControlCodeMode);
        else
            OnControlCodeMode();
        return true;
    case ID_HELP_FINDER:
    case ID_HELP_INDEX:
        if (!pUi)
            OnHelp();
        return true;
    default:
        if (OnSettingsCommand(nId, pUi) || OnMailCommand(nId, pUi))
            return true;
        return CAppBase::OnCommand(nId, pUi);
    }
}
