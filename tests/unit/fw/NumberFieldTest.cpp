// Whole numbers typed into dialog fields.
#include <gtest/gtest.h>

#include "fw/NumberField.h"
#include "text/Unicode.h"

namespace {

bool Parse(const char* utf8, int& n) { return ParseNumberField(Utf8ToSjis(utf8), n); }

} // namespace

TEST(NumberField, NumbersWithSignsAndBlanks)
{
    int n = -1;
    EXPECT_TRUE(Parse("72", n));
    EXPECT_EQ(n, 72);
    EXPECT_TRUE(Parse("  0 ", n));
    EXPECT_EQ(n, 0);
    EXPECT_TRUE(Parse("\t-8", n));
    EXPECT_EQ(n, -8);
    EXPECT_TRUE(Parse("+16", n));
    EXPECT_EQ(n, 16);
    EXPECT_TRUE(Parse("007", n));
    EXPECT_EQ(n, 7);
}

// Typed with the input method on: full-width digits and blanks.
TEST(NumberField, FullWidthDigitsAndBlanks)
{
    int n = -1;
    EXPECT_TRUE(Parse("１２０", n));
    EXPECT_EQ(n, 120);
    EXPECT_TRUE(Parse("　６５５３５　", n));
    EXPECT_EQ(n, 65535);
    EXPECT_TRUE(Parse("1２3", n));
    EXPECT_EQ(n, 123);
}

TEST(NumberField, AnythingElseIsRefusedAndLeavesTheValue)
{
    int n = 5;
    for (const char* text : {"", "   ", "-", "+", "12a", "a12", "1 2", "1.5", "0x10", "--1", "１０ｶﾗﾑ", "８\x81"})
        EXPECT_FALSE(Parse(text, n)) << text;
    EXPECT_EQ(n, 5);
    // A lone lead byte at the end is no digit.
    EXPECT_FALSE(ParseNumberField(std::string("1\x82", 2), n));
}

TEST(NumberField, NumbersBeyondIntAreRefused)
{
    int n = 0;
    EXPECT_TRUE(Parse("2147483647", n));
    EXPECT_EQ(n, 2147483647);
    EXPECT_TRUE(Parse("-2147483648", n));
    EXPECT_EQ(n, -2147483647 - 1);
    EXPECT_FALSE(Parse("2147483648", n));
    EXPECT_FALSE(Parse("-2147483649", n));
    EXPECT_FALSE(Parse("99999999999999999999999", n));
}
