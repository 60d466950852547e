// The key binding server's reply: the keys of a command by its description.
#include <gtest/gtest.h>

#include "keys/AccelTable.h"
#include "keys/CommandIds.h"
#include "keys/KeyBindingReply.h"
#include "text/Unicode.h"

TEST(KeyBindingReply, NamesTheKeysOfTheDescriptionInTableOrder)
{
    CAccelTable table;
    table.SetEntries({{0x03, 0x73, ID_FORMAT_PARAGRAPH},   // F4
                      {0x0B, 0x41, ID_MARK},
                      {0x07, 0x46, ID_FORMAT_PARAGRAPH}});  // Shift+F
    std::string description = Utf8ToSjis("パラグラフの整形");
    EXPECT_EQ(KeysBoundReply(table, description, 1024), "F4\r\nShift+F");
    // Byte for byte: another spelling or a missing command has no keys.
    EXPECT_EQ(KeysBoundReply(table, Utf8ToSjis("パラグラフの調整"), 1024), "");
    EXPECT_EQ(KeysBoundReply(table, "", 1024), "");
    // What does not fit ends after the last whole name.
    EXPECT_EQ(KeysBoundReply(table, description, 12), "F4\r\nShift+F");
    EXPECT_EQ(KeysBoundReply(table, description, 11), "F4");
    EXPECT_EQ(KeysBoundReply(table, description, 3), "F4");
    EXPECT_EQ(KeysBoundReply(table, description, 2), "");
    EXPECT_EQ(KeysBoundReply(table, description, 0), "");
}

TEST(KeyBindingReply, ManyBindingsStayWithinTheBuffer)
{
    std::vector<AccelEntry> entries(300, AccelEntry{0x1F, 0x7B, ID_FORMAT_PARAGRAPH});  // Shift+Ctrl+Alt+F12
    CAccelTable table;
    table.SetEntries(entries);
    std::string reply = KeysBoundReply(table, Utf8ToSjis("パラグラフの整形"), 1024);
    EXPECT_LT(reply.size(), 1024u);
    EXPECT_GT(reply.size(), 1000u);
    EXPECT_EQ(reply.substr(reply.size() - 19), "\nShift+Ctrl+Alt+F12");
}
