// The text primitives: each is one line-store operation on the shown document.
// The document's other views hear of the changed lines; this view repaints the
// cells that changed, moves its tags with inserted and removed lines, and marks
// the document modified.
#include <algorithm>
#include <climits>

#include "platform/Messages.h"
#include "text/Doc.h"
#include "text/LineStore.h"
#include "view/Vu.h"

namespace {

constexpr long kToEnd = LONG_MAX;

} // namespace

void CVu::SetModified()
{
    CDoc* pShown = GetShownDoc();
    pShown->SetModifiedFlag(true);
    // A header's changes are saved with its mail.
    if (CDocBase* pDoc = GetDocument(); pDoc && pDoc != pShown)
        pDoc->SetModifiedFlag(true);
}

void CVu::CharsChanged(long nCol, long nLine, long nEnd, bool bCountChanged)
{
    CDoc& doc = *GetShownDoc();
    if (!doc.m_bIsHeader) {
        CCellRect rc{0, nLine, kToEnd, nLine + 1};
        doc.UpdateAllViews(this, kHintCells, &rc);
        if (bCountChanged)
            doc.UpdateAllViews(this, kHintLineCount);
    }
    // A character the change cut in half is repainted from its first byte.
    long left = std::max(nCol - 1 - m_nLeftCol, 0L);
    long right = nEnd == kToEnd ? m_nCols + 1L : std::min(nEnd + 1 - m_nLeftCol, m_nCols + 1L);
    long row = nLine - m_nTopLine;
    MarkDirty({left, row, right, row + 1});
    if (bCountChanged)
        UpdateScrollRange();
    SetModified();
}

void CVu::LinesChanged(long nLine)
{
    CDoc& doc = *GetShownDoc();
    if (!doc.m_bIsHeader) {
        CCellRect rc{0, nLine, kToEnd, kToEnd};
        doc.UpdateAllViews(this, kHintCells, &rc);
        doc.UpdateAllViews(this, kHintLineCount);
    }
    MarkDirty({0, std::max(nLine - m_nTopLine, 0L), m_nCols + 1L, m_nRows + 1L});
    UpdateScrollRange();
    SetModified();
}

bool CVu::ByteEdit(long nCol, long nLine, long nEnd, const std::function<bool(CLineStore&)>& edit)
{
    CDoc& doc = *GetShownDoc();
    bool bExtends = nLine >= doc.GetLineCount();
    if (!edit(doc.m_Lines))
        return false;
    CharsChanged(nCol, nLine, nEnd, bExtends);
    return true;
}

bool CVu::InsertBytes(long nCol, long nLine, std::string_view bytes)
{
    return ByteEdit(nCol, nLine, kToEnd, [&](CLineStore& store) {
        return store.InsertChars(static_cast<int>(nCol), static_cast<int>(nLine), bytes.data(),
                                 static_cast<int>(bytes.size()));
    });
}

bool CVu::OverwriteBytes(long nCol, long nLine, std::string_view bytes)
{
    return ByteEdit(nCol, nLine, nCol + static_cast<long>(bytes.size()), [&](CLineStore& store) {
        return store.OverwriteChars(static_cast<int>(nCol), static_cast<int>(nLine), bytes.data(),
                                    static_cast<int>(bytes.size()));
    });
}

bool CVu::DeleteBytes(long nCol, long nLine, long n)
{
    return ByteEdit(nCol, nLine, kToEnd, [&](CLineStore& store) {
        return store.DeleteChars(static_cast<int>(nCol), static_cast<int>(nLine), static_cast<int>(n));
    });
}

namespace {

std::vector<const char*> Pointers(const std::vector<std::string>& lines)
{
    std::vector<const char*> pp;
    pp.reserve(lines.size());
    for (const std::string& s : lines)
        pp.push_back(s.c_str());
    return pp;
}

} // namespace

bool CVu::InsertLinesAt(long nLine, const std::vector<std::string>& lines)
{
    return InsertLinePointers(nLine, Pointers(lines));
}

bool CVu::InsertLinePointers(long nLine, const std::vector<const char*>& pp)
{
    CLineStore& store = GetShownDoc()->m_Lines;
    // Lines go before an existing line or right after the last.
    if (nLine > store.GetLineCount() && !store.GetLine(static_cast<int>(nLine - 1)))
        return false;
    if (!store.InsertLines(static_cast<int>(nLine), pp.data(), static_cast<int>(pp.size())))
        return false;
    TagsInserted(nLine, static_cast<long>(pp.size()));
    LinesChanged(nLine);
    return true;
}

bool CVu::DeleteLinesAt(long nLine, long n)
{
    if (!GetShownDoc()->m_Lines.DeleteLines(static_cast<int>(nLine), static_cast<int>(n), true))
        return false;
    TagsRemoved(nLine, n);
    LinesChanged(nLine);
    return true;
}

bool CVu::HasLineRange(long nLine, long n) const
{
    if (nLine < 0 || n < 0 || nLine + n > GetLineCount()) {
        ErrorBox(55);
        return false;
    }
    return true;
}

void CVu::LinesReplaced(long nLine, long nOld, long nNew, bool bKeepTags)
{
    if (!bKeepTags) {
        TagsInserted(nLine + nOld, nNew);
        TagsRemoved(nLine, nOld);
    } else if (nNew > nOld) {
        TagsInserted(nLine + nOld, nNew - nOld);
    } else if (nNew < nOld) {
        TagsRemoved(nLine + nNew, nOld - nNew);
    }
    LinesChanged(nLine);
}

bool CVu::ReplaceLinesAt(long nLine, long nOld, const CLineList& lines)
{
    if (!HasLineRange(nLine, nOld))
        return false;
    CLineStore& store = GetShownDoc()->m_Lines;
    // The new lines go in first, so a refusal leaves the old ones in place.
    std::vector<const char*> pp = lines.Pointers();
    if (!store.InsertLines(static_cast<int>(nLine + nOld), pp.data(), static_cast<int>(pp.size())))
        return false;
    store.DeleteLines(static_cast<int>(nLine), static_cast<int>(nOld), true);
    LinesReplaced(nLine, nOld, static_cast<long>(lines.Count()), true);
    return true;
}

bool CVu::SwapLinesAt(long nLine, long nOld, COwnedLines& lines, bool bKeepTags)
{
    if (!HasLineRange(nLine, nOld))
        return false;
    CLineStore& store = GetShownDoc()->m_Lines;
    long nNew = static_cast<long>(lines.Count());
    COwnedLines old;
    old.Reserve(static_cast<size_t>(nOld));
    // The new lines go in first, so a refusal leaves the old ones in place.
    if (!store.PutLines(static_cast<int>(nLine + nOld), lines))
        return false;
    store.TakeLines(static_cast<int>(nLine), static_cast<int>(nOld), old);
    lines = std::move(old);
    LinesReplaced(nLine, nOld, nNew, bKeepTags);
    return true;
}

bool CVu::SplitLineAt(long nCol, long nLine)
{
    CDoc& doc = *GetShownDoc();
    if (!doc.SplitLine(this, static_cast<int>(nCol), static_cast<int>(nLine)))
        return false;
    TagsInserted(nLine + 1, 1);
    LinesChanged(nLine);
    return true;
}

std::vector<std::string> CVu::CopyLines(long nLine, long n) const
{
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(std::max(n, 0L)));
    for (long i = 0; i < n; ++i)
        lines.emplace_back(PeekLine(nLine + i));
    return lines;
}
