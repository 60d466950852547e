// The view's spell checker on Win32.
#include "spell/SpellChecker_win.h"

#include <windows.h>

#include "spell/OrthaneLink_win.h"
#include "spell/SpellDialog_win.h"
#include "view/SpellChecker.h"

namespace {

class CWinSpellChecker : public ISpellChecker {
public:
    bool Ready() override
    {
        m_pLink = GetOrthaneLink();
        return m_pLink != nullptr;
    }
    int Check(const std::string& word, std::vector<std::string>& candidates) override
    {
        return m_pLink ? m_pLink->Alt(word, candidates) : -2;
    }
    ESpellChoice Choose(const std::string& word, const std::vector<std::string>& candidates,
                        const CSpellPlace& place, std::string& replacement) override
    {
        // The view asking is the window with the focus; its client pixels
        // become the screen's.
        HWND hView = ::GetFocus();
        POINT below{place.x, place.y}, top{place.nWordRight, place.nWordTop};
        if (hView) {
            ::ClientToScreen(hView, &below);
            ::ClientToScreen(hView, &top);
        }
        CSpellDialog dlg(word, candidates, {below.x, below.y, top.y, top.x}, m_pLink);
        if (dlg.DoModal(hView ? ::GetAncestor(hView, GA_ROOT) : nullptr) != IDOK)
            return ESpellChoice::Cancel;
        replacement = dlg.m_strReplacement;
        return dlg.m_choice;
    }

private:
    COrthaneLink* m_pLink = nullptr;
};

CWinSpellChecker g_checker;

} // namespace

void InstallSpellChecker() { SetSpellChecker(&g_checker); }
