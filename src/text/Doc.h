// A document of the editor: the text of one file (or of one mail message, whose
// header lines then live in a header document of their own), its title with the
// modified mark, the output options, and the file's time stamp.
#pragma once
#include <string_view>

#include "fw/DocBase.h"
#include "platform/FileSystem.h"
#include "text/LineStore.h"

class CDocHeader;

class CDoc : public CDocBase {
public:
    CDoc();
    ~CDoc() override;

    bool Serialize(CArchive& ar) override;
    void SetTitle(std::string_view title) override;
    void SetModifiedFlag(bool bModified = true) override;
    bool OnNewDocument() override;
    bool OnOpenDocument(std::string_view path) override;
    bool OnSaveDocument(std::string_view path) override;
    void DeleteContents() override;
    // The text changed since the file was opened (asked by the mail link).
    virtual bool HasChangedSinceOpen() const { return m_bChanged; }

    // Sets the file's last-write time back to the one it had when it was opened.
    void RestoreFileTime();
    // Splits the line at the column: the rest becomes a new line after it.
    bool SplitLine(CViewBase* pView, int col, int line);
    int GetLineCount() const { return m_Lines.GetLineCount(); }
    // The count without the empty lines at the end.
    int GetTextLineCount();
    int GetMaxLineLength() const { return MaxLineLength; }

    // The output options (the view's commands); none marks the document modified.
    void ToggleJisOutput();
    void ToggleEucOutput();
    void ToggleLfOnlyOutput();
    bool IsJisOutput() const { return m_Lines.m_bJis; }
    bool IsEucOutput() const { return m_Lines.m_bEuc; }
    bool IsLfOnlyOutput() const { return m_Lines.m_bLfOnly; }

    CDocHeader* GetHeaderDoc() const { return m_pHeaderDoc; }

    bool m_bIsHeader = false;  // this is the header part of a mail document
    bool m_bChanged = false;   // changed since opened
    CLineStore m_Lines;
    CDocHeader* m_pHeaderDoc = nullptr;  // owned; the mail modes only
    FileTime m_ftLastWrite = 0;          // when the file was opened, or 0

protected:
    struct HeaderTag {};
    explicit CDoc(HeaderTag);
    // Writes the text of this document (and, first, of its header document).
    bool StoreText(CArchive& ar, bool* pbKanaWidened);
    virtual void BeforeStore() {}

private:
    void SplitHeader();
    void RecordFileTime(std::string_view path);
    bool HasHalfWidthKatakana() const;
};
