// The undo history (capacity, the redo chain, a record that could not be made)
// and undo and redo on the view: the command states, the view position, text
// changed by another view, and a long random mix of edits undone and redone.
#include <cstdlib>
#include <new>
#include <random>

#include "VuTestSupport.h"

#include "keys/CommandIds.h"
#include "platform/Clipboard.h"
#include "view/BlockBuffer.h"
#include "view/UndoHistory.h"

using Lines = std::vector<std::string>;

namespace {

// A record that counts its undos and redos in a shared log.
class CLogRecord : public CUndoRecord {
public:
    CLogRecord(int n, std::vector<int>& log) : CUndoRecord({}, {}, {}), m_n(n), m_log(log) {}
    void Undo(CVu&) override { m_log.push_back(-m_n); }
    void Redo(CVu&) override { m_log.push_back(m_n); }

private:
    int m_n;
    std::vector<int>& m_log;
};

// A view whose next record cannot be made, as when memory runs out.
class COutOfMemoryVu : public CVu {
public:
    void AddRecordThatCannotBeMade()
    {
        AddUndo([]() -> std::unique_ptr<CUndoRecord> { throw std::bad_alloc(); });
    }
};

bool CanRun(CVu& vu, unsigned nId)
{
    CCmdUi ui(nId);
    vu.OnCommand(nId, &ui);
    return ui.IsEnabled();
}

} // namespace

TEST(UndoHistory, CapacityRedoChainAndMissingRecords)
{
    std::vector<int> log;
    CUndoHistory history(4);  // raised to the least capacity
    EXPECT_EQ(history.GetCapacity(), CUndoHistory::kMinCapacity);
    for (int i = 1; i <= 17; ++i)
        history.Add(std::make_unique<CLogRecord>(i, log));
    EXPECT_EQ(history.GetCount(), 16);  // the first one went
    int undos = 0;
    while (history.StepBack())
        ++undos;
    EXPECT_EQ(undos, 16);
    history.StepForward();
    history.StepForward();
    EXPECT_TRUE(history.CanRedo());
    history.Add(std::make_unique<CLogRecord>(99, log));  // ends the redo chain
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.GetCount(), 3);
    // Fewer records kept: the oldest go and the cursor follows.
    history.SetCapacity(20);
    for (int i = 0; i < 17; ++i)
        history.Add(std::make_unique<CLogRecord>(i, log));
    history.StepBack();
    history.SetCapacity(16);
    EXPECT_EQ(history.GetCount(), 16);
    EXPECT_EQ(history.GetCursor(), 15);
    // A record that could not be made empties the history.
    history.Add(nullptr);
    EXPECT_EQ(history.GetCount(), 0);
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(VuTest, UndoAndRedoAreEnabledByTheHistory)
{
    Show({"abc"});
    EXPECT_FALSE(CanRun(m_vu, ID_EDIT_UNDO));
    EXPECT_FALSE(CanRun(m_vu, ID_EDIT_REDO));
    PutCaret(3, 0);
    Type("def");
    EXPECT_EQ(m_vu.History().GetCount(), 3);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Col(), 5);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Col(), 4);
    EXPECT_EQ(Text(), Lines{"abcd"});
    EXPECT_TRUE(CanRun(m_vu, ID_EDIT_REDO));
    Type("x");  // a new change ends the redo chain
    EXPECT_FALSE(CanRun(m_vu, ID_EDIT_REDO));
    // Undo marks the document modified even after a save.
    m_doc.SetModifiedFlag(false);
    Run(ID_EDIT_UNDO);
    EXPECT_TRUE(m_doc.IsModified());
}

// A change whose record could not be made leaves no history to undo across it.
TEST_F(VuTest, ARecordThatCannotBeMadeEmptiesTheHistory)
{
    SetLines(m_doc, {"ab"});
    COutOfMemoryVu view;
    CFakeViewSurface surface(20, 5);
    m_doc.AddView(&view);
    surface.Attach(view);
    view.TypeChar('x');
    view.TypeChar('y');
    EXPECT_TRUE(CanRun(view, ID_EDIT_UNDO));
    view.AddRecordThatCannotBeMade();
    EXPECT_FALSE(CanRun(view, ID_EDIT_UNDO));
    EXPECT_EQ(view.History().GetCount(), 0);
    m_doc.RemoveView(&view);
}

TEST_F(VuTest, MaxHistoryBoundsTheUndos)
{
    AppSettings().m_nMaxHistory = 16;
    CVu view;
    EXPECT_EQ(view.History().GetCapacity(), 16);
    Show({""});
    m_vu.SetHistoryCapacity(16);
    for (int i = 0; i < 17; ++i)
        m_vu.TypeChar('a' + i);
    int undos = 0;
    while (CanRun(m_vu, ID_EDIT_UNDO)) {
        Run(ID_EDIT_UNDO);
        ++undos;
    }
    EXPECT_EQ(undos, 16);
    EXPECT_EQ(Text(), Lines{"a"});
}

TEST_F(VuTest, UndoBringsTheViewBackToTheChange)
{
    Show(Numbered(200), 20, 10);
    PutCaret(3, 150);
    long top = m_vu.m_nTopLine;
    Type("xy");
    Run(ID_GOTO_TOP);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(m_vu.m_nTopLine, top);
    EXPECT_EQ(Line(), 150);
    EXPECT_EQ(Col(), 4);
    Run(ID_GOTO_TOP);
    Run(ID_EDIT_REDO);
    EXPECT_EQ(Line(), 150);
    EXPECT_EQ(Col(), 5);
    ExpectScreenIsFresh();
}

// Undo of a rectangle close puts it back even where another view shortened a
// line below the rectangle's first column.
TEST_F(VuTest, UndoOfARectangleCloseFillsShortLines)
{
    Show({"abcdefgh", "ABCDEFGH"});
    PutCaret(4, 0);
    Run(ID_MARK);
    PutCaret(6, 1);
    Run(ID_CLOSE);
    EXPECT_EQ(Text(), (Lines{"abcdgh", "ABCDGH"}));
    CVu other;
    CFakeViewSurface otherSurface(40, 10);
    m_doc.AddView(&other);
    otherSurface.Attach(other);
    other.Caret().SetCell(1, 1);
    other.OnCommand(ID_DELETE_TO_LINE_END, nullptr);
    EXPECT_EQ(Text(), (Lines{"abcdgh", "A"}));
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), (Lines{"abcdefgh", "A   EF"}));
    m_doc.RemoveView(&other);
}

// Thousands of mixed edits from a fixed seed (replayable): undoing them all
// gives back the original text exactly, redoing them all the final text.
// TOVA_UNDO_SEED runs it with another seed.
TEST_F(VuTest, RandomEditsUndoneAndRedoneRestoreTheText)
{
    const char* pszSeed = std::getenv("TOVA_UNDO_SEED");
    const unsigned kSeed = pszSeed ? static_cast<unsigned>(std::strtoul(pszSeed, nullptr, 10)) : 20261207u;
    std::mt19937 rng(kSeed);
    Lines original;
    for (int i = 0; i < 40; ++i)
        original.push_back(i % 3 ? Sjis("行の文字") + std::to_string(i) + " text" : std::string(i % 7, 'q'));
    Show(original, 30, 12);
    m_vu.SetHistoryCapacity(100000);
    PickBuffer().Store({}, CBlockBuffer::kEmpty);
    CloseBuffer().Store({}, CBlockBuffer::kEmpty);
    const std::vector<unsigned> commands = {
        ID_CURSOR_UP, ID_CURSOR_DOWN, ID_CURSOR_LEFT, ID_CURSOR_RIGHT, ID_CURSOR_LINE_END, ID_WORD_NEXT,
        ID_PAGE_DOWN, ID_PAGE_UP, ID_GOTO_TOP, ID_DELETE_CHAR, ID_BACKSPACE, ID_SPLIT_LINE, ID_JOIN_LINES,
        ID_DELETE_TO_LINE_END, ID_DELETE_TO_LINE_HEAD, ID_TOGGLE_INSERT, ID_MARK, ID_MARK_DOWN, ID_MARK_RIGHT,
        ID_MARK_LINE_END, ID_PICK, ID_CLOSE, ID_OPEN, ID_INSERT_PICK_BUFFER, ID_INSERT_CLOSE_BUFFER, ID_EDIT_CUT,
        ID_EDIT_COPY, ID_EDIT_PASTE, ID_CURSOR_NEXT_LINE, ID_TOGGLE_TAG};
    const std::vector<std::string> typed = {"a", "Z", " ", Sjis("漢"), Sjis("かな"), "\xB1"};
    for (int step = 0; step < 4000; ++step) {
        unsigned pick = rng() % 10;
        if (pick < 3) {
            Type(typed[rng() % typed.size()]);
        } else if (pick == 3) {
            PutCaret(static_cast<long>(rng() % 40), static_cast<long>(rng() % 45));
        } else {
            Run(commands[rng() % commands.size()]);
        }
        m_surface.Paint();
    }
    Lines final = Text();
    while (CanRun(m_vu, ID_EDIT_UNDO))
        Run(ID_EDIT_UNDO);
    EXPECT_TRUE(Text() == original) << "seed " << kSeed;
    while (CanRun(m_vu, ID_EDIT_REDO))
        Run(ID_EDIT_REDO);
    EXPECT_TRUE(Text() == final) << "seed " << kSeed;
    ExpectScreenIsFresh();
}
