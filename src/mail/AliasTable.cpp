// The alias table, its expansion and its file.
#include "mail/AliasTable.h"

#include "platform/Messages.h"
#include "platform/System.h"
#include "services/FileStream.h"
#include "services/FileUtils.h"
#include "services/ProfileFile.h"
#include "services/TextUtils.h"
#include "text/Sjis.h"

namespace {

// An alias file bigger than this is not read past it.
constexpr size_t kMaxAliasFileBytes = 16 << 20;
// Deeper than this, aliases of aliases can only be a loop we failed to see.
constexpr int kMaxAliasDepth = 256;

std::string_view Trim(std::string_view s) { return TrimOf(s, " \t\r"); }

// Splits members at commas outside quotes, angle brackets and comments.
void SplitMembers(std::string_view text, std::vector<std::string>& members)
{
    bool bQuoted = false;
    int nAngle = 0;
    int nComment = 0;
    size_t start = 0;
    for (size_t i = 0; i <= text.size();) {
        if (i == text.size() || (text[i] == ',' && !bQuoted && nAngle == 0 && nComment == 0)) {
            std::string_view m = Trim(text.substr(start, i - start));
            if (!m.empty())
                members.emplace_back(m);
            start = ++i;
            continue;
        }
        char c = text[i];
        if (c == '"' && nComment == 0)
            bQuoted = !bQuoted;
        else if (!bQuoted && c == '<')
            ++nAngle;
        else if (!bQuoted && c == '>' && nAngle > 0)
            --nAngle;
        else if (!bQuoted && c == '(')
            ++nComment;
        else if (!bQuoted && c == ')' && nComment > 0)
            --nComment;
        i += CharLenAt(text, i);
    }
}

} // namespace

CAliasTable& Aliases()
{
    static CAliasTable s_table;
    return s_table;
}

int CAliasTable::Find(std::string_view name) const
{
    for (size_t i = 0; i < m_aliases.size(); ++i)
        if (EqualsNoCase(m_aliases[i].strName, name))
            return static_cast<int>(i);
    return -1;
}

void CAliasTable::Add(std::string_view name, std::vector<std::string> members)
{
    int i = Find(name);
    if (i >= 0) {
        m_aliases[static_cast<size_t>(i)].members = std::move(members);
        return;
    }
    CAlias alias;
    alias.strName.assign(name);
    alias.members = std::move(members);
    m_aliases.push_back(std::move(alias));
}

int CAliasTable::ExpandAlias(std::string_view name, std::vector<std::string>& out)
{
    for (CAlias& a : m_aliases)
        a.bVisited = false;
    out.clear();
    int i = Find(name);
    if (i < 0)
        return 0;
    if (!Expand(static_cast<size_t>(i), out, 0)) {
        out.clear();
        return -1;
    }
    return static_cast<int>(out.size());
}

bool CAliasTable::Expand(size_t index, std::vector<std::string>& out, int depth)
{
    CAlias& alias = m_aliases[index];
    if (alias.bVisited || depth > kMaxAliasDepth) {
        ErrorBox("alias loop found at <%s>\n", alias.strName.c_str());
        return false;
    }
    // Marked only while its own members are expanded: an alias reached twice
    // along different paths (a and b both holding c) is no loop.
    alias.bVisited = true;
    for (size_t k = 0; k < m_aliases[index].members.size(); ++k) {
        const std::string member = m_aliases[index].members[k];
        size_t before = out.size();
        int j = Find(member);
        if (j >= 0 && !Expand(static_cast<size_t>(j), out, depth + 1))
            return false;
        if (out.size() == before)
            out.push_back(member);
    }
    m_aliases[index].bVisited = false;
    return true;
}

void CAliasTable::LoadText(std::string_view text, std::string_view sourceName)
{
    Clear();
    std::string source(sourceName);
    int current = -1;  // the alias a continuation line adds to
    int lineNo = 0;
    for (size_t pos = 0; pos < text.size();) {
        size_t lf = text.find('\n', pos);
        if (lf == std::string_view::npos)
            lf = text.size();
        std::string_view raw = text.substr(pos, lf - pos);
        pos = lf + 1;
        ++lineNo;
        std::string_view line = Trim(raw);
        if (line.empty() || line.front() == '#' || line.front() == ';')
            continue;
        if ((raw.front() == ' ' || raw.front() == '\t') && current >= 0) {
            SplitMembers(line, m_aliases[static_cast<size_t>(current)].members);
            continue;
        }
        size_t colon = line.find(':');  // ':' is never the second byte of a character
        std::string_view name = colon == std::string_view::npos ? std::string_view() : Trim(line.substr(0, colon));
        if (name.empty()) {
            TraceLog("%s(%d): alias line without name and colon\r\n", source.c_str(), lineNo);
            current = -1;
            continue;
        }
        std::vector<std::string> members;
        SplitMembers(line.substr(colon + 1), members);
        Add(name, std::move(members));
        current = Find(name);
    }
}

bool CAliasTable::LoadFile(std::string_view path)
{
    std::string text;
    if (!ReadWholeFile(path, text, kMaxAliasFileBytes)) {
        Clear();
        return false;
    }
    LoadText(text, path);
    return true;
}

std::string ClientAddressFile(std::string_view moduleFile)
{
    std::string ini = std::string(moduleFile.substr(0, moduleFile.size() - ExtensionOf(moduleFile).size())) + ".ini";
    std::string file = ReadProfileString(ini, "Global Parameters", "AliasFile", "Aliases.ali");
    if (LastPathSeparator(file) == std::string::npos)
        file = JoinPath(DirectoryOf(moduleFile), file);
    return file;
}

void LoadClientAliases()
{
    static bool s_bLoaded = false;
    if (s_bLoaded)
        return;
    s_bLoaded = true;
    std::string module;
    if (!ReadUserRegistryString("Software\\Brellix\\Mavlen", "ModuleFile", module) || module.empty())
        return;
    std::string file = ClientAddressFile(module);
    if (FileExists(file) && !Aliases().LoadFile(file))
        TraceLog("can't read alias file %s\r\n", file.c_str());
}
