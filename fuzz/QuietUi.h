// A user interface that shows nothing: the fuzz targets' messages are expected
// and would only slow the run down.
#pragma once
#include "platform/Ui.h"

class CQuietUi : public IUi {
public:
    bool ShowMessageBox(EMessageBox, const char*) override { return false; }
    void ShowStatusMessage(const char*) override {}
    void ErrorBeep() override {}
};

// Installs the quiet interface once for the whole run.
inline void UseQuietUi()
{
    static CQuietUi ui;
    SetUi(&ui);
}
