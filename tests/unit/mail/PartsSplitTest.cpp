// Taking a multipart mail apart into a parts folder: a mail the editor built
// comes back byte for byte (but for its boundaries) when the folder is built
// again; names from a mail stay plain names inside the folder; the transfer
// encodings are undone.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "fakes/FakeUi.h"
#include "mail/Mail.h"
#include "mail/MailPartsSplit.h"
#include "mail/MailWorkDir.h"
#include "mail/PartNames.h"
#include "mail/PartsIndex.h"
#include "platform/FileSystem.h"
#include "services/FileUtils.h"
#include "support/TempDir.h"
#include "text/Unicode.h"

namespace {

void WriteBytes(const std::string& path, const std::string& bytes)
{
    CFileHandle file = OpenFileForWriting(path, EWriteMode::Truncate);
    ASSERT_TRUE(file.IsOpen()) << path;
    ASSERT_TRUE(file.Write(bytes.data(), bytes.size()));
}

std::string ReadBytes(const std::string& path)
{
    CFileHandle file = OpenFileForReading(path);
    std::string bytes;
    char buf[4096];
    for (std::ptrdiff_t n; file.IsOpen() && (n = file.Read(buf, sizeof buf)) > 0;)
        bytes.append(buf, static_cast<size_t>(n));
    return bytes;
}

// The text with each boundary replaced by its number of first appearance.
std::string WithoutBoundaries(const std::string& text)
{
    std::map<std::string, int> seen;
    std::regex re("Mavlen_[0-9a-f]{12}");
    std::string out;
    auto last = text.cbegin();
    for (std::sregex_iterator it(text.begin(), text.end(), re), end; it != end; ++it) {
        out.append(last, (*it)[0].first);
        auto [pos, added] = seen.emplace(it->str(), static_cast<int>(seen.size()));
        out += "<B" + std::to_string(pos->second) + ">";
        last = (*it)[0].second;
    }
    out.append(last, text.cend());
    return out;
}

class CSplitFixture {
public:
    CSplitFixture()
    {
        std::filesystem::create_directories(m_dir.Path("work"));
        SetMailWorkDir(m_dir.Path("work"));
    }
    ~CSplitFixture() { SetMailWorkDir(""); }
    std::string NewFolder(const std::string& name)
    {
        std::filesystem::create_directories(m_dir.Path(name));
        return m_dir.Path(name);
    }
    CTempDir m_dir;
};

} // namespace

TEST(PartsSplit, AMailTheEditorBuiltComesBackWhenItsPartsAreBuiltAgain)
{
    CScopedFakeUi ui;
    CSplitFixture f;
    std::string built = f.NewFolder("built");
    const std::string body = Utf8ToSjis("本文.txt");
    const std::string report = Utf8ToSjis("報告書 第二版.dat");
    std::string image;
    for (int i = 0; i < 1000; ++i)
        image += static_cast<char>(i * 37 + 11);
    WriteBytes(JoinPath(built, body), Utf8ToSjis("こんにちは\r\n二行目\r\n"));
    WriteBytes(JoinPath(built, "pic.jpg"), image);
    WriteBytes(JoinPath(built, report), std::string("\0\x01\r\n--", 6));
    WriteBytes(JoinPath(built, kPartsIndexName),
               body + ";text;plain;inline\r\npic.jpg;image;jpeg;inline\r\n" + report +
                   ";application;octet-stream;attachment\r\nsub;multipart;mixed;attachment\r\n");
    std::string sub = f.NewFolder("built/sub");
    WriteBytes(JoinPath(sub, "note.txt"), "nested note\r\n");
    WriteBytes(JoinPath(sub, kPartsIndexName), "note.txt;text;plain;attachment\r\n");
    f.m_dir.Write("mail.txt", "From: a@b\r\nSubject: parts\r\n--------\r\nold body\r\n");

    CMail mail(f.m_dir.Path("mail.txt"));
    ASSERT_TRUE(mail.Load(false, false));
    ASSERT_TRUE(mail.RebuildFromParts(built));
    const std::string original = f.m_dir.Read("mail.txt");

    std::string parts = f.NewFolder("split");
    ASSERT_TRUE(SplitMailIntoParts(mail.GetPath(), parts)) << (ui.m_boxes.empty() ? "" : ui.m_boxes[0].text);
    // The same files with the same bytes, and the index the rebuild reads.
    EXPECT_EQ(ReadBytes(JoinPath(parts, body)), ReadBytes(JoinPath(built, body)));
    EXPECT_EQ(ReadBytes(JoinPath(parts, "pic.jpg")), image);
    EXPECT_EQ(ReadBytes(JoinPath(parts, report)), std::string("\0\x01\r\n--", 6));
    EXPECT_EQ(ReadBytes(JoinPath(JoinPath(parts, "multipart4"), "note.txt")), "nested note\r\n");
    EXPECT_EQ(ReadBytes(JoinPath(parts, kPartsIndexName)),
              body + ";text;plain;attachment\r\npic.jpg;image;jpeg;inline\r\n" + report +
                  ";application;octet-stream;attachment\r\nmultipart4;multipart;mixed;attachment\r\n");

    ASSERT_TRUE(mail.RebuildFromParts(parts));
    std::string again = f.m_dir.Read("mail.txt");
    EXPECT_NE(again, original);  // new boundaries
    EXPECT_EQ(WithoutBoundaries(again), WithoutBoundaries(original));
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(PartsSplit, NamesFromAMailStayPlainUniqueNamesInsideTheFolder)
{
    CScopedFakeUi ui;
    CSplitFixture f;
    auto part = [](const std::string& disposition) {
        return "--XX\r\nContent-Type: application/octet-stream\r\nContent-Transfer-Encoding: base64\r\n"
               "Content-Disposition: attachment; " +
               disposition + "\r\n\r\naGk=\r\n";
    };
    f.m_dir.Write("mail.txt",
                  "From: a@b\r\nContent-Type: multipart/mixed;\r\n boundary=\"XX\"\r\n--------\r\npreamble\r\n" +
                      part("filename=\"..\\\\..\\\\evil.bat\"") + part("filename=\"CON\"") +
                      part("filename=\"lpt1.txt\"") + part("filename=\"/etc/passwd\"") +
                      part("filename=\"C:evil.bat\"") + part("filename=\"a;b.txt. . \"") +
                      part("filename=\"~$prtinf.dat\"") + part("filename=\"x.mpm\"") + part("filename=\"..\"") +
                      part("filename=\"EVIL.BAT\"") + "--XX--\r\nepilogue\r\n");
    std::string parts = f.NewFolder("parts");
    ASSERT_TRUE(SplitMailIntoParts(f.m_dir.Path("mail.txt"), parts));

    std::set<std::string> names;
    for (const auto& e : std::filesystem::recursive_directory_iterator(f.m_dir.Dir()))
        if (e.is_regular_file())
            names.insert(e.path().lexically_relative(f.m_dir.Dir()).generic_string());
    std::set<std::string> expected = {"mail.txt",
                                      "parts/~$prtinf.dat",
                                      "parts/evil.bat",
                                      "parts/_CON",
                                      "parts/_lpt1.txt",
                                      "parts/passwd",
                                      "parts/evil(2).bat",
                                      "parts/a_b.txt",
                                      "parts/_~$prtinf.dat",
                                      "parts/x.mpm_",
                                      "parts/part9.dat",
                                      "parts/EVIL(3).BAT"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(f.m_dir.Read("parts/evil.bat"), "hi");
    std::string index = f.m_dir.Read("parts/~$prtinf.dat");
    EXPECT_EQ(index.substr(0, index.find('\n') + 1), "evil.bat;application;octet-stream;attachment\r\n");
    EXPECT_NE(index.find("\r\na_b.txt;application;octet-stream;attachment\r\n"), std::string::npos);
    for (const std::string& n : names)
        EXPECT_TRUE(IsPlainFileName(std::filesystem::path(n).filename().string())) << n;
}

TEST(PartsSplit, TransferEncodingsAndEncodedNamesAreUndone)
{
    EXPECT_EQ(DecodeQuotedPrintable("a=3Db=\r\nc =E3=81=82\r\nsoft =  \r\nend"), "a=bc \xE3\x81\x82\r\nsoft end");
    std::string bytes;
    ASSERT_TRUE(DecodeBase64Body("aGVs\r\nbG8=\r\n", bytes));
    EXPECT_EQ(bytes, "hello");
    std::string big(199998, 'x');
    std::string encoded;
    for (size_t i = 0; i < big.size(); i += 3)
        encoded += "eHh4";
    ASSERT_TRUE(DecodeBase64Body(encoded, bytes));  // longer than the decoder's work buffer
    EXPECT_EQ(bytes, big);

    // "あ" in ISO-2022-JP and UTF-8, blanks between words dropped, Q encoding.
    EXPECT_EQ(DecodeHeaderWords("=?ISO-2022-JP?B?GyRCJCIbKEI=?= =?utf-8?B?44GC?=.txt"), Utf8ToSjis("ああ.txt"));
    EXPECT_EQ(DecodeHeaderWords("plain =?us-ascii?Q?a_b=3F?= end"), "plain a b? end");

    CEntityHeader h = ParseEntityHeader("Content-Type: Image/JPEG;\r\n\tname=\"n.jpg\"\r\n"
                                        "Content-Disposition: inline;\r\n filename*=UTF-8''%E3%81%82.jpg\r\n"
                                        "Content-Transfer-Encoding: BASE64\r\n");
    EXPECT_EQ(h.strType, "image");
    EXPECT_EQ(h.strSubtype, "jpeg");
    EXPECT_TRUE(h.bInline);
    EXPECT_EQ(h.strEncoding, "base64");
    EXPECT_EQ(h.strFileName, Utf8ToSjis("あ.jpg"));
}

TEST(PartsSplit, AMailThatIsNoMultipartIsRefused)
{
    CScopedFakeUi ui;
    CSplitFixture f;
    f.m_dir.Write("mail.txt", "From: a@b\r\n--------\r\nbody\r\n");
    EXPECT_FALSE(SplitMailIntoParts(f.m_dir.Path("mail.txt"), f.NewFolder("parts")));
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    std::string first = MakePartsFolder(f.m_dir.Dir());
    std::string second = MakePartsFolder(f.m_dir.Dir());
    EXPECT_EQ(FileNameOf(first), "~$parts000");
    EXPECT_EQ(FileNameOf(second), "~$parts001");
    EXPECT_TRUE(FolderExists(second));
}

TEST(PartsSplit, TheIndexIsWrittenAndReadBackOrRefusedWithItsMessage)
{
    CScopedFakeUi ui;
    CSplitFixture f;
    std::string folder = f.NewFolder("parts");
    EXPECT_FALSE(WritePartsIndex(folder, {}));
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "No parts in " + folder);
    EXPECT_FALSE(WritePartsIndex(f.m_dir.Path("missing"), {{"a.txt", "text", "plain", true}}));
    ASSERT_EQ(ui.m_boxes.size(), 2u);
    EXPECT_EQ(ui.m_boxes[1].text, "can't open " + JoinPath(f.m_dir.Path("missing"), kPartsIndexName));

    ASSERT_TRUE(WritePartsIndex(folder, {{"a.txt", "text", "plain", true}, {"sub", "multipart", "mixed", false}}));
    EXPECT_EQ(f.m_dir.Read("parts/~$prtinf.dat"), "a.txt;text;plain;inline\r\nsub;multipart;mixed;attachment\r\n");
    std::vector<CPartsIndexEntry> entries;
    ASSERT_TRUE(ReadPartsIndex(folder, entries));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].strName, "sub");
    EXPECT_TRUE(entries[0].bInline);
    f.m_dir.Write("parts/~$prtinf.dat", "..;text;plain;inline\r\n");
    entries.clear();
    EXPECT_FALSE(ReadPartsIndex(folder, entries));
}
