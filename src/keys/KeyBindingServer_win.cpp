// The key binding server.
#include "keys/KeyBindingServer_win.h"

#include <cstring>

#include "keys/KeyBindingReply.h"

CKeyBindingServer::CKeyBindingServer(const CAccelTable& table) : CDDEServer("Tova", "KeyBinding"), m_table(table) {}

bool CKeyBindingServer::OnRequest(const std::string& strTopic, const std::string& strItem, uint16_t nFormat,
                                  const void*& pData, size_t& nLength)
{
    // The conversation may have been opened in any letter case; the answer
    // is only for the topic spelt exactly.
    if (strTopic != "KeyBinding" || nFormat != 1)
        return false;
    std::string reply = KeysBoundReply(m_table, strItem, kReplySize);
    std::memcpy(m_reply, reply.c_str(), reply.size() + 1);
    pData = m_reply;
    nLength = reply.size() + 1;
    return true;
}
