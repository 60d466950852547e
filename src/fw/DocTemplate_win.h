// A document template: which document, document window and view classes make
// up a document of one kind, and the resource set (menu, accelerators) of its
// windows. It owns the documents it made.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CDocBase;
class CMDIChildWnd;
class CView;

class CDocTemplate {
public:
    using DocFactory = std::function<std::unique_ptr<CDocBase>()>;
    using FrameFactory = std::function<CMDIChildWnd*()>;  // the window object owns itself
    using ViewFactory = std::function<CView*()>;          // likewise

    CDocTemplate(UINT nResourceId, DocFactory makeDoc, FrameFactory makeFrame, ViewFactory makeView);
    ~CDocTemplate();
    CDocTemplate(const CDocTemplate&) = delete;
    CDocTemplate& operator=(const CDocTemplate&) = delete;

    template <class TDoc, class TFrame, class TView>
    static std::unique_ptr<CDocTemplate> Make(UINT nResourceId)
    {
        return std::make_unique<CDocTemplate>(
            nResourceId, [] { return std::make_unique<TDoc>(); }, [] { return new TFrame; },
            [] { return new TView; });
    }

    UINT GetResourceId() const { return m_nResourceId; }
    // The menu of this kind's document windows and their own accelerator table
    // (none when the resource set has none).
    HMENU GetMenu() const { return m_hMenu; }
    HACCEL GetAccelTable() const { return m_hAccel; }
    // A new view object of the template's view class.
    CView* CreateView() const { return m_makeView(); }

    // Opens strPath (absolute, Shift-JIS) as a new document in a new window; an
    // empty path makes an untitled document (File New). Null on failure, which
    // the document or this function reported.
    CDocBase* OpenDocumentFile(const std::string& strPath);
    // A further window on an open document.
    CMDIChildWnd* CreateNewFrame(CDocBase* pDoc);

    const std::vector<std::unique_ptr<CDocBase>>& GetDocuments() const { return m_docs; }
    bool Owns(const CDocBase* pDoc) const;
    // Destroys a document (after its last view has gone).
    void RemoveDocument(CDocBase* pDoc);

private:
    UINT m_nResourceId;
    DocFactory m_makeDoc;
    FrameFactory m_makeFrame;
    ViewFactory m_makeView;
    HMENU m_hMenu = nullptr;
    HACCEL m_hAccel = nullptr;
    int m_nUntitled = 0;
    std::vector<std::unique_ptr<CDocBase>> m_docs;
};

// The template that owns pDoc, or null.
CDocTemplate* TemplateOf(const CDocBase* pDoc);
// The document windows that show pDoc, in the order their views were made.
std::vector<CMDIChildWnd*> FramesOf(const CDocBase* pDoc);
