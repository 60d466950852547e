// Typing, the input method and the character and line commands: the text and
// caret after each, the double-byte rules, the control-code mode, refused
// edits, and one undo record per change.
#include "VuTestSupport.h"

#include "keys/CommandIds.h"
#include "text/LineStore.h"

using Lines = std::vector<std::string>;

TEST_F(VuTest, TypingInsertsAtTheCaretAndRecordsEachCharacter)
{
    Show({"ad"});
    PutCaret(1, 0);
    Type("bc");
    EXPECT_EQ(Text(), Lines{"abcd"});
    EXPECT_EQ(Col(), 3);
    EXPECT_EQ(m_vu.History().GetCount(), 2);
    EXPECT_TRUE(m_doc.IsModified());
    // Past the end of the line the gap is filled with blanks.
    PutCaret(7, 0);
    Type(Sjis("漢"));
    EXPECT_EQ(Text(), Lines{"abcd   " + Sjis("漢")});
    EXPECT_EQ(Col(), 9);
    ExpectScreenIsFresh();
    // Undo gives back the very bytes, without the blanks.
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), Lines{"abcd"});
    EXPECT_EQ(Col(), 7);
    Run(ID_EDIT_UNDO);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), Lines{"ad"});
    EXPECT_EQ(Col(), 1);
    ExpectScreenIsFresh();
}

TEST_F(VuTest, OverwriteReplacesWholeCharactersOnly)
{
    Show({Sjis("a漢字"), "abc"});
    Run(ID_TOGGLE_INSERT);
    EXPECT_FALSE(m_vu.m_bInsert);
    PutCaret(1, 0);
    Type("x");  // over the first byte of 漢: the letter and a blank
    EXPECT_EQ(Text()[0], "ax " + Sjis("字"));
    EXPECT_EQ(Col(), 3);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text()[0], Sjis("a漢字"));
    // A double-byte character over two letters, and past the end.
    PutCaret(1, 1);
    Type(Sjis("字"));
    EXPECT_EQ(Text()[1], "a" + Sjis("字"));
    Type("yz");
    EXPECT_EQ(Text()[1], "a" + Sjis("字") + "yz");
    Run(ID_EDIT_UNDO);
    Run(ID_EDIT_UNDO);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text()[1], "abc");
}

TEST_F(VuTest, ControlCharactersOnlyInControlCodeMode)
{
    Show({"ab"});
    m_vu.TypeChar(0x01);
    EXPECT_EQ(Text(), Lines{"ab"});
    EXPECT_EQ(m_ui.m_nBeeps, 1);
    m_surface.m_bControlCodeMode = true;
    m_vu.TypeChar(0x1B);
    EXPECT_EQ(Text(), Lines{"\x1B" "ab"});
    // A NUL would end the line there: refused even in the mode.
    m_vu.TypeChar(0);
    EXPECT_EQ(Text(), Lines{"\x1B" "ab"});
    // The first printable key ends the mode and types nothing.
    m_vu.TypeChar('x');
    EXPECT_EQ(Text(), Lines{"\x1B" "ab"});
    EXPECT_EQ(m_surface.m_posted, std::vector<unsigned>{ID_CONTROL_CODE_MODE});
    EXPECT_EQ(m_ui.m_nBeeps, 3);
}

TEST_F(VuTest, InputMethodCharactersWaitForTheResultClause)
{
    Show({"ab"});
    PutCaret(1, 0);
    std::string kana = Sjis("かな");
    m_vu.ImeChar(CharCodeAt(kana, 0));
    m_vu.ImeChar(CharCodeAt(kana, 2));
    EXPECT_EQ(Text(), Lines{"ab"});
    m_vu.ImeComposition(0, 0x0800);  // no result clause yet
    EXPECT_EQ(Text(), Lines{"ab"});
    m_vu.ImeComposition(0, CVu::kImeResultClause | 0x0800);
    EXPECT_EQ(Text(), Lines{"a" + kana + "b"});
    EXPECT_EQ(Col(), 5);
    EXPECT_EQ(m_vu.History().GetCount(), 1);  // one change
    // A typed character applies what is waiting first.
    m_vu.ImeChar('x');
    m_vu.TypeChar('y');
    EXPECT_EQ(Text(), Lines{"a" + kana + "xyb"});
}

TEST_F(VuTest, InputMethodBytesBeyondTheBufferAreAppliedNotLost)
{
    Show({""});
    std::string kanji = Sjis("漢");
    int n = CVu::kInputBufCapacity / 2 + 10;
    for (int i = 0; i < n; ++i)
        m_vu.ImeChar(CharCodeAt(kanji, 0));
    EXPECT_LE(m_vu.m_nInputCount, CVu::kInputBufCapacity);
    m_vu.ImeComposition(0, CVu::kImeResultClause);
    std::string want;
    for (int i = 0; i < n; ++i)
        want += kanji;
    EXPECT_EQ(Text(), Lines{want});
}

TEST_F(VuTest, TypingReplacesAShiftMarkAndDropsAPlainOne)
{
    Show({"hello world"});
    PutCaret(6, 0);
    RunTimes(ID_MARK_RIGHT, 5);  // "world", a one-row rectangle
    Type("there");
    EXPECT_EQ(Text(), Lines{"hello there"});
    EXPECT_FALSE(m_vu.IsMarkSet());
    PutCaret(0, 0);
    Run(ID_MARK);
    PutCaret(3, 0);
    Type("X");  // the caret went back to the anchor first
    EXPECT_EQ(Text(), Lines{"Xhello there"});
}

TEST_F(VuTest, DeleteCharTakesWholeCharactersAndJoinsAtTheEnd)
{
    Show({Sjis("a漢b"), "next"});
    PutCaret(1, 0);
    Run(ID_DELETE_CHAR);
    EXPECT_EQ(Text()[0], "ab");
    Run(ID_DELETE_CHAR);
    Run(ID_DELETE_CHAR);  // at the end: joins the next line ("ReturnChar")
    EXPECT_EQ(Text(), Lines{"anext"});
    AppSettings().m_bReturnChar = false;
    PutCaret(9, 0);
    Run(ID_DELETE_CHAR);  // past the end, nothing
    EXPECT_EQ(Text(), Lines{"anext"});
    Run(ID_EDIT_UNDO);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), (Lines{"ab", "next"}));
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text()[0], Sjis("a漢b"));
    EXPECT_EQ(Col(), 1);
}

TEST_F(VuTest, BackspaceRemovesWholeCharacters)
{
    // 日 is 93 FA: its trail byte has a lead byte's value, which must not make
    // the letter after it look like half of a pair.
    Show({"x" + Sjis("漢"), "\xB1\xB2", Sjis("日") + "a", "abc"});
    PutCaret(3, 0);
    Run(ID_BACKSPACE);
    EXPECT_EQ(Text()[0], "x");
    PutCaret(2, 1);  // half-width katakana are one byte each
    Run(ID_BACKSPACE);
    EXPECT_EQ(Text()[1], "\xB1");
    PutCaret(3, 2);
    Run(ID_BACKSPACE);
    EXPECT_EQ(Text()[2], Sjis("日"));
    EXPECT_EQ(Col(), 2);
    // Overwrite mode blanks instead and the line keeps its length.
    Run(ID_TOGGLE_INSERT);
    PutCaret(2, 3);
    Run(ID_BACKSPACE);
    EXPECT_EQ(Text()[3], "a c");
    EXPECT_EQ(Col(), 1);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text()[3], "abc");
    EXPECT_EQ(Col(), 2);
}

TEST_F(VuTest, BackspaceAtTheLineHeadJoinsWithTheLineAbove)
{
    Show({"ab  ", "cd"});
    PutCaret(0, 1);
    Run(ID_BACKSPACE);
    EXPECT_EQ(Text(), Lines{"ab  cd"});
    EXPECT_EQ(Col(), 4);  // the full length, trailing blanks included
    EXPECT_EQ(Line(), 0);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), (Lines{"ab  ", "cd"}));
    EXPECT_EQ(Col(), 0);
    EXPECT_EQ(Line(), 1);
    AppSettings().m_bReturnChar = false;
    Run(ID_BACKSPACE);
    EXPECT_EQ(Text(), (Lines{"ab  ", "cd"}));
}

TEST_F(VuTest, SplitAndJoinRestoreExactly)
{
    Show({"abcdef", "xyz"});
    PutCaret(2, 0);
    Run(ID_SPLIT_LINE);
    EXPECT_EQ(Text(), (Lines{"ab", "cdef", "xyz"}));
    EXPECT_EQ(Line(), 1);
    EXPECT_EQ(Col(), 0);
    ExpectScreenIsFresh();
    // Beyond the end: an empty line after, the line unchanged.
    PutCaret(9, 2);
    Run(ID_SPLIT_LINE);
    EXPECT_EQ(Text(), (Lines{"ab", "cdef", "xyz"}));
    EXPECT_EQ(m_doc.GetLineCount() >= 4, true);
    EXPECT_EQ(Line(), 3);
    Run(ID_EDIT_UNDO);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), (Lines{"abcdef", "xyz"}));
    EXPECT_EQ(Col(), 2);
    // Joining at column 10 of a shorter line fills the gap with blanks.
    Show({"abcd", "next", "last"});
    PutCaret(10, 0);
    Run(ID_JOIN_LINES);
    EXPECT_EQ(Text(), (Lines{"abcd      next", "last"}));
    EXPECT_EQ(Col(), 10);
    // Inside the line the next one goes over the rest.
    PutCaret(1, 0);
    Run(ID_JOIN_LINES);
    EXPECT_EQ(Text(), Lines{"alast     next"});
    Run(ID_EDIT_UNDO);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), (Lines{"abcd", "next", "last"}));
    ExpectScreenIsFresh();
}

TEST_F(VuTest, DeleteToLineEndAndToLineHead)
{
    Show({"abcdef", "uvwxyz"});
    PutCaret(3, 0);
    Run(ID_DELETE_TO_LINE_END);
    EXPECT_EQ(Text()[0], "abc");
    Run(ID_DELETE_TO_LINE_END);  // at the end: a beep
    EXPECT_EQ(m_ui.m_nBeeps, 1);
    PutCaret(3, 1);
    Run(ID_DELETE_TO_LINE_HEAD);
    EXPECT_EQ(Text()[1], "   xyz");
    EXPECT_EQ(Col(), 3);
    Run(ID_EDIT_UNDO);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), (Lines{"abcdef", "uvwxyz"}));
    EXPECT_EQ(m_vu.History().GetCount(), 2);
}

// An edit the line store refuses ("行が長すぎます") changes nothing: no caret
// move, no record; a join that cannot be made keeps the next line.
TEST_F(VuTest, RefusedEditsAreNotRecordedAsDone)
{
    std::string full(MaxLineLength, 'x');
    Show({full, "ab", full});
    PutCaret(5, 0);
    Type("y");
    EXPECT_TRUE(Text() == (Lines{full, "ab", full}));
    EXPECT_EQ(Col(), 5);
    EXPECT_EQ(m_vu.History().GetCount(), 0);
    ASSERT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(m_ui.m_boxes[0].text, "行が長すぎます");
    PutCaret(5, 1);
    Run(ID_JOIN_LINES);
    EXPECT_TRUE(Text() == (Lines{full, "ab", full}));
    PutCaret(0, 2);
    Run(ID_BACKSPACE);
    EXPECT_TRUE(Text() == (Lines{full, "ab", full}));
    EXPECT_EQ(Line(), 2);
    EXPECT_EQ(Col(), 0);
    EXPECT_EQ(m_vu.History().GetCount(), 0);
}

TEST_F(VuTest, OutputOptionsToggleWithCheckMarksAndChangeNoText)
{
    Show({"a"});
    auto checked = [&](unsigned nId) {
        CCmdUi ui(nId);
        EXPECT_TRUE(m_vu.OnCommand(nId, &ui));
        return ui.IsChecked();
    };
    Run(ID_SAVE_JIS);
    EXPECT_TRUE(checked(ID_SAVE_JIS));
    EXPECT_FALSE(checked(ID_SAVE_EUC));
    Run(ID_SAVE_EUC);  // EUC on turns JIS off, and the reverse
    EXPECT_TRUE(m_doc.IsEucOutput());
    EXPECT_FALSE(checked(ID_SAVE_JIS));
    Run(ID_SAVE_JIS);
    EXPECT_FALSE(checked(ID_SAVE_EUC));
    Run(ID_SAVE_JIS);
    EXPECT_FALSE(m_doc.IsJisOutput() || m_doc.IsEucOutput());
    Run(ID_LF_ONLY);
    EXPECT_TRUE(checked(ID_LF_ONLY));
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_vu.History().GetCount(), 0);
}
