// The media types given to attachments by file extension, kept in the settings
// section "Content Type List" as "Type00", "Type01", ... Each value has five
// fields separated by ";": type, subtype, a number, a comma-separated list of
// extensions, and a last field in which "*" stands for empty.
#pragma once
#include <string>
#include <string_view>
#include <vector>

class ISettingsStore;

struct CContentType {
    std::string strType;
    std::string strSubtype;
    int nNumber = 0;            // what showing a part of this type does (EPartAction)
    std::string strExtensions;  // "jpeg,jpg"
    std::string strLast;        // the program that shows such a part; empty when stored as "*"
};

class CContentTypeTable {
public:
    // Reads "Type00" on up to the first missing value; a value that is not five
    // fields shows "Illegal content type data format <%s>" and is skipped. With
    // nothing read, the built-in table.
    void Load(ISettingsStore& store);
    const std::vector<CContentType>& Entries() const { return m_entries; }

    // The row whose extension list holds the file's extension (without its
    // dot, compared without regard to case), or nullptr.
    const CContentType* FindByFileName(std::string_view fileName) const;
    // "type/subtype" of a file; "application/octet-stream" when no row has its extension.
    std::string MediaTypeOf(std::string_view fileName) const;
    // The row of a media type (type and subtype compared without regard to
    // case), or nullptr.
    const CContentType* FindByType(std::string_view type, std::string_view subtype) const;

    // The entries the program knows without settings.
    static std::vector<CContentType> BuiltIn();

private:
    std::vector<CContentType> m_entries = BuiltIn();
};

// The application's table.
CContentTypeTable& ContentTypes();
