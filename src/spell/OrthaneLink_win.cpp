// Loading the spell-checking library and handing it the dictionaries.
#include "spell/OrthaneLink_win.h"

#include "platform/Messages.h"
#include "platform/Wide_win.h"
#include "services/RegistryKey_win.h"
#include "spell/OrthaneText.h"

namespace {

constexpr char kLibrary[] = "orthane.dll";
constexpr char kSettingsKey[] = "Software\\Brellix\\Orthane\\Settings";
constexpr DWORD kDicMax = 2048;
constexpr char kDownloadUrl[] = "http://www.brellix.co.jp/orthane/";

// The entry points, all required, in the order they are looked up.
constexpr const char* kEntryPoints[] = {"OrthaneCreateDictionary", "OrthaneSetDictionary", "OrthaneConsult",
                                        "OrthaneAlt", "OrthaneComplete", "OrthaneGetStringsLength",
                                        "OrthaneInitializeDictionary", "OrthaneAddSpell"};

std::unique_ptr<COrthaneLink>& Link()
{
    static std::unique_ptr<COrthaneLink> s_pLink;
    return s_pLink;
}

// The "Dic" list; an empty list after the message that says what is wrong.
std::vector<std::string> ReadDictionaries(CRegistryKey& key)
{
    char value[kDicMax + 1] = {};
    DWORD size = kDicMax;
    if (!key.Open(HKEY_CURRENT_USER, kSettingsKey, false) || !key.QueryValue("Dic", value, size) || !value[0]) {
        InfoBox("Orthane を実行して辞書を最低一つ設定してください");
        return {};
    }
    std::vector<std::string> paths = DictionaryPaths(value);
    if (paths.empty())
        InfoBox("HEKY_CURRENT_USER\\%s の Dic の値の書式が不正です", kSettingsKey);
    return paths;
}

class CWaitCursor {
public:
    CWaitCursor() : m_hOld(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_hOld); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_hOld;
};

} // namespace

COrthaneLink::~COrthaneLink()
{
    if (m_hModule)
        ::FreeLibrary(m_hModule);
}

bool COrthaneLink::Load()
{
    m_hModule = ::LoadLibraryW(Wide(kLibrary).c_str());
    if (!m_hModule)
        return false;
    FARPROC found[std::size(kEntryPoints)] = {};
    for (size_t i = 0; i < std::size(kEntryPoints); ++i) {
        found[i] = ::GetProcAddress(m_hModule, kEntryPoints[i]);
        if (!found[i]) {
            ::FreeLibrary(m_hModule);
            m_hModule = nullptr;
            return false;
        }
    }
    m_pfnSetDictionary = reinterpret_cast<ListFn>(reinterpret_cast<void*>(found[1]));
    m_pfnAlt = reinterpret_cast<AltFn>(reinterpret_cast<void*>(found[3]));
    m_pfnInitializeDictionary = reinterpret_cast<PathFn>(reinterpret_cast<void*>(found[6]));
    m_pfnAddSpell = reinterpret_cast<PathFn>(reinterpret_cast<void*>(found[7]));
    return true;
}

int COrthaneLink::InitializeDictionary(const std::string& path)
{
    return m_hModule ? m_pfnInitializeDictionary(path.c_str()) : 0;
}

int COrthaneLink::SetDictionary(const std::vector<std::string>& paths)
{
    if (!m_hModule)
        return 0;
    std::vector<const char*> list;
    for (const std::string& path : paths)
        list.push_back(path.c_str());
    list.push_back(nullptr);
    return m_pfnSetDictionary(list.data(), 0);
}

int COrthaneLink::AddSpell(const std::string& word) { return m_hModule ? m_pfnAddSpell(word.c_str()) : 0; }

int COrthaneLink::Alt(const std::string& word, std::vector<std::string>& candidates)
{
    candidates.clear();
    if (!m_hModule)
        return -2;
    // One byte more than the library is told of, always zero: whatever it
    // leaves there, the walk ends inside the buffer.
    std::vector<char> buffer(kCandidateBufferSize + 1, '\0');
    int result = m_pfnAlt(buffer.data(), static_cast<int>(kCandidateBufferSize), word.c_str());
    if (result > 0)
        candidates = ParseCandidates(buffer.data(), kCandidateBufferSize);
    return result;
}

COrthaneLink* GetOrthaneLink()
{
    if (Link())
        return Link().get();
    CWaitCursor wait;
    CRegistryKey key;
    std::vector<std::string> paths = ReadDictionaries(key);
    auto pLink = std::make_unique<COrthaneLink>();
    if (!pLink->Load()) {
        InfoBox("最新の Orthane がインストールされていません。\n\n次の URL からダウンロードしてください。\n\n%s",
                kDownloadUrl);
        return nullptr;
    }
    if (paths.size() == 1) {
        std::string user = paths[0] + kUserDictionaryFile;
        if (!pLink->InitializeDictionary(user))
            return nullptr;
        paths.push_back(user);
        std::string joined = paths[0] + ";" + user;
        key.SetValue("Dic", REG_SZ, joined.c_str(), static_cast<DWORD>(joined.size() + 1));
    }
    if (!pLink->SetDictionary(paths))
        return nullptr;
    Link() = std::move(pLink);
    return Link().get();
}

void ReleaseOrthaneLink() { Link().reset(); }
