// Document templates.
#include "fw/DocTemplate_win.h"

#include <algorithm>

#include "fw/DocBase.h"
#include "fw/MdiChildWnd_win.h"
#include "fw/MdiFrameWnd_win.h"
#include "fw/View_win.h"
#include "fw/WinApp_win.h"
#include "platform/Messages.h"
#include "text/Unicode.h"

namespace {

// The frames' titles follow their document's title.
void ConnectTitle(CDocBase* pDoc)
{
    pDoc->m_onTitleChanged = [pDoc] {
        for (CMDIChildWnd* pFrame : FramesOf(pDoc))
            pFrame->UpdateTitle();
        if (App() && App()->GetMainWnd())
            App()->GetMainWnd()->UpdateFrameTitle();
    };
}

} // namespace

CDocTemplate::CDocTemplate(UINT nResourceId, DocFactory makeDoc, FrameFactory makeFrame, ViewFactory makeView)
    : m_nResourceId(nResourceId), m_makeDoc(std::move(makeDoc)), m_makeFrame(std::move(makeFrame)),
      m_makeView(std::move(makeView))
{
    HINSTANCE hInst = ::GetModuleHandleW(nullptr);
    m_hMenu = ::LoadMenuW(hInst, MAKEINTRESOURCEW(nResourceId));
    m_hAccel = ::LoadAcceleratorsW(hInst, MAKEINTRESOURCEW(nResourceId));
}

CDocTemplate::~CDocTemplate()
{
    while (!m_docs.empty())
        RemoveDocument(m_docs.back().get());
    if (m_hMenu)
        ::DestroyMenu(m_hMenu);
}

bool CDocTemplate::Owns(const CDocBase* pDoc) const
{
    return std::any_of(m_docs.begin(), m_docs.end(), [pDoc](const auto& d) { return d.get() == pDoc; });
}

void CDocTemplate::RemoveDocument(CDocBase* pDoc)
{
    auto it = std::find_if(m_docs.begin(), m_docs.end(), [pDoc](const auto& d) { return d.get() == pDoc; });
    if (it == m_docs.end())
        return;
    std::unique_ptr<CDocBase> doomed = std::move(*it);
    m_docs.erase(it);
    doomed->m_onTitleChanged = nullptr;
}

CMDIChildWnd* CDocTemplate::CreateNewFrame(CDocBase* pDoc)
{
    CMDIFrameWnd* pMain = App() ? App()->GetMainWnd() : nullptr;
    if (!pMain)
        return nullptr;
    CMDIChildWnd* pFrame = m_makeFrame();
    if (!pFrame->Create(pMain, this, pDoc)) {
        // A window that never came to be does not delete itself.
        if (!pFrame->GetHwnd())
            delete pFrame;
        ErrorBox("文書のウィンドウを作成できません");
        return nullptr;
    }
    return pFrame;
}

CDocBase* CDocTemplate::OpenDocumentFile(const std::string& strPath)
{
    m_docs.push_back(m_makeDoc());
    CDocBase* pDoc = m_docs.back().get();
    // The window is made first, hidden, so the document loads with its views in
    // place; it is shown once the document is complete.
    CMDIChildWnd* pFrame = CreateNewFrame(pDoc);
    if (!pFrame) {
        RemoveDocument(pDoc);
        return nullptr;
    }
    bool ok;
    if (strPath.empty()) {
        ok = pDoc->OnNewDocument();
        if (ok)
            pDoc->SetTitle(Utf8ToSjis("無題") + std::to_string(++m_nUntitled));
    } else {
        ok = pDoc->OnOpenDocument(strPath);
        if (ok)
            pDoc->SetPathName(strPath);
    }
    if (!ok) {
        pFrame->DestroyWindow();  // the document goes with its last view
        RemoveDocument(pDoc);
        return nullptr;
    }
    pDoc->SetModifiedFlag(false);
    ConnectTitle(pDoc);
    pFrame->InitialUpdateFrame();
    return pDoc;
}

CDocTemplate* TemplateOf(const CDocBase* pDoc)
{
    if (!App())
        return nullptr;
    for (const auto& t : App()->GetTemplates())
        if (t->Owns(pDoc))
            return t.get();
    return nullptr;
}

std::vector<CMDIChildWnd*> FramesOf(const CDocBase* pDoc)
{
    std::vector<CMDIChildWnd*> frames;
    for (CViewBase* v : pDoc->GetViews()) {
        CView* pView = CView::FromDocView(v);
        CMDIChildWnd* pFrame = pView ? pView->GetParentFrame() : nullptr;
        if (pFrame && std::find(frames.begin(), frames.end(), pFrame) == frames.end())
            frames.push_back(pFrame);
    }
    return frames;
}
