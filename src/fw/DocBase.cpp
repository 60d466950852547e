// The portable document: title, path, modified flag, views and update hints.
#include "fw/DocBase.h"

#include <algorithm>

#include "platform/Messages.h"
#include "text/Sjis.h"

CDocBase::~CDocBase()
{
    for (CViewBase* v : m_views)
        v->m_pDocument = nullptr;
}

void CDocBase::SetTitle(std::string_view title)
{
    m_strTitle.assign(title);
    TitleChanged();
}

void CDocBase::SetPathName(std::string_view path)
{
    m_strPathName.assign(path);
    // The name after the last path separator; a 0x5C that is the second byte of a
    // double-byte character (表, ソ) is no separator.
    size_t start = 0;
    for (size_t i = 0; i < path.size(); i += CharLenAt(path, i))
        if (path[i] == '\\' || path[i] == '/')
            start = i + 1;
    SetTitle(path.substr(start));
}

// A document class without file contents of its own can be neither read nor written.
bool CDocBase::OnOpenDocument(std::string_view path)
{
    ErrorBox("%s を開けません", std::string(path).c_str());
    return false;
}

bool CDocBase::OnSaveDocument(std::string_view path)
{
    ErrorBox("%s に保存できません", std::string(path).c_str());
    return false;
}

void CDocBase::AddView(CViewBase* pView)
{
    if (pView->m_pDocument == this)
        return;
    if (pView->m_pDocument)
        pView->m_pDocument->RemoveView(pView);
    m_views.push_back(pView);
    pView->m_pDocument = this;
}

void CDocBase::RemoveView(CViewBase* pView)
{
    auto it = std::find(m_views.begin(), m_views.end(), pView);
    if (it != m_views.end()) {
        m_views.erase(it);
        pView->m_pDocument = nullptr;
    }
}

void CDocBase::UpdateAllViews(CViewBase* pSender, long lHint, const CCellRect* pRect)
{
    // A view may go away while it is told (a close from inside OnUpdate): walk a copy.
    std::vector<CViewBase*> views = m_views;
    for (CViewBase* v : views)
        if (v != pSender && std::find(m_views.begin(), m_views.end(), v) != m_views.end())
            v->OnUpdate(pSender, lHint, pRect);
}
