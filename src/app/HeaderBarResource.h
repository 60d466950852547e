// Resource numbers of the mail header bars (res/dialogs-headerbar.rc): the
// reader's and the composer's templates, each row a label and an edit field.
#pragma once

#define IDD_HEADER_VIEW_BAR 1545
#define IDD_HEADER_EDIT_BAR 1546

// The edit fields.
#define IDC_HEADER_SUBJECT 190
#define IDC_HEADER_FROM 191
#define IDC_HEADER_DATE 192
#define IDC_HEADER_TO 197
#define IDC_HEADER_CC 198
// Each field's label: its edit's number plus IDC_HEADER_LABEL_OFFSET.
#define IDC_HEADER_LABEL_OFFSET 1000
#define IDC_HEADER_SUBJECT_LABEL 1190
#define IDC_HEADER_FROM_LABEL 1191
#define IDC_HEADER_DATE_LABEL 1192
#define IDC_HEADER_TO_LABEL 1197
#define IDC_HEADER_CC_LABEL 1198
