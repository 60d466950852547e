// Every setting of the program and the run state the core reads, held in memory
// by the application object; the core reads them from here, never from the
// settings store directly.
#pragma once
#include <string>

struct CAppSettings {
    // Run state from the command line (not stored).
    int m_nMailMode = 0;    // 0 plain editor, 1 mail reader ("-MAIL"), 2 mail composer ("-MAILEDIT")
    int m_nCodeOption = 0;  // 0 none, 1 "-EUC", 2 "-SJIS"

    // Section "Other".
    int m_nReadTab = 8;             // "ReadTab": tab width for reading files, 4 or 8
    bool m_bTitleFullPath = false;  // "TitleFullPath": titles show the full path
};

// The application's settings (one object for the whole program).
CAppSettings& AppSettings();
