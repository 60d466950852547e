// The folder chooser of the parts dialog ("ﾃﾞｨﾚｸﾄﾘを選ぶ"): a tree of the
// drives and their folders, filled as the user opens them, starting at a given
// folder. Its window placement is kept between runs ("WindowPlacement",
// "DirDialog", Base64 of the 44-byte record).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "fw/Dialog_win.h"

class CDirChooser : public CDialog {
public:
    explicit CDirChooser(std::string strStart);
    // The folder chosen (Shift-JIS, without a trailing separator).
    const std::string& Folder() const { return m_strFolder; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    INT_PTR OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    HTREEITEM AddFolder(HTREEITEM parent, const std::string& name);
    void FillChildren(HTREEITEM item);
    std::string PathOf(HTREEITEM item) const;
    HTREEITEM ShowFolder(const std::string& path);
    void SavePlacement();

    HWND m_hTree = nullptr;
    std::string m_strStart;
    std::string m_strFolder;
};
