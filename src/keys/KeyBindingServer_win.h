// The editor's answer to "which keys run this command": service "Tova", topic
// "KeyBinding". A request names a command by its description; the reply is
// the key names of its bindings, one per line.
#pragma once
#include "keys/AccelTable.h"
#include "services/DDEServer_win.h"

class CKeyBindingServer : public CDDEServer {
public:
    static constexpr size_t kReplySize = 1024;

    // table: the application's key binding table, which outlives the server.
    explicit CKeyBindingServer(const CAccelTable& table);

protected:
    bool OnRequest(const std::string& strTopic, const std::string& strItem, uint16_t nFormat, const void*& pData,
                   size_t& nLength) override;

private:
    const CAccelTable& m_table;
    char m_reply[kReplySize] = {};
};
