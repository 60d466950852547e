// Writing a mail as a MIME multipart message from a parts folder, and back to
// plain text. Every rewrite goes into a temporary file first; the mail file is
// replaced by it in one step at the end, so a failure leaves the mail as it was.
#include "mail/Mail.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <set>

#include "mail/ContentTypeTable.h"
#include "mail/HeaderFold.h"
#include "mail/MailTempFile.h"
#include "mail/MimeEncode.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "services/FileUtils.h"
#include "services/TextUtils.h"
#include "text/Sjis.h"
#include "text/Unicode.h"

namespace {

constexpr char kContentDescription[] = "Content-Description: \"Mail with base64 encoded attachment\"\r\n";
constexpr char kPreamble[] = "This is a MIME multipart message.\r\n";
constexpr char kTextPlainJis[] = "Content-Type: text/plain; charset=iso-2022-jp\r\n";
constexpr char kIndexName[] = "~$prtinf.dat";
constexpr int kMaxNesting = 16;
constexpr size_t kLineChunk = 64 * 1024;
constexpr size_t kTextCopyBlock = 2048;
constexpr int kTextScanLines = 2000;
constexpr size_t kTextScanLineBytes = 4096;
// Room for one header line after MIME encoding (a file name of 255 double-byte
// characters takes under 2000 bytes).
constexpr size_t kHeaderLineCapacity = 4096;

// The body text part of a parts folder ("本文.txt").
const std::string& BodyTextName()
{
    static const std::string s_name = Utf8ToSjis("本文.txt");
    return s_name;
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }
bool EndsWithCrLf(const std::string& s) { return s.size() >= 2 && s.compare(s.size() - 2, 2, "\r\n") == 0; }

// A boundary nobody used in this run: "Mavlen_" with the time in seconds and
// the low 16 bits of the millisecond tick; a repeat (two within one
// millisecond, nested levels) gets the next tick value.
std::string NewBoundary()
{
    static std::set<std::string> s_issued;
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    unsigned seconds = static_cast<unsigned>(std::time(nullptr));
    unsigned tick = static_cast<unsigned>(ms.count()) & 0xFFFF;
    for (;;) {
        char text[32];
        std::snprintf(text, sizeof text, "%s%08x%04x", "Mavlen_", seconds, tick);
        if (s_issued.insert(text).second)
            return text;
        tick = (tick + 1) & 0xFFFF;
        if (tick == 0)
            ++seconds;
    }
}

void ReportReadError(const std::string& path) { ErrorBox("Read error in %s", path.c_str()); }

// Copies the header lines of in up to its separator line (which is read, not
// written). bDropContent: lines beginning "Content-Type" or "Content-Description"
// are left out with the continuation lines that follow them.
bool CopyHeaderLines(CFileStream& in, CMailTempFile& out, bool bDropContent)
{
    std::string chunk;
    bool bLineStart = true;
    bool bDropping = false;
    while (in.ReadLine(chunk, kLineChunk)) {
        bool bComplete = EndsWithCrLf(chunk);
        if (bLineStart) {
            if (StartsWith(chunk, "----")) {
                while (!bComplete && in.ReadLine(chunk, kLineChunk))
                    bComplete = EndsWithCrLf(chunk);
                break;
            }
            if (chunk[0] != ' ' && chunk[0] != '\t')
                bDropping = bDropContent &&
                            (StartsWith(chunk, "Content-Type") || StartsWith(chunk, "Content-Description"));
        }
        if (!bDropping && !out.Write(chunk))
            return false;
        bLineStart = bComplete;
    }
    if (in.HasError()) {
        ReportReadError(in.GetPath());
        return false;
    }
    return true;
}

// Copies the body lines of in up to (not including) the line closing, or to
// the end when there is none.
bool CopyBodyUntil(CFileStream& in, CMailTempFile& out, const std::string& closing)
{
    std::string chunk;
    bool bLineStart = true;
    while (in.ReadLine(chunk, kLineChunk)) {
        if (bLineStart && chunk == closing)
            break;
        if (!out.Write(chunk))
            return false;
        bLineStart = EndsWithCrLf(chunk);
    }
    if (in.HasError()) {
        ReportReadError(in.GetPath());
        return false;
    }
    return true;
}

// Copies what is left of in, in blocks of the given size.
bool CopyRest(CFileStream& in, CMailTempFile& out, size_t block)
{
    std::string buf(block, '\0');
    for (;;) {
        size_t got = in.Read(buf.data(), block);
        if (got > 0 && !out.Write(std::string_view(buf.data(), got)))
            return false;
        if (got < block)
            break;
    }
    if (in.HasError()) {
        ReportReadError(in.GetPath());
        return false;
    }
    return true;
}

// Does a text file hold a Shift-JIS lead byte in its first lines?
bool TextFileHasDoubleByte(CFileStream& in)
{
    std::string line;
    for (int n = 0; n < kTextScanLines && in.ReadLine(line, kTextScanLineBytes); ++n)
        for (char c : line)
            if (IsLeadByte(c))
                return true;
    return false;
}

// Writes one header line MIME-encoded and folded at 76 columns; nothing when
// the encoding fails (its box has been shown).
bool WriteHeaderLine(CMailTempFile& out, const std::string& line)
{
    std::string encoded;
    if (EncodeHeaderText(encoded, kHeaderLineCapacity, line) < 0)
        return false;
    FoldHeaderLine(encoded, kHeaderFoldWidth);
    return out.Write(encoded);
}

// One part of the message, after its boundary line.
bool WritePart(CMailTempFile& out, const std::string& file, bool bInline)
{
    std::string name = FileNameOf(file);
    if (name == BodyTextName()) {
        CFileStream in;
        if (!in.Open(file, CFileStream::EMode::Read))
            return false;
        bool bJis = TextFileHasDoubleByte(in);
        if (!out.Write(bJis ? kTextPlainJis : "Content-Type: text/plain\r\n") || !out.Write("\r\n") ||
            !in.Seek(0))
            return false;
        return CopyRest(in, out, kTextCopyBlock);
    }
    if (EqualsNoCase(ExtensionOf(name), ".mpm")) {
        CFileStream in;
        if (!in.Open(file, CFileStream::EMode::Read))
            return false;
        return CopyRest(in, out, kTextCopyBlock);
    }
    std::string type = ContentTypes().MediaTypeOf(name);
    if (!WriteHeaderLine(out, "Content-Type: " + type + "; name=\"" + name + "\"\r\n") ||
        !out.Write("Content-Transfer-Encoding: Base64\r\n") ||
        !WriteHeaderLine(out, std::string("Content-Disposition: ") + (bInline ? "inline" : "attachment") +
                                  "; filename=\"" + name + "\"\r\n") ||
        !out.Write("\r\n"))
        return false;
    if (!EncodeBase64Lines(out.Stream(), file)) {
        if (out.Stream().HasError()) {
            ErrorBox("Write error");
            TraceLog("Write error\r\n");
        }
        return false;
    }
    return true;
}

// One line of the parts index: file name, type, subtype, "inline" or "attachment".
bool SplitIndexLine(std::string line, std::string fields[4])
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    size_t start = 0;
    for (int k = 0; k < 4; ++k) {
        size_t semi = line.find(';', start);  // ';' is never the second byte of a character
        if ((k < 3) == (semi == std::string::npos))
            return false;
        fields[k] = line.substr(start, semi == std::string::npos ? std::string::npos : semi - start);
        if (fields[k].empty())
            return false;
        start = semi + 1;
    }
    return true;
}

// The header of the mail in, without its content fields, as a multipart
// message without parts (the old body is dropped).
bool WriteEmptyMultipart(CFileStream& in, CMailTempFile& out)
{
    std::string boundary = NewBoundary();
    return CopyHeaderLines(in, out, true) && out.Write(kContentDescription) &&
           out.Write("Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n--------\r\n") &&
           out.Write(kPreamble) && out.Write("--" + boundary + "--\r\n");
}

} // namespace

bool CMail::MakeEmptyMultipart()
{
    CMailTempFile temp;
    if (!Open("r") || !temp.Open("w"))
        return false;
    bool ok = WriteEmptyMultipart(m_stream, temp);
    Close();
    if (!ok || !ReplaceFileWithRebuilt(temp))
        return false;
    return ReadHeader(m_bStrict, m_bExpandAliases);
}

bool CMail::RebuildFromParts(std::string_view partsFolder)
{
    // The empty multipart and the parts go into a copy of the mail, which takes
    // the mail's place only when it is complete.
    CMailTempFile work;
    if (!Open("r") || !work.Open("w"))
        return false;
    bool ok = WriteEmptyMultipart(m_stream, work);
    Close();
    if (!ok || !work.Close())
        return false;
    {
        CMail copy(work.GetPath());
        if (!copy.ReadHeader(false, false) || !copy.BuildFromPartsFolder(partsFolder, 0))
            return false;
    }
    if (!ReplaceFileWithRebuilt(work))
        return false;
    return ReadHeader(m_bStrict, m_bExpandAliases);
}

bool CMail::BuildFromPartsFolder(std::string_view partsFolder, int depth)
{
    std::string indexPath = JoinPath(partsFolder, kIndexName);
    if (depth > kMaxNesting) {
        ErrorBox("multipart nested too deeply in %s", indexPath.c_str());
        return false;
    }
    CFileStream index;
    if (!index.Open(indexPath, CFileStream::EMode::Read)) {
        ErrorBox("can't open %s", indexPath.c_str());
        return false;
    }
    std::vector<std::string> files;
    std::vector<bool> inlineFlags;
    std::string line;
    while (index.ReadLine(line, kLineChunk)) {
        std::string f[4];
        if (!SplitIndexLine(line, f) || !IsPlainFileName(f[0])) {
            ErrorBox("format error in %s", indexPath.c_str());
            return false;
        }
        if (EqualsNoCase(f[1], "multipart")) {
            // A nested multipart part: a folder of that name, written into a
            // new entity file beside it.
            std::string entity = JoinPath(partsFolder, f[0] + ".mpm");
            {
                CFileHandle create = OpenFileForWriting(entity, EWriteMode::Truncate);
                if (!create.IsOpen()) {
                    ErrorBox("Can't open %s", entity.c_str());
                    return false;
                }
            }
            CMail nested(entity);
            if (!nested.BuildFromPartsFolder(JoinPath(partsFolder, f[0]), depth + 1))
                return false;
            files.push_back(entity);
            inlineFlags.push_back(false);
        } else {
            files.push_back(JoinPath(partsFolder, f[0]));
            inlineFlags.push_back(EqualsNoCase(f[3], "inline"));
        }
    }
    if (index.HasError()) {
        ReportReadError(indexPath);
        return false;
    }
    index.Close();
    return WriteMultipart(files, inlineFlags, depth);
}

bool CMail::WriteMultipart(const std::vector<std::string>& files, const std::vector<bool>& inlineFlags, int depth)
{
    CMailTempFile temp;
    if (!Open("r") || !temp.Open("w"))
        return false;
    std::string boundary = GetBoundary(false);
    bool bHadBoundary = !boundary.empty();
    bool ok = CopyHeaderLines(m_stream, temp, !bHadBoundary);
    if (ok && !bHadBoundary) {
        boundary = NewBoundary();
        ok = temp.Write(kContentDescription) &&
             temp.Write("Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n");
    }
    if (ok) {
        if (depth >= 1)
            ok = temp.Write("\r\n") && temp.Write(kPreamble);
        else if (!bHadBoundary)
            ok = temp.Write("--------\r\n") && temp.Write(kPreamble) && temp.Write("\r\n");
        else
            ok = temp.Write("--------\r\n");
    }
    if (ok) {
        if (depth == 0 && !bHadBoundary) {
            // The plain body becomes the first part.
            ok = temp.Write("--" + boundary + "\r\n") && temp.Write(kTextPlainJis) && temp.Write("\r\n") &&
                 CopyRest(m_stream, temp, kTextCopyBlock) && temp.Write("\r\n");
        } else {
            ok = CopyBodyUntil(m_stream, temp, "--" + boundary + "--\r\n");
        }
    }
    for (size_t i = 0; ok && i < files.size(); ++i)
        ok = temp.Write("\r\n--" + boundary + "\r\n") &&
             WritePart(temp, files[i], i < inlineFlags.size() && inlineFlags[i]);
    ok = ok && temp.Write("\r\n--" + boundary + "--\r\n");
    Close();
    return ok && ReplaceFileWithRebuilt(temp);
}

bool CMail::RevertToPlainText(std::string_view textFile)
{
    bool bJis = BodyHasDoubleByte();
    CFileStream text;
    if (!text.Open(textFile, CFileStream::EMode::Read)) {
        std::string path(textFile);
        ErrorBox("Can't open %s", path.c_str());
        return false;
    }
    CMailTempFile temp;
    if (!Open("r") || !temp.Open("w"))
        return false;
    bool ok = CopyHeaderLines(m_stream, temp, true) && (!bJis || temp.Write(kTextPlainJis)) &&
              temp.Write("--------\r\n") && CopyRest(text, temp, kTextCopyBlock);
    Close();
    if (!ok || !ReplaceFileWithRebuilt(temp))
        return false;
    return ReadHeader(m_bStrict, m_bExpandAliases);
}
