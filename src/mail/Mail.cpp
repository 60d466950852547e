// The mail message: reading its header, the values drawn from it, its file.
#include "mail/Mail.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "mail/AliasTable.h"
#include "mail/HeaderSource.h"
#include "mail/MailDate.h"
#include "mail/MailWorkDir.h"
#include "mail/MailTempFile.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/NamedMutex.h"
#include "platform/Ui.h"
#include "services/FileUtils.h"
#include "services/TextUtils.h"
#include "text/Doc.h"
#include "text/DocHeader.h"
#include "text/Sjis.h"

namespace {

// Lines of the body looked at for double-byte text.
constexpr int kDoubleByteScanLines = 2000;
constexpr size_t kScanLineBytes = 4096;
constexpr size_t kCopyBlock = 1024;

bool HasLeadByte(std::string_view s)
{
    for (char c : s)
        if (IsLeadByte(c))
            return true;
    return false;
}

// Copies from to a new file beside to, then puts it in to's place in one step.
// The source stays. bReport: the failures are shown.
bool CopyReplacing(std::string_view from, std::string_view to, bool bReport)
{
    std::string src(from), dst(to);
    CFileHandle in = OpenFileForReading(from);
    if (!in.IsOpen()) {
        if (bReport)
            ErrorBox("%s を開けません", src.c_str());
        return false;
    }
    std::string temp;
    CFileHandle out = CreateTempFileBeside(to, temp);
    if (!out.IsOpen()) {
        if (bReport)
            ErrorBox("%s を開けません", dst.c_str());
        return false;
    }
    char block[kCopyBlock];
    bool ok = true;
    for (;;) {
        std::ptrdiff_t got = in.Read(block, sizeof block);
        if (got < 0) {
            ok = false;
            if (bReport)
                ErrorBox("%s を読めません", src.c_str());
            break;
        }
        if (got == 0)
            break;
        if (!out.Write(block, static_cast<size_t>(got))) {
            ok = false;
            if (bReport)
                ErrorBox("Mysterious partial write in %s", dst.c_str());
            break;
        }
    }
    if (ok && (!out.Sync() || !out.Close())) {
        ok = false;
        if (bReport)
            ErrorBox("Mysterious partial write in %s", dst.c_str());
    }
    out.Close();
    if (ok && !ReplaceFileWith(to, temp)) {
        ok = false;
        if (bReport)
            ErrorBox("can't move %s to %s", src.c_str(), dst.c_str());
    }
    if (!ok)
        RemoveFile(temp);
    return ok;
}

// Moves from onto to: renamed in one step where the system can, else copied
// and replaced in one step, the source deleted only after that.
bool MoveReplacing(std::string_view from, std::string_view to, bool bReport)
{
    if (IsSameFile(from, to)) {
        if (bReport)
            ErrorBox("同じファイルです");
        return false;
    }
    if (ReplaceFileWith(to, from))
        return true;
    if (!CopyReplacing(from, to, bReport))
        return false;
    if (!RemoveFile(from)) {
        // The move is complete; only a copy of the source is left behind.
        std::string src(from);
        TraceLog("Can't remove %s\r\n", src.c_str());
    }
    return true;
}

// Boxes shown while the mail client's mutex is held would keep the client
// waiting until the user closes them: they are collected, and shown when the
// object ends (after the mutex has been let go). The rest passes straight on.
class CDeferredBoxes : public IUi {
public:
    CDeferredBoxes() : m_pNext(SetUi(this)) {}
    ~CDeferredBoxes() override
    {
        SetUi(m_pNext);
        for (const auto& [kind, text] : m_boxes)
            m_pNext->ShowMessageBox(kind, text.c_str());
    }
    CDeferredBoxes(const CDeferredBoxes&) = delete;
    CDeferredBoxes& operator=(const CDeferredBoxes&) = delete;

    bool ShowMessageBox(EMessageBox kind, const char* text) override
    {
        if (kind == EMessageBox::Question)
            return m_pNext->ShowMessageBox(kind, text);
        m_boxes.emplace_back(kind, text);
        return false;
    }
    void ShowStatusMessage(const char* text) override { m_pNext->ShowStatusMessage(text); }
    void ErrorBeep() override { m_pNext->ErrorBeep(); }
    void TraceLog(const char* text) override { m_pNext->TraceLog(text); }

private:
    IUi* m_pNext;
    std::vector<std::pair<EMessageBox, std::string>> m_boxes;
};

} // namespace

CMail::CMail(CDoc* pDoc) : m_pDoc(pDoc)
{
    if (pDoc)
        m_strPath = pDoc->GetPathName();
}

CMail::CMail(std::string_view path, int nId, bool bDeleteFile) : m_bDeleteFile(bDeleteFile), m_strPath(path), m_nId(nId)
{
}

CMail::~CMail()
{
    Close();
    if (m_bDeleteFile && !m_strPath.empty() && FileNameOf(m_strPath).compare(0, 2, "~$") == 0)
        RemoveFile(m_strPath);
}

bool CMail::Open(const char* mode)
{
    if (m_pDoc)
        return true;
    CFileStream::EMode m;
    if (std::strcmp(mode, "r") == 0) {
        m = CFileStream::EMode::Read;
    } else if (std::strcmp(mode, "r+") == 0) {
        m = CFileStream::EMode::Update;
    } else if (std::strcmp(mode, "w") == 0) {
        m = CFileStream::EMode::Write;
    } else {
        ErrorBox("Internal error: unknown fopen mode");
        return false;
    }
    Close();
    m_bEofMarkSeen = false;
    if (m_stream.Open(m_strPath, m))
        return true;
    ErrorBox("%s をオープンできません", m_strPath.c_str());
    return false;
}

void CMail::Close() { m_stream.Close(); }

const CLineStore* CMail::HeaderLines() const
{
    if (!m_pDoc)
        return nullptr;
    return m_pDoc->GetHeaderDoc() ? &m_pDoc->GetHeaderDoc()->m_Lines : &m_pDoc->m_Lines;
}

void CMail::ClearFields()
{
    m_fields.clear();
    m_recipients.clear();
    m_nFieldIndex = 0;
    m_tDate = -1;
}

bool CMail::ReadHeader(bool bStrict, bool bExpandAliases)
{
    m_bStrict = bStrict;
    m_bExpandAliases = bExpandAliases;
    ClearFields();
    m_nBodyOffset = -1;
    m_nBodyLine = 0;
    if (bExpandAliases)
        LoadClientAliases();
    CHeaderSource& src = HeaderSource();
    bool ok;
    if (m_pDoc) {
        src.SetDocument(HeaderLines(), bStrict, m_strPath);
        ok = ReadHeaderFields(bExpandAliases);
    } else {
        if (!Open("r"))
            return false;
        CDeferredBoxes deferred;
        // Held until the end of this block, whichever way the read ends; the
        // mail client waits for it before it touches a mail file.
        CNamedMutex mutex(kMailReadMutexName);
        if (!mutex.Acquire()) {
            Close();
            ErrorBox("can't get mutex %s", kMailReadMutexName);
            return false;
        }
        src.SetFile(&m_stream, bStrict, m_strPath);
        ok = ReadHeaderFields(bExpandAliases);
        src.Reset();
        Close();
        mutex.Release();
    }
    src.Reset();
    // An error ended the read: nothing after it is checked or reported.
    if (!ok)
        return false;
    bool found = false;
    std::string version = FindField("MIME-VERSION", found);
    if (found) {
        version = version.substr(0, version.find_first_of(" \t("));
        if (version != "1.0")
            ErrorBox("%s: Unknown MIME-Version <%s> in %s", m_strPath.c_str(), version.c_str(), m_strPath.c_str());
    }
    return ok;
}

bool CMail::ReadHeaderFields(bool bExpandAliases)
{
    CHeaderSource& src = HeaderSource();
    std::string name, body;
    for (;;) {
        int r = src.ReadField(name, body);
        if (r == kLineSkipped)
            continue;
        if (r == kFieldError) {
            ErrorBox("syntax error in %s", m_strPath.c_str());
            m_nBodyOffset = -1;
            return false;
        }
        if (r == kHeaderEnd) {
            bool bSeparator = src.Token().compare(0, 4, "----") == 0;
            if (!src.IsDocument()) {
                src.SkipToEndOfLine();
                m_nBodyOffset = src.Position();
            } else if (m_pDoc->GetHeaderDoc()) {
                m_nBodyLine = 0;
            } else {
                m_nBodyLine = bSeparator ? src.LineNumber() + 1 : m_pDoc->m_Lines.GetLineCount();
            }
            return true;
        }
        if (!AddField(name, body, bExpandAliases)) {
            TraceLog("Parse error in %s: of %s\r\n", name.c_str(), m_strPath.c_str());
            return false;
        }
    }
}

bool CMail::Load(bool bStrict, bool bExpandAliases)
{
    bool ok = ReadHeader(bStrict, bExpandAliases);
    bool found = false;
    std::string status = FindField("X-STATUS", found);
    m_nStatus = found ? StatusOf(status) : kStatusError;
    m_nFileSize = m_strPath.empty() ? -1 : FileSizeOf(m_strPath);
    m_strSenderName = SenderNameOf(GetField("FROM"));
    std::string subject = GetField("SUBJECT");
    m_strSubject = subject.substr(std::min(subject.find_first_not_of(" \t"), subject.size()));
    m_strBodySummary.clear();
    if (!m_pDoc && ok && m_nBodyOffset >= 0 && Open("r")) {
        if (SeekBody())
            ReadBodySummary(m_strBodySummary);
        else
            ErrorBox("Seek error");
        Close();
    }
    m_strMessageId = IdentifierOf(GetField("MESSAGE-ID"));
    m_strReplyToId = IdentifierOf(GetField("IN-REPLY-TO"));
    if (m_strReplyToId.empty())
        m_strReplyToId = IdentifierOf(GetField("REFERENCES"));
    return ok;
}

std::string CMail::GetField(std::string_view upperName) const
{
    bool found = false;
    return FindField(upperName, found);
}

std::string CMail::FindField(std::string_view upperName, bool& bFound) const
{
    for (const auto& f : m_fields) {
        if (f->UpperName() == upperName) {
            bFound = true;
            return f->Body();
        }
    }
    bFound = false;
    return std::string();
}

bool CMail::AddField(std::string_view name, std::string_view body, bool bExpandAliases)
{
    int kind = CHeaderField::KindOfName(name);
    if (kind == kAddressField) {
        auto d = std::make_unique<CDestination>(name, body);
        bool ok = d->Prase(bExpandAliases);
        if (ok)
            m_recipients.insert(m_recipients.end(), d->Addresses().begin(), d->Addresses().end());
        m_fields.push_back(std::move(d));
        return ok;
    }
    if (kind == kDateField && m_tDate == -1)
        m_tDate = ParseDate(body, m_strPath);
    m_fields.push_back(std::make_unique<CHeaderField>(name, body));
    return true;
}

bool CMail::SetFieldBody(std::string_view upperName, std::string_view body)
{
    for (auto& f : m_fields) {
        if (f->UpperName() != upperName)
            continue;
        f->SetBody(body);
        if (auto* d = dynamic_cast<CDestination*>(f.get()))
            d->Prase(false);
        return true;
    }
    return false;
}

bool CMail::NextFieldText(std::string& text, bool bWithBlank)
{
    if (m_nFieldIndex >= m_fields.size())
        return false;
    const CHeaderField& f = *m_fields[m_nFieldIndex++];
    text = bWithBlank ? f.Name() + ": " + f.Body() : f.UpperName() + ":" + f.Body();
    return true;
}

std::string CMail::GetBoundary(bool bReport) const
{
    std::string body = GetField("CONTENT-TYPE");
    size_t pos = FindNoCase(body, "boundary");
    if (pos == std::string::npos) {
        if (bReport)
            ErrorBox("boundary info missing from %s", m_strPath.c_str());
        return std::string();
    }
    size_t eq = body.find('=', pos + 8);
    if (eq == std::string::npos) {
        if (bReport)
            ErrorBox("boundary info format error in %s", m_strPath.c_str());
        return std::string();
    }
    size_t i = body.find_first_not_of(" \t\r\n", eq + 1);
    if (i == std::string::npos)
        return std::string();
    if (body[i] == '"') {
        size_t close = body.find('"', i + 1);
        return body.substr(i + 1, close == std::string::npos ? std::string::npos : close - i - 1);
    }
    // A bare value is a token: it ends at white space or at the next parameter.
    return body.substr(i, body.find_first_of(" \t\r\n;", i) - i);
}

bool CMail::BodyHasDoubleByte()
{
    for (const auto& f : m_fields)
        if (HasLeadByte(f->Name()) || HasLeadByte(f->Body()))
            return true;
    if (m_pDoc) {
        const CLineStore& lines = m_pDoc->m_Lines;
        int first = m_pDoc->GetHeaderDoc() ? 0 : m_nBodyLine;
        for (int i = first; i < lines.GetLineCount() && i < first + kDoubleByteScanLines; ++i)
            if (HasLeadByte(lines.GetLines()[i]))
                return true;
        return false;
    }
    bool bOpened = false;
    std::int64_t pos = 0;
    if (m_stream.IsOpen()) {
        pos = m_stream.Tell();
    } else {
        if (!Open("r"))
            return false;
        bOpened = true;
    }
    bool found = false;
    if (SeekBody()) {
        std::string line;
        for (int n = 0; n < kDoubleByteScanLines && !found && m_stream.ReadLine(line, kScanLineBytes); ++n)
            found = HasLeadByte(line);
    }
    if (bOpened)
        Close();
    else
        m_stream.Seek(pos);
    return found;
}

bool CMail::SeekBody()
{
    if (m_nBodyOffset < 0 || !m_stream.IsOpen() || !m_stream.Seek(m_nBodyOffset))
        return false;
    m_bEofMarkSeen = false;
    return true;
}

bool CMail::ReadBodySummary(std::string& summary, size_t maxBytes)
{
    summary.assign(maxBytes, '\0');
    size_t got = m_stream.Read(summary.data(), maxBytes);
    summary.resize(got);
    if (!summary.empty() && IsFirstByteAt(summary, static_cast<long>(summary.size()) - 1))
        summary.pop_back();  // the first half of a character the limit cut
    for (char& c : summary)
        if (c == '\r' || c == '\n')
            c = ' ';
    return !m_stream.HasError();
}

bool CMail::ReadLine(std::string& line, size_t size, bool bStopAtEofMark)
{
    line.clear();
    if (m_bEofMarkSeen || size < 2 || !m_stream.ReadLine(line, size - 1))
        return false;
    if (bStopAtEofMark) {
        size_t mark = line.find('\x1A');
        if (mark != std::string::npos) {
            line.resize(mark);
            m_bEofMarkSeen = true;
            return !line.empty();
        }
    }
    return true;
}

bool CMail::Remove(bool bReport)
{
    Close();
    if (RemoveFile(m_strPath))
        return true;
    if (bReport)
        ErrorBox("Can't remove %s", m_strPath.c_str());
    return false;
}

bool CMail::MoveOrCopyFile(std::string_view from, std::string_view to) { return MoveReplacing(from, to, true); }

bool CMail::ReplaceFileWithRebuilt(CMailTempFile& rebuilt)
{
    Close();
    if (!rebuilt.Close())
        return false;
    if (MoveReplacing(rebuilt.GetPath(), m_strPath, false))
        return true;
    // The mail stays as it was; the new one is kept where the user can find it.
    std::string name = FileNameOf(m_strPath);
    std::string ext = ExtensionOf(name);
    std::string stem = name.substr(0, name.size() - ext.size());
    std::string saved;
    for (int n = 0; n < 1000 && saved.empty(); ++n) {
        char number[32];
        std::snprintf(number, sizeof number, "-rebuilt%03d", n);
        std::string candidate = JoinPath(MailWorkDir(), stem + number + ext);
        CFileHandle claim = OpenFileForWriting(candidate, EWriteMode::CreateNew);
        if (!claim.IsOpen()) {
            if (LastFileError().kind == EFileError::Exists)
                continue;
            break;
        }
        claim.Close();
        if (MoveReplacing(rebuilt.GetPath(), candidate, false))
            saved = candidate;
        else
            RemoveFile(candidate);
        break;
    }
    if (saved.empty()) {
        rebuilt.Keep();
        saved = rebuilt.GetPath();
    }
    ErrorBox("Can't rename %s as %s\nOriginal message %s is unchanged\nRebuilt message saved as %s",
             rebuilt.GetPath().c_str(), m_strPath.c_str(), m_strPath.c_str(), saved.c_str());
    return false;
}

int CMail::StatusOf(std::string_view word)
{
    static const char* const kWords[] = {"RECV", "READ", "RPLY", "RPLD", "WRIT", "SENT", "ERRR"};
    for (int i = 0; i < 7; ++i)
        if (word == kWords[i])
            return i + 1;
    return kStatusError;
}

std::string CMail::SenderNameOf(std::string_view from)
{
    // The first mailbox: up to a comma outside quotes and comments; a group's
    // colon takes everything up to its semicolon along.
    bool bQuote = false;
    int nComment = 0;
    size_t i = 0;
    while (i < from.size()) {
        char c = from[i];
        size_t n = CharUnitAt(from, i);
        if (n == 1 && (bQuote || nComment > 0) && c == '\\' && i + 1 < from.size()) {
            i += 1 + CharUnitAt(from, i + 1);
            continue;
        }
        if (n == 2) {
            i += 2;
            continue;
        }
        if (bQuote) {
            if (c == '"')
                bQuote = false;
        } else if (nComment > 0) {
            if (c == '(')
                ++nComment;
            else if (c == ')')
                --nComment;
        } else if (c == '"') {
            bQuote = true;
        } else if (c == '(') {
            nComment = 1;
        } else if (c == ',') {
            break;
        } else if (c == ':') {
            size_t semi = from.find(';', i);
            i = semi == std::string_view::npos ? from.size() : semi;
            continue;
        }
        i += n;
    }
    std::string_view box = TrimOf(from.substr(0, i), "\r\n\t ");
    std::string_view name;
    size_t lt = box.find('<');
    size_t open = box.find('(');
    if (lt == 0 && box.find('>') == box.size() - 1) {
        name = box.substr(1, box.size() - 2);
    } else if (lt != std::string_view::npos) {
        name = box.substr(0, lt);
    } else if (size_t close = open == std::string_view::npos ? open : box.find(')', open);
               close != std::string_view::npos) {
        name = box.substr(open + 1, close - open - 1);
    } else {
        // No comment, or one never closed: the mailbox as it stands.
        name = box;
    }
    name = TrimOf(name, "\r\n\t ");
    if (name.size() > 2 && name.front() == '"' && name.back() == '"')
        name = name.substr(1, name.size() - 2);
    return std::string(name);
}

std::string CMail::IdentifierOf(std::string_view body)
{
    size_t lt = body.find('<');
    if (lt == std::string_view::npos)
        return std::string();
    size_t gt = body.find('>', lt + 1);
    if (gt == std::string_view::npos)
        return std::string();
    return std::string(body.substr(lt + 1, gt - lt - 1));
}
