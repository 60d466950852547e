// The clipboard commands: the text copy and cut put there (line header, one-row
// rectangles, JIS), pasting into a line or as lines with every kind of line
// end, the clipboard's failures, and word selection by double click.
#include "VuTestSupport.h"

#include "keys/CommandIds.h"
#include "platform/Clipboard.h"
#include "text/LineStore.h"
#include "view/BlockBuffer.h"

using Lines = std::vector<std::string>;

namespace {

class CFakeClipboard : public IClipboard {
public:
    CFakeClipboard() { m_pPrevious = SetClipboard(this); }
    ~CFakeClipboard() override { SetClipboard(m_pPrevious); }
    CFakeClipboard(const CFakeClipboard&) = delete;
    CFakeClipboard& operator=(const CFakeClipboard&) = delete;

    bool SetText(std::string_view sjis) override
    {
        m_strText.assign(sjis);
        ++m_nSets;
        return true;
    }
    EClipboardRead GetText(std::string& sjis) override
    {
        if (m_read == EClipboardRead::Text)
            sjis = m_strText;
        return m_read;
    }

    std::string m_strText;
    int m_nSets = 0;
    EClipboardRead m_read = EClipboardRead::Text;

private:
    IClipboard* m_pPrevious;
};

class VuClipboardTest : public VuTest {
protected:
    void Mark(long nCol, long nLine)
    {
        PutCaret(nCol, nLine);
        Run(ID_MARK);
    }
    void Paste(const std::string& text)
    {
        m_clip.m_strText = text;
        Run(ID_EDIT_PASTE);
    }
    CFakeClipboard m_clip;
};

} // namespace

TEST_F(VuClipboardTest, CopyAddsTheLineHeaderAndCutDoesNot)
{
    Show({"one", "two", "three"});
    Run(ID_EDIT_COPY);  // no mark: nothing
    EXPECT_EQ(m_clip.m_nSets, 0);
    Run(ID_QUOTE_ON_COPY);
    CCmdUi ui(ID_QUOTE_ON_COPY);
    m_vu.OnCommand(ID_QUOTE_ON_COPY, &ui);
    EXPECT_TRUE(ui.IsChecked());
    Mark(0, 0);
    PutCaret(0, 1);
    Run(ID_EDIT_COPY);
    EXPECT_EQ(m_clip.m_strText, ">> one\r\n>> two\r\n");
    Mark(0, 0);
    PutCaret(0, 1);
    Run(ID_EDIT_CUT);
    EXPECT_EQ(m_clip.m_strText, "one\r\ntwo\r\n");
    EXPECT_EQ(Text(), Lines{"three"});
}

TEST_F(VuClipboardTest, AOneRowRectangleGoesWithoutALineEnd)
{
    Show({"hello world", "abc", "xyz"});
    Mark(6, 0);
    PutCaret(11, 0);
    Run(ID_EDIT_COPY);
    EXPECT_EQ(m_clip.m_strText, "world");
    Mark(0, 1);
    PutCaret(2, 2);
    Run(ID_EDIT_COPY);
    EXPECT_EQ(m_clip.m_strText, "ab\r\nxy\r\n");
    // A rectangle that cuts a kanji leaves the clipboard alone.
    int sets = m_clip.m_nSets;
    SetLines(m_doc, {Sjis("漢字")});
    Mark(0, 0);
    m_vu.Caret().m_nCol = 1;
    Run(ID_EDIT_COPY);
    EXPECT_EQ(m_clip.m_nSets, sets);
}

// A document saved in JIS copies in JIS; half-width katakana go over in full
// width instead of ending the text there.
TEST_F(VuClipboardTest, CopyConvertsToJisWhenTheDocumentSavesInJis)
{
    Show({"a" + Sjis("漢") + "\xB1" "b"});
    m_doc.ToggleJisOutput();
    Mark(0, 0);
    Run(ID_EDIT_COPY);
    EXPECT_EQ(m_clip.m_strText, "a\x1B$B4A%\"\x1B(Jb\r\n");
}

TEST_F(VuClipboardTest, PasteIntoTheLineOrAsLinesAboveTheCaret)
{
    Show({"abcdef", "last"});
    PutCaret(2, 0);
    Paste("XYZ");
    EXPECT_EQ(Text(), (Lines{"abXYZcdef", "last"}));
    EXPECT_EQ(m_vu.History().GetCount(), 1);
    // A tab goes to the next multiple of "ReadTab" from the caret's column.
    Paste("\tQ");
    EXPECT_EQ(Text()[0], "ab      QXYZcdef");
    Run(ID_EDIT_UNDO);
    Paste("XYZ\r\n");
    EXPECT_EQ(Text(), (Lines{"XYZ", "abXYZcdef", "last"}));
    EXPECT_EQ(Line(), 0);
    Run(ID_EDIT_UNDO);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), (Lines{"abcdef", "last"}));
    // CR LF, LF and CR each end a line; tabs become blanks ("ReadTab" 8).
    PutCaret(0, 1);
    Paste("a\r\nb\nc\rd\te");
    EXPECT_EQ(Text(), (Lines{"abcdef", "a", "b", "c", "d       e", "last"}));
    EXPECT_EQ(m_vu.History().GetCount(), 1);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), (Lines{"abcdef", "last"}));
    ExpectScreenIsFresh();
}

TEST_F(VuClipboardTest, PasteReplacesAMarkAndStopsAtATooLongLine)
{
    Show({"abcdef"});
    PutCaret(1, 0);
    Run(ID_MARK_RIGHT);
    Run(ID_MARK_RIGHT);
    Paste("XY");
    EXPECT_EQ(Text(), Lines{"aXYdef"});
    Paste("ok\n" + std::string(MaxLineLength, 'x') + "\nnever\n");
    EXPECT_EQ(Text(), (Lines{"ok", "aXYdef"}));
    EXPECT_EQ(m_ui.m_boxes.back().text, "クリップボードのデータの中に\n長すぎる行があります");
}

TEST_F(VuClipboardTest, ClipboardFailuresAreReported)
{
    Show({"abc"});
    m_clip.m_read = EClipboardRead::CannotOpen;
    Run(ID_EDIT_PASTE);
    m_clip.m_read = EClipboardRead::CannotLock;
    Run(ID_EDIT_PASTE);
    m_clip.m_read = EClipboardRead::NoMemory;
    Run(ID_EDIT_PASTE);
    ASSERT_EQ(m_ui.m_boxes.size(), 3u);
    EXPECT_EQ(m_ui.m_boxes[0].text, "他のアプリケーションがクリップボードをオープンしています");
    EXPECT_EQ(m_ui.m_boxes[1].text, "クリップボードのメモリブロックをロックできません");
    EXPECT_EQ(m_ui.m_boxes[2].text, "クリップボードの内容をコピーするメモリが確保できません");
    m_clip.m_read = EClipboardRead::NoText;
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(m_ui.m_nBeeps, 1);
    EXPECT_EQ(Text(), Lines{"abc"});
}

TEST_F(VuClipboardTest, DoubleClickSelectsTheWordAndCopiesIt)
{
    Show({"say " + Sjis("漢字かな") + " now"});
    PutCaret(5, 0);
    m_vu.OnLButtonDblClk(5 * 8 + 2, 4);
    EXPECT_EQ(m_clip.m_strText, Sjis("漢字"));
    EXPECT_TRUE(m_vu.m_bShiftMark);
    EXPECT_EQ(m_vu.m_nMarkCol, 4);
    EXPECT_EQ(Col(), 8);
    // Its button-up does nothing.
    m_vu.OnLButtonUp(0, 0);
    EXPECT_EQ(Col(), 8);
    // Typing replaces the word.
    Type("x");
    EXPECT_EQ(Text(), Lines{"say x" + Sjis("かな") + " now"});
}
