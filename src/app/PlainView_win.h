// A read-only view of a document's lines on a fixed character grid, with
// scroll bars: what document windows show until the editor view takes its
// place. As the upper pane of a mail window it shows the mail's header lines.
#pragma once
#include "fw/View_win.h"

class CDoc;

class CPlainView : public CView {
public:
    CPlainView() = default;
    explicit CPlainView(bool bHeader) : m_bHeader(bHeader) {}

    void OnUpdate(CViewBase* pSender, long lHint, const CCellRect* pRect) override;
    void OnInitialUpdate() override;
    bool IsHeaderView() const override { return m_bHeader; }
    bool GetPaneHeights(int& nIdeal, int& nMin) const override;
    void OnFontChanged() override;
    CViewPosition GetPosition() const override;
    void SetPosition(const CViewPosition& pos) override;
    // Scrolling commands (page, line, top, end, screen left and right).
    bool OnCommand(unsigned nId, CCmdUi* pUi) override;

    // The document whose lines are shown (the header document in a header view).
    CDoc* GetShownDoc() const;

protected:
    DWORD ExtraStyle() const override { return WS_VSCROLL | WS_HSCROLL; }
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    void Measure();
    void UpdateScrollBars();
    void ScrollTo(long nTopLine, long nLeftCol);
    void OnPaint();
    int Rows() const;
    int Cols() const;

    bool m_bHeader = false;
    long m_nTopLine = 0;
    long m_nLeftCol = 0;
    int m_nCaretCol = 0;
    int m_nCaretRow = 0;
    int m_nCharWidth = 8;
    int m_nLineHeight = 16;
};
