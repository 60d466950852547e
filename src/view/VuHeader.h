// The view of a mail's header lines in the upper pane of a mail window: the
// editor view showing its document's header document. It asks for a pane as
// high as the header's text lines, five at most, plus a horizontal scroll bar.
#pragma once
#include "view/Vu.h"

class CVuHeader : public CVu {
public:
    static constexpr int kMaxPaneLines = 5;

    CVuHeader() { m_bOtherDoc = true; }

    // The pane height for a horizontal scroll bar of nScrollBarHeight pixels,
    // and the least height (one line and the bar).
    int GetPaneHeight(int nScrollBarHeight) const;
    int GetMinPaneHeight(int nScrollBarHeight) const { return m_metrics.nLineHeight + nScrollBarHeight; }
};
