// Reading header fields from a file or a document: unfolding, the four
// results, strictness, the end of the header.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeUi.h"
#include "mail/HeaderSource.h"
#include "services/FileStream.h"
#include "support/TempDir.h"
#include "text/LineStore.h"

namespace {

struct CField {
    int result;
    std::string name;
    std::string body;
};

// Every ReadField result up to the end of the header or an error.
std::vector<CField> ReadAll(CHeaderSource& src)
{
    std::vector<CField> fields;
    for (;;) {
        CField f;
        f.result = src.ReadField(f.name, f.body);
        fields.push_back(f);
        if (f.result == kHeaderEnd || f.result == kFieldError)
            return fields;
    }
}

std::vector<CField> ReadFile(const std::string& bytes, bool bStrict, std::int64_t* pBodyOffset = nullptr)
{
    CTempDir dir;
    dir.Write("m.txt", bytes);
    CFileStream in;
    EXPECT_TRUE(in.Open(dir.Path("m.txt"), CFileStream::EMode::Read));
    CHeaderSource src;
    src.SetFile(&in, bStrict, "m.txt");
    std::vector<CField> fields = ReadAll(src);
    if (pBodyOffset) {
        src.SkipToEndOfLine();
        *pBodyOffset = src.Position();
    }
    return fields;
}

} // namespace

TEST(HeaderReader, UnfoldsBodiesAndEndsAtTheSeparator)
{
    CScopedFakeUi ui;
    std::int64_t body = 0;
    std::string file = "Subject: a\r\n b\r\nX-Tab:  a\r\n\tb  \r\nTo: x\r\n--------\r\nbody\r\n";
    std::vector<CField> f = ReadFile(file, true, &body);
    ASSERT_EQ(f.size(), 4u);
    EXPECT_EQ(f[0].result, kFieldRead);
    EXPECT_EQ(f[0].name, "Subject");
    EXPECT_EQ(f[0].body, "a b");
    EXPECT_EQ(f[1].body, "a\tb");  // the tab takes the place of the line end; outer blanks go
    EXPECT_EQ(f[2].body, "x");
    EXPECT_EQ(f[3].result, kHeaderEnd);
    EXPECT_EQ(body, static_cast<std::int64_t>(file.find("body")));
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(HeaderReader, LinesThatAreNoFields)
{
    CScopedFakeUi ui;
    // Outside strict mode a line without a colon is skipped.
    std::vector<CField> f = ReadFile("From: a\r\nno colon here\r\nTo: b\r\n----\r\n", false);
    ASSERT_EQ(f.size(), 4u);
    EXPECT_EQ(f[1].result, kLineSkipped);
    EXPECT_EQ(f[2].body, "b");
    EXPECT_TRUE(ui.m_boxes.empty());

    f = ReadFile("From: a\r\nno colon here\r\n----\r\n", true);
    EXPECT_EQ(f.back().result, kFieldError);
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "m.txt: colon missing");
    ui.Clear();

    // A blank line does not end a header.
    f = ReadFile("From: a\r\n\r\n----\r\n", true);
    EXPECT_EQ(f.back().result, kFieldError);
    ASSERT_EQ(ui.m_boxes.size(), 2u);
    EXPECT_EQ(ui.m_boxes[0].text, "m.txt: Unexpected token encountered when expecting field name");
    EXPECT_EQ(ui.m_boxes[1].text, "m.txt: can't get field name");
    ui.Clear();
    f = ReadFile("From: a\r\n\r\n----\r\n", false);
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[1].result, kLineSkipped);
    EXPECT_EQ(f[2].result, kHeaderEnd);
    ui.Clear();

    // A file that ends before its separator line.
    f = ReadFile("From: a\r\n", false);
    EXPECT_EQ(f.back().result, kFieldError);
    EXPECT_TRUE(ui.m_boxes.empty());
    f = ReadFile("From: a", false);
    EXPECT_EQ(f.back().result, kFieldError);
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "m.txt: CRLF missing after <>");  // a body cut by the end counts as empty
    ui.Clear();

    // The byte 0xFF ends the input, so the header.
    f = ReadFile("From: a\r\n\xFF" "To: b\r\n----\r\n", false);
    EXPECT_EQ(f.back().result, kFieldError);
    EXPECT_EQ(f.size(), 2u);
}

TEST(HeaderReader, DoubleByteBodiesAndLongTokens)
{
    CScopedFakeUi ui;
    // 表 ends in 0x5C, ソ too; a lead byte before the line end stays a byte of its own.
    std::vector<CField> f = ReadFile("Subject: \x95\x5C\x83\x5C\r\nX: \x95\r\n----\r\n", true);
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0].body, "\x95\x5C\x83\x5C");
    EXPECT_EQ(f[1].body, "\x95");

    std::string huge = "Subject: " + std::string(CHeaderSource::kTokenCapacity + 10, 'x') + "\r\n----\r\n";
    f = ReadFile(huge, true);
    EXPECT_EQ(f.back().result, kFieldError);
    ASSERT_GE(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "m.txt: Token too long");
    ASSERT_EQ(ui.m_boxes.size(), 2u);
    EXPECT_EQ(ui.m_boxes[1].text.substr(0, 26), "m.txt: CRLF missing after ");
    EXPECT_LT(ui.m_boxes[1].text.size(), 1024u);  // the message is bounded
}

TEST(HeaderReader, DocumentsEndTheirHeaderAtTheLastLine)
{
    CScopedFakeUi ui;
    CLineStore lines;
    for (const char* l : {"Subject: hello", " world", "To: a@b"})
        ASSERT_TRUE(lines.AppendLine(CLineStore::DupLine(l)));
    CHeaderSource src;
    src.SetDocument(&lines, true, "doc");
    std::vector<CField> f = ReadAll(src);
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0].body, "hello world");
    EXPECT_EQ(f[1].body, "a@b");
    EXPECT_EQ(f[2].result, kHeaderEnd);
    EXPECT_TRUE(ui.m_boxes.empty());

    CLineStore empty;
    src.SetDocument(&empty, true, "doc");
    EXPECT_EQ(ReadAll(src).front().result, kHeaderEnd);

    // Empty lines after the last field (a view pads its document with them)
    // end the header without a word; one between fields is still told.
    ASSERT_TRUE(lines.AppendLine(CLineStore::DupLine("")));
    ASSERT_TRUE(lines.AppendLine(CLineStore::DupLine("")));
    src.SetDocument(&lines, true, "doc");
    EXPECT_EQ(ReadAll(src).size(), 3u);
    EXPECT_TRUE(ui.m_boxes.empty());
    ASSERT_TRUE(lines.AppendLine(CLineStore::DupLine("Cc: c@d")));
    src.SetDocument(&lines, true, "doc");
    EXPECT_EQ(ReadAll(src).size(), 3u);
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "doc: Unexpected token encountered when expecting field name");
}

TEST(HeaderReader, PushBackStack)
{
    CScopedFakeUi ui;
    CLineStore lines;
    ASSERT_TRUE(lines.AppendLine(CLineStore::DupLine("ab")));
    CHeaderSource src;
    src.SetDocument(&lines, false, "doc");
    EXPECT_EQ(src.GetChar(), 'a');
    src.UngetChar('y');
    src.UngetChar('x');
    EXPECT_EQ(src.GetChar(), 'x');
    EXPECT_EQ(src.GetChar(), 'y');
    EXPECT_EQ(src.GetChar(), 'b');
    EXPECT_EQ(src.GetChar(), '\r');
    EXPECT_EQ(src.GetChar(), '\n');
    EXPECT_EQ(src.GetChar(), CHeaderSource::kEndOfInput);
    for (size_t i = 0; i <= CHeaderSource::kUngetCapacity; ++i)
        src.UngetChar('z');
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "Internal error: unget stack overflow");
}
