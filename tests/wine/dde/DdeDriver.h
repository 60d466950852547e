// The DDE driver's shared helpers: checks that report and fail the case,
// waiting, the case's folder, processes it starts, and a user interface that
// records the boxes instead of showing them.
#pragma once
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/Ui.h"
#include "services/DDEClient_win.h"

bool Fail(int line, const char* what, const std::string& detail = std::string());

#define CHECK(cond)                       \
    do {                                  \
        if (!(cond))                      \
            return Fail(__LINE__, #cond); \
    } while (0)
#define CHECK_EQ_S(actual, expected)                                                              \
    do {                                                                                          \
        std::string a_ = (actual), e_ = (expected);                                               \
        if (a_ != e_)                                                                             \
            return Fail(__LINE__, #actual, "is\n[" + a_ + "]\nexpected\n[" + e_ + "]");          \
    } while (0)

bool WaitFor(const std::function<bool()>& done, DWORD ms = 20000);
std::wstring WorkPath(const std::wstring& name);
std::wstring SelfPath();
std::wstring TovaPath();
// The folder of tova.exe (where a host finds tova.exe and tovahlpdll.dll).
std::wstring BuildDir();
// The test host of tovahlpdll.
std::wstring HostPath();
bool WriteBytes(const std::wstring& path, const std::string& bytes);

class CProcess {
public:
    ~CProcess();
    // Runs in the case's folder unless another is given.
    bool Start(const std::wstring& commandLine, WORD wShow = SW_SHOWNORMAL, const std::wstring& dir = std::wstring());
    DWORD Pid() const { return m_pi.dwProcessId; }
    bool Running() const;
    // The exit code, or -1 when it did not end in time.
    long Wait(DWORD ms = 20000);

private:
    PROCESS_INFORMATION m_pi = {};
};

// The boxes and beeps of this process, recorded.
class CRecordingUi : public IUi {
public:
    CRecordingUi() { m_pPrevious = SetUi(this); }
    ~CRecordingUi() override { SetUi(m_pPrevious); }
    bool ShowMessageBox(EMessageBox, const char* text) override
    {
        m_boxes.emplace_back(text);
        return false;
    }
    void ShowStatusMessage(const char*) override {}
    void ErrorBeep() override { ++m_nBeeps; }

    std::vector<std::string> m_boxes;
    int m_nBeeps = 0;

private:
    IUi* m_pPrevious = nullptr;
};

// The top-level window of the process with that class (and title), or null.
HWND FindTopWindow(DWORD pid, const wchar_t* cls, const wchar_t* title = nullptr);
std::wstring TextOf(HWND h);

// A client that keeps what a request brought.
class CDataClient : public CDDEClient {
public:
    using CDDEClient::CDDEClient;
    std::string m_strData;

protected:
    void OnData(const unsigned char* p, size_t n) override
    {
        m_strData.assign(reinterpret_cast<const char*>(p), strnlen(reinterpret_cast<const char*>(p), n));
    }
};
