// Finding a file's media type in the content type table.
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
