// The line store: fetching past the end, growth, the working line, byte and line edits.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "fakes/FakeUi.h"
#include "text/LineStore.h"

namespace {

void Fill(CLineStore& store, std::initializer_list<const char*> lines)
{
    for (const char* s : lines)
        ASSERT_TRUE(store.AppendLine(CLineStore::DupLine(s)));
}

std::string Line(CLineStore& store, int i) { return store.GetLine(i); }

} // namespace

TEST(LineStore, FetchingPastTheEndAppendsEmptyLines)
{
    CScopedFakeUi ui;
    CLineStore store;
    Fill(store, {"a", "b", "c"});
    bool appended = false;
    EXPECT_STREQ(store.GetLine(1, &appended), "b");
    EXPECT_FALSE(appended);
    EXPECT_STREQ(store.GetLine(100, &appended), "");
    EXPECT_TRUE(appended);
    EXPECT_EQ(store.GetLineCount(), 101);
    EXPECT_EQ(store.GetLine(-1, &appended), nullptr);
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "そっ、そんな馬鹿な！");
}

TEST(LineStore, FetchingBeyondTheCapacityGrowsInWholeSteps)
{
    CScopedFakeUi ui;
    CLineStore store;
    bool appended = false;
    ASSERT_NE(store.GetLine(LineArrayStep * 2 + 5, &appended), nullptr);
    EXPECT_TRUE(appended);
    EXPECT_EQ(store.GetLineCount(), LineArrayStep * 2 + 6);
    // The slots are all real lines: a line store walk sees empty strings.
    for (int i = 0; i < store.GetLineCount(); i += 4099)
        EXPECT_STREQ(store.GetLines()[i], "");
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(LineStore, ByteEditsFollowTheColumnRules)
{
    CScopedFakeUi ui;
    CLineStore store;
    Fill(store, {"abcd", "hello world", "0123456789"});
    // Overwriting past the end fills the gap with spaces: 4 + 6 + 3 = 13 bytes.
    EXPECT_TRUE(store.OverwriteChars(10, 0, "XYZ", 3));
    EXPECT_EQ(Line(store, 0), "abcd      XYZ");
    // Inserting past the end is overwriting there.
    EXPECT_TRUE(store.InsertChars(13, 1, "!", 1));
    EXPECT_EQ(Line(store, 1), "hello world  !");
    EXPECT_TRUE(store.InsertChars(5, 1, ",", 1));
    EXPECT_EQ(Line(store, 1), "hello, world  !");
    // Overwriting inside keeps the rest.
    EXPECT_TRUE(store.OverwriteChars(0, 1, "J", 1));
    EXPECT_EQ(Line(store, 1), "Jello, world  !");
    // Deleting past the end cuts at the column; inside it closes the gap.
    EXPECT_TRUE(store.DeleteChars(8, 2, 5));
    EXPECT_EQ(Line(store, 2), "01234567");
    EXPECT_TRUE(store.DeleteChars(2, 2, 3));
    EXPECT_EQ(Line(store, 2), "01567");
    EXPECT_TRUE(store.DeleteChars(9, 2, 1));
    EXPECT_EQ(Line(store, 2), "01567");
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(LineStore, LinesReach65278BytesButNever65279)
{
    CScopedFakeUi ui;
    CLineStore store;
    std::string big(65275, 'x');
    Fill(store, {big.c_str()});
    std::string ten(10, 'y');
    EXPECT_FALSE(store.InsertChars(5, 0, ten.c_str(), 10));
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "行が長すぎます");
    EXPECT_EQ(Line(store, 0), big);
    EXPECT_TRUE(store.InsertChars(5, 0, "yyy", 3));
    EXPECT_EQ(Line(store, 0).size(), 65278u);
    EXPECT_FALSE(store.InsertChars(0, 0, "z", 1));
    EXPECT_FALSE(store.OverwriteChars(65278, 0, "z", 1));
    EXPECT_TRUE(store.OverwriteChars(65277, 0, "z", 1));
    EXPECT_EQ(Line(store, 0).size(), 65278u);
}

TEST(LineStore, CopyColumnsPadsWithSpaces)
{
    CScopedFakeUi ui;
    CLineStore store;
    Fill(store, {"ab", "abcdef", "abcdefghijkl"});
    auto copy = [&](int line, int c1, int c2) {
        char* p = store.CopyColumns(line, c1, c2);
        std::string s = p ? p : "(null)";
        CLineStore::FreeLine(p);
        return s;
    };
    EXPECT_EQ(copy(0, 4, 8), "    ");
    EXPECT_EQ(copy(1, 4, 8), "ef  ");
    EXPECT_EQ(copy(2, 4, 8), "efgh");
    EXPECT_EQ(copy(2, 3, 3), "");
    EXPECT_EQ(copy(5, 0, 2), "  ");  // a line past the end is made
    EXPECT_EQ(store.GetLineCount(), 6);
    EXPECT_EQ(copy(0, 0, MaxLineBytes), "(null)");
}

TEST(LineStore, WorkingLineIsWrittenBackBeforeAnotherIsTaken)
{
    CScopedFakeUi ui;
    CLineStore store;
    Fill(store, {"0", "1", "2", "three", "4", "5", "6", "seven"});
    ASSERT_TRUE(store.TakeWorkLine(3));
    EXPECT_EQ(store.GetLine(3), WorkLine);
    EXPECT_EQ(store.GetWorkLineIndex(), 3);
    std::strcpy(WorkLine, "THREE");
    ASSERT_TRUE(store.TakeWorkLine(7));
    EXPECT_EQ(store.GetLine(7), WorkLine);
    EXPECT_NE(store.GetLine(3), WorkLine);
    EXPECT_STREQ(store.GetLine(3), "THREE");
    store.FlushWorkLine();
    EXPECT_EQ(store.GetWorkLineIndex(), -1);
    EXPECT_STREQ(store.GetLine(7), "seven");
}

TEST(LineStore, TakingALineOfAnotherStoreWritesTheHolderBack)
{
    CScopedFakeUi ui;
    CLineStore a, b;
    Fill(a, {"a0", "a1"});
    Fill(b, {"b0"});
    ASSERT_TRUE(a.InsertChars(2, 1, "!", 1));
    EXPECT_EQ(a.GetWorkLineIndex(), 1);
    ASSERT_TRUE(b.InsertChars(0, 0, ">", 1));
    EXPECT_EQ(a.GetWorkLineIndex(), -1);
    EXPECT_STREQ(a.GetLine(1), "a1!");
    EXPECT_STREQ(b.GetLine(0), ">b0");
    FlushAnyWorkLine();
    EXPECT_EQ(b.GetWorkLineIndex(), -1);
}

TEST(LineStore, LineInsertsDeletesAndAdoption)
{
    CScopedFakeUi ui;
    CLineStore store;
    Fill(store, {"a", "d"});
    const char* mid[] = {"b", "c"};
    ASSERT_TRUE(store.InsertLines(1, mid, 2));
    ASSERT_TRUE(store.InsertEmptyLines(4, 2));
    ASSERT_EQ(store.GetLineCount(), 6);
    EXPECT_EQ(Line(store, 2), "c");
    EXPECT_EQ(Line(store, 5), "");
    EXPECT_TRUE(store.DeleteLines(4, 2, true));
    EXPECT_EQ(store.GetLineCount(), 4);
    // Taken lines stay the caller's.
    char* taken = store.GetLines()[0];
    EXPECT_TRUE(store.DeleteLines(0, 1, false));
    EXPECT_STREQ(taken, "a");
    CLineStore::FreeLine(taken);
    EXPECT_EQ(Line(store, 0), "b");
    // An index outside is refused with a message, nothing moves.
    EXPECT_FALSE(store.InsertLines(9, mid, 1));
    EXPECT_FALSE(store.DeleteLines(2, 2, true));
    EXPECT_EQ(store.GetLineCount(), 3);
    EXPECT_EQ(ui.m_boxes.size(), 2u);
    ui.Clear();

    char* adopted[] = {CLineStore::DupLine("x"), CLineStore::DupLine("y")};
    ASSERT_TRUE(store.AdoptLines(adopted, 2));
    EXPECT_EQ(store.GetLineCount(), 2);
    EXPECT_EQ(Line(store, 1), "y");
    // Lines traded with a list outside are moved, not copied; a working line
    // is written back before it leaves.
    ASSERT_TRUE(store.InsertChars(0, 1, "z", 1));
    COwnedLines out;
    ASSERT_TRUE(store.TakeLines(1, 1, out));
    ASSERT_EQ(out.Count(), 1u);
    EXPECT_STREQ(out[0], "zy");
    const char* moved = out[0];
    ASSERT_TRUE(store.PutLines(0, out));
    EXPECT_TRUE(out.Empty());
    EXPECT_EQ(store.GetLines()[0], moved);
    EXPECT_FALSE(store.PutLines(5, out));
    EXPECT_FALSE(store.TakeLines(1, 2, out));
    ASSERT_TRUE(store.AdoptLines(nullptr, 0));
    EXPECT_EQ(store.GetLineCount(), 0);
}

TEST(LineStore, DeletingTheLastLinesOfAFullArrayIsNeverSkipped)
{
    // With count == capacity a guard on the capacity refused this delete, and
    // a caller that had taken the pointers then freed lines the store still held.
    CScopedFakeUi ui;
    CLineStore store;
    for (int i = 0; i < LineArrayStep; ++i)
        ASSERT_TRUE(store.AppendLine(CLineStore::DupLine("x")));
    char* last = store.GetLines()[LineArrayStep - 1];
    EXPECT_TRUE(store.DeleteLines(LineArrayStep - 1, 1, false));
    EXPECT_EQ(store.GetLineCount(), LineArrayStep - 1);
    CLineStore::FreeLine(last);
    EXPECT_TRUE(store.DeleteLines(0, LineArrayStep - 1, true));
    EXPECT_EQ(store.GetLineCount(), 0);
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(LineStore, InsertingMovesTheWorkingLineBackFirst)
{
    CScopedFakeUi ui;
    CLineStore store;
    Fill(store, {"a", "b"});
    ASSERT_TRUE(store.InsertChars(1, 1, "!", 1));
    ASSERT_TRUE(store.InsertEmptyLines(0, 1));
    EXPECT_EQ(store.GetWorkLineIndex(), -1);
    EXPECT_EQ(Line(store, 2), "b!");
    EXPECT_NE(store.GetLine(2), WorkLine);
}
