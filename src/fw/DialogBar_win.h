// A dialog bar: a bar made from a dialog template, its controls laid out by the
// template. Buttons and menu-like commands from its controls go to the main
// window's command route; other notifications to the bar itself (OnControl).
#pragma once
#include "fw/ControlBar_win.h"

class CDialogBar : public CControlBar {
public:
    // Creates the bar from dialog template nTemplateId, hidden unless bVisible.
    bool Create(HWND hParent, UINT nTemplateId, EDock eDock, UINT nBarId, bool bVisible = false);
    int CalcHeight(int nWidth) override;
    bool PreTranslateMessage(MSG* pMsg) override;

protected:
    // A notification of one of the bar's controls (other than a click); true
    // when handled.
    virtual bool OnControl(UINT /*nCtrlId*/, UINT /*nCode*/, HWND /*hCtrl*/) { return false; }
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    int m_nHeight = 0;
};
