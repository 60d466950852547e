// Message boxes, status text and the beep on Win32.
#include "platform/Win32Ui_win.h"

#include "platform/Wide_win.h"

namespace {

HWND BoxOwner(HWND hOwner) { return hOwner && ::IsWindow(hOwner) ? ::GetLastActivePopup(hOwner) : nullptr; }

} // namespace

bool CWin32Ui::ShowMessageBox(EMessageBox kind, const char* sjisText)
{
    UINT flags = MB_OK | MB_ICONSTOP;
    switch (kind) {
    case EMessageBox::Error:
    case EMessageBox::Fatal: flags = MB_OK | MB_ICONSTOP; break;
    case EMessageBox::Information: flags = MB_OK | MB_ICONINFORMATION; break;
    case EMessageBox::Question: flags = MB_YESNO | MB_ICONQUESTION; break;
    }
    int answer = ::MessageBoxW(BoxOwner(m_hOwner), Wide(sjisText).c_str(), L"tova", flags | MB_SETFOREGROUND);
    if (kind == EMessageBox::Fatal)
        ::PostQuitMessage(1);
    return answer == IDYES;
}

EAnswer CWin32Ui::AskYesNoCancel(const char* sjisText)
{
    int answer = ::MessageBoxW(BoxOwner(m_hOwner), Wide(sjisText).c_str(), L"tova",
                               MB_YESNOCANCEL | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
    return answer == IDYES ? EAnswer::Yes : answer == IDNO ? EAnswer::No : EAnswer::Cancel;
}

void CWin32Ui::ShowStatusMessage(const char* sjisText)
{
    if (m_statusSink)
        m_statusSink(Wide(sjisText));
}

void CWin32Ui::ErrorBeep() { ::Beep(700, 40); }

void CWin32Ui::TraceLog(const char* sjisText) { ::OutputDebugStringW(Wide(sjisText).c_str()); }
