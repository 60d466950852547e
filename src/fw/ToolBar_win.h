// The toolbar: buttons that send their command, greyed or pressed as the
// commands' state says, with the tips of the string table.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "fw/ControlBar_win.h"

struct CToolButton {
    UINT nId;    // 0: a separator
    int nImage;  // index in the button image strip
};

class CToolBar : public CControlBar {
public:
    ~CToolBar() override;
    // Creates the bar with the buttons; images come from bitmap resource
    // nBitmapId, a strip of 16 x 16 images on a magenta (0xFF00FF) background.
    bool Create(HWND hParent, UINT nBarId, UINT nBitmapId, const std::vector<CToolButton>& buttons);

    int CalcHeight(int nWidth) override;
    void UpdateCommandState(const CCmdRoute& route) override;
    const std::vector<CToolButton>& GetButtons() const { return m_buttons; }

private:
    std::vector<CToolButton> m_buttons;
    HIMAGELIST m_hImages = nullptr;
};

// The tip of a command: the part of its string-table text after the first line
// feed, or the whole text when it has none.
std::wstring CommandTip(unsigned nId);
// The status-bar prompt of a command: its text before the first line feed.
std::wstring CommandPrompt(unsigned nId);
