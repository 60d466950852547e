// Folding header lines at 76 columns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mail/HeaderFold.h"
#include "text/Unicode.h"

namespace {

std::vector<std::string> Lines(const std::string& folded)
{
    std::vector<std::string> lines;
    size_t pos = 0;
    for (size_t crlf; (crlf = folded.find("\r\n", pos)) != std::string::npos; pos = crlf + 2)
        lines.push_back(folded.substr(pos, crlf - pos));
    if (pos < folded.size())
        lines.push_back(folded.substr(pos));
    return lines;
}

std::string Fold(std::string line, size_t width = kHeaderFoldWidth)
{
    FoldHeaderLine(line, width);
    return line;
}

// The pieces joined again, without the blank each continuation got.
std::string Unfold(const std::string& folded)
{
    std::string out;
    for (const std::string& l : Lines(folded))
        out += out.empty() ? l : l.substr(1);
    return out;
}

} // namespace

TEST(HeaderFold, ShortLinesStayAndLineEndsAreKept)
{
    EXPECT_EQ(Fold("Subject: short"), "Subject: short");
    EXPECT_EQ(Fold("Subject: short\r\n"), "Subject: short\r\n");
    std::string longLine = "Subject: " + std::string(40, 'a') + " " + std::string(40, 'b');
    EXPECT_EQ(Fold(longLine), "Subject: " + std::string(40, 'a') + "\r\n " + std::string(40, 'b'));
    EXPECT_EQ(Fold(longLine + "\r\n"), "Subject: " + std::string(40, 'a') + "\r\n " + std::string(40, 'b') + "\r\n");
    // The last blank wins; the blanks before it stay off the piece.
    EXPECT_EQ(Fold("Subject: " + std::string(40, 'a') + "    " + std::string(40, 'b')),
              "Subject: " + std::string(40, 'a') + "\r\n " + std::string(40, 'b'));
}

TEST(HeaderFold, AddressFieldsFoldAfterCommas)
{
    std::string to = "To: \"Taro Yamada\" <taro@example.jp>, \"Hanako Sato\" <hanako@example.jp>, jiro@example.jp";
    std::vector<std::string> l = Lines(Fold(to));
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0], "To: \"Taro Yamada\" <taro@example.jp>, \"Hanako Sato\" <hanako@example.jp>,");
    EXPECT_EQ(l[1], " jiro@example.jp");
    // A comma inside a quoted name is no place to fold while another exists.
    std::string cc = "Cc: \"Doe, John\" <john@example.jp>,   " + std::string(50, 'x') + "@example.jp";
    l = Lines(Fold(cc));
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0], "Cc: \"Doe, John\" <john@example.jp>,");
    EXPECT_EQ(l[1], " " + std::string(50, 'x') + "@example.jp");  // blanks replaced by one
}

TEST(HeaderFold, EncodedWordsStayWhole)
{
    std::string word = "=?ISO-2022-JP?B?GyRCJEYkOSRIGyhKGyRCJEYkOSRIGyhKGyRCJEYkOSRIGyhK?=";
    std::string line = "Subject: " + word + " " + word + " " + word;
    std::vector<std::string> l = Lines(Fold(line));
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0], "Subject: " + word);
    EXPECT_EQ(l[1], " " + word);
    EXPECT_EQ(l[2], " " + word);
    // Glued words fold between them, never inside.
    std::string glued = "Subject: x" + word + word;
    l = Lines(Fold(glued));
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0], "Subject: x" + word);
    EXPECT_EQ(l[1], " " + word);
    l = Lines(Fold("Subject: xy" + word + word));
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0], "Subject: xy");
    EXPECT_EQ(l[1], " " + word);
}

TEST(HeaderFold, QuotedFileNamesAndHardCuts)
{
    std::string word = "=?ISO-2022-JP?B?GyRCJEYkOSRIGyhKGyRCJEYkOSRIGyhK?=";
    std::string line = "Content-Disposition: attachment; filename=\"" + word + " " + word + ".jpg\"\r\n";
    std::string folded = Fold(line);
    std::vector<std::string> l = Lines(folded);
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0], "Content-Disposition: attachment;");
    EXPECT_EQ(l[1], " filename=\"" + word);
    EXPECT_EQ(l[2], " " + word + ".jpg\"");
    for (const std::string& s : l)
        EXPECT_LE(s.size(), kHeaderFoldWidth);

    // No candidate at all: a hard cut, never inside a double-byte character.
    std::string kanji;
    for (int i = 0; i < 60; ++i)
        kanji += "\x8A\xBF";  // 漢
    std::string subject = "X-Test:" + kanji;
    l = Lines(Fold(subject));
    ASSERT_GE(l.size(), 2u);
    EXPECT_EQ(l[0], "X-Test:");  // the colon is a special: the place after it
    for (const std::string& s : l) {
        EXPECT_LE(s.size(), kHeaderFoldWidth);
        EXPECT_EQ(Utf8ToSjis(SjisToUtf8(s)), s);  // whole characters only
    }
    EXPECT_EQ(Unfold(Fold(subject)), subject);
}

TEST(HeaderFold, FoldPointsDirectly)
{
    EXPECT_EQ(FindFoldPoint("aaaa bbbb", 6, false), 4u);
    EXPECT_EQ(FindFoldPoint("aaaaaaaa", 5, false), 5u);
    EXPECT_EQ(FindFoldPoint("a,b c", 4, true), 2u);
    EXPECT_EQ(FindFoldPoint("\"a b\" cc", 7, false), 5u);
    EXPECT_EQ(FindFoldPoint("\"a bcd\"ee", 5, false), 2u);  // inside the quotes when nothing else fits
    EXPECT_EQ(FindFoldPoint("\x8A\xBF\x8A\xBF", 3, false), 2u);
    EXPECT_EQ(FindFoldPoint("\x8A\xBF\x8A\xBF", 1, false), 2u);  // at least one character
    // A quoted value is folded only where a blank stands in it, else kept whole.
    EXPECT_EQ(FindFoldPoint(" name=\"abc.def.ghi\" x", 10, false), 19u);
    EXPECT_EQ(FindFoldPoint(" name=\"abc.def ghi\"", 10, false), 14u);
    EXPECT_EQ(FindFoldPoint(" name=\"abcdefghi\"", 10, false), 17u);
    // Without quotes, dots are places to fold.
    EXPECT_EQ(FindFoldPoint(" name=abc.def.ghi", 10, false), 10u);
}

TEST(HeaderFold, WordsAreNeverCutWhileABlankIsLeft)
{
    // What a reader gets back: each CR LF dropped, the continuation's blank kept.
    auto unfoldAsRead = [](const std::string& folded) {
        std::string out;
        for (const std::string& l : Lines(folded))
            out += l;
        return out;
    };
    std::string word = "=?ISO-2022-JP?B?" + std::string(64, 'A') + "?=";
    std::string words = " alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu";
    for (const std::string& line : {"Subject: " + word + words, "Subject: " + word + std::string(30, 'q') + words,
                                    "Subject: " + std::string(80, 'a') + " b " + std::string(90, 'c') + words}) {
        std::string folded = Fold(line);
        EXPECT_EQ(unfoldAsRead(folded), line) << folded;
    }
    // Only when no blank is left is a word cut.
    std::vector<std::string> l = Lines(Fold("Subject: x " + std::string(100, 'z')));
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[1], " " + std::string(75, 'z'));
}
