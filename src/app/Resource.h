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

// ---- Settings dialogs, About box, attachment bar (res/dialogs-settings.rc) ----

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_ATTACH_BAR 103
#define IDD_MOUSE_POINTER 118
#define IDD_OTHER_SETTINGS 124

// Mouse pointers over text: "TovaHand", "Cross" and the third of our own.
#define IDCUR_TOVA_HAND 112
#define IDCUR_CROSS 113
#define IDCUR_CUSTOM 114
// The pictures of the five pointers on the pointer dialog's buttons.
#define IDI_POINTER_FIRST 140
// The other-settings dialog's icon; a file the shell has no icon for.
#define IDI_OTHER_SETTINGS 145
#define IDI_ATTACH_FILE 147

// Controls of the other-settings dialog (124).
#define IDC_CURSOR_BLINK 146
#define IDC_TITLE_FULL_PATH 147
#define IDC_FAST_SCROLL 148
#define IDC_URL_SENSITIVE 149
#define IDC_HILIGHT_MARK 150
#define IDC_SPACE_ASCII 151
#define IDC_READ_TAB_4 162
#define IDC_READ_TAB_8 163
#define IDC_LINE_LENGTH 183
#define IDC_LINE_LENGTH_SPIN 184
#define IDC_GAP_PIXEL 185
#define IDC_GAP_PIXEL_SPIN 186
#define IDC_ASSOCIATE_TXT 195
#define IDC_MAX_HISTORY 196

// Controls of the mouse pointer dialog (118): pointer buttons 162-166 by
// pointer number, and "Chase".
#define IDC_POINTER_FIRST 162
#define IDC_CHASE 136

// The About box's program name and version, and its link button.
#define IDC_ABOUT_NAME 1000
#define IDC_ABOUT_LINK 1001

// The attachment bar's list of files.
#define IDC_ATTACH_LIST 186

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
