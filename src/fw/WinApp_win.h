// The application object: the message loop with idle processing and
// pre-translation, the document templates, the recent file list, and the
// application's own commands (the last target of every command's route).
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "fw/CmdTarget.h"
#include "fw/RecentFileList.h"

class CDocBase;
class CDocTemplate;
class CMDIFrameWnd;

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;  // the one application object
    CWinApp& operator=(const CWinApp&) = delete;

    // Starts the program: InitInstance, then the message loop until WM_QUIT.
    // Returns the exit code (1 when start-up failed).
    int Run(HINSTANCE hInstance, int nCmdShow);
    // The two halves of Run: start-up (false when it failed; the program is
    // then wound down already)...
    bool Initialize(HINSTANCE hInstance, int nCmdShow);
    // ...and the message loop with idle work, up to WM_QUIT; then ExitInstance.
    int RunMessageLoop();

    virtual bool InitInstance() { return true; }
    // After the message loop (or a failed start-up); returns the exit code.
    virtual int ExitInstance();
    // Work done while no message waits; lCount counts the calls since the last
    // message. Returns true while more idle work remains.
    virtual bool OnIdle(long lCount);
    // Offers a message to the windows it is for, from the target up to the
    // main window, before it is dispatched.
    virtual bool PreTranslateMessage(MSG* pMsg);

    // Takes one message from the queue (waiting for it) and dispatches it;
    // false when it was WM_QUIT (its exit code is kept in m_nExitCode).
    bool PumpMessage();

    // Documents.
    CDocTemplate* AddDocTemplate(std::unique_ptr<CDocTemplate> pTemplate);
    const std::vector<std::unique_ptr<CDocTemplate>>& GetTemplates() const { return m_templates; }
    // Opens a file (a Shift-JIS path) as a document of the first template, or
    // activates the window of a document that has it open already. The path is
    // made absolute. Null when the open failed (it reported why).
    virtual CDocBase* OpenDocumentFile(const std::string& strPath);
    // Every open document, in template order.
    std::vector<CDocBase*> GetDocuments() const;
    // Asks about every modified document; false when the user cancelled.
    bool SaveAllModified();
    // Closes every document without asking.
    void CloseAllDocuments();

    CRecentFileList& RecentFiles() { return m_recentFiles; }
    // Reads the recent file list of nMaxSize entries.
    void LoadStdProfileSettings(size_t nMaxSize);

    CMDIFrameWnd* GetMainWnd() const { return m_pMainWnd; }
    // The main window; the framework forgets it when the window is destroyed.
    void SetMainWnd(CMDIFrameWnd* pMainWnd) { m_pMainWnd = pMainWnd; }
    HINSTANCE GetInstance() const { return m_hInstance; }
    int GetCmdShow() const { return m_nCmdShow; }
    // The process's whole command line (program name first), in Shift-JIS.
    virtual std::string GetCommandLineSjis() const;
    // The name of the program: the executable's name without extension.
    const std::wstring& GetProgramName() const { return m_strProgramName; }

    // File New, the recent files, Exit and printer setup.
    bool OnCommand(unsigned nId, CCmdUi* pUi) override;

protected:
    // A recent-file entry was chosen.
    virtual void OnOpenRecentFile(size_t nIndex);

    HINSTANCE m_hInstance = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    int m_nExitCode = 0;
    CMDIFrameWnd* m_pMainWnd = nullptr;

private:
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
    CRecentFileList m_recentFiles;
    size_t m_nRecentMax = 0;
    std::wstring m_strProgramName;
    MSG m_msgCur = {};
    POINT m_ptLastMouse = {-1, -1};
};

// The application object of this process.
CWinApp* App();
