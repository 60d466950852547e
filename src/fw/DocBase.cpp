// The portable document: title, path, modified flag, views and update hints.
#include "fw/DocBase.h"

#include <algorithm>

#include "fw/Archive.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "text/Sjis.h"

CViewBase::~CViewBase()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

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

bool CDocBase::Serialize(CArchive&) { return true; }

bool CDocBase::OnNewDocument()
{
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(false);
    return true;
}

bool CDocBase::OnOpenDocument(std::string_view path)
{
    std::string strPath(path);
    CFileHandle file = OpenFileForReading(path);
    if (!file.IsOpen()) {
        ErrorBox("%s を開けません。\n\n%s", strPath.c_str(), LastFileErrorText().c_str());
        return false;
    }
    DeleteContents();
    SetModifiedFlag(false);
    CArchive ar(file, CArchive::Load, path);
    if (!Serialize(ar)) {
        DeleteContents();
        return false;
    }
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

namespace {

void ReportSaveFailure(const std::string& path, const CFileErrorInfo& error)
{
    SetLastFileError(error.kind, error.nCode);
    ErrorBox("%s に保存できませんでした。\n\n%s\n\n元のファイルは変更されていません。", path.c_str(),
             LastFileErrorText().c_str());
}

} // namespace

bool CDocBase::OnSaveDocument(std::string_view path)
{
    std::string strPath(path);
    // A file that is read-only or held by another program is refused before
    // anything is written, as a save over it would be. The read-only mark is
    // looked at by itself: a process allowed to write anyway (root, an
    // administrator) must still not replace a file the user protected.
    if (IsReadOnlyFile(path)) {
        ReportSaveFailure(strPath, CFileErrorInfo{EFileError::ReadOnly, 0});
        return false;
    }
    if (FileExists(path)) {
        CFileHandle probe = OpenExistingFileExclusive(path);
        if (!probe.IsOpen()) {
            ReportSaveFailure(strPath, LastFileError());
            return false;
        }
    }
    std::string tempPath;
    CFileHandle file = CreateTempFileBeside(path, tempPath);
    if (!file.IsOpen()) {
        ReportSaveFailure(strPath, LastFileError());
        return false;
    }
    bool ok;
    CFileErrorInfo error;
    {
        CArchive ar(file, CArchive::Store, path);
        ok = Serialize(ar) && ar.Flush();
        if (ar.HasError())
            error = ar.GetError();
        else if (!ok)
            error.kind = EFileError::None;  // refused and reported by Serialize
    }
    if (ok && m_bForceToDisk && !file.Sync()) {
        ok = false;
        error = LastFileError();
    }
    if (!file.Close() && ok) {
        ok = false;
        error = LastFileError();
    }
    if (ok && !ReplaceFileWith(path, tempPath)) {
        ok = false;
        error = LastFileError();
    }
    if (!ok) {
        if (error.kind != EFileError::None)
            ReportSaveFailure(strPath, error);
        RemoveFile(tempPath);
        return false;
    }
    if (strPath != m_strPathName)
        SetPathName(path);
    SetModifiedFlag(false);
    return true;
}
