// Resource numbers of the parts dialog, its warning and overwrite dialogs, its
// menu, and the folder chooser.
#pragma once

#define IDD_PARTS_ACTION 200     // "ｱｸｼｮﾝの確認"
#define IDD_PARTS 204
#define IDR_PARTS_MENU 206
#define IDD_PARTS_OVERWRITE 207  // "ﾊﾟｰﾂの上書きの確認"
#define IDD_DIR_CHOOSER 208      // "ﾃﾞｨﾚｸﾄﾘを選ぶ"

#define IDC_PARTS_SUBJECT 190
#define IDC_PARTS_FROM 191
#define IDC_PARTS_TO 197
#define IDC_PARTS_CC 198
#define IDC_PARTS_TREE 218

#define IDC_ACTION_NAME 1101
#define IDC_ACTION_TEXT 1102
#define IDC_ACTION_SAVE 1103
#define IDC_ACTION_RUN 1104

#define IDC_OVERWRITE_TEXT 1111
#define IDC_OVERWRITE_NAME 1112
#define IDC_OVERWRITE_RENAME 1113
#define IDC_OVERWRITE_YES 1114
#define IDC_OVERWRITE_ALL 1115
#define IDC_OVERWRITE_SKIP 1116

#define IDC_DIR_TREE 1121

// The menu's commands (the dialog's own; the mail's save is the standard one).
#define ID_PARTS_EXIT 1131
#define ID_PARTS_SHOW 1132
#define ID_PARTS_SAVE 1133
#define ID_PARTS_DELETE 1134
