// The application object and its message loop.
#include "fw/WinApp_win.h"

#include <commdlg.h>

#include "fw/DocBase.h"
#include "fw/DocFlow_win.h"
#include "fw/DocTemplate_win.h"
#include "fw/FileDialog_win.h"
#include "fw/MdiChildWnd_win.h"
#include "fw/MdiFrameWnd_win.h"
#include "platform/SettingsStore.h"
#include "platform/Wide_win.h"
#include "services/PathUtil.h"
#include "keys/CommandIds.h"

namespace {

CWinApp* g_pApp = nullptr;

// The system's caret-blink timer, which arrives all the time and is no sign of
// the user doing anything.
constexpr UINT kSysTimer = 0x0118;

} // namespace

CWinApp* App() { return g_pApp; }

CWinApp::CWinApp()
{
    g_pApp = this;
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        name.erase(0, slash + 1);
    size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos)
        name.erase(dot);
    m_strProgramName = name;
}

CWinApp::~CWinApp()
{
    // Documents go before the templates that own them; the windows are gone by now.
    for (auto& t : m_templates)
        while (!t->GetDocuments().empty())
            t->RemoveDocument(t->GetDocuments().back().get());
    if (g_pApp == this)
        g_pApp = nullptr;
}

int CWinApp::Run(HINSTANCE hInstance, int nCmdShow)
{
    if (!Initialize(hInstance, nCmdShow))
        return 1;
    return RunMessageLoop();
}

bool CWinApp::Initialize(HINSTANCE hInstance, int nCmdShow)
{
    m_hInstance = hInstance;
    m_nCmdShow = nCmdShow;
    if (InitInstance())
        return true;
    if (m_pMainWnd)
        m_pMainWnd->DestroyWindow();
    ExitInstance();
    return false;
}

int CWinApp::RunMessageLoop()
{
    bool bIdle = true;
    long lIdleCount = 0;
    for (;;) {
        MSG msg;
        while (bIdle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
            if (!OnIdle(lIdleCount++))
                bIdle = false;
        do {
            if (!PumpMessage())
                return ExitInstance();
            const MSG& m = m_msgCur;
            bool bMouseStill = (m.message == WM_MOUSEMOVE || m.message == WM_NCMOUSEMOVE) &&
                               m.pt.x == m_ptLastMouse.x && m.pt.y == m_ptLastMouse.y;
            if (m.message == WM_MOUSEMOVE || m.message == WM_NCMOUSEMOVE)
                m_ptLastMouse = m.pt;
            if (!bMouseStill && m.message != WM_PAINT && m.message != kSysTimer) {
                bIdle = true;
                lIdleCount = 0;
            }
        } while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

int CWinApp::ExitInstance()
{
    if (m_nRecentMax)
        m_recentFiles.Save(SettingsStore());
    return m_nExitCode;
}

bool CWinApp::PumpMessage()
{
    BOOL got = ::GetMessageW(&m_msgCur, nullptr, 0, 0);
    if (got <= 0) {
        m_nExitCode = got == 0 ? static_cast<int>(m_msgCur.wParam) : 1;
        return false;
    }
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageW(&m_msgCur);
    }
    return true;
}

bool CWinApp::OnIdle(long lCount)
{
    if (lCount == 0 && m_pMainWnd)
        m_pMainWnd->UpdateCommandState();
    return false;
}

bool CWinApp::PreTranslateMessage(MSG* pMsg)
{
    HWND hMain = m_pMainWnd ? m_pMainWnd->GetHwnd() : nullptr;
    for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
        CWnd* pWnd = CWnd::FromHandle(h);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return true;
        if (h == hMain)
            return false;
    }
    // A message for a window outside the main window (a modeless pop-up): the
    // main window's keys still apply.
    return pMsg->hwnd && m_pMainWnd && ::IsWindowEnabled(hMain) && m_pMainWnd->PreTranslateMessage(pMsg);
}

CDocTemplate* CWinApp::AddDocTemplate(std::unique_ptr<CDocTemplate> pTemplate)
{
    m_templates.push_back(std::move(pTemplate));
    return m_templates.back().get();
}

CDocBase* CWinApp::OpenDocumentFile(const std::string& strPath)
{
    if (m_templates.empty())
        return nullptr;
    std::wstring wide = Wide(strPath);
    DWORD n = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(n ? n : 1, L'\0');
    n = ::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    std::string path = strPath;
    if (n > 0 && n < full.size()) {
        full.resize(n);
        path = Narrow(full);
    }
    for (CDocBase* pDoc : GetDocuments()) {
        if (!PathsEqual(pDoc->GetPathName(), path))
            continue;
        std::vector<CMDIChildWnd*> frames = FramesOf(pDoc);
        if (!frames.empty())
            frames.front()->ActivateFrame();
        return pDoc;
    }
    CDocBase* pDoc = m_templates.front()->OpenDocumentFile(path);
    if (pDoc && m_nRecentMax)
        m_recentFiles.Add(pDoc->GetPathName());
    return pDoc;
}

std::vector<CDocBase*> CWinApp::GetDocuments() const
{
    std::vector<CDocBase*> docs;
    for (const auto& t : m_templates)
        for (const auto& d : t->GetDocuments())
            docs.push_back(d.get());
    return docs;
}

bool CWinApp::SaveAllModified()
{
    for (CDocBase* pDoc : GetDocuments())
        if (!SaveModified(pDoc))
            return false;
    return true;
}

void CWinApp::CloseAllDocuments()
{
    for (CDocBase* pDoc : GetDocuments())
        CloseDocument(pDoc);
}

void CWinApp::LoadStdProfileSettings(size_t nMaxSize)
{
    m_nRecentMax = nMaxSize;
    m_recentFiles = CRecentFileList(nMaxSize);
    m_recentFiles.Load(SettingsStore());
}

std::string CWinApp::GetCommandLineSjis() const { return Narrow(::GetCommandLineW()); }

void CWinApp::OnOpenRecentFile(size_t nIndex)
{
    if (nIndex >= m_recentFiles.GetSize())
        return;
    std::string path = m_recentFiles[nIndex];
    if (!OpenDocumentFile(path))
        m_recentFiles.Remove(nIndex);
}

bool CWinApp::OnCommand(unsigned nId, CCmdUi* pUi)
{
    if (nId >= ID_FILE_MRU_FILE1 && nId <= ID_FILE_MRU_FILE9) {
        size_t nIndex = nId - ID_FILE_MRU_FILE1;
        if (nIndex >= m_recentFiles.GetSize())
            return false;
        if (!pUi)
            OnOpenRecentFile(nIndex);
        return true;
    }
    switch (nId) {
    case ID_FILE_NEW:
        if (!pUi && !m_templates.empty())
            m_templates.front()->OpenDocumentFile(std::string());
        return !m_templates.empty();
    case ID_APP_EXIT:
        if (!pUi && m_pMainWnd)
            m_pMainWnd->Send(WM_CLOSE);
        return true;
    case ID_FILE_PRINT_SETUP:
        if (!pUi) {
            PRINTDLGW pd = {};
            pd.lStructSize = sizeof pd;
            pd.hwndOwner = m_pMainWnd ? m_pMainWnd->GetHwnd() : nullptr;
            pd.Flags = PD_PRINTSETUP;
            if (::PrintDlgW(&pd)) {
                if (pd.hDevMode)
                    ::GlobalFree(pd.hDevMode);
                if (pd.hDevNames)
                    ::GlobalFree(pd.hDevNames);
            }
        }
        return true;
    default:
        return false;
    }
}
