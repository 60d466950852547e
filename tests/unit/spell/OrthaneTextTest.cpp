// The library's candidate buffer is read only within its size; "Dic" lists.
#include <gtest/gtest.h>

#include <cstring>

#include "spell/OrthaneText.h"

using Strings = std::vector<std::string>;

TEST(OrthaneText, CandidatesStayInsideTheBuffer)
{
    const char full[] = "the\0ten\0\0junk";
    EXPECT_EQ(ParseCandidates(full, sizeof full), (Strings{"the", "ten"}));
    // A buffer filled to its end without the closing empty text: the cut-off
    // text is dropped and nothing past the size is read.
    char buffer[kCandidateBufferSize];
    std::memset(buffer, 'x', sizeof buffer);
    std::memcpy(buffer, "one\0two\0", 8);
    EXPECT_EQ(ParseCandidates(buffer, sizeof buffer), (Strings{"one", "two"}));
    EXPECT_TRUE(ParseCandidates(buffer, 0).empty());
}

TEST(OrthaneText, DictionaryPaths)
{
    EXPECT_EQ(DictionaryPaths("a;b"), (Strings{"a", "b"}));
    EXPECT_EQ(DictionaryPaths(";;c:\\dic;"), (Strings{"c:\\dic"}));
    EXPECT_TRUE(DictionaryPaths(";").empty());
    std::string many;
    for (int i = 0; i < 20; ++i)
        many += "d" + std::to_string(i) + ";";
    EXPECT_EQ(DictionaryPaths(many).size(), kMaxDictionaries);
}
