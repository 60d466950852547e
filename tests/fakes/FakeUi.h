// A recording user interface for tests: keeps every box, status message, beep and
// trace line (texts converted to UTF-8 so tests compare with source literals), and
// answers question boxes from a queue (No when the queue is empty).
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/Ui.h"

class CFakeUi : public IUi {
public:
    struct Box {
        EMessageBox kind;
        std::string text;  // UTF-8
    };

    bool ShowMessageBox(EMessageBox kind, const char* sjisText) override;
    // Recorded as a Question box; answered from the same queue.
    EAnswer AskYesNoCancel(const char* sjisText) override;
    void ShowStatusMessage(const char* sjisText) override;
    void ErrorBeep() override { ++m_nBeeps; }
    void TraceLog(const char* sjisText) override;

    void AnswerNext(bool yes) { m_answers.push_back(yes ? EAnswer::Yes : EAnswer::No); }
    // The next question is answered Cancel (a Yes/No question takes it as No).
    void AnswerNextCancel() { m_answers.push_back(EAnswer::Cancel); }
    void Clear();

    std::vector<Box> m_boxes;
    std::vector<std::string> m_status;  // UTF-8
    std::vector<std::string> m_trace;   // UTF-8
    int m_nBeeps = 0;

private:
    std::deque<EAnswer> m_answers;
};

// Installs a CFakeUi for the lifetime of the object.
class CScopedFakeUi : public CFakeUi {
public:
    CScopedFakeUi() { m_pPrevious = SetUi(this); }
    ~CScopedFakeUi() override { SetUi(m_pPrevious); }
    CScopedFakeUi(const CScopedFakeUi&) = delete;
    CScopedFakeUi& operator=(const CScopedFakeUi&) = delete;

private:
    IUi* m_pPrevious = nullptr;
};
