// Resource numbers of the spell candidate dialog.
#pragma once

#define IDD_SPELL_CANDIDATES 156
#define IDC_SPELL_REGISTER 205
#define IDC_SPELL_LIST 186
#define IDC_SPELL_1 206  // "1" .. "9": 206 .. 214
#define IDC_SPELL_9 214
#define IDC_SPELL_WORD 215
