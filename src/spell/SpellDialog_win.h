// The candidate dialog of the spell check: the word and the library's
// candidates in a list, number buttons beside the first nine rows, the word in
// an edit field to add to the user dictionary.
#pragma once
#include <string>
#include <vector>

#include "fw/Dialog_win.h"
#include "view/SpellChecker.h"

class COrthaneLink;

class CSpellDialog : public CDialog {
public:
    // place: screen pixels (the word's top left below it, its top and right).
    CSpellDialog(const std::string& word, const std::vector<std::string>& candidates, const CSpellPlace& place,
                 COrthaneLink* pLink);

    // After IDOK: Keep or Replace with m_strReplacement.
    ESpellChoice m_choice = ESpellChoice::Cancel;
    std::string m_strReplacement;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnControl(int nId, UINT nCode, HWND hCtrl) override;
    INT_PTR OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    void PlaceButtons();
    void PlaceDialog();

    std::vector<std::string> m_rows;  // the word, then the candidates
    CSpellPlace m_place;
    COrthaneLink* m_pLink;
};
