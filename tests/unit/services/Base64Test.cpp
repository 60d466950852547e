// The Base64 coder.
#include <gtest/gtest.h>

#include <string>

#include "fakes/FakeUi.h"
#include "services/Base64.h"

namespace {

std::string Encode(const std::string& s)
{
    std::string out(Base64EncodedSize(s.size()), '\0');
    out.resize(Base64Encode(out.data(), s.data(), s.size()));
    return out;
}

long Decode(const char* text, std::string& out, size_t capacity = 256)
{
    out.assign(capacity, '\0');
    long n = Base64Decode(out.data(), capacity, text);
    out.resize(n < 0 ? 0 : static_cast<size_t>(n));
    return n;
}

} // namespace

TEST(Base64, EncodesWithPadding)
{
    EXPECT_EQ(Encode("M"), "TQ==");
    EXPECT_EQ(Encode("Ma"), "TWE=");
    EXPECT_EQ(Encode("Man"), "TWFu");
    EXPECT_EQ(Encode(""), "");
    EXPECT_EQ(Encode(std::string("\xFF\xFE\x00", 3)), "//4A");
}

TEST(Base64, DecodesAndRefusesMalformedText)
{
    CScopedFakeUi ui;
    std::string out;
    EXPECT_EQ(Decode("TWE=\r\nTWFu", out), -1);  // a pad before the end
    EXPECT_EQ(Decode("TWFu\r\nTWE=", out), 5);
    EXPECT_EQ(Decode("TWFu\r\nTWFu\r\n", out), 6);
    EXPECT_EQ(out, "ManMan");
    EXPECT_EQ(Decode("TQ==", out), 1);
    EXPECT_EQ(Decode("TWE=", out), 2);
    EXPECT_EQ(Decode("TQ=a", out), -1);
    EXPECT_EQ(Decode("TQ==TWFu", out), -1);
    EXPECT_EQ(Decode("=QAA", out), -1);
    EXPECT_EQ(Decode("TWF", out), -1);  // cut short
    EXPECT_EQ(Decode("", out), 0);
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(Base64, DecodeNeverWritesPastItsDestination)
{
    CScopedFakeUi ui;
    std::string out;
    EXPECT_EQ(Decode("TWFuTWFu", out, 5), -1);
    EXPECT_EQ(Decode("TWFuTWFu", out, 6), 6);
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "buffer overflow in Base64Decode");
    ui.Clear();
    std::string huge(kBase64DecodeWorkSize + 4, 'A');
    std::string big;
    EXPECT_EQ(Decode(huge.c_str(), big, kBase64DecodeWorkSize), -1);
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "buffer overflow in Base64Decode");
}
