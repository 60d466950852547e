// The attachment content types from the settings.
#include <gtest/gtest.h>

#include "fakes/FakeUi.h"
#include "mail/ContentTypeTable.h"
#include "platform/SettingsStore.h"

TEST(ContentTypeTable, BuiltInTableWhenNothingIsStored)
{
    CMemorySettingsStore store;
    CContentTypeTable t;
    t.Load(store);
    ASSERT_EQ(t.Entries().size(), 8u);
    EXPECT_EQ(t.Entries()[0].strType, "application");
    EXPECT_EQ(t.Entries()[0].strExtensions, "exe,com");
    EXPECT_EQ(t.Entries()[6].strSubtype, "plain");
    EXPECT_EQ(t.Entries()[6].nNumber, 2);
    EXPECT_EQ(t.Entries()[7].strExtensions, "html,htm");
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
