// The DDE command string: parsing what arrives, building what is sent, and
// reading text out of a DDE memory block.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeUi.h"
#include "services/DdeCommand.h"
#include "text/Unicode.h"

using V = std::vector<std::string>;

TEST(DdeCommand, ParsesNameAndArguments)
{
    CScopedFakeUi ui;
    CDdeCommand c;
    ASSERT_TRUE(ParseCommand("[open(-max,\"a,b.txt\")]", c));
    EXPECT_EQ(c.strName, "open");
    EXPECT_EQ(c.args, V({"-max", "a,b.txt"}));
    ASSERT_TRUE(ParseCommand("[close]", c));
    EXPECT_EQ(c.strName, "close");
    EXPECT_TRUE(c.args.empty());
    ASSERT_TRUE(ParseCommand("[x()]", c));
    EXPECT_EQ(c.strName, "x");
    EXPECT_TRUE(c.args.empty());
    // A pair of quotes alone is an empty argument.
    ASSERT_TRUE(ParseCommand("[x(\"\",\"a\")]", c));
    EXPECT_EQ(c.args, V({"", "a"}));
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(DdeCommand, RefusesMalformedText)
{
    CScopedFakeUi ui;
    CDdeCommand c;
    for (const char* bad : {"", "[]", "[x", "x]", "[x(a", "[x(a]", "[x(\"a)]", "(x)", "[x(\"a,b)]"})
        EXPECT_FALSE(ParseCommand(bad, c)) << bad;
    // Too long for the splitter: a syntax error, without the splitter's own box.
    EXPECT_FALSE(ParseCommand("[x(" + std::string(3000, 'a') + ")]", c));
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(DdeCommand, BuildsWhatParsesBack)
{
    CScopedFakeUi ui;
    std::string text;
    ASSERT_TRUE(BuildCommand("Send", {"a b", "\"x\""}, text));
    EXPECT_EQ(text, "[Send(\"a b\",\"x\")]");
    ASSERT_TRUE(BuildCommand("close", {}, text));
    EXPECT_EQ(text, "[close()]");
    ASSERT_TRUE(BuildCommand("open", {"-max", "c:\\a,b.txt", ""}, text));
    CDdeCommand c;
    ASSERT_TRUE(ParseCommand(text, c));
    EXPECT_EQ(c.strName, "open");
    EXPECT_EQ(c.args, V({"-max", "c:\\a,b.txt", ""}));
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(DdeCommand, RefusesWhatTheStringCannotCarry)
{
    CScopedFakeUi ui;
    std::string text = "old";
    // A quote inside would let the "," after it split the argument in two.
    EXPECT_FALSE(BuildCommand("Send", {"a\",\"b"}, text));
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(BuildCommand("Send", {"\"a"}, text));
    EXPECT_FALSE(BuildCommand("Send", {"\"a\"b\""}, text));
    for (const char* name : {"", "a(b", "a)", "[a", "a]", "a,b", "a\"b"})
        EXPECT_FALSE(BuildCommand(name, {"x"}, text)) << name;
    ASSERT_EQ(ui.m_boxes.size(), 10u);
    EXPECT_EQ(ui.m_boxes[0].text, "DDE command argument cannot be sent: a\",\"b");
    EXPECT_EQ(ui.m_boxes[3].text, "DDE command name cannot be sent: ");
}

TEST(DdeCommand, ReadsBytesOrWideTextWithinTheBlock)
{
    std::string sjis = Utf8ToSjis("[open(日本語)]");
    auto bytes = reinterpret_cast<const unsigned char*>(sjis.c_str());
    EXPECT_EQ(DdeTextFromBlock(bytes, sjis.size() + 1), sjis);
    // No NUL inside the block: never read past it.
    EXPECT_EQ(DdeTextFromBlock(bytes, 5), sjis.substr(0, 5));
    std::u16string wide = u"[open(日本語)]";
    std::string block(reinterpret_cast<const char*>(wide.c_str()), (wide.size() + 1) * 2);
    block += "garbage";
    EXPECT_EQ(DdeTextFromBlock(reinterpret_cast<const unsigned char*>(block.data()), block.size()), sjis);
    // An odd size cuts the last half unit off.
    EXPECT_EQ(DdeTextFromBlock(reinterpret_cast<const unsigned char*>(block.data()), 5), "[o");
    EXPECT_EQ(DdeTextFromBlock(bytes, 0), "");
}
