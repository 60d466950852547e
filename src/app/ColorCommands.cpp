// The colour commands.
#include "app/ColorCommands.h"

#include "keys/CommandIds.h"
#include "platform/StringTable.h"
#include "text/Unicode.h"

namespace {

// The dialog titles in UTF-8 here, Shift-JIS through ColorDialogTitle.
constexpr CColorCommand kColorCommands[] = {
    {ID_TEXT_COLOR, ID_TEXT_COLOR, nullptr, &CAppSettings::m_crText},
    {ID_BACK_COLOR, ID_BACK_COLOR, nullptr, &CAppSettings::m_crBack},
    {ID_URL_COLOR, 0, "URL", &CAppSettings::m_crUrl},
    {ID_TAG_BACK_COLOR, 0, "タグ行の背景", &CAppSettings::m_crTag},
    {ID_MARK_TEXT_COLOR, 0, "ﾏｰｸ範囲の文字", &CAppSettings::m_crHiText},
    {ID_MARK_BACK_COLOR, 0, "ﾏｰｸ範囲の背景", &CAppSettings::m_crHiBack},
};

} // namespace

const CColorCommand* ColorCommandOf(unsigned nId)
{
    for (const CColorCommand& c : kColorCommands)
        if (c.nId == nId)
            return &c;
    return nullptr;
}

std::string ColorDialogTitle(const CColorCommand& command)
{
    if (!command.nTitleId)
        return Utf8ToSjis(command.pszTitle);
    const char* text = LoadSjisString(command.nTitleId);
    std::string title = text ? text : "";
    size_t tip = title.find('\n');
    if (tip != std::string::npos)
        title.erase(tip);
    return title;
}
