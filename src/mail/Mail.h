// One mail message as the editor sees it: a mail file written by the mail
// client (or the text of an open mail document), its parsed header fields, the
// recipient addresses, and the values drawn from the header for display. It
// reads the file under the mutex the mail client shares, and rewrites it as a
// MIME multipart message (MailMultipart.cpp) without ever losing the mail:
// the file is replaced in one step, or not at all.
//
// A mail file: header lines (RFC 822), a separator line (the reader stops at a
// line beginning "----"; the editor writes "--------"), then the body.
#pragma once
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "mail/HeaderField.h"
#include "services/FileStream.h"

class CDoc;
class CLineStore;
class CMailTempFile;

// The status words of "X-Status" and their codes (words compared with case).
enum EMailStatus {
    kStatusReceived = 1,  // "RECV"
    kStatusRead = 2,      // "READ"
    kStatusReplying = 3,  // "RPLY"
    kStatusReplied = 4,   // "RPLD"
    kStatusWritten = 5,   // "WRIT"
    kStatusSent = 6,      // "SENT"
    kStatusError = 7,     // "ERRR", and any other word or none
};

// The name of the mutex the mail client and the editor read mail under.
inline constexpr char kMailReadMutexName[] = "Mavlen Mail Read";
// The length of the body summary.
inline constexpr size_t kBodySummaryBytes = 127;

class CMail {
public:
    // The text of a mail document: its header document supplies the header
    // lines, the document the body. (A document without a header document is
    // read whole, its header ending at a "----" line.)
    explicit CMail(CDoc* pDoc);
    // A mail file. bDeleteFile: delete it with the object when its name begins with "~$".
    explicit CMail(std::string_view path, int nId = -1, bool bDeleteFile = false);
    ~CMail();
    CMail(const CMail&) = delete;
    CMail& operator=(const CMail&) = delete;

    // Opens the file with "r", "r+" or "w" (bytes as they are); with a document
    // there is nothing to open. "Internal error: unknown fopen mode", "%s をオープ
    // ンできません".
    bool Open(const char* mode);
    void Close();

    // Reads the header into the field list under the mail client's mutex (held
    // until the read ends, whatever way it ends). bStrict: a line that is no
    // field is an error instead of being skipped. True when the whole header was read.
    bool ReadHeader(bool bStrict, bool bExpandAliases);
    // ReadHeader, then the values drawn from the header (and for a file the
    // body summary). False when the header could not be read whole; the values
    // then come from the fields read before the error.
    bool Load(bool bStrict, bool bExpandAliases);

    // The body of the first field whose upper-case name is upperName; "" when none.
    std::string GetField(std::string_view upperName) const;
    std::string FindField(std::string_view upperName, bool& bFound) const;
    // Appends a field (an address field is split at once, a Date field sets the
    // date); false when an address field was refused (it is kept all the same).
    bool AddField(std::string_view name, std::string_view body, bool bExpandAliases = false);
    // Gives the first field of that upper-case name a new body; false when none.
    bool SetFieldBody(std::string_view upperName, std::string_view body);
    // The next field as "NAME:body" (upper-case name) or, bWithBlank, as "Name:
    // body" (as written); false after the last. RewindFields starts again.
    bool NextFieldText(std::string& text, bool bWithBlank);
    void RewindFields() { m_nFieldIndex = 0; }

    // The boundary parameter of Content-Type; "" when there is none (with
    // bReport, after "boundary info missing from %s" or "boundary info format
    // error in %s").
    std::string GetBoundary(bool bReport) const;
    // A field or one of the first 2000 body lines holds a Shift-JIS lead byte.
    // The file position stays where it was.
    bool BodyHasDoubleByte();
    // Moves the open file to the first body byte.
    bool SeekBody();
    // At most maxBytes of the body (of the open file, from its position), line
    // ends as blanks, a double-byte character cut by the limit left out.
    bool ReadBodySummary(std::string& summary, size_t maxBytes = kBodySummaryBytes);
    // One line of the open file: up to and including CR LF, or size - 1 bytes.
    // bStopAtEofMark: a 0x1A byte ends the text. False at the end.
    bool ReadLine(std::string& line, size_t size, bool bStopAtEofMark = false);
    // Deletes the mail file ("Can't remove %s" with bReport).
    bool Remove(bool bReport);

    // Moves a file onto another path, replacing it in one step; across volumes
    // by copying first and deleting the source only after a complete copy.
    // "同じファイルです" when both name one file (nothing is touched).
    static bool MoveOrCopyFile(std::string_view from, std::string_view to);

    // Multipart composition (MailMultipart.cpp).
    // Makes the mail an empty multipart message: its header without the old
    // content fields, a multipart Content-Type, and no parts. The old body goes.
    bool MakeEmptyMultipart();
    // Rebuilds the mail from a parts folder (index "~$prtinf.dat") and reads
    // its header again. The mail file is replaced only when the whole new mail
    // has been written.
    bool RebuildFromParts(std::string_view partsFolder);
    // Reads the folder's index and writes the multipart message into this mail
    // (depth 0) or nested entity (depth 1 and more, at most 16).
    bool BuildFromPartsFolder(std::string_view partsFolder, int depth);
    // Writes the files as the parts of this mail or entity; the header must
    // have been read (a new entity has none).
    bool WriteMultipart(const std::vector<std::string>& files, const std::vector<bool>& inlineFlags, int depth);
    // Turns the mail back into a plain text mail whose body is the text file.
    bool RevertToPlainText(std::string_view textFile);

    const std::string& GetPath() const { return m_strPath; }
    int GetId() const { return m_nId; }
    int GetStatus() const { return m_nStatus; }
    std::time_t GetDate() const { return m_tDate; }
    std::int64_t GetFileSize() const { return m_nFileSize; }
    std::int64_t GetBodyOffset() const { return m_nBodyOffset; }
    const std::string& GetSenderName() const { return m_strSenderName; }
    const std::string& GetSubject() const { return m_strSubject; }
    const std::string& GetBodySummary() const { return m_strBodySummary; }
    const std::string& GetMessageId() const { return m_strMessageId; }
    const std::string& GetReplyToId() const { return m_strReplyToId; }
    const std::vector<std::string>& GetRecipients() const { return m_recipients; }
    const std::vector<std::unique_ptr<CHeaderField>>& GetFields() const { return m_fields; }

    // The parts of Load, for whoever has the texts at hand.
    static int StatusOf(std::string_view word);
    static std::string SenderNameOf(std::string_view from);
    // The text between the first "<" and the next ">"; "" without them.
    static std::string IdentifierOf(std::string_view body);

private:
    const CLineStore* HeaderLines() const;
    void ClearFields();
    bool ReadHeaderFields(bool bExpandAliases);
    // Puts the rebuilt file in the mail's place in one step; when that fails
    // the mail stays and the rebuilt one is kept (the message says where).
    bool ReplaceFileWithRebuilt(CMailTempFile& rebuilt);

    CDoc* m_pDoc = nullptr;
    bool m_bDeleteFile = false;
    std::string m_strPath;
    int m_nId = -1;
    CFileStream m_stream;
    std::vector<std::string> m_recipients;
    std::int64_t m_nBodyOffset = -1;
    int m_nBodyLine = 0;  // a document's first body line
    std::vector<std::unique_ptr<CHeaderField>> m_fields;
    size_t m_nFieldIndex = 0;
    int m_nStatus = kStatusError;
    std::time_t m_tDate = -1;
    std::int64_t m_nFileSize = -1;
    std::string m_strSenderName;
    std::string m_strSubject;
    std::string m_strBodySummary;
    std::string m_strMessageId;
    std::string m_strReplyToId;
    bool m_bStrict = false;  // how the header was last read, for reading it again
    bool m_bExpandAliases = false;
    bool m_bEofMarkSeen = false;
};
