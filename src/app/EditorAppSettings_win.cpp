// The application's settings commands: the other-settings and mouse pointer
// dialogs, the colour and font commands, About, and what each changes in the
// open windows; the ".txt" association and the pointer's cursor.
#include "app/EditorApp_win.h"

#include <shlobj.h>

#include "app/AboutDlg_win.h"
#include "app/ColorCommands.h"
#include "app/FontDialogX_win.h"
#include "app/MainFrame_win.h"
#include "app/MousePointerDlg_win.h"
#include "app/OtherSettings.h"
#include "app/OtherSettingsDlg_win.h"
#include "app/PointerCursor.h"
#include "app/TxtAssociation.h"
#include "fw/View_win.h"
#include "keys/CommandIds.h"
#include "platform/Messages.h"
#include "platform/Wide_win.h"
#include "services/RegistryKey_win.h"

namespace {

HWND DialogOwner(const CEditorApp& app) { return app.GetMainWnd() ? app.GetMainWnd()->GetHwnd() : nullptr; }

void RunOtherSettings(CEditorApp& app)
{
    COtherSettingsDlg dlg(AppSettings());
    if (dlg.DoModal(DialogOwner(app)) != IDOK)
        return;
    CAppSettings& s = AppSettings();
    COtherSettingsEffects effects = StoreOtherSettings(dlg.m_values, s);
    // A new row gap changes every view's measures, as a new font does.
    if (effects.bRelayout)
        for (CView* pView : app.GetAllViews())
            pView->OnFontChanged();
    if (effects.bRepaint)
        app.RepaintAllViews();
    if (effects.bResizeHistory)
        for (CView* pView : app.GetAllViews())
            pView->SetHistoryCapacity(s.m_nMaxHistory);
    // The open windows' titles follow the new choice at once, not only the
    // files opened from now on.
    if (effects.bRetitle)
        for (CDocBase* pDoc : app.GetDocuments())
            if (!pDoc->GetPathName().empty())
                pDoc->SetPathName(std::string(pDoc->GetPathName()));
}

void RunMousePointer(CEditorApp& app)
{
    CAppSettings& s = AppSettings();
    CMousePointerDlg dlg(s.m_nPointer, s.m_bChase);
    if (dlg.DoModal(DialogOwner(app)) != IDOK)
        return;
    s.m_nPointer = dlg.m_nPointer;
    s.m_bChase = dlg.m_bChase;
    app.LoadPointerCursor();
}

void RunColor(CEditorApp& app, CColorDialog& dialog, const CColorCommand& command)
{
    ColorValue& color = AppSettings().*command.pColor;
    ColorValue chosen = color;
    if (!dialog.Choose(DialogOwner(app), ColorDialogTitle(command), chosen))
        return;
    color = chosen;
    app.RepaintAllViews();
}

void RunFont(CEditorApp& app)
{
    std::string face;
    int nPointSize = 0;
    if (CFontDialogX().Choose(DialogOwner(app), app.GetViewFont().Get(), face, nPointSize))
        app.SetViewFont(face, nPointSize);
}

// The executable's path in its short form (the long one where the file system
// keeps no short names).
std::string ShortProgramPath()
{
    std::vector<wchar_t> path(32768, L'\0');
    DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0 || n >= path.size())
        return "";
    std::wstring full(path.data(), n);
    DWORD m = ::GetShortPathNameW(full.c_str(), path.data(), static_cast<DWORD>(path.size()));
    return Narrow(m > 0 && m < path.size() ? std::wstring(path.data(), m) : full);
}

std::string WindowsFolder()
{
    wchar_t dir[MAX_PATH] = {};
    UINT n = ::GetWindowsDirectoryW(dir, MAX_PATH);
    std::wstring folder(dir, n < MAX_PATH ? n : 0);
    while (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    return Narrow(folder);
}

} // namespace

bool CEditorApp::OnSettingsCommand(unsigned nId, CCmdUi* pUi)
{
    if (const CColorCommand* pColor = ColorCommandOf(nId)) {
        if (!pUi)
            RunColor(*this, m_colorDialog, *pColor);
        return true;
    }
    switch (nId) {
    case ID_OTHER_SETTINGS:
        if (!pUi)
            RunOtherSettings(*this);
        return true;
    case ID_MOUSE_POINTER:
        if (!pUi)
            RunMousePointer(*this);
        return true;
    case ID_SYSTEM_COLORS:
        if (!pUi) {
            ApplySystemColors(AppSettings(), CurrentSystemColors());
            RepaintAllViews();
        }
        return true;
    case ID_FONT:
        if (!pUi)
            RunFont(*this);
        return true;
    case ID_APP_ABOUT:
        if (!pUi)
            CAboutDlg().DoModal(DialogOwner(*this));
        return true;
    default:
        return false;
    }
}

bool CEditorApp::AssociateTxt()
{
    std::string exe = ShortProgramPath();
    if (exe.empty()) {
        ErrorBox("Can't get module file name");
        return false;
    }
    for (const CRegistryEntry& e : TxtAssociationEntries(exe, WindowsFolder())) {
        CRegistryKey key;
        if (!key.Open(HKEY_CLASSES_ROOT, e.strKey, true) ||
            !key.SetValue(e.strName, REG_SZ, e.strValue.c_str(), static_cast<DWORD>(e.strValue.size() + 1))) {
            ErrorBox("拡張子 .txt の関連付けを書き込めません");
            return false;
        }
    }
    // Windows Explorer shows the new icon and opens with the editor from now on.
    ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    StatusMessage("拡張子 .txt を関連付けました");
    return true;
}

void CEditorApp::LoadPointerCursor()
{
    CPointerCursor cursor = PointerCursorOf(AppSettings().m_nPointer);
    HINSTANCE hInstance = cursor.bSystem ? nullptr : ::GetModuleHandleW(nullptr);
    m_hPointer = ::LoadCursorW(hInstance, MAKEINTRESOURCEW(cursor.nId));
    if (!m_hPointer)
        m_hPointer = ::LoadCursorW(nullptr, IDC_IBEAM);
}

std::vector<CView*> CEditorApp::GetAllViews() const
{
    std::vector<CView*> views;
    for (CDocBase* pDoc : GetDocuments())
        for (CViewBase* v : pDoc->GetViews())
            if (CView* pView = CView::FromDocView(v))
                views.push_back(pView);
    return views;
}

void CEditorApp::RepaintAllViews() const
{
    for (CView* pView : GetAllViews())
        ::InvalidateRect(pView->GetHwnd(), nullptr, TRUE);
}
