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
