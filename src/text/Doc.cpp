// The document: load and save through its line store, title and modified mark,
// the mail header split, the file's time stamp.
#include "text/Doc.h"

#include <cstring>
#include <string>
#include <vector>

#include "settings/AppSettings.h"
#include "fw/Archive.h"
#include "platform/Messages.h"
#include "text/DocHeader.h"
#include "text/Sjis.h"

namespace {

// The header of a mail file ends at an empty line or this separator, looked for
// among its first lines.
constexpr char kMailSeparator[] = "--------";
constexpr int kMaxHeaderLines = 160;

bool IsMailMode() { return AppSettings().m_nMailMode != 0; }

} // namespace

CDoc::CDoc()
{
    m_Lines.m_pDoc = this;
    if (IsMailMode())
        m_pHeaderDoc = new CDocHeader(this);
}

CDoc::CDoc(HeaderTag) : m_bIsHeader(true) { m_Lines.m_pDoc = this; }

CDoc::~CDoc() { delete m_pHeaderDoc; }

void CDoc::DeleteContents()
{
    m_Lines.AdoptLines(nullptr, 0);
    if (m_pHeaderDoc)
        m_pHeaderDoc->DeleteContents();
}

bool CDoc::Serialize(CArchive& ar)
{
    FlushAnyWorkLine();
    if (ar.IsLoading()) {
        if (!m_Lines.Load(ar))
            return false;
        if (m_pHeaderDoc)
            SplitHeader();
        return true;
    }
    bool bKanaWidened = false;
    if (!StoreText(ar, &bKanaWidened))
        return false;
    if (bKanaWidened)
        InfoBox("半角カタカナは JIS コードで書けないため、全角カタカナにして保存しました。");
    return true;
}

bool CDoc::StoreText(CArchive& ar, bool* pbKanaWidened)
{
    BeforeStore();
    if (m_pHeaderDoc) {
        if (!m_pHeaderDoc->StoreText(ar, pbKanaWidened))
            return false;
        if (!ar.Write("--------\r\n", 10))  // always CR LF
            return false;
    }
    return m_Lines.Store(ar, pbKanaWidened);
}

void CDoc::SplitHeader()
{
    int n = m_Lines.GetLineCount() < kMaxHeaderLines ? m_Lines.GetLineCount() : kMaxHeaderLines;
    char* const* lines = m_Lines.GetLines();
    for (int k = 0; k < n; ++k) {
        if (lines[k][0] != '\0' && std::strcmp(lines[k], kMailSeparator) != 0)
            continue;
        std::vector<char*> header(lines, lines + k);
        if (!m_pHeaderDoc->m_Lines.AdoptLines(header.data(), k))
            return;  // reported; the whole file stays the body
        CLineStore::FreeLine(lines[k]);
        m_Lines.DeleteLines(0, k + 1, false);
        return;
    }
}

void CDoc::SetTitle(std::string_view title)
{
    m_strTitle.assign(AppSettings().m_bTitleFullPath ? std::string_view(m_strPathName) : title);
    if (IsModified())
        m_strTitle += '*';
    TitleChanged();
}

void CDoc::SetModifiedFlag(bool bModified)
{
    if (bModified == m_bModified)
        return;
    m_bModified = bModified;
    if (bModified)
        m_bChanged = true;
    if (!m_strTitle.empty() && m_strTitle.back() == '*')
        m_strTitle.pop_back();
    else
        m_strTitle += '*';
    TitleChanged();
}

bool CDoc::OnNewDocument()
{
    if (!CDocBase::OnNewDocument())
        return false;
    m_Lines.m_bJis = m_Lines.m_bEuc = m_Lines.m_bLfOnly = false;
    m_bChanged = false;
    m_ftLastWrite = 0;
    return true;
}

bool CDoc::OnOpenDocument(std::string_view path)
{
    if (!CDocBase::OnOpenDocument(path))
        return false;
    m_bChanged = false;
    RecordFileTime(path);
    return true;
}

bool CDoc::HasHalfWidthKatakana() const
{
    char* const* lines = m_Lines.GetLines();
    for (int i = 0; i < m_Lines.GetLineCount(); ++i) {
        for (const unsigned char* p = reinterpret_cast<const unsigned char*>(lines[i]); *p;) {
            if (IsLeadByte(*p))
                p += p[1] ? 2 : 1;
            else if (*p++ >= 0x80)
                return true;
        }
    }
    return false;
}

bool CDoc::OnSaveDocument(std::string_view path)
{
    if (AppSettings().m_nMailMode == 2) {
        FlushAnyWorkLine();
        if (HasHalfWidthKatakana()) {
            InfoBox("このファイルには半角カタカナ類のコードが含まれています。\n\n「半角カタカナ検索」機能で修正してください。");
            return false;
        }
    }
    return CDocBase::OnSaveDocument(path);
}

void CDoc::RecordFileTime(std::string_view path)
{
    m_ftLastWrite = 0;
    CFileHandle file = OpenExistingFileExclusive(path);
    FileTime t = 0;
    if (file.IsOpen() && file.GetLastWriteTime(t))
        m_ftLastWrite = t;
}

void CDoc::RestoreFileTime()
{
    if (m_ftLastWrite == 0 || m_strPathName.empty())
        return;
    CFileHandle file = OpenExistingFileExclusive(m_strPathName);
    if (file.IsOpen())
        file.SetLastWriteTime(m_ftLastWrite);
}

bool CDoc::SplitLine(CViewBase* pView, int col, int line)
{
    m_Lines.FlushWorkLine();
    char* p = m_Lines.GetLine(line);
    if (!p || col < 0)
        return false;
    bool ok;
    if (static_cast<size_t>(col) < std::strlen(p)) {
        const char* tail = p + col;
        ok = m_Lines.InsertLines(line + 1, &tail, 1);
        if (ok)
            p[col] = '\0';
    } else {
        ok = m_Lines.InsertEmptyLines(line + 1, 1);
    }
    if (ok && !m_bIsHeader) {
        CCellRect rect{0, line, 0x7FFFFFFF, 0x7FFFFFFF};
        UpdateAllViews(pView, kHintCells, &rect);
    }
    return ok;
}

int CDoc::GetTextLineCount()
{
    int n = m_Lines.GetLineCount();
    while (n > 0) {
        bool bAppended = false;
        const char* p = m_Lines.GetLine(n - 1, &bAppended);
        if (bAppended && !m_bIsHeader)
            UpdateAllViews(nullptr, kHintLineCount);
        if (p && *p)
            break;
        --n;
    }
    return n;
}

void CDoc::ToggleJisOutput()
{
    m_Lines.m_bJis = !m_Lines.m_bJis;
    if (m_Lines.m_bJis)
        m_Lines.m_bEuc = false;
}

void CDoc::ToggleEucOutput()
{
    m_Lines.m_bEuc = !m_Lines.m_bEuc;
    if (m_Lines.m_bEuc)
        m_Lines.m_bJis = false;
}

void CDoc::ToggleLfOnlyOutput() { m_Lines.m_bLfOnly = !m_Lines.m_bLfOnly; }
