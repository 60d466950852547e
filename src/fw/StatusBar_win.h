// The status bar: a message pane that stretches, then panes of fixed width;
// indicator panes show their text while their state is on and are empty off.
#pragma once
#include <string>
#include <vector>

#include "fw/ControlBar_win.h"

class CStatusBar : public CControlBar {
public:
    // Creates the bar with one pane per id: 0 makes a text pane, another id an
    // indicator whose text is the string-table text of that id.
    bool Create(HWND hParent, UINT nBarId, const std::vector<UINT>& paneIds);

    int GetPaneCount() const { return static_cast<int>(m_panes.size()); }
    UINT GetPaneId(int nPane) const { return m_panes[static_cast<size_t>(nPane)].nId; }
    // Pane 0 stretches; the others take the given widths (pixels).
    void SetPaneWidth(int nPane, int nWidth);
    void SetPaneText(int nPane, const std::wstring& text);
    std::wstring GetPaneText(int nPane) const;
    // Pane rectangle in the bar's client coordinates.
    RECT GetPaneRect(int nPane) const;
    // Sets the font of the bar's text (not owned).
    void SetFont(HFONT hFont);

    int CalcHeight(int nWidth) override;
    void UpdateCommandState(const CCmdRoute& route) override;
    // Lays the panes out for the bar's current width.
    virtual void LayoutPanes();

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    struct CPane {
        UINT nId = 0;
        int nWidth = 0;
        std::wstring strText;
        bool bOn = false;
    };
    std::vector<CPane> m_panes;
};
