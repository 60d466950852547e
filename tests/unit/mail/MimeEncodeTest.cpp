// Encoded header words and Base64 body lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeUi.h"
#include "mail/MimeEncode.h"
#include "services/Base64.h"
#include "services/FileStream.h"
#include "support/TempDir.h"
#include "text/Codes.h"
#include "text/Unicode.h"

namespace {

std::vector<std::string> Words(const std::string& s)
{
    std::vector<std::string> words;
    size_t pos = 0;
    while (pos <= s.size()) {
        size_t blank = s.find(' ', pos);
        words.push_back(s.substr(pos, blank == std::string::npos ? std::string::npos : blank - pos));
        if (blank == std::string::npos)
            break;
        pos = blank + 1;
    }
    return words;
}

// The JIS bytes inside one encoded word.
std::string JisOf(const std::string& word)
{
    const std::string head = "=?ISO-2022-JP?B?";
    EXPECT_EQ(word.substr(0, head.size()), head);
    EXPECT_EQ(word.substr(word.size() - 2), "?=");
    std::string b64 = word.substr(head.size(), word.size() - head.size() - 2);
    std::string jis(b64.size(), '\0');
    long n = Base64Decode(jis.data(), jis.size(), b64.c_str());
    jis.resize(n < 0 ? 0 : static_cast<size_t>(n));
    return jis;
}

std::string Sjis(const char* utf8) { return Utf8ToSjis(utf8); }

} // namespace

TEST(MimeEncode, HeaderWordsCarryAtMost42JisBytes)
{
    CScopedFakeUi ui;
    std::string out;
    EXPECT_EQ(EncodeHeaderWords(out, 1000, ""), 0);
    EXPECT_EQ(EncodeHeaderWords(out, 1000, "abc"), 22);
    EXPECT_EQ(out, "=?ISO-2022-JP?B?YWJj?=");

    // ASCII alone still becomes words, one per 42 bytes.
    std::string ascii(100, 'a');
    ASSERT_GT(EncodeHeaderWords(out, 1000, ascii), 0);
    std::vector<std::string> w = Words(out);
    ASSERT_EQ(w.size(), 3u);
    EXPECT_EQ(JisOf(w[0]), std::string(42, 'a'));
    EXPECT_EQ(JisOf(w[2]), std::string(16, 'a'));

    std::string japanese = Sjis("日本語の長い件名を符号化すると、いくつかの語に分かれます");
    ASSERT_GT(EncodeHeaderWords(out, 1000, japanese), 0);
    w = Words(out);
    ASSERT_GE(w.size(), 2u);
    std::string joined;
    for (const std::string& word : w) {
        std::string jis = JisOf(word);
        EXPECT_LE(jis.size(), kMaxJisPerWord);
        EXPECT_EQ(jis.substr(0, 3), "\x1B$B");
        EXPECT_EQ(jis.substr(jis.size() - 3), "\x1B(J");
        joined += jis;
    }
    std::vector<char> whole(JisBufferSize(japanese.size()));
    ASSERT_TRUE(SjisToJis(whole.data(), japanese.c_str(), false));
    // Each word opens and closes its own double-byte run; joined, the text is the same.
    std::string expected(whole.data());
    std::string plain;
    for (size_t i = 0; i < joined.size();) {
        if (joined.compare(i, 3, "\x1B(J") == 0 && joined.compare(i + 3, 3, "\x1B$B") == 0)
            i += 6;
        else
            plain += joined[i++];
    }
    EXPECT_EQ(plain, expected);

    EXPECT_EQ(EncodeHeaderWords(out, 20, "abc"), -1);
    EXPECT_EQ(EncodeHeaderWords(out, 1000, "\xB1"), -1);  // half-width ｱ has no JIS code
}

TEST(MimeEncode, HeaderTextEncodesOnlyDoubleByteRuns)
{
    CScopedFakeUi ui;
    std::string out;
    std::string line = Sjis("Subject: 会議 の件 (2)");
    ASSERT_GT(EncodeHeaderText(out, 1000, line), 0);
    ASSERT_EQ(out.substr(0, 9), "Subject: ");
    ASSERT_EQ(out.substr(out.size() - 4), " (2)");
    std::string word = out.substr(9, out.size() - 13);
    EXPECT_EQ(word.find(' '), std::string::npos);
    std::string jis = JisOf(word);
    std::vector<char> expected(JisBufferSize(16));
    ASSERT_TRUE(SjisToJis(expected.data(), Sjis("会議 の件").c_str(), false));
    EXPECT_EQ(jis, expected.data());
    EXPECT_EQ(EncodeHeaderText(out, 1000, ""), 0);
    EXPECT_EQ(EncodeHeaderText(out, 1000, "plain ascii"), 11);
    EXPECT_EQ(out, "plain ascii");
    // A lead byte with no trail byte after it is one byte: the blank stays.
    EXPECT_EQ(EncodeHeaderText(out, 1000, "a\x81 b"), 4);
    EXPECT_EQ(out, "a\x81 b");
    EXPECT_TRUE(ui.m_boxes.empty());

    EXPECT_EQ(EncodeHeaderText(out, 1000, "a\xB1z"), -1);
    EXPECT_EQ(EncodeHeaderText(out, 11, "plain ascii"), -1);
    EXPECT_EQ(EncodeHeaderText(out, 12, "plain ascii"), 11);
    EXPECT_EQ(EncodeHeaderText(out, 20, line), -1);
    ASSERT_EQ(ui.m_boxes.size(), 3u);
    EXPECT_EQ(ui.m_boxes[0].text, "Illegal hankaku katakana");
    EXPECT_EQ(ui.m_boxes[1].text, "MIME encode destination buffer overflow");
    EXPECT_EQ(ui.m_boxes[2].text, "MIME encode destination buffer overflow");
}

TEST(MimeEncode, Base64Lines)
{
    CScopedFakeUi ui;
    CTempDir dir;
    auto encode = [&](const std::string& bytes) {
        dir.Write("in.bin", bytes);
        CFileStream out;
        EXPECT_TRUE(out.Open(dir.Path("out.txt"), CFileStream::EMode::Write));
        EXPECT_TRUE(EncodeBase64Lines(out, dir.Path("in.bin")));
        out.Close();
        return dir.Read("out.txt");
    };
    std::string b57(57, 'x');
    std::string one = encode(b57);
    EXPECT_EQ(one.size(), 78u);
    EXPECT_EQ(one.substr(76), "\r\n");
    std::string two = encode(b57 + "y");
    EXPECT_EQ(two.size(), 78u + 6u);
    EXPECT_EQ(two.substr(78), "eQ==\r\n");
    EXPECT_EQ(encode(""), "");
    EXPECT_EQ(encode(std::string(114, 'z')).size(), 156u);

    CFileStream out;
    ASSERT_TRUE(out.Open(dir.Path("out.txt"), CFileStream::EMode::Write));
    EXPECT_FALSE(EncodeBase64Lines(out, dir.Path("missing.bin")));
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "Can't open " + dir.Path("missing.bin"));
#ifndef _WIN32
    // A read error is a failure, not the end of the file (a folder opens but cannot be read).
    EXPECT_FALSE(EncodeBase64Lines(out, dir.Dir()));
#endif
}
