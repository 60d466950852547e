// The content type table: its stored form, the built-in rows, lookups.
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
    EXPECT_EQ(table.MediaTypeOf("photo.jpg"), "image/jpeg");
    EXPECT_EQ(table.MediaTypeOf("C:\\dir.zip\\PHOTO.JPEG"), "image/jpeg");
    EXPECT_EQ(table.MediaTypeOf("page.htm"), "text/html");
    EXPECT_EQ(table.MediaTypeOf("data.xyz"), "application/octet-stream");
    EXPECT_EQ(table.MediaTypeOf("noextension"), "application/octet-stream");
    EXPECT_EQ(table.MediaTypeOf("dot."), "application/octet-stream");
    EXPECT_EQ(table.FindByFileName("a.txt")->nNumber, 2);
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(ContentTypeTable, StoredRows)
{
    CScopedFakeUi ui;
    CMemorySettingsStore store;
    store.WriteString("Content Type List", "Type00", "image;png;1;png, apng;*");
    store.WriteString("Content Type List", "Type01", "broken;row");
    store.WriteString("Content Type List", "Type02", "text;x-log;3x;log;viewer.exe");
    store.WriteString("Content Type List", "Type04", "after;the;gap;x;*");
    CContentTypeTable table;
    table.Load(store);
    ASSERT_EQ(table.Entries().size(), 2u);
    EXPECT_EQ(table.Entries()[0].strLast, "");
    EXPECT_EQ(table.Entries()[1].nNumber, 3);
    EXPECT_EQ(table.Entries()[1].strLast, "viewer.exe");
    EXPECT_EQ(table.MediaTypeOf("x.APNG"), "image/png");
    EXPECT_EQ(table.MediaTypeOf("x.jpg"), "application/octet-stream");  // the stored table replaces the built-in one
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "Illegal content type data format <broken;row>");

    CMemorySettingsStore bad;
    bad.WriteString("Content Type List", "Type00", "only;four;fields;here");
    table.Load(bad);
    EXPECT_EQ(table.Entries().size(), 8u);  // nothing read: the built-in rows
}
