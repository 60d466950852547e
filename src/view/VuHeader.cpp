// The mail header view.
#include "view/VuHeader.h"

#include <algorithm>

#include "text/Doc.h"

int CVuHeader::GetPaneHeight(int nScrollBarHeight) const
{
    // Trailing empty lines are not counted.
    CDoc* pDoc = GetShownDoc();
    int lines = pDoc ? std::min(pDoc->GetTextLineCount(), kMaxPaneLines) : 0;
    return lines * m_metrics.nLineHeight + nScrollBarHeight;
}
