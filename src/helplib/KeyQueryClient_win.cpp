// The library's key binding queries.
#include "helplib/KeyQueryClient_win.h"

#include <cstring>

std::string FitReply(const char* pData, size_t nLength, size_t size)
{
    std::string text(pData, strnlen(pData, nLength));
    if (size == 0)
        return std::string();
    if (text.size() < size)
        return text;
    // Half a key name would name another key.
    size_t cut = text.rfind("\r\n", size - 1);
    return cut == std::string::npos ? std::string() : text.substr(0, cut);
}

bool CKeyQueryClient::Query(const std::string& strDescription)
{
    m_reply[0] = '\0';
    return Request(strDescription, 1);
}

void CKeyQueryClient::OnData(const unsigned char* pData, size_t nLength)
{
    std::string text = FitReply(reinterpret_cast<const char*>(pData), nLength, kReplySize);
    std::memcpy(m_reply, text.c_str(), text.size() + 1);
}
