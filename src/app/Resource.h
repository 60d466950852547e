// Numbers of the program's own resources (menus, icons, bitmaps). Resource sets:
// 1 the main window, 2 the plain editor's document windows, 3 the mail composer's,
// 4 the mail reader's; each set has a menu and an icon of that number.
#pragma once

#define IDR_MAINFRAME 1
#define IDR_PLAIN 2
#define IDR_COMPOSE 3
#define IDR_READ 4

// The toolbar button images, one 16 x 16 strip (res/toolbar.bmp).
#define IDB_TOOLBAR 200

// The status bar's message pane idle text and the window menu's document prompt.
#define IDS_IDLE_MESSAGE 57345
#define IDS_MDICHILD 57346

// ---- The key binding dialogs (res/dialogs-keys.rc) ----
#define IDD_KEY_TABLE 113
#define IDD_COMMAND_KEYS 114
#define IDI_KEY_BINDING 138
// The table dialog.
#define IDC_KEY_TABLE_LIST 110
#define IDC_KEY_CHANGE 116
#define IDC_KEY_DEFAULT 117
#define IDC_HOOK_NUMPAD 176
#define IDC_RETURN_CHAR 177
// The command dialog.
#define IDC_COMMAND_KEY_LIST 117
#define IDC_KEY_ADD 118
#define IDC_KEY_EDIT 119
#define IDC_KEY_DELETE 120
#define IDC_COMMAND_NAME 124
