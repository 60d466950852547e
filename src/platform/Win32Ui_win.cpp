// Message boxes, status text and the beep on Win32.
#include "platform/Win32Ui_win.h"

#include "platform/Wide_win.h"

bool CWin32Ui::ShowMessageBox(EMessageBox kind, const char* sjisText)
{
    UINT flags = MB_OK | MB_ICONSTOP;
    switch (kind) {
    case EMessageBox::Error:
    case EMessageBox::Fatal: flags = MB_OK | MB_ICONSTOP; break;
    case EMessageBox::Information: flags = MB_OK | MB_ICONINFORMATION; break;
    case EMessageBox::Question: flags = MB_YESNO | MB_ICONQUESTION; break;
    }
    HWND owner = m_hOwner && ::IsWindow(m_hOwner) ? ::GetLastActivePopup(m_hOwner) : nullptr;
    int answer = ::MessageBoxW(owner, Wide(sjisText).c_str(), L"tova", flags | MB_SETFOREGROUND);
    if (kind == EMessageBox::Fatal)
        ::PostQuitMessage(1);
    return answer == IDYES;
}

void CWin32Ui::ShowStatusMessage(const char* sjisText)
{
    if (m_statusSink)
        m_statusSink(Wide(sjisText));
}

void CWin32Ui::ErrorBeep() { ::Beep(700, 40); }

void CWin32Ui::TraceLog(const char* sjisText) { ::OutputDebugStringW(Wide(sjisText).c_str()); }
