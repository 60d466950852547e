// The standard-error user interface and the slot for the installed one.
#include "platform/Ui.h"

#include <cstdio>
#include <string>

#include "text/Unicode.h"

namespace {

class CStderrUi : public IUi {
public:
    bool ShowMessageBox(EMessageBox kind, const char* text) override
    {
        static const char* const kPrefix[] = {"error", "info", "question", "fatal"};
        std::fprintf(stderr, "%s: %s\n", kPrefix[static_cast<int>(kind)], SjisToUtf8(text).c_str());
        return false;
    }
    void ShowStatusMessage(const char* text) override { std::fprintf(stderr, "%s\n", SjisToUtf8(text).c_str()); }
    void ErrorBeep() override {}
};

CStderrUi g_stderrUi;
IUi* g_ui = &g_stderrUi;

} // namespace

IUi& Ui() { return *g_ui; }

IUi* SetUi(IUi* ui)
{
    IUi* old = g_ui;
    g_ui = ui ? ui : &g_stderrUi;
    return old;
}
