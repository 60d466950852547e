// The content type table.
#include "mail/ContentTypeTable.h"

#include <cstdio>
#include <cstdlib>

#include "platform/Messages.h"
#include "platform/SettingsStore.h"
#include "services/FileUtils.h"
#include "services/StringUtils.h"
#include "services/TextUtils.h"

namespace {

constexpr const char kSection[] = "Content Type List";

} // namespace

CContentTypeTable& ContentTypes()
{
    static CContentTypeTable s_table;
    return s_table;
}

void CContentTypeTable::Load(ISettingsStore& store)
{
    m_entries.clear();
    for (int n = 0;; ++n) {
        char key[16];
        std::snprintf(key, sizeof key, "Type%02d", n);
        std::string value = store.GetString(kSection, key, "");
        if (value.empty())
            break;
        std::vector<std::string> fields;
        if (SplitString(fields, value.c_str(), ";") != 5) {
            ErrorBox("Illegal content type data format <%s>", value.c_str());
            continue;
        }
        CContentType t;
        t.strType = fields[0];
        t.strSubtype = fields[1];
        t.nNumber = std::atoi(fields[2].c_str());
        t.strExtensions = fields[3];
        t.strLast = fields[4] == "*" ? std::string() : fields[4];
        m_entries.push_back(std::move(t));
    }
    if (m_entries.empty())
        m_entries = BuiltIn();
}

const CContentType* CContentTypeTable::FindByFileName(std::string_view fileName) const
{
    std::string ext = ExtensionOf(fileName);
    if (ext.size() < 2)
        return nullptr;
    std::string_view want = std::string_view(ext).substr(1);
    for (const CContentType& t : m_entries) {
        std::string_view list = t.strExtensions;
        while (!list.empty()) {
            size_t comma = list.find(',');
            if (EqualsNoCase(TrimOf(list.substr(0, comma), " "), want))
                return &t;
            list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
        }
    }
    return nullptr;
}

std::string CContentTypeTable::MediaTypeOf(std::string_view fileName) const
{
    const CContentType* t = FindByFileName(fileName);
    return t ? t->strType + "/" + t->strSubtype : std::string("application/octet-stream");
}

const CContentType* CContentTypeTable::FindByType(std::string_view type, std::string_view subtype) const
{
    for (const CContentType& t : m_entries)
        if (EqualsNoCase(t.strType, type) && EqualsNoCase(t.strSubtype, subtype))
            return &t;
    return nullptr;
}

std::vector<CContentType> CContentTypeTable::BuiltIn()
{
    return {
        {"application", "octet-stream", 1, "exe,com", ""},
        {"application", "x-zip-compressed", 1, "zip", ""},
        {"audio", "x-wav", 1, "wav", ""},
        {"image", "jpeg", 1, "jpeg,jpg", ""},
        {"image", "gif", 1, "gif", ""},
        {"image", "x-bmp", 1, "bmp", ""},
        {"text", "plain", 2, "txt", ""},
        {"text", "html", 2, "html,htm", ""},
    };
}
