// Lines cut from blocks: they stay valid while any line of their block lives,
// travel between stores, and the blocks go back to the heap with their last line.
#include <gtest/gtest.h>

#include <string>

#include "fakes/FakeUi.h"
#include "fw/Archive.h"
#include "text/LineBlocks.h"
#include "text/LineStore.h"

TEST(LineBlocks, BlocksLiveAsLongAsTheirLinesWhereverTheyGo)
{
    CScopedFakeUi ui;
    size_t before = LiveLineBlocks();
    {
        // A load of many lines fills several blocks, growing as it goes.
        std::string file;
        for (int i = 0; i < 20000; ++i)
            file += "line " + std::to_string(i) + "\r\n";
        CLineStore store;
        CArchive ar(file.data(), file.size());
        ASSERT_TRUE(store.Load(ar));
        size_t loaded = LiveLineBlocks() - before;
        EXPECT_GT(loaded, 1u);
        EXPECT_LT(loaded, 10u);

        // Lines moved to another store outlive the store they were loaded into
        // while the rest of their block is freed.
        CLineStore other;
        char* moved[2] = {store.GetLines()[7], store.GetLines()[19999]};
        ASSERT_TRUE(store.DeleteLines(7, 1, false));
        ASSERT_TRUE(store.DeleteLines(19998, 1, false));
        ASSERT_TRUE(other.AdoptLines(moved, 2));
        // An edited line leaves its block for a heap copy of its own.
        ASSERT_TRUE(store.InsertChars(0, 0, "X", 1));
        store.FlushWorkLine();
        EXPECT_STREQ(store.GetLines()[0], "Xline 0");
        ASSERT_TRUE(store.DeleteLines(0, store.GetLineCount(), true));
        EXPECT_EQ(LiveLineBlocks() - before, 2u);
        EXPECT_STREQ(other.GetLines()[0], "line 7");
        EXPECT_STREQ(other.GetLines()[1], "line 19999");

        // Inserted lines share one block made to their size; a long line that
        // does not fit a block is allocated on its own.
        const char* three[] = {"a", "", "b"};
        ASSERT_TRUE(other.InsertLines(1, three, 3));
        EXPECT_EQ(LiveLineBlocks() - before, 3u);
        std::string wide(60000, 'w');
        CLineCutter cutter;
        char* small = cutter.Add("s", 1);
        char* big = cutter.Add(wide.data(), wide.size());
        ASSERT_TRUE(small && big);
        EXPECT_EQ(std::string(big), wide);
        EXPECT_FALSE(ReleaseCutLine(big));
        std::free(big);
        cutter.Finish();
        EXPECT_TRUE(ReleaseCutLine(small));
        EXPECT_STREQ(other.GetLines()[2], "");
        EXPECT_STREQ(other.GetLines()[4], "line 19999");
    }
    EXPECT_EQ(LiveLineBlocks(), before);
    EXPECT_TRUE(ui.m_boxes.empty());
}
