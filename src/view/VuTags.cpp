// Tags: lines of this view marked with their own background, the moves between
// them, and how they follow lines inserted and removed by this view.
#include <algorithm>

#include "platform/Messages.h"
#include "view/Vu.h"

void CVu::OnToggleTag()
{
    auto line = static_cast<unsigned>(CaretLine());
    auto it = std::lower_bound(m_arrTags.begin(), m_arrTags.end(), line);
    if (it != m_arrTags.end() && *it == line)
        m_arrTags.erase(it);
    else
        m_arrTags.insert(it, line);
    RepaintAll();
}

void CVu::GoToTag(const unsigned* pTag)
{
    if (!pTag) {
        ErrorBeep();
        return;
    }
    CancelShiftMark();
    GoLine(static_cast<long>(*pTag) + 1);
    UpdateHilight();
}

void CVu::OnTagNext()
{
    auto it = std::upper_bound(m_arrTags.begin(), m_arrTags.end(), static_cast<unsigned>(CaretLine()));
    GoToTag(it == m_arrTags.end() ? nullptr : &*it);
}

void CVu::OnTagPrev()
{
    auto it = std::lower_bound(m_arrTags.begin(), m_arrTags.end(), static_cast<unsigned>(CaretLine()));
    GoToTag(it == m_arrTags.begin() ? nullptr : &*(it - 1));
}

void CVu::TagsInserted(long nLine, long n)
{
    for (unsigned& tag : m_arrTags)
        if (static_cast<long>(tag) >= nLine)
            tag += static_cast<unsigned>(n);
}

void CVu::TagsRemoved(long nLine, long n)
{
    std::erase_if(m_arrTags, [&](unsigned tag) {
        return static_cast<long>(tag) >= nLine && static_cast<long>(tag) < nLine + n;
    });
    for (unsigned& tag : m_arrTags)
        if (static_cast<long>(tag) >= nLine + n)
            tag -= static_cast<unsigned>(n);
}
