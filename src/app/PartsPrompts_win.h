// The two questions of the parts dialog: the warning before a part is shown or
// run (dialog 200), and what to do when a file of the same name is already
// there (dialog 207).
#pragma once
#include <string>

#include "fw/Dialog_win.h"

// "ｱｸｼｮﾝの確認": IDC_ACTION_SAVE (the default), IDC_ACTION_RUN or IDCANCEL.
class CPartActionDlg : public CDialog {
public:
    explicit CPartActionDlg(std::string strName);

protected:
    bool OnInitDialog() override;
    bool OnControl(int nId, UINT nCode, HWND hCtrl) override;

private:
    std::string m_strName;
};

// "ﾊﾟｰﾂの上書きの確認" for a name that is taken.
enum class EOverwrite { Rename, Overwrite, OverwriteAll, Skip, Cancel };

class COverwriteDlg : public CDialog {
public:
    explicit COverwriteDlg(std::string strName);
    EOverwrite Ask(HWND hParent);
    // The new name after Rename (checked: a plain file name with an extension).
    const std::string& NewName() const { return m_strNewName; }

protected:
    bool OnInitDialog() override;
    bool OnControl(int nId, UINT nCode, HWND hCtrl) override;

private:
    std::string m_strName;
    std::string m_strNewName;
};
