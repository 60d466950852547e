// Word motion over lines of Japanese and ASCII text.
#include "VuTestSupport.h"

#include "keys/CommandIds.h"

namespace {

struct CPos {
    long nCol;
    long nLine;
    bool operator==(const CPos&) const = default;
};

std::ostream& operator<<(std::ostream& os, const CPos& p) { return os << "(" << p.nCol << "," << p.nLine << ")"; }

} // namespace

class WordMotionTest : public VuTest {
protected:
    CPos Pos() const { return {Col(), Line()}; }
    // The cells the caret visits with n presses.
    std::vector<CPos> Visit(unsigned nId, int n)
    {
        std::vector<CPos> seen;
        for (int i = 0; i < n; ++i) {
            Run(nId);
            seen.push_back(Pos());
        }
        return seen;
    }
};

TEST_F(WordMotionTest, NextWordStopsAtEachWordAndAtTheLastWordsEnd)
{
    // 0: 漢字 at 0, ひらがな at 4, "abc_d" at 13 (after a blank), "." at 18
    // 1: empty
    // 2: "  x" (leading blanks), 3: "カナ" followed by trailing blanks
    Show({Sjis("漢字ひらがな abc_d."), "", "  x", Sjis("カナ  ")});
    std::vector<CPos> expected = {{4, 0}, {13, 0}, {18, 0}, {19, 0}, {2, 2}, {3, 2}, {0, 3}, {4, 3}};
    EXPECT_EQ(Visit(ID_WORD_NEXT, 8), expected);
    m_ui.Clear();
    Run(ID_WORD_NEXT);  // nothing after the last word
    EXPECT_EQ(m_ui.m_nBeeps, 1);
    EXPECT_EQ(Pos(), (CPos{4, 3}));
}

TEST_F(WordMotionTest, NextWordFromABlankGoesToTheNextNonBlank)
{
    Show({Sjis("ab　　cd"), "", "ef"});
    PutCaret(2, 0);  // on the first full-width blank
    Run(ID_WORD_NEXT);
    EXPECT_EQ(Pos(), (CPos{6, 0}));
    PutCaret(20, 0);  // past the end: the next line's first word
    Run(ID_WORD_NEXT);
    EXPECT_EQ(Pos(), (CPos{0, 2}));
}

TEST_F(WordMotionTest, PreviousWordGoesToWordStartsAndLineEnds)
{
    Show({"one two", Sjis("  漢字かな"), Sjis("カナ　x")});
    PutCaret(6, 2);  // on "x", after カナ and a full-width blank
    std::vector<CPos> expected = {{0, 2}, {10, 1}, {6, 1}, {2, 1}, {0, 1}, {7, 0}, {4, 0}, {0, 0}};
    EXPECT_EQ(Visit(ID_WORD_PREV, 8), expected);
    m_ui.Clear();
    Run(ID_WORD_PREV);
    EXPECT_EQ(m_ui.m_nBeeps, 1);
    EXPECT_EQ(Pos(), (CPos{0, 0}));
    // From inside a word: its start.
    PutCaret(5, 0);
    Run(ID_WORD_PREV);
    EXPECT_EQ(Pos(), (CPos{4, 0}));
    // From past the end of a line: the start of its last word.
    PutCaret(30, 0);
    Run(ID_WORD_PREV);
    EXPECT_EQ(Pos(), (CPos{4, 0}));
}

// A lead byte before the end of a line is a single byte: the motion stops on
// it and never treats the terminator as its second byte.
TEST_F(WordMotionTest, LeadByteAtTheEndOfALineIsOneCharacter)
{
    Show({std::string("ab \x82"), std::string("\x81"), "cd"});
    std::vector<CPos> expected = {{3, 0}, {4, 0}, {0, 1}, {1, 1}, {0, 2}};
    EXPECT_EQ(Visit(ID_WORD_NEXT, 5), expected);
    std::vector<CPos> back = {{1, 1}, {0, 1}, {4, 0}, {3, 0}, {0, 0}};
    EXPECT_EQ(Visit(ID_WORD_PREV, 5), back);
}
