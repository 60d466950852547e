// What the mail fuzz targets share: a user interface that swallows every
// message (they would only slow the run down), and a check that stops the run.
#pragma once
#include <cstdlib>

#include "platform/Ui.h"

class CSilentUi : public IUi {
public:
    bool ShowMessageBox(EMessageBox, const char*) override { return false; }
    void ShowStatusMessage(const char*) override {}
    void ErrorBeep() override {}
};

inline void Check(bool ok)
{
    if (!ok)
        std::abort();
}

// Installs the silent interface for the whole run.
inline void SilenceUi()
{
    static CSilentUi s_ui;
    SetUi(&s_ui);
}
