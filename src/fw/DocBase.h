// The portable half of the document/view framework: a document with its title,
// path, modified flag and views, and the update hints it sends them. The Win32
// framework (document templates, frames, view windows) is built around it.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "fw/CmdTarget.h"

class CArchive;
class CDocBase;

// A rectangle of character cells: columns and lines, right and bottom exclusive.
struct CCellRect {
    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;
};

// Where a view shows its document: the first visible column and line and the
// caret's cell inside the window (what the window list keeps, and what the undo
// records bring back).
struct CViewPosition {
    long nLeftCol = 0;
    long nTopLine = 0;
    int nCaretCol = 0;
    int nCaretRow = 0;
};

// Update hints a document sends its views.
enum : long {
    kHintDefault = 0,    // repaint everything
    kHintCells = 1,      // the given rectangle of cells (absolute columns and lines) changed
    kHintLineCount = 2,  // the number of lines changed
};

// A view of a document: told of the document's changes by update hints, and a
// command target (commands reach the active view first). Views are portable
// objects; the window that shows one is found with CView::FromDocView.
class CViewBase : public CCmdTarget {
public:
    CViewBase() = default;
    // A view that goes leaves its document's list.
    ~CViewBase() override;
    CViewBase(const CViewBase&) = delete;  // registered with its document by address
    CViewBase& operator=(const CViewBase&) = delete;
    CDocBase* GetDocument() const { return m_pDocument; }
    // A change of the document; pRect is set for kHintCells.
    virtual void OnUpdate(CViewBase* pSender, long lHint, const CCellRect* pRect) = 0;

private:
    friend class CDocBase;
    CDocBase* m_pDocument = nullptr;
};

// A document is a command target: commands reach it after its active view.
class CDocBase : public CCmdTarget {
public:
    CDocBase() = default;
    virtual ~CDocBase();
    CDocBase(const CDocBase&) = delete;  // owns its views' registrations
    CDocBase& operator=(const CDocBase&) = delete;

    const std::string& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(std::string_view title);
    // The full path (Shift-JIS); empty for an untitled document.
    const std::string& GetPathName() const { return m_strPathName; }
    // Sets the path and, through SetTitle, the title to the file name part.
    virtual void SetPathName(std::string_view path);

    virtual bool IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(bool bModified = true) { m_bModified = bModified; }

    void AddView(CViewBase* pView);
    void RemoveView(CViewBase* pView);
    const std::vector<CViewBase*>& GetViews() const { return m_views; }
    // Tells every view but pSender.
    void UpdateAllViews(CViewBase* pSender, long lHint = kHintDefault, const CCellRect* pRect = nullptr);

    // Opening and saving through an archive over the file. Each reports its own
    // failures (message boxes) and returns false.
    // A new, empty document.
    virtual bool OnNewDocument();
    // Loads the file (path in Shift-JIS). On failure the contents are deleted:
    // no half-loaded document remains bound to the path.
    virtual bool OnOpenDocument(std::string_view path);
    // Saves into a new file beside the original and puts it in the original's
    // place in one step, so a failure midway leaves the original untouched (the
    // document then stays modified). On success the document takes the path.
    virtual bool OnSaveDocument(std::string_view path);
    // Reads or writes the contents; false when that failed (reported by it,
    // or left in the archive's error state for the caller to report).
    virtual bool Serialize(CArchive& ar);
    // Empties the contents (before loading, and after a failed load).
    virtual void DeleteContents() {}

    // Called when the title shown by the document's frames must be refreshed
    // (the Win32 framework sets it).
    std::function<void()> m_onTitleChanged;
    // A save forces the new file to the disk before it replaces the old one.
    // Batch tools that write files nobody else is waiting for may turn it off.
    bool m_bForceToDisk = true;

protected:
    void TitleChanged()
    {
        if (m_onTitleChanged)
            m_onTitleChanged();
    }

    std::string m_strTitle;
    std::string m_strPathName;
    bool m_bModified = false;
    std::vector<CViewBase*> m_views;
};
