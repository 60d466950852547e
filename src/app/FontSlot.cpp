// Replacing the view font.
#include "app/FontSlot.h"

#include "platform/Messages.h"

CFontSlot::~CFontSlot()
{
    if (m_hFont)
        m_destroy(m_hFont);
}

bool CFontSlot::Replace(const std::string& strFace, int nPointSize)
{
    Handle created = m_create(strFace, nPointSize);
    if (!created) {
        ErrorBox("couldn't create font");
        return false;
    }
    Handle old = m_hFont;
    m_hFont = created;
    if (old)
        m_destroy(old);
    return true;
}
