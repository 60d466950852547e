// Taking a multipart mail apart into a parts folder.
#include "mail/MailPartsSplit.h"

#include <cstdio>

#include "mail/ContentTypeTable.h"
#include "mail/PartNames.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "services/Base64.h"
#include "services/FileUtils.h"
#include "services/TextUtils.h"
#include "text/Codes.h"
#include "text/Unicode.h"

namespace {

constexpr int kMaxNesting = 16;

std::string Lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Text of a charset as Shift-JIS.
std::string ToShiftJis(std::string_view charset, std::string bytes)
{
    std::string cs = Lower(charset);
    if (cs == "utf-8" || cs == "utf8")
        return Utf8ToSjis(bytes);
    if (cs == "iso-2022-jp") {
        bool bSjis = false, bJis = true, bEuc = false;
        size_t n = ToSjisN(bytes.data(), bytes.size(), bSjis, bJis, bEuc);
        bytes.resize(n);
        return bytes;
    }
    if (cs == "euc-jp") {
        bool bSjis = false, bJis = false, bEuc = true;
        size_t n = ToSjisN(bytes.data(), bytes.size(), bSjis, bJis, bEuc);
        bytes.resize(n);
    }
    return bytes;
}

// One encoded word at text[i] ("=?cs?E?t?="): its decoded text and the length taken.
bool DecodeOneWord(std::string_view text, size_t i, std::string& decoded, size_t& length)
{
    if (text.substr(i, 2) != "=?")
        return false;
    size_t q1 = text.find('?', i + 2);
    if (q1 == std::string_view::npos || q1 + 2 >= text.size() || text[q1 + 2] != '?')
        return false;
    size_t end = text.find("?=", q1 + 3);
    if (end == std::string_view::npos)
        return false;
    std::string_view charset = text.substr(i + 2, q1 - i - 2);
    charset = charset.substr(0, charset.find('*'));  // RFC 2231 language
    char enc = text[q1 + 1];
    std::string_view payload = text.substr(q1 + 3, end - q1 - 3);
    std::string bytes;
    if (enc == 'B' || enc == 'b') {
        if (!DecodeBase64Body(payload, bytes))
            return false;
    } else if (enc == 'Q' || enc == 'q') {
        for (size_t k = 0; k < payload.size(); ++k) {
            char c = payload[k];
            if (c == '_')
                bytes += ' ';
            else if (c == '=' && k + 2 < payload.size() && HexValue(payload[k + 1]) >= 0 &&
                     HexValue(payload[k + 2]) >= 0) {
                bytes += static_cast<char>(HexValue(payload[k + 1]) * 16 + HexValue(payload[k + 2]));
                k += 2;
            } else
                bytes += c;
        }
    } else {
        return false;
    }
    decoded = ToShiftJis(charset, std::move(bytes));
    length = end + 2 - i;
    return true;
}

// RFC 2231: charset'language'percent-encoded text.
std::string DecodeExtendedValue(std::string_view value)
{
    size_t q1 = value.find('\'');
    size_t q2 = q1 == std::string_view::npos ? q1 : value.find('\'', q1 + 1);
    if (q2 == std::string_view::npos)
        return std::string(value);
    std::string bytes;
    for (size_t k = q2 + 1; k < value.size(); ++k) {
        if (value[k] == '%' && k + 2 < value.size() && HexValue(value[k + 1]) >= 0 && HexValue(value[k + 2]) >= 0) {
            bytes += static_cast<char>(HexValue(value[k + 1]) * 16 + HexValue(value[k + 2]));
            k += 2;
        } else {
            bytes += value[k];
        }
    }
    return ToShiftJis(value.substr(0, q1), std::move(bytes));
}

// A field body "value; key=val; key="val"": the value and the parameters
// (keys in lower case).
void SplitParameters(std::string_view body, std::string& value,
                     std::vector<std::pair<std::string, std::string>>& params)
{
    std::vector<std::string> pieces(1);
    bool bQuoted = false;
    for (size_t i = 0; i < body.size(); ++i) {
        char c = body[i];
        if (c == '\\' && bQuoted && i + 1 < body.size()) {
            pieces.back() += c;
            pieces.back() += body[++i];
            continue;
        }
        if (c == '"')
            bQuoted = !bQuoted;
        if (c == ';' && !bQuoted)
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    value = Lower(TrimOf(pieces[0], " \t"));
    for (size_t k = 1; k < pieces.size(); ++k) {
        std::string_view piece = TrimOf(pieces[k], " \t");
        size_t eq = piece.find('=');
        if (eq == std::string_view::npos)
            continue;
        std::string key = Lower(TrimOf(piece.substr(0, eq), " \t"));
        std::string_view val = TrimOf(piece.substr(eq + 1), " \t");
        std::string unquoted;
        if (val.size() >= 2 && val.front() == '"' && val.back() == '"') {
            for (size_t i = 1; i + 1 < val.size(); ++i) {
                if (val[i] == '\\' && i + 2 < val.size())
                    ++i;
                unquoted += val[i];
            }
        } else {
            unquoted = val;
        }
        params.emplace_back(key, unquoted);
    }
}

std::string ParameterName(const std::vector<std::pair<std::string, std::string>>& params, const std::string& key)
{
    for (const auto& [k, v] : params)
        if (k == key)
            return DecodeHeaderWords(v);
    for (const auto& [k, v] : params)
        if (k == key + "*")
            return DecodeExtendedValue(v);
    return std::string();
}

// Splits text into the header (without the line ending the header) and the
// body. bMailFile: the header also ends at a line beginning "----" (the mail
// file's separator).
void SplitHeader(std::string_view text, bool bMailFile, std::string_view& header, std::string_view& body)
{
    size_t pos = 0;
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        size_t next = eol == std::string_view::npos ? text.size() : eol + 1;
        std::string_view line = text.substr(pos, next - pos);
        std::string_view bare = line.substr(0, line.find_first_of("\r\n"));
        if (bare.empty() || (bMailFile && bare.substr(0, 4) == "----")) {
            header = text.substr(0, pos);
            body = text.substr(next);
            return;
        }
        pos = next;
    }
    header = text;
    body = std::string_view();
}

bool WriteWholeFile(const std::string& path, std::string_view bytes)
{
    CFileHandle file = OpenFileForWriting(path, EWriteMode::CreateNew);
    if (!file.IsOpen() || !file.Write(bytes.data(), bytes.size()) || !file.Close()) {
        ErrorBox("can't write %s", path.c_str());
        return false;
    }
    return true;
}

bool ReadWholeFile(std::string_view path, std::string& bytes)
{
    CFileHandle file = OpenFileForReading(path);
    if (!file.IsOpen())
        return false;
    char buf[64 * 1024];
    for (;;) {
        std::ptrdiff_t got = file.Read(buf, sizeof buf);
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        bytes.append(buf, static_cast<size_t>(got));
    }
}

// The name a part is saved under before it is made plain and unique.
std::string WantedName(const CEntityHeader& h, size_t index, bool bBodyTextFree)
{
    if (!h.strFileName.empty())
        return h.strFileName;
    if (h.strType == "multipart") {
        char name[32];
        std::snprintf(name, sizeof name, "multipart%zu", index + 1);
        return name;
    }
    if (bBodyTextFree && h.strType == "text" && h.strSubtype == "plain")
        return Utf8ToSjis("本文.txt");
    // An unnamed part never gets a name that would run it.
    std::string ext = ".dat";
    if (const CContentType* row = ContentTypes().FindByType(h.strType, h.strSubtype)) {
        std::string_view list = row->strExtensions;
        std::string_view first = TrimOf(list.substr(0, list.find(',')), " ");
        if (!first.empty() && !EqualsNoCase(first, "exe") && !EqualsNoCase(first, "com") &&
            !EqualsNoCase(first, "bat") && !EqualsNoCase(first, "cmd"))
            ext = "." + std::string(first);
    }
    char name[32];
    std::snprintf(name, sizeof name, "part%zu", index + 1);
    return name + ext;
}

// The index line of a part: its fields never hold ";" or a line break.
std::string IndexField(std::string_view s, const char* fallback)
{
    std::string out;
    for (char c : s)
        if (c != ';' && c != '\r' && c != '\n')
            out += c;
    return out.empty() ? std::string(fallback) : out;
}

} // namespace

std::string DecodeHeaderWords(std::string_view text)
{
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        std::string decoded;
        size_t length = 0;
        if (DecodeOneWord(text, i, decoded, length)) {
            out += decoded;
            i += length;
            // Blanks between two encoded words belong to neither.
            size_t j = i;
            while (j < text.size() && (text[j] == ' ' || text[j] == '\t' || text[j] == '\r' || text[j] == '\n'))
                ++j;
            std::string dummy;
            size_t len2 = 0;
            if (j > i && DecodeOneWord(text, j, dummy, len2))
                i = j;
            continue;
        }
        out += text[i++];
    }
    return out;
}

std::string DecodeQuotedPrintable(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '=') {
            out += c;
            continue;
        }
        // A soft line break: "=" at the end of a line (blanks may follow it).
        size_t j = i + 1;
        while (j < text.size() && (text[j] == ' ' || text[j] == '\t'))
            ++j;
        if (j < text.size() && (text[j] == '\r' || text[j] == '\n')) {
            if (text[j] == '\r' && j + 1 < text.size() && text[j + 1] == '\n')
                ++j;
            i = j;
            continue;
        }
        if (j >= text.size()) {
            i = j;
            continue;
        }
        if (i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

bool DecodeBase64Body(std::string_view text, std::string& bytes)
{
    // The decoder takes one work buffer of text at a time: feed it whole groups.
    std::string chars;
    for (char c : text)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/' ||
            c == '=')
            chars += c;
    while (chars.size() % 4 != 0)
        chars += '=';
    constexpr size_t kChunk = kBase64DecodeWorkSize / 4 * 4;
    std::string out;
    for (size_t at = 0; at < chars.size(); at += kChunk) {
        std::string piece = chars.substr(at, kChunk);
        size_t start = out.size();
        out.resize(start + piece.size() / 4 * 3);
        long n = Base64Decode(out.data() + start, piece.size() / 4 * 3, piece.c_str());
        if (n < 0)
            return false;
        out.resize(start + static_cast<size_t>(n));
    }
    bytes = std::move(out);
    return true;
}

CEntityHeader ParseEntityHeader(std::string_view header)
{
    CEntityHeader h;
    // Unfold: a line beginning with a blank or tab continues the one before.
    std::vector<std::string> fields;
    size_t pos = 0;
    while (pos < header.size()) {
        size_t eol = header.find('\n', pos);
        size_t next = eol == std::string_view::npos ? header.size() : eol + 1;
        std::string_view line = header.substr(pos, next - pos);
        line = line.substr(0, line.find_first_of("\r\n"));
        if (!line.empty() && (line[0] == ' ' || line[0] == '\t') && !fields.empty())
            fields.back() += line;
        else if (!line.empty())
            fields.emplace_back(line);
        pos = next;
    }
    std::string name;
    for (const std::string& f : fields) {
        size_t colon = f.find(':');
        if (colon == std::string::npos)
            continue;
        std::string key = Lower(TrimOf(std::string_view(f).substr(0, colon), " \t"));
        std::string_view body = std::string_view(f).substr(colon + 1);
        std::string value;
        std::vector<std::pair<std::string, std::string>> params;
        if (key == "content-type") {
            SplitParameters(body, value, params);
            size_t slash = value.find('/');
            if (slash != std::string::npos && slash > 0 && slash + 1 < value.size()) {
                h.strType = value.substr(0, slash);
                h.strSubtype = value.substr(slash + 1);
            }
            for (const auto& [k, v] : params)
                if (k == "boundary")
                    h.strBoundary = v;
            if (h.strFileName.empty())
                name = ParameterName(params, "name");
        } else if (key == "content-transfer-encoding") {
            h.strEncoding = Lower(TrimOf(body, " \t"));
        } else if (key == "content-disposition") {
            SplitParameters(body, value, params);
            h.bInline = value == "inline";
            std::string fileName = ParameterName(params, "filename");
            if (!fileName.empty())
                h.strFileName = fileName;
        }
    }
    if (h.strFileName.empty())
        h.strFileName = name;
    return h;
}

bool SplitMultipartBody(std::string_view body, std::string_view boundary, std::string_view partsFolder,
                        std::vector<CSplitPart>& parts, int depth)
{
    std::string indexPath = JoinPath(partsFolder, kPartsIndexName);
    if (depth > kMaxNesting) {
        ErrorBox("multipart nested too deeply in %s", indexPath.c_str());
        return false;
    }
    // The delimiter lines: "--boundary" at a line start; the line ending
    // before one belongs to it, not to the part above.
    std::string dash = "--" + std::string(boundary);
    std::vector<std::string_view> entities;
    size_t partStart = std::string_view::npos;
    size_t pos = 0;
    bool bClosed = false;
    while (pos <= body.size() && !bClosed) {
        size_t eol = body.find('\n', pos);
        size_t next = eol == std::string_view::npos ? body.size() : eol + 1;
        std::string_view line = body.substr(pos, next - pos);
        std::string_view bare = line.substr(0, line.find_first_of("\r\n"));
        bool bDelimiter = bare.substr(0, dash.size()) == dash;
        if (bDelimiter) {
            std::string_view rest = TrimOf(bare.substr(dash.size()), " \t");
            bDelimiter = rest.empty() || rest == "--";
            if (bDelimiter) {
                if (partStart != std::string_view::npos) {
                    size_t end = pos;
                    if (end > partStart && body[end - 1] == '\n')
                        --end;
                    if (end > partStart && body[end - 1] == '\r')
                        --end;
                    entities.push_back(body.substr(partStart, end - partStart));
                }
                bClosed = rest == "--";
                partStart = next;
            }
        }
        if (next >= body.size())
            break;
        pos = next;
    }
    if (!bClosed && partStart != std::string_view::npos && partStart < body.size())
        entities.push_back(body.substr(partStart));

    std::string index;
    std::vector<std::string> taken{kPartsIndexName};
    bool bBodyTextFree = true;
    for (size_t k = 0; k < entities.size(); ++k) {
        std::string_view head, content;
        SplitHeader(entities[k], false, head, content);
        CSplitPart part;
        part.header = ParseEntityHeader(head);
        const CEntityHeader& h = part.header;
        std::string plain = PlainPartName(WantedName(h, k, bBodyTextFree));
        if (plain.empty()) {
            CEntityHeader unnamed = h;
            unnamed.strFileName.clear();
            plain = PlainPartName(WantedName(unnamed, k, false));
        }
        part.strName = UniquePartName(plain, taken);
        taken.push_back(part.strName);
        std::string path = JoinPath(partsFolder, part.strName);
        if (h.strType == "multipart" && !h.strBoundary.empty()) {
            // The rebuild writes the nested entity beside its folder.
            taken.push_back(part.strName + ".mpm");
            if (!CreateFolder(path)) {
                ErrorBox("can't make folder %s", path.c_str());
                return false;
            }
            std::vector<CSplitPart> nested;
            if (!SplitMultipartBody(content, h.strBoundary, path, nested, depth + 1))
                return false;
        } else {
            if (h.strType == "multipart")
                part.header.strType = "application", part.header.strSubtype = "octet-stream";
            std::string bytes;
            if (h.strEncoding == "base64") {
                if (!DecodeBase64Body(content, bytes))
                    bytes = content;  // kept as it came rather than lost
            } else if (h.strEncoding == "quoted-printable") {
                bytes = DecodeQuotedPrintable(content);
            } else {
                bytes = content;
            }
            if (!WriteWholeFile(path, bytes))
                return false;
            if (part.strName == Utf8ToSjis("本文.txt"))
                bBodyTextFree = false;
        }
        index += part.strName + ";" + IndexField(part.header.strType, "application") + ";" +
                 IndexField(part.header.strSubtype, "octet-stream") + ";" +
                 (part.header.bInline ? "inline" : "attachment") + "\r\n";
        parts.push_back(std::move(part));
    }
    return WriteWholeFile(indexPath, index);
}

bool SplitMailIntoParts(std::string_view mailPath, std::string_view partsFolder)
{
    std::string path(mailPath);
    std::string text;
    if (!ReadWholeFile(mailPath, text)) {
        ErrorBox("%s をオープンできません", path.c_str());
        return false;
    }
    std::string_view head, body;
    SplitHeader(text, true, head, body);
    CEntityHeader h = ParseEntityHeader(head);
    if (h.strType != "multipart" || h.strBoundary.empty()) {
        ErrorBox("%s is no multipart message", path.c_str());
        return false;
    }
    std::vector<CSplitPart> parts;
    return SplitMultipartBody(body, h.strBoundary, partsFolder, parts);
}

std::string MakePartsFolder(std::string_view folder)
{
    for (int n = 0; n < 1000; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "~$parts%03d", n);
        std::string path = JoinPath(folder, name);
        if (FileExists(path) || FolderExists(path))
            continue;
        if (CreateFolder(path))
            return path;
    }
    std::string dir(folder);
    ErrorBox("can't make a parts folder in %s", dir.c_str());
    return std::string();
}
