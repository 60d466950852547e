// Saving, the save-changes question and closing.
#include "fw/DocFlow_win.h"

#include "fw/DocBase.h"
#include "fw/DocTemplate_win.h"
#include "fw/FileDialog_win.h"
#include "fw/MdiChildWnd_win.h"
#include "fw/MdiFrameWnd_win.h"
#include "fw/WinApp_win.h"
#include "platform/Messages.h"
#include "platform/StringTable.h"

namespace {

constexpr unsigned kIdFileFilters = 58;

HWND MainHwnd() { return App() && App()->GetMainWnd() ? App()->GetMainWnd()->GetHwnd() : nullptr; }

// What the document is called in questions: its path, or its title while it has none.
std::string NameOf(const CDocBase* pDoc)
{
    return pDoc->GetPathName().empty() ? pDoc->GetTitle() : pDoc->GetPathName();
}

} // namespace

std::string PromptForSaveName(const CDocBase* pDoc)
{
    CFileDialogOptions options;
    const char* filters = LoadSjisString(kIdFileFilters);
    options.strFilter = filters ? filters : "";
    options.strFileName = pDoc->GetPathName();
    if (!PromptSaveFileName(MainHwnd(), options))
        return std::string();
    return options.strFileName;
}

bool DoSave(CDocBase* pDoc, bool bAskName)
{
    std::string path = pDoc->GetPathName();
    bool bNewName = bAskName || path.empty();
    if (bNewName) {
        path = PromptForSaveName(pDoc);
        if (path.empty())
            return false;
    }
    if (!pDoc->OnSaveDocument(path))
        return false;
    if (bNewName) {
        pDoc->SetPathName(path);
        if (App())
            App()->RecentFiles().Add(path);
    }
    pDoc->SetModifiedFlag(false);
    return true;
}

bool SaveModified(CDocBase* pDoc)
{
    if (!pDoc->IsModified())
        return true;
    switch (YesNoCancelBox("%s への変更を保存しますか？", NameOf(pDoc).c_str())) {
    case EAnswer::Yes:
        return DoSave(pDoc, false);
    case EAnswer::No:
        return true;
    case EAnswer::Cancel:
        break;
    }
    return false;
}

void CloseDocument(CDocBase* pDoc)
{
    // Each window takes its views along; the last view takes the document.
    CDocTemplate* pTemplate = TemplateOf(pDoc);
    for (CMDIChildWnd* pFrame : FramesOf(pDoc))
        pFrame->MDIDestroy();
    if (pTemplate)
        pTemplate->RemoveDocument(pDoc);
}
