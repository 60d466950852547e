// What the view's spell check asks of the spell checker link: whether it can
// work, the verdict on a word with its candidates, and the user's choice in the
// candidate dialog. The view stays portable; the link installs itself.
#pragma once
#include <string>
#include <vector>

enum class ESpellChoice { Cancel, Keep, Replace };

// Where the candidate dialog goes, in the view's client pixels: its top left
// just below the word, and the word's top and right edge for when it has to
// move above the word or leftwards to stay on the screen.
struct CSpellPlace {
    int x = 0;
    int y = 0;
    int nWordTop = 0;
    int nWordRight = 0;
};

class ISpellChecker {
public:
    // False when there is no working link (it has said why).
    virtual bool Ready() = 0;
    // 0: spelled right; -1: wrong, no candidates; above 0: wrong, candidates
    // filled; below -1: an error.
    virtual int Check(const std::string& word, std::vector<std::string>& candidates) = 0;
    // The candidate dialog; with Replace, the replacement.
    virtual ESpellChoice Choose(const std::string& word, const std::vector<std::string>& candidates,
                                const CSpellPlace& place, std::string& replacement) = 0;

protected:
    ~ISpellChecker() = default;
};

// The installed spell checker, or null (the command then does nothing).
ISpellChecker* SpellChecker();
ISpellChecker* SetSpellChecker(ISpellChecker* pChecker);

// The next word to check in text from byte from: a run of ASCII letters,
// digits and apostrophes where an apostrophe may only come first, holding at
// least one letter. Double-byte characters and bytes from 0x80 are skipped
// whole. False when there is none.
bool NextSpellWord(const std::string& text, size_t from, size_t& nBegin, size_t& nEnd);
