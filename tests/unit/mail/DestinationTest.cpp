// Splitting address fields into mailboxes; alias expansion and the alias file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeUi.h"
#include "mail/AliasTable.h"
#include "mail/HeaderField.h"
#include "support/TempDir.h"

using V = std::vector<std::string>;

namespace {

struct CParsed {
    bool ok;
    V addresses;
    V written;
};

CParsed Parse(const std::string& body, bool bExpand = false, const char* name = "To")
{
    CDestination d(name, body);
    bool ok = d.Prase(bExpand);
    return {ok, d.Addresses(), d.WrittenForms()};
}

// Installs an alias table for one test and empties it afterwards.
struct CScopedAliases {
    explicit CScopedAliases(const char* text) { Aliases().LoadText(text, "aliases"); }
    ~CScopedAliases() { Aliases().Clear(); }
};

} // namespace

static_assert(TokEnd == 0 && TokAngle == 2 && TokDomainLiteral == 3 && TokQuoted == 4 && TokColon == 5 &&
              TokSemicolon == 6 && TokDot == 7 && TokAt == 8 && TokComma == 9 && TokSpecial == 10 &&
              TokAtom == 11);

TEST(Destination, FieldKinds)
{
    EXPECT_EQ(CHeaderField::KindOfName("resent-bcc"), kAddressField);
    EXPECT_EQ(CHeaderField::KindOfName("Cc"), kAddressField);
    EXPECT_EQ(CHeaderField::KindOfName("From"), kOtherField);
    EXPECT_EQ(CHeaderField::KindOfName("date"), kDateField);
    CHeaderField f("Subject", "x");
    EXPECT_EQ(f.UpperName(), "SUBJECT");
}

TEST(Destination, MailboxesAndTheirWrittenForms)
{
    CScopedFakeUi ui;
    CParsed p = Parse("\"Taro Yamada\" <taro@example.jp>, hanako@example.jp");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.addresses, V({"taro@example.jp", "hanako@example.jp"}));
    EXPECT_EQ(p.written, V({"\"Taro Yamada\" <taro@example.jp>", "hanako@example.jp"}));

    p = Parse("Taro Yamada <taro@example.jp>");
    EXPECT_EQ(p.addresses, V({"taro@example.jp"}));
    EXPECT_EQ(p.written, V({"Taro Yamada <taro@example.jp>"}));

    p = Parse("<a@b>, first.last @ sub . example . jp, x@[10.0.0.1]");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.addresses, V({"a@b", "first.last@sub.example.jp", "x@[10.0.0.1]"}));
    EXPECT_EQ(p.written[1], "first.last @ sub . example . jp");

    // A quoted local part with an escaped quote is one word; comments go.
    p = Parse("\"a\\\"b\"@x (comment, with comma) , (c)y@z(d)");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.addresses, V({"\"a\\\"b\"@x", "y@z"}));

    // Empty bodies and empty list elements.
    EXPECT_TRUE(Parse("").ok);
    EXPECT_TRUE(Parse("").addresses.empty());
    p = Parse("a@b,, c@d,");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.addresses, V({"a@b", "c@d"}));

    // Routes are kept inside the angle address.
    p = Parse("Boss <@relay.jp:boss@example.jp>");
    EXPECT_EQ(p.addresses, V({"@relay.jp:boss@example.jp"}));
    EXPECT_TRUE(ui.m_trace.empty());
}

TEST(Destination, Groups)
{
    CScopedFakeUi ui;
    CParsed p = Parse("Friends: a@b, c@d;, e@f");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.addresses, V({"a@b", "c@d", "e@f"}));
    EXPECT_EQ(p.written, V({"Friends: a@b", "c@d;", "e@f"}));
    p = Parse("undisclosed-recipients:;");
    EXPECT_TRUE(p.ok);
    EXPECT_TRUE(p.addresses.empty());

    p = Parse("Friends: a@b, c@d");
    EXPECT_FALSE(p.ok);
    ASSERT_EQ(ui.m_trace.size(), 1u);
    EXPECT_EQ(ui.m_trace[0], "group terminator <;> missing in Friends: a@b, c@d\r\n");
}

TEST(Destination, DoubleByteTextIsNeverTakenApart)
{
    CScopedFakeUi ui;
    // 表 (0x95 0x5C) in a quoted name and in a comment: its second byte is no backslash.
    std::string name = "\"\x95\x5C\" <a@b>, c@d (\x95\x5C)";
    CParsed p = Parse(name);
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.addresses, V({"a@b", "c@d"}));
    EXPECT_EQ(p.written[0], "\"\x95\x5C\" <a@b>");
    // In an atom too; ゾ (0x83 0x5D) ends in "]" and ＠ (0x81 0x97)... stays whole.
    p = Parse("\x95\x5C\x83\x5D <x@y>");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.written, V({"\x95\x5C\x83\x5D <x@y>"}));
}

TEST(Destination, RefusedBodies)
{
    CScopedFakeUi ui;
    struct {
        const char* body;
        const char* trace;
    } cases[] = {
        {"a@b\x01", "illegal code 01 in a@b\x01 of To\r\n"},
        {"@b", "Unexpected token <@> encountered in @b\r\n"},
        {"a@", "Unexpected token '' encountered when expecting sub-domain\r\n"},
        {"a.@b", "Format error in local part a\r\n"},
        {"a.b c@d", "Format error in local part in a.b c@d\r\n"},
        {"a b,", "address format error in a b,\r\n"},
        {"<a@b", "'>' missing in <a@b\r\n"},
        {"\"abc", "'\"' missing in \"abc\r\n"},
        {"x@[1.2", "']' missing in x@[1.2\r\n"},
        {" (only a comment)", "Unexpected token <> encountered in  (only a comment)\r\n"},
    };
    for (const auto& c : cases) {
        ui.Clear();
        EXPECT_FALSE(Parse(c.body).ok) << c.body;
        ASSERT_EQ(ui.m_trace.size(), 1u) << c.body;
        EXPECT_EQ(ui.m_trace[0], c.trace);
    }
    ui.Clear();
    EXPECT_FALSE(Parse(std::string(254, 'a') + "@b").ok);
    EXPECT_EQ(ui.m_trace.at(0), "Atom too long\r\n");
    EXPECT_TRUE(Parse(std::string(253, 'a') + "@b").ok);
    // Blanks alone are an empty body.
    CParsed p0 = Parse(" \t");
    EXPECT_TRUE(p0.ok);
    EXPECT_TRUE(p0.addresses.empty());
    // Anything but a comma after a mailbox ends the list.
    CParsed p = Parse("a@b c@d");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.addresses, V({"a@b"}));
}

TEST(Destination, AliasesExpandOrStayNames)
{
    CScopedFakeUi ui;
    CScopedAliases aliases(
        "# team aliases\n"
        "team: taro@x, \"Sato, Hanako\" <hanako@x>, friends\n"
        "Friends: jiro@x,\n"
        "\tsaburo@x\r\n"
        "empty:\n"
        "self: a@x, self\n"
        "ring1: ring2\n"
        "ring2: ring1\n");
    CParsed p = Parse("team, boss@x", true);
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.addresses, V({"taro@x", "hanako@x", "jiro@x", "saburo@x", "boss@x"}));
    EXPECT_EQ(p.written[1], "\"Sato, Hanako\" <hanako@x>");

    p = Parse("team", false);  // without expansion a name is stored like an address
    EXPECT_EQ(p.addresses, V({"team"}));
    p = Parse("nobody", true);
    EXPECT_EQ(p.addresses, V({"nobody"}));
    p = Parse("empty", true);
    EXPECT_EQ(p.addresses, V({"empty"}));

    for (const char* loop : {"self", "ring1"}) {
        ui.Clear();
        EXPECT_FALSE(Parse(loop, true, "Cc").ok);
        ASSERT_EQ(ui.m_boxes.size(), 2u);
        EXPECT_EQ(ui.m_boxes[0].text.substr(0, 18), "alias loop found a");
        EXPECT_EQ(ui.m_boxes[1].text, std::string("Cc のエイリアス ") + loop + " を展開できません");
    }
}

TEST(Destination, AnAliasReachedTwiceIsNoLoop)
{
    CScopedFakeUi ui;
    CScopedAliases aliases("all: sales, dev\nsales: boss, s@x\ndev: boss, d@x\nboss: b@x\n");
    std::vector<std::string> out;
    EXPECT_EQ(Aliases().ExpandAlias("ALL", out), 4);
    EXPECT_EQ(out, V({"b@x", "s@x", "b@x", "d@x"}));
    EXPECT_TRUE(ui.m_boxes.empty());
    EXPECT_EQ(Aliases().ExpandAlias("b@x", out), 0);
}

TEST(Destination, AliasFileOfTheMailClient)
{
    CScopedFakeUi ui;
    CTempDir dir;
    dir.Write("Mavlen.ini", "[Other]\r\nAliasFile=wrong.ali\r\n[global parameters]\r\n AliasFile = book.ali \r\n");
    EXPECT_EQ(ClientAddressFile(dir.Path("Mavlen.exe")), dir.Path("book.ali"));
    dir.Write("Mavlen.ini", "[Global Parameters]\r\nAliasFile=C:\\abs\\list.ali\r\n");
    EXPECT_EQ(ClientAddressFile(dir.Path("Mavlen.exe")), "C:\\abs\\list.ali");
    EXPECT_EQ(ClientAddressFile(dir.Path("Other.exe")), dir.Path("Aliases.ali"));

    dir.Write("book.ali", "a: x@y\r\nno colon line\r\nb: c@d\r\n");
    CScopedAliases aliases("");
    ASSERT_TRUE(Aliases().LoadFile(dir.Path("book.ali")));
    EXPECT_EQ(Aliases().Count(), 2u);
    ASSERT_EQ(ui.m_trace.size(), 1u);
    EXPECT_EQ(ui.m_trace[0], dir.Path("book.ali") + "(2): alias line without name and colon\r\n");
    EXPECT_FALSE(Aliases().LoadFile(dir.Path("none.ali")));
    EXPECT_EQ(Aliases().Count(), 0u);
}
