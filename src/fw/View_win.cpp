// Views.
#include "fw/View_win.h"

#include "fw/DocTemplate_win.h"
#include "fw/MdiChildWnd_win.h"

const wchar_t* CView::WindowClassName()
{
    static const wchar_t kClass[] = L"TovaView";
    RegisterWindowClass(kClass, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW), nullptr);
    return kClass;
}

bool CView::Create(HWND hParent, UINT nId, CDocBase* pDoc)
{
    if (pDoc)
        pDoc->AddView(this);
    bool ok = CreateEx(0, WindowClassName(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | ExtraStyle(), 0, 0, 0, 0, hParent,
                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)));
    if (!ok && pDoc)
        pDoc->RemoveView(this);
    return ok;
}

CMDIChildWnd* CView::GetParentFrame() const
{
    for (HWND h = m_hWnd ? ::GetParent(m_hWnd) : nullptr; h; h = ::GetParent(h))
        if (auto* pFrame = dynamic_cast<CMDIChildWnd*>(CWnd::FromHandle(h)))
            return pFrame;
    return nullptr;
}

LRESULT CView::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_MOUSEACTIVATE: {
        // A click in an inactive document window activates it and makes this view
        // its active one.
        LRESULT result = DefaultProc(nMsg, wParam, lParam);
        if (CMDIChildWnd* pFrame = GetParentFrame()) {
            pFrame->MDIActivate();
            pFrame->SetActiveView(this);
        }
        return result;
    }
    case WM_SETFOCUS:
        if (CMDIChildWnd* pFrame = GetParentFrame(); pFrame && pFrame->GetActiveView() != this)
            pFrame->SetActiveView(this, false);
        break;
    default:
        break;
    }
    return DefaultProc(nMsg, wParam, lParam);
}

void CView::PostNcDestroy()
{
    if (CDocBase* pDoc = GetDocument()) {
        pDoc->RemoveView(this);
        if (pDoc->GetViews().empty())
            if (CDocTemplate* pTemplate = TemplateOf(pDoc))
                pTemplate->RemoveDocument(pDoc);
    }
    delete this;
}
