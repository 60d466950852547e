// The parts dialog of a multipart mail ("Multipart Dialog"): the mail's From,
// To, Cc and Subject, a tree of its parts and a menu. The mail is taken apart
// into a parts folder in the work folder when the dialog opens; the user shows
// or runs parts, saves them to disk, deletes them, drops files on the tree to
// attach them and drags parts to reorder them; saving writes the folders'
// indexes and rebuilds the mail from them. The folder goes when the dialog does.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/PartsCtrl_win.h"
#include "fw/Dialog_win.h"

class CPartsDialog : public CDialog {
public:
    explicit CPartsDialog(std::string strMailPath);
    ~CPartsDialog() override;

    // The mail file was rewritten (its document must read it again).
    bool MailRewritten() const { return m_bRewritten; }
    const std::string& PartsFolder() const { return m_strFolder; }
    CPartsCtrl& Tree() { return m_tree; }

protected:
    bool OnInitDialog() override;
    // Enter does nothing here: the dialog ends through its menu or its close box.
    void OnOK() override {}
    void OnCancel() override;
    bool OnControl(int nId, UINT nCode, HWND hCtrl) override;
    INT_PTR OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    // Command enabling (menus, popup and keys).
    bool CanSaveMail();
    bool CanShow() const;
    bool CanSavePart() const { return m_tree.Selected() != nullptr; }
    bool CanDelete() const;
    void UpdateMenu(HMENU hMenu);
    void RunCommand(int nId);

    void FillFolder(HTREEITEM parent, const std::string& folder);
    bool PartFileChanged(HTREEITEM item);
    // The folder an item's children live in (the parts folder for the root).
    std::string FolderOf(HTREEITEM item) const;
    HTREEITEM FindChild(HTREEITEM folderItem, const std::string& name) const;
    void CollectLeaves(HTREEITEM item, std::vector<HTREEITEM>& leaves) const;

    void ShowPart();
    void RunPart(const CPartItem& part);
    void SavePart();
    void SaveAllBelow(HTREEITEM item);
    void DeletePart();
    bool SaveMail();
    bool WriteIndexes(HTREEITEM folderItem);
    void RecordTimes(HTREEITEM item);
    void Close();

    void ShowPopup();
    void DropFiles(HDROP hDrop);
    void MovePart(HTREEITEM item, HTREEITEM target);
    // A part (a multipart part: its parts) dragged out to another program.
    void DragOut(HTREEITEM item);
    // Where a drop on target goes: the folder item and the item to insert after.
    void DropPlace(HTREEITEM target, HTREEITEM& folderItem, HTREEITEM& after) const;
    void ChangePaths(HTREEITEM item, const std::string& oldPrefix, const std::string& newPrefix);
    std::string OutputDirectory() const;
    void SetOutputDirectory(const std::string& dir);
    void LayOut(int cx, int cy);

    std::string m_strMailPath;
    std::string m_strFolder;
    CPartsCtrl m_tree;
    bool m_bModified = false;
    bool m_bCloseAfterSave = false;
    bool m_bRewritten = false;
    HTREEITEM m_hDragItem = nullptr;
};
