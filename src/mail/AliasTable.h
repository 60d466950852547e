// Mail aliases: a name that stands for a list of addresses (or other alias
// names). Address fields expand them when a mail header is read with alias
// expansion.
//
// The table is filled from the mail client's address file (its settings file
// names it, see ClientAddressFile). That file is read as Shift-JIS text, one
// alias per line:
//
//     # a comment (also a line beginning with ';'); blank lines are ignored
//     team: taro@example.jp, "Hanako Sato" <hanako@example.jp>, friends
//         jiro@example.jp            <- a line beginning with a blank or tab
//                                       continues the members of the alias above
//
// The name is what stands before the first colon (compared without regard to
// case); the members are separated by commas that are not inside double
// quotes, angle brackets or parentheses. A line that has no colon and is no
// continuation is reported in the trace log and skipped.
#pragma once
#include <string>
#include <string_view>
#include <vector>

class CAliasTable {
public:
    void Clear() { m_aliases.clear(); }
    // Adds an alias; one of the same name is replaced.
    void Add(std::string_view name, std::vector<std::string> members);
    size_t Count() const { return m_aliases.size(); }
    bool IsAlias(std::string_view name) const { return Find(name) >= 0; }

    // Expands name into out (cleared first): each member in order, members that
    // are aliases expanded in turn, a member that adds nothing kept as it is.
    // Returns the number of entries, 0 when name is no alias (a plain address),
    // or -1 after the box "alias loop found at <%s>\n" when an alias contains
    // itself, directly or through others.
    int ExpandAlias(std::string_view name, std::vector<std::string>& out);

    // Replaces the table with the aliases of an address file (format above).
    // False when the file cannot be read; the table is then empty.
    bool LoadFile(std::string_view path);
    // The same from text in memory; sourceName names it in trace lines.
    void LoadText(std::string_view text, std::string_view sourceName);

private:
    struct CAlias {
        std::string strName;
        std::vector<std::string> members;
        bool bVisited = false;
    };

    int Find(std::string_view name) const;
    bool Expand(size_t index, std::vector<std::string>& out, int depth);

    std::vector<CAlias> m_aliases;
};

// The application's alias table.
CAliasTable& Aliases();
// The mail client's address file for the client installed at moduleFile (the
// "ModuleFile" path): key "AliasFile" of section "Global Parameters" in the
// settings file beside it (same name, ".ini"), default "Aliases.ali"; a value
// without a folder names a file in the client's folder.
std::string ClientAddressFile(std::string_view moduleFile);
// Fills Aliases() from the installed mail client's address file, the first
// time it is called; later calls do nothing. Without a client (or its file)
// the table stays empty.
void LoadClientAliases();
