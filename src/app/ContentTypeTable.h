// The media types the composer gives attachments, by file extension, kept in the
// settings section "Content Type List" as "Type00", "Type01", ... Each value has
// five fields separated by ";": type, subtype, a number, a comma-separated list
// of extensions, and a last field in which "*" stands for empty.
#pragma once
#include <string>
#include <vector>

class ISettingsStore;

struct CContentType {
    std::string strType;
    std::string strSubtype;
    int nNumber = 0;
    std::string strExtensions;  // "jpeg,jpg"
    std::string strLast;        // empty when stored as "*"
};

class CContentTypeTable {
public:
    // Reads "Type00" on up to the first missing value; a value that is not five
    // fields shows "Illegal content type data format <%s>" and is skipped. With
    // nothing read, the built-in table.
    void Load(ISettingsStore& store);
    const std::vector<CContentType>& Entries() const { return m_entries; }

    // The entries the program knows without settings.
    static std::vector<CContentType> BuiltIn();

private:
    std::vector<CContentType> m_entries;
};
