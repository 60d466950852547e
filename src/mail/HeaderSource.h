// The character source the mail header reader works on: an open mail file, or
// the lines of a document (each delivered with CR LF after it, so both look
// alike). It has a push-back stack, a token buffer for the field name and body,
// the strict flag of the caller and the file name for messages. One source
// serves the whole program, one header at a time.
//
// The byte 0xFF reads as the end of the input, so a 0xFF in a header ends it.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

class CFileStream;
class CLineStore;

// Results of CHeaderSource::ReadField.
enum EFieldRead {
    kFieldRead = 0,    // a field was read
    kLineSkipped = 1,  // a line that is no field was stepped over
    kHeaderEnd = 2,    // the end of the header
    kFieldError = 3,   // an error (its message has been shown)
};

class CHeaderSource {
public:
    static constexpr int kEndOfInput = 0xFF;
    static constexpr size_t kUngetCapacity = 128;
    // The longest field name or (unfolded) field body.
    static constexpr size_t kTokenCapacity = 65535;

    // Reads from the stream's current position.
    void SetFile(CFileStream* pStream, bool bStrict, std::string_view fileName);
    // Reads the document's lines from line 0.
    void SetDocument(const CLineStore* pLines, bool bStrict, std::string_view name);
    // Forgets the source.
    void Reset();

    // The next character (0-255); kEndOfInput at the end.
    int GetChar();
    // Pushes a character back; on a full stack "Internal error: unget stack
    // overflow" is shown and the character is lost.
    void UngetChar(int c);

    // The steps of reading one field (see ReadField); the name or body read is
    // in Token().
    bool ReadFieldName();
    bool ReadColon();
    bool ReadFieldBody();
    bool AtEndOfField();
    // Drops everything up to and including the next CR LF; false when the end
    // of the input came first.
    bool SkipToEndOfLine();
    // Reads one whole field: its name as written and its body (unfolded, blanks
    // and tabs stripped at both ends). Returns an EFieldRead.
    int ReadField(std::string& name, std::string& body);

    const std::string& Token() const { return m_strToken; }
    bool IsDocument() const { return m_pLines != nullptr; }
    bool IsStrict() const { return m_bStrict; }
    const std::string& FileName() const { return m_strFileName; }
    // For a document: the line being read.
    int LineNumber() const { return m_nLine; }
    // For a file: the offset of the next byte the reader will see.
    std::int64_t Position() const;

private:
    // Raw reading: a byte, or -1 at the true end of the input.
    int ReadRaw();
    int NextRaw();
    void PushRaw(int c);
    static bool IsEnd(int c) { return c < 0 || c == kEndOfInput; }
    bool AppendToken(char c);

    CFileStream* m_pStream = nullptr;
    const CLineStore* m_pLines = nullptr;
    int m_nDocLines = 0;  // the document's lines up to its last non-empty one
    int m_nLine = 0;         // document: the line being read
    size_t m_nColumn = 0;    // document: read position in it (past its end: the CR LF)
    size_t m_nLineLength = 0;
    int m_aUnget[kUngetCapacity] = {};
    size_t m_nUnget = 0;
    bool m_bStrict = false;
    std::string m_strFileName;
    std::string m_strToken;
};

CHeaderSource& HeaderSource();
