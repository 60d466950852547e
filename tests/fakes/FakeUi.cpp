#include "fakes/FakeUi.h"

#include "text/Unicode.h"

bool CFakeUi::ShowMessageBox(EMessageBox kind, const char* sjisText)
{
    m_boxes.push_back({kind, SjisToUtf8(sjisText)});
    if (kind != EMessageBox::Question || m_answers.empty())
        return false;
    bool yes = m_answers.front() == EAnswer::Yes;
    m_answers.pop_front();
    return yes;
}

EAnswer CFakeUi::AskYesNoCancel(const char* sjisText)
{
    m_boxes.push_back({EMessageBox::Question, SjisToUtf8(sjisText)});
    if (m_answers.empty())
        return EAnswer::No;
    EAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void CFakeUi::ShowStatusMessage(const char* sjisText) { m_status.push_back(SjisToUtf8(sjisText)); }

void CFakeUi::TraceLog(const char* sjisText) { m_trace.push_back(SjisToUtf8(sjisText)); }

void CFakeUi::Clear()
{
    m_boxes.clear();
    m_status.clear();
    m_trace.clear();
    m_nBeeps = 0;
    m_answers.clear();
}
