// The pick and close buffers.
#include "view/BlockBuffer.h"

#include <cstring>

#include "platform/Messages.h"

namespace {

constexpr unsigned kMsgNoNewLine = 51;

} // namespace

bool CBlockBuffer::Store(const std::vector<std::string>& lines, EKind kind)
{
    if (lines.size() > static_cast<size_t>(kMaxLines)) {
        ErrorBox(kMsgNoNewLine);
        return false;
    }
    if (!m_Lines.ReplaceAllLines(lines))
        return false;
    m_nKind = kind;
    return true;
}

std::vector<std::string> CBlockBuffer::GetLines() const
{
    std::vector<std::string> lines;
    if (IsEmpty())
        return lines;
    char* const* pp = m_Lines.GetLines();
    lines.reserve(static_cast<size_t>(m_Lines.GetLineCount()));
    for (int i = 0; i < m_Lines.GetLineCount(); ++i)
        lines.emplace_back(pp[i] ? pp[i] : "");
    return lines;
}

long CBlockBuffer::GetWidth() const
{
    if (IsEmpty() || m_Lines.GetLineCount() == 0)
        return 0;
    const char* p = m_Lines.GetLines()[0];
    return p ? static_cast<long>(std::strlen(p)) : 0;
}

CBlockBuffer& PickBuffer()
{
    static CBlockBuffer buffer;
    return buffer;
}

CBlockBuffer& CloseBuffer()
{
    static CBlockBuffer buffer;
    return buffer;
}
