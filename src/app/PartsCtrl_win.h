// The tree of a mail's parts in the parts dialog: one item a part, the root for
// the mail, multipart parts with their parts below them. Each item carries its
// part (file path, media type, inline flag, the file's modification time when
// it was loaded or saved) and shows the shell's icon of its file.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct CPartItem {
    std::string strPath;  // the part's file (a multipart part: its folder); "" for the root
    std::string strType;
    std::string strSubtype;
    bool bInline = false;
    std::int64_t nTime = -1;  // -1 for a multipart part and the root

    bool IsMultipart() const;
};

class CPartsCtrl {
public:
    CPartsCtrl() = default;
    ~CPartsCtrl();
    CPartsCtrl(const CPartsCtrl&) = delete;
    CPartsCtrl& operator=(const CPartsCtrl&) = delete;

    // Takes over the dialog's tree control and gives it its image list.
    void Attach(HWND hTree);
    HWND GetHwnd() const { return m_hTree; }

    // Inserts an item below parent (TVI_ROOT for the root) after after (TVI_LAST).
    HTREEITEM Insert(HTREEITEM parent, HTREEITEM after, const std::string& text, CPartItem part);
    // Removes an item and everything below it.
    void Remove(HTREEITEM item);
    CPartItem* PartOf(HTREEITEM item) const;
    HTREEITEM Root() const { return TreeView_GetRoot(m_hTree); }
    HTREEITEM Selected() const { return TreeView_GetSelection(m_hTree); }
    HTREEITEM Parent(HTREEITEM item) const { return TreeView_GetParent(m_hTree, item); }
    std::vector<HTREEITEM> Children(HTREEITEM item) const;
    std::string Text(HTREEITEM item) const;
    void SetText(HTREEITEM item, const std::string& text);
    // The item at a point of the tree's client area, or null.
    HTREEITEM HitTest(POINT pt) const;
    // True when item is below (or is) ancestor.
    bool IsWithin(HTREEITEM item, HTREEITEM ancestor) const;
    // Moves an item with everything below it to a new place; the new handle.
    HTREEITEM Move(HTREEITEM item, HTREEITEM parent, HTREEITEM after);

private:
    int IconOf(const std::string& path);
    HTREEITEM CopySubtree(HTREEITEM item, HTREEITEM parent, HTREEITEM after);

    HWND m_hTree = nullptr;
    HIMAGELIST m_hSmall = nullptr;
    HIMAGELIST m_hLarge = nullptr;
    std::vector<std::unique_ptr<CPartItem>> m_parts;  // the items' data, owned here
};
