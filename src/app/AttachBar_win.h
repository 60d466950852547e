// The attachment bar of the mail composer (dialog template 103, along the
// bottom of the main window): the files to attach to the mail, each shown with
// its name and the shell's large icon, each item keeping the file's full path.
// A right click offers "削除"; the bar hides itself when its list empties.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "fw/DialogBar_win.h"

class CAttachBar : public CDialogBar {
public:
    // Creates the bar hidden as bar nBarId of the main window.
    bool Create(HWND hParent, UINT nBarId);
    // Appends a file (full path, Shift-JIS). When the shell gives no icon for
    // it, says so and shows the bar's own file picture.
    void AddFile(const std::string& strPath);
    // Appends every item's full path, in list order.
    void GetPaths(std::vector<std::string>& paths) const;
    int GetCount() const;
    // The "削除" command: removes the selected items; the bar hides when none is left.
    void DeleteSelected();
    HWND GetList() const { return m_hList; }

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    const std::string* PathAt(int nItem) const;
    void DeleteItem(int nItem);
    void ShowItemMenu();
    void FreeAllPaths();

    HWND m_hList = nullptr;
    HIMAGELIST m_hImages = nullptr;  // owned by the list view
};
