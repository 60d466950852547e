// What the two key binding dialogs share: their icon and their lists' rows.
#pragma once
#include <windows.h>

#include <string>

// Shows the key binding icon as the dialog's icon.
void ShowKeyBindingIcon(HWND hDialog);
// The selected row of a list view, or -1.
int SelectedRow(HWND hList);
// Selects and focuses a row and scrolls it into view.
void SelectRow(HWND hList, int nRow);
// Sets the text of a row's column (Shift-JIS).
void SetRowText(HWND hList, int nRow, int nColumn, const std::string& sjis);
// Answers a notification in a dialog procedure.
INT_PTR NotifyResult(HWND hDialog, LRESULT result);
