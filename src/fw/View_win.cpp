// View windows.
#include "fw/View_win.h"

#include <unordered_map>

#include "fw/DocTemplate_win.h"
#include "fw/MdiChildWnd_win.h"

namespace {

// Document view -> its window, for as long as both live.
std::unordered_map<const CViewBase*, CView*>& ViewWindows()
{
    static std::unordered_map<const CViewBase*, CView*> map;
    return map;
}

} // namespace

CView::CView(std::unique_ptr<CViewBase> pDocView) : m_pDocView(std::move(pDocView))
{
    if (m_pDocView)
        ViewWindows()[m_pDocView.get()] = this;
}

CView::~CView()
{
    if (m_pDocView)
        ViewWindows().erase(m_pDocView.get());
}

CView* CView::FromDocView(const CViewBase* pDocView)
{
    auto it = ViewWindows().find(pDocView);
    return it == ViewWindows().end() ? nullptr : it->second;
}

const wchar_t* CView::WindowClassName()
{
    static const wchar_t kClass[] = L"TovaView";
    RegisterWindowClass(kClass, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW), nullptr);
    return kClass;
}

bool CView::Create(HWND hParent, UINT nId, CDocBase* pDoc)
{
    if (pDoc && m_pDocView)
        pDoc->AddView(m_pDocView.get());
    bool ok = CreateEx(0, WindowClassName(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | ExtraStyle(), 0, 0, 0, 0, hParent,
                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)));
    if (!ok && pDoc && m_pDocView)
        pDoc->RemoveView(m_pDocView.get());
    return ok;
}

CMDIChildWnd* CView::GetParentFrame() const
{
    for (HWND h = m_hWnd ? ::GetParent(m_hWnd) : nullptr; h; h = ::GetParent(h))
        if (auto* pFrame = dynamic_cast<CMDIChildWnd*>(CWnd::FromHandle(h)))
            return pFrame;
    return nullptr;
}

bool CView::OnCommand(unsigned nId, CCmdUi* pUi) { return m_pDocView && m_pDocView->OnCommand(nId, pUi); }

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

void CView::DetachFromDocument()
{
    CDocBase* pDoc = GetDocument();
    if (!pDoc)
        return;
    pDoc->RemoveView(m_pDocView.get());
    if (pDoc->GetViews().empty())
        if (CDocTemplate* pTemplate = TemplateOf(pDoc))
            pTemplate->RemoveDocument(pDoc);
}

void CView::PostNcDestroy()
{
    DetachFromDocument();
    delete this;
}
