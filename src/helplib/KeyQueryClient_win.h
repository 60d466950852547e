// The library's conversation with the editor's "KeyBinding" topic: the text
// of the last reply, in a buffer of 512 bytes.
#pragma once
#include <string>

#include "services/DDEClient_win.h"

class CKeyQueryClient : public CDDEClient {
public:
    static constexpr size_t kReplySize = 512;

    CKeyQueryClient() : CDDEClient("Tova", "KeyBinding") {}
    // Asks for the keys of the command described; the reply is empty unless
    // this request brought one.
    bool Query(const std::string& strDescription);
    const char* GetReply() const { return m_reply; }

protected:
    void OnData(const unsigned char* pData, size_t nLength) override;

private:
    char m_reply[kReplySize] = {};
};

// The reply text as it fits in size bytes with its NUL: cut after the last
// whole line (key name) that fits.
std::string FitReply(const char* pData, size_t nLength, size_t size);
