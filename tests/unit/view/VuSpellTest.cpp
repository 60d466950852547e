// The spell check on the view with a scripted checker: which words are asked
// about, where the scan goes on after a replacement, the undo of a
// replacement, cancelling, errors and the beep at the end.
#include <map>

#include "VuTestSupport.h"

#include "keys/CommandIds.h"
#include "view/SpellChecker.h"

using Lines = std::vector<std::string>;

namespace {

std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    size_t begin = 0, end = 0;
    for (size_t from = 0; NextSpellWord(text, from, begin, end); from = end)
        words.push_back(text.substr(begin, end - begin));
    return words;
}

// Knows the words of a list; offers for each unknown word what the script
// says, and answers the dialog from a queue of replacements ("" keeps the
// word, "!" cancels).
class CScriptedChecker : public ISpellChecker {
public:
    bool Ready() override { return m_bReady; }
    int Check(const std::string& word, std::vector<std::string>& candidates) override
    {
        m_asked.push_back(word);
        if (word == "boom")
            return -2;
        auto it = m_candidates.find(word);
        if (it == m_candidates.end())
            return 0;
        candidates = it->second;
        return candidates.empty() ? -1 : static_cast<int>(candidates.size());
    }
    ESpellChoice Choose(const std::string& word, const std::vector<std::string>& candidates, const CSpellPlace& place,
                        std::string& replacement) override
    {
        m_shown.push_back(word + "/" + std::to_string(candidates.size()));
        m_place = place;
        std::string answer = m_answers.empty() ? "!" : m_answers.front();
        if (!m_answers.empty())
            m_answers.erase(m_answers.begin());
        if (answer == "!")
            return ESpellChoice::Cancel;
        if (answer.empty())
            return ESpellChoice::Keep;
        replacement = answer;
        return ESpellChoice::Replace;
    }
    bool m_bReady = true;
    std::map<std::string, std::vector<std::string>> m_candidates;
    std::vector<std::string> m_answers;
    std::vector<std::string> m_asked;
    std::vector<std::string> m_shown;
    CSpellPlace m_place;
};

class VuSpellTest : public VuTest {
protected:
    VuSpellTest() { m_pOld = SetSpellChecker(&m_checker); }
    ~VuSpellTest() override { SetSpellChecker(m_pOld); }
    CScriptedChecker m_checker;
    ISpellChecker* m_pOld = nullptr;
};

} // namespace

TEST(SpellWords, LettersDigitsAndLeadingApostrophes)
{
    EXPECT_EQ(Words("it's 'tis MP3 x2 1998"), (std::vector<std::string>{"it", "'s", "'tis", "MP3", "x2"}));
    // Double-byte characters are skipped whole, even where a trail byte is a letter.
    EXPECT_EQ(Words(Sjis("漢字ソabc　def") + "\x88\x41z"), (std::vector<std::string>{"abc", "def", "z"}));
}

TEST_F(VuSpellTest, AReplacementIsOneUndoableEditAndTheScanGoesOnAfterIt)
{
    Show({"a teh cat", "x recieve abc thier", "last wrod"});
    m_checker.m_candidates = {{"teh", {"the", "ten"}}, {"recieve", {"receive"}}, {"abc", {}}, {"thier", {"their"}}};
    // A longer and a shorter replacement: the scan never looks inside them,
    // nor inside the word after them.
    m_checker.m_answers = {"the", "received", "", "th", "!"};
    PutCaret(2, 0);
    Run(ID_SPELL_CHECK);
    EXPECT_EQ(Text(), (Lines{"a the cat", "x received abc th", "last wrod"}));
    EXPECT_EQ(m_checker.m_shown, (std::vector<std::string>{"teh/2", "recieve/1", "abc/0", "thier/1"}));
    EXPECT_EQ(m_checker.m_asked,
              (std::vector<std::string>{"teh", "cat", "x", "recieve", "abc", "thier", "last", "wrod"}));
    // The end without a further misspelling beeps; the caret rests on the last word shown.
    EXPECT_EQ(m_ui.m_nBeeps, 1);
    EXPECT_EQ(Line(), 1);
    EXPECT_EQ(Col(), 15);
    EXPECT_EQ(m_checker.m_place.y, m_checker.m_place.nWordTop + 16);
    EXPECT_EQ(m_checker.m_place.nWordRight - m_checker.m_place.x, 5 * 8);
    Run(ID_EDIT_UNDO);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), (Lines{"a the cat", "x recieve abc thier", "last wrod"}));
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), (Lines{"a teh cat", "x recieve abc thier", "last wrod"}));
}

TEST_F(VuSpellTest, CancelStopsErrorsReportAndNoLinkDoesNothing)
{
    Show({"one wrod two", "boom three"});
    m_checker.m_candidates = {{"wrod", {"word"}}};
    m_checker.m_answers = {"!"};
    Run(ID_SPELL_CHECK);
    EXPECT_EQ(Col(), 4);
    EXPECT_EQ(m_checker.m_asked, (std::vector<std::string>{"one", "wrod"}));
    EXPECT_EQ(m_ui.m_nBeeps, 0);
    m_checker.m_asked.clear();
    PutCaret(5, 0);  // inside the word: from there on
    Run(ID_SPELL_CHECK);
    EXPECT_EQ(m_checker.m_asked, (std::vector<std::string>{"rod", "two", "boom"}));
    ASSERT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(m_ui.m_boxes[0].text, "unknown error");
    m_checker.m_bReady = false;
    m_checker.m_asked.clear();
    Run(ID_SPELL_CHECK);
    EXPECT_TRUE(m_checker.m_asked.empty());
    EXPECT_EQ(Text(), (Lines{"one wrod two", "boom three"}));
}
