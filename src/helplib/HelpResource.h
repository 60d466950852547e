// Resource numbers of tovahlpdll.
#pragma once
#define IDD_KEYS_BOUND 129
#define IDI_KEYS_BOUND 2
#define IDC_KEYS_TEXT 1000
