// The content type table: built-in and stored rows, and finding a file's media type.
#include <gtest/gtest.h>

#include "fakes/FakeUi.h"
#include "mail/ContentTypeTable.h"
#include "platform/SettingsStore.h"

TEST(ContentTypeTable, BuiltInRowsAndLookups)
{
    CScopedFakeUi ui;
    CMemorySettingsStore store;
    CContentTypeTable table;
    table.Load(store);
    ASSERT_EQ(table.Entries().size(), 8u);
    EXPECT_EQ(table.Entries()[0].strType, "application");
    EXPECT_EQ(table.Entries()[0].strExtensions, "exe,com");
    EXPECT_EQ(table.Entries()[6].strSubtype, "plain");
    EXPECT_EQ(table.Entries()[6].nNumber, 2);
    EXPECT_EQ(table.Entries()[7].strExtensions, "html,htm");
    EXPECT_EQ(table.MediaTypeOf("photo.jpg"), "image/jpeg");
    EXPECT_EQ(table.MediaTypeOf("C:\\dir.zip\\PHOTO.JPEG"), "image/jpeg");
    EXPECT_EQ(table.MediaTypeOf("page.htm"), "text/html");
    EXPECT_EQ(table.MediaTypeOf("data.xyz"), "application/octet-stream");
    EXPECT_EQ(table.MediaTypeOf("noextension"), "application/octet-stream");
    EXPECT_EQ(table.MediaTypeOf("dot."), "application/octet-stream");
    EXPECT_EQ(table.FindByFileName("a.txt")->nNumber, 2);
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(ContentTypeTable, LookupsInAStoredTable)
{
    CScopedFakeUi ui;
    CMemorySettingsStore store;
    store.WriteString("Content Type List", "Type00", "image;png;1;png, apng;*");
    CContentTypeTable table;
    table.Load(store);
    EXPECT_EQ(table.MediaTypeOf("x.APNG"), "image/png");
    EXPECT_EQ(table.MediaTypeOf("x.jpg"), "application/octet-stream");  // the stored rows replace the built-in ones
}

TEST(ContentTypeTable, StoredEntriesUpToTheFirstMissingOneBadOnesSkipped)
{
    CScopedFakeUi ui;
    CMemorySettingsStore store;
    store.WriteString("Content Type List", "Type00", "image;png;1;png;*");
    store.WriteString("Content Type List", "Type01", "text;plain;2x;txt,text;base64");
    store.WriteString("Content Type List", "Type02", "broken;entry");
    store.WriteString("Content Type List", "Type03", "audio;mpeg;;1;mp3;*");  // empty fields vanish: five left
    store.WriteString("Content Type List", "Type05", "after;the;gap;x;*");
    CContentTypeTable t;
    t.Load(store);
    ASSERT_EQ(t.Entries().size(), 3u);
    EXPECT_EQ(t.Entries()[0].strSubtype, "png");
    EXPECT_EQ(t.Entries()[0].strLast, "");  // "*" is empty
    EXPECT_EQ(t.Entries()[1].nNumber, 2);   // read as the C library reads "2x"
    EXPECT_EQ(t.Entries()[1].strLast, "base64");
    EXPECT_EQ(t.Entries()[2].strType, "audio");
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "Illegal content type data format <broken;entry>");
}
