// The header bars' texts and the composer bar's store into the header document.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeUi.h"
#include "mail/HeaderBarText.h"
#include "mail/Mail.h"
#include "text/Doc.h"
#include "text/DocHeader.h"
#include "text/LineStore.h"

namespace {

// A mail document whose header document holds the lines (detached again when
// the fixture goes, as the header document is the fixture's).
class HeaderStore : public ::testing::Test {
protected:
    void SetHeader(const std::vector<std::string>& lines)
    {
        for (const std::string& l : lines)
            ASSERT_TRUE(m_header.m_Lines.AppendLine(CLineStore::DupLine(l.c_str())));
        m_doc.m_pHeaderDoc = &m_header;
    }
    ~HeaderStore() override { m_doc.m_pHeaderDoc = nullptr; }
    std::vector<std::string> HeaderLines() const
    {
        std::vector<std::string> lines;
        for (int i = 0; i < m_header.m_Lines.GetLineCount(); ++i)
            lines.emplace_back(m_header.m_Lines.GetLines()[i]);
        return lines;
    }

    CScopedFakeUi m_ui;
    CDoc m_doc;
    CDocHeader m_header{&m_doc};
};

} // namespace

TEST(HeaderBarText, CompactingKeepsDoubleByteCharactersWhole)
{
    // A To folded over three lines, as the reader unfolds it.
    EXPECT_EQ(CompactBlanks("a@example.jp,\r\n   b@example.jp,\r\n\t c@example.jp"),
              "a@example.jp, b@example.jp, c@example.jp");
    EXPECT_EQ(CompactBlanks("  \t x  y\t\tz"), "x y z");
    EXPECT_EQ(CompactBlanks("   "), "");
    EXPECT_EQ(CompactBlanks(""), "");
    EXPECT_EQ(CompactBlanks("end  "), "end ");
    // 日本 (two blanks) 語: the ideographic space 0x81 0x40 is a character, not a blank.
    EXPECT_EQ(CompactBlanks("\x93\xFA\x96\x7B  \x8C\xEA\x81\x40\x81\x40x"), "\x93\xFA\x96\x7B \x8C\xEA\x81\x40\x81\x40x");
    // A trail byte equal to a letter or backslash (表 0x95 0x5C) stays with its lead byte.
    EXPECT_EQ(CompactBlanks(" \x95\x5C \x95\x5C"), "\x95\x5C \x95\x5C");
}

TEST(HeaderBarText, EditTextsBecomeOneLineOfAtMostTheLongestLine)
{
    EXPECT_EQ(FieldBodyOf("a\r\nBcc: x@y\nz"), "a  Bcc: x@y z");
    std::string longText(static_cast<size_t>(MaxLineLength) - 1, 'a');
    EXPECT_EQ(FieldBodyOf(longText + "b"), longText + "b");
    EXPECT_EQ(FieldBodyOf(longText + "bc"), longText + "b");
    // The last character would straddle the limit: it is left out whole.
    EXPECT_EQ(FieldBodyOf(longText + "\x93\xFA"), longText);
}

TEST(HeaderBarText, ShownTextsCompactTheAddressFieldsOnly)
{
    CScopedFakeUi ui;
    CDoc doc;
    CDocHeader header(&doc);
    for (const char* l : {"From: Taro   <taro@example.jp>", "To: a@example.jp,", "   b@example.jp", "Cc: c@example.jp",
                          "Date:  Mon, 1 Jan 2001  12:00:00 +0900", "Subject: two  blanks"})
        ASSERT_TRUE(header.m_Lines.AppendLine(CLineStore::DupLine(l)));
    doc.m_pHeaderDoc = &header;
    {
        CMail mail(&doc);
        mail.Load(false, false);
        CHeaderShown shown = HeaderShownOf(mail);
        EXPECT_EQ(shown.strFrom, "Taro <taro@example.jp>");
        EXPECT_EQ(shown.strTo, "a@example.jp, b@example.jp");
        EXPECT_EQ(shown.strCc, "c@example.jp");
        EXPECT_EQ(shown.strDate, "Mon, 1 Jan 2001  12:00:00 +0900");
        EXPECT_EQ(shown.strSubject, "two  blanks");
    }
    doc.m_pHeaderDoc = nullptr;
}

// A readable header is written again from its fields: the edited ones take the
// bars' texts, a missing Subject comes after the others, long fields fold at 76.
TEST_F(HeaderStore, AReadableHeaderIsRewrittenFromItsFieldsFolded)
{
    SetHeader({"To: a@example.jp,", "   b@example.jp,", "\tc@example.jp", "X-Mailer: m", "Cc: old@example.jp"});
    std::string to;
    for (int i = 0; i < 8; ++i)
        to += (i ? ", " : "") + std::string("person") + std::to_string(i) + "@example.jp";
    ASSERT_TRUE(StoreHeaderEdits(m_doc, {"Hello there", to, "c@example.jp"}));
    std::vector<std::string> lines = HeaderLines();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0].substr(0, 22), "To: person0@example.jp");
    size_t i = 1;
    std::string joined = lines[0];
    for (; i < lines.size() && lines[i][0] == ' '; ++i)
        joined += lines[i];
    EXPECT_GT(i, 1u) << "the long To is folded";
    EXPECT_EQ(joined, "To: " + to);
    for (const std::string& l : lines)
        EXPECT_LE(l.size(), 76u) << l;
    EXPECT_EQ(std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(i), lines.end()),
              (std::vector<std::string>{"X-Mailer: m", "Cc: c@example.jp", "Subject: Hello there"}));
    EXPECT_TRUE(m_ui.m_boxes.empty());
}

// A header the reader cannot take whole keeps every line but the edited
// fields' own (a broken address; a line that is no field, where the reader
// stops early and would otherwise drop what follows).
TEST_F(HeaderStore, AnUnreadableHeaderKeepsEveryOtherLine)
{
    SetHeader({"Received: from x", "\tby y", "To: <broken@", "  still to", "Subject: old", "X-Other: kept", ""});
    ASSERT_TRUE(StoreHeaderEdits(m_doc, {"new", "a@example.jp", ""}));
    EXPECT_EQ(HeaderLines(), (std::vector<std::string>{"Received: from x", "\tby y", "To: a@example.jp",
                                                       "Subject: new", "X-Other: kept", "Cc: ", ""}));

    for (const char* stray : {"stray words", "\x93\xFA\x96\x7B: no field name"}) {
        m_header.m_Lines.AdoptLines(nullptr, 0);
        m_doc.m_pHeaderDoc = nullptr;
        SetHeader({"Subject: s", stray, "X-After: kept", "cc: c@example.jp"});
        ASSERT_TRUE(StoreHeaderEdits(m_doc, {"s2", "t@example.jp", "d@example.jp"}));
        EXPECT_EQ(HeaderLines(), (std::vector<std::string>{"Subject: s2", stray, "X-After: kept", "cc: d@example.jp",
                                                           "To: t@example.jp"}));
    }
}
