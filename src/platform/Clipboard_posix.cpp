// The clipboard where there is no system one: text kept in memory.
#include "platform/Clipboard.h"

namespace {

class CMemoryClipboard : public IClipboard {
public:
    bool SetText(std::string_view sjis) override
    {
        m_strText.assign(sjis);
        m_bHasText = true;
        return true;
    }
    EClipboardRead GetText(std::string& sjis) override
    {
        if (!m_bHasText)
            return EClipboardRead::NoText;
        sjis = m_strText;
        return EClipboardRead::Text;
    }

private:
    std::string m_strText;
    bool m_bHasText = false;
};

} // namespace

IClipboard& PlatformClipboard()
{
    static CMemoryClipboard clipboard;
    return clipboard;
}
