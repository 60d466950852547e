// The header lines of a mail document, a document of their own: shown in the
// header pane, filled from the mail file by its parent, written before the body.
#pragma once
#include <functional>

#include "text/Doc.h"

class CDocHeader : public CDoc {
public:
    explicit CDocHeader(CDoc* pParent) : CDoc(HeaderTag{}), m_pParent(pParent) {}
    ~CDocHeader() override
    {
        // Taken out first: whoever is told may set the hooks again.
        if (auto onDestroy = std::move(m_onDestroy))
            onDestroy(*this);
    }
    CDoc* GetParentDoc() const { return m_pParent; }

    // Set by the header bar: writes its edit fields into this document before
    // every save.
    std::function<void(CDocHeader&)> m_onBeforeStore;
    // Set by whoever keeps a pointer to this header or its mail (the header
    // bar): told when the header goes, with its mail document.
    std::function<void(CDocHeader&)> m_onDestroy;

protected:
    void BeforeStore() override
    {
        if (m_onBeforeStore)
            m_onBeforeStore(*this);
    }

private:
    CDoc* m_pParent;
};
