// Rebuilding a mail as a MIME multipart message from a parts folder: the exact
// bytes, nested entities, the index checks, and never losing the mail.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>

#include "fakes/FakeUi.h"
#include "mail/Mail.h"
#include "mail/MailWorkDir.h"
#include "platform/FileSystem.h"
#include "services/FileUtils.h"
#include "support/TempDir.h"
#include "text/Unicode.h"
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const char kPlainMail[] =
    "From: a@b\r\n"
    "Subject: test\r\n"
    "Content-Type: text/plain;\r\n"
    " charset=iso-2022-jp\r\n"
    "Content-Description: old\r\n"
    "X-Other: keep\r\n"
    "--------\r\n"
    "old body\r\n";

const std::string kBodyName = Utf8ToSjis("本文.txt");
const std::string kHello = Utf8ToSjis("こんにちは\r\n");

// A mail, a parts folder and a work folder in a fresh temporary folder.
class CMultipartFixture {
public:
    CMultipartFixture()
    {
        SetMailWorkDir(m_dir.Path("work"));
        std::filesystem::create_directories(m_dir.Path("work"));
        std::filesystem::create_directories(m_dir.Path("parts"));
        m_dir.Write("mail.txt", kPlainMail);
    }
    ~CMultipartFixture() { SetMailWorkDir(""); }

    // Written through the file seam: the names are Shift-JIS.
    void Part(const std::string& name, const std::string& bytes)
    {
        CFileHandle file = OpenFileForWriting(InParts(name), EWriteMode::Truncate);
        ASSERT_TRUE(file.IsOpen());
        ASSERT_TRUE(file.Write(bytes.data(), bytes.size()));
    }
    void Index(const std::string& folder, const std::string& lines) { m_dir.Write(folder + "/~$prtinf.dat", lines); }
    std::string Mail() const { return m_dir.Read("mail.txt"); }
    std::string MailPath() const { return m_dir.Path("mail.txt"); }
    // A path in the parts folder (or below it), with this system's separators.
    std::string InParts(const std::string& a, const std::string& b = "") const
    {
        std::string p = JoinPath(Parts(), a);
        return b.empty() ? p : JoinPath(p, b);
    }
    std::string Parts() const { return m_dir.Path("parts"); }
    int WorkFiles() const
    {
        int n = 0;
        for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(m_dir.Path("work")))
            ++n;
        return n;
    }
    CTempDir m_dir;
};

std::vector<std::string> BoundariesIn(const std::string& text)
{
    std::vector<std::string> found;
    std::regex re("boundary=\"(Mavlen_[0-9a-f]{12})\"");
    for (std::sregex_iterator it(text.begin(), text.end(), re), end; it != end; ++it)
        found.push_back((*it)[1]);
    return found;
}

std::string Lines(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& l : lines)
        text += l + "\r\n";
    return text;
}

} // namespace

TEST(Multipart, RebuildingAPlainMailGivesTheseBytes)
{
    CScopedFakeUi ui;
    CMultipartFixture f;
    std::string image;
    for (int i = 0; i < 57; ++i)
        image += static_cast<char>(i * 7);
    f.Part(kBodyName, kHello);
    f.Part("image.jpg", image);
    f.Index("parts", kBodyName + ";text;plain;inline\r\nimage.jpg;image;jpeg;attachment\r\nsub;multipart;mixed;attachment\r\n");
    std::filesystem::create_directories(f.m_dir.Path("parts/sub"));
    f.m_dir.Write("parts/sub/note.dat", "xyz");
    f.Index("parts/sub", "note.dat;application;octet-stream;inline\r\n");

    CMail mail(f.MailPath());
    ASSERT_TRUE(mail.Load(true, false));
    ASSERT_TRUE(mail.RebuildFromParts(f.Parts())) << (ui.m_boxes.empty() ? "" : ui.m_boxes[0].text);
    EXPECT_TRUE(ui.m_boxes.empty());

    std::string out = f.Mail();
    std::vector<std::string> b = BoundariesIn(out);
    ASSERT_EQ(b.size(), 2u);
    EXPECT_NE(b[0], b[1]);
    std::string expected = Lines({
        "From: a@b",
        "Subject: test",
        "X-Other: keep",
        "Content-Description: \"Mail with base64 encoded attachment\"",
        "Content-Type: multipart/mixed; boundary=\"" + b[0] + "\"",
        "--------",
        "This is a MIME multipart message.",
        "",
        "--" + b[0],
        "Content-Type: text/plain; charset=iso-2022-jp",
        "",
        Utf8ToSjis("こんにちは"),
        "",
        "--" + b[0],
        "Content-Type: image/jpeg; name=\"image.jpg\"",
        "Content-Transfer-Encoding: Base64",
        "Content-Disposition: attachment; filename=\"image.jpg\"",
        "",
        "AAcOFRwjKjE4P0ZNVFtiaXB3foWMk5qhqK+2vcTL0tng5+71/AMKERgfJi00O0JJUFdeZWxzeoGI",
        "",
        "--" + b[0],
        "Content-Description: \"Mail with base64 encoded attachment\"",
        "Content-Type: multipart/mixed; boundary=\"" + b[1] + "\"",
        "",
        "This is a MIME multipart message.",
        "",
        "--" + b[1],
        "Content-Type: application/octet-stream; name=\"note.dat\"",
        "Content-Transfer-Encoding: Base64",
        "Content-Disposition: inline; filename=\"note.dat\"",
        "",
        "eHl6",
        "",
        "--" + b[1] + "--",
        "",
        "--" + b[0] + "--",
    });
    EXPECT_EQ(out, expected);
    // The header was read again: the fields match the file.
    EXPECT_EQ(mail.GetBoundary(false), b[0]);
    EXPECT_TRUE(FileExists(f.InParts("sub.mpm")));
    EXPECT_EQ(f.WorkFiles(), 0);
}

TEST(Multipart, WritingPartsIntoAPlainMailKeepsItsBody)
{
    CScopedFakeUi ui;
    CMultipartFixture f;
    f.Part(kBodyName, "ascii only\r\n");
    f.Part("data.xyz", "12");
    CMail mail(f.MailPath());
    ASSERT_TRUE(mail.ReadHeader(true, false));
    ASSERT_TRUE(mail.WriteMultipart({f.InParts(kBodyName), f.InParts("data.xyz")},
                                    {true, true}, 0));
    std::string out = f.Mail();
    std::vector<std::string> b = BoundariesIn(out);
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(out, Lines({
                       "From: a@b",
                       "Subject: test",
                       "X-Other: keep",
                       "Content-Description: \"Mail with base64 encoded attachment\"",
                       "Content-Type: multipart/mixed; boundary=\"" + b[0] + "\"",
                       "--------",
                       "This is a MIME multipart message.",
                       "",
                       "--" + b[0],
                       "Content-Type: text/plain; charset=iso-2022-jp",
                       "",
                       "old body",
                       "",
                       "",
                       "--" + b[0],
                       "Content-Type: text/plain",
                       "",
                       "ascii only",
                       "",
                       "--" + b[0],
                       "Content-Type: application/octet-stream; name=\"data.xyz\"",
                       "Content-Transfer-Encoding: Base64",
                       "Content-Disposition: inline; filename=\"data.xyz\"",
                       "",
                       "MTI=",
                       "",
                       "--" + b[0] + "--",
                   }));
}

TEST(Multipart, JapaneseFileNamesAreEncodedAndFolded)
{
    CScopedFakeUi ui;
    CMultipartFixture f;
    // 17 characters: one encoded word, too long to share a line with name=".
    std::string name = Utf8ToSjis("会議の議事録と添付資料の一覧表です.jpg");  // 表 ends in 0x5C
    // 30 characters: two encoded words.
    std::string longer = Utf8ToSjis("第三四半期の営業会議の議事録と添付資料の一覧表および補足説明です.jpg");
    f.Part(name, "x");
    f.Part(longer, "y");
    f.Index("parts", name + ";image;jpeg;attachment\r\n" + longer + ";image;jpeg;inline\r\n");
    CMail mail(f.MailPath());
    ASSERT_TRUE(mail.Load(true, false));
    ASSERT_TRUE(mail.RebuildFromParts(f.Parts())) << (ui.m_boxes.empty() ? "" : ui.m_boxes[0].text);
    std::string out = f.Mail();
    // The quoted name is never cut where no blank stands: it stays whole on a
    // line of its own rather than arrive with a blank inside.
    const std::string word = "=?ISO-2022-JP?B?GyRCMnE1RCRONUQ7dk8/JEhFOklVO3FOQSROMGxNd0k9JEckORsoSg==?=";
    EXPECT_NE(out.find("Content-Type: image/jpeg;\r\n name=\"" + word + ".jpg\"\r\n"
                       "Content-Transfer-Encoding: Base64\r\n"
                       "Content-Disposition: attachment;\r\n filename=\"" + word + ".jpg\"\r\n\r\n"),
              std::string::npos)
        << out;
    // Two words fold at the blank between them.
    size_t second = out.find("Content-Disposition: inline;\r\n filename=\"=?ISO-2022-JP?B?");
    ASSERT_NE(second, std::string::npos) << out;
    std::string rest = out.substr(second);
    size_t firstEnd = rest.find("?=\r\n =?ISO-2022-JP?B?");
    ASSERT_NE(firstEnd, std::string::npos) << rest;
    EXPECT_LT(firstEnd, rest.find("?=.jpg\"\r\n"));
    for (unsigned char c : out.substr(0, out.rfind("Content-Transfer-Encoding")))
        EXPECT_LT(c, 0x80);
}

TEST(Multipart, ABadIndexStopsBeforeTheMailIsTouched)
{
    CScopedFakeUi ui;
    CMultipartFixture f;
    f.Part("a.txt", "a");
    const char* bad[] = {
        "a.txt;text;plain\r\n",                // three fields
        "a.txt;text;plain;inline;x\r\n",       // five
        "..\\a.txt;text;plain;inline\r\n",     // out of the folder
        "../a.txt;text;plain;inline\r\n",
        "C:a.txt;text;plain;inline\r\n",
        "CON;text;plain;inline\r\n",          // a device
        "..;multipart;mixed;inline\r\n",
        "\r\n",
    };
    for (const char* index : bad) {
        ui.Clear();
        f.Index("parts", std::string("a.txt;text;plain;inline\r\n") + index);
        CMail mail(f.MailPath());
        ASSERT_TRUE(mail.Load(true, false));
        EXPECT_FALSE(mail.RebuildFromParts(f.Parts())) << index;
        ASSERT_EQ(ui.m_boxes.size(), 1u) << index;
        EXPECT_EQ(ui.m_boxes[0].text, "format error in " + f.InParts("~$prtinf.dat"));
        EXPECT_EQ(f.Mail(), kPlainMail);
        EXPECT_EQ(f.WorkFiles(), 0);
    }
    // A missing part file fails too, leaving the mail.
    ui.Clear();
    f.Index("parts", "gone.bin;application;octet-stream;attachment\r\n");
    CMail mail(f.MailPath());
    ASSERT_TRUE(mail.Load(true, false));
    EXPECT_FALSE(mail.RebuildFromParts(f.Parts()));
    EXPECT_EQ(ui.m_boxes.at(0).text, "Can't open " + f.InParts("gone.bin"));
    EXPECT_EQ(f.Mail(), kPlainMail);
    ui.Clear();
    EXPECT_FALSE(mail.RebuildFromParts(f.m_dir.Path("noparts")));
    EXPECT_EQ(ui.m_boxes.at(0).text, "can't open " + JoinPath(f.m_dir.Path("noparts"), "~$prtinf.dat"));
    EXPECT_EQ(f.WorkFiles(), 0);
}

TEST(Multipart, NestingIsBounded)
{
    CScopedFakeUi ui;
    CMultipartFixture f;
    std::string folder = "parts";
    for (int depth = 0; depth < 18; ++depth) {
        f.Index(folder, "n;multipart;mixed;attachment\r\n");
        folder += "/n";
        std::filesystem::create_directories(f.m_dir.Path(folder));
    }
    f.Index(folder, "");
    CMail mail(f.MailPath());
    ASSERT_TRUE(mail.Load(true, false));
    EXPECT_FALSE(mail.RebuildFromParts(f.Parts()));
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text.substr(0, 33), "multipart nested too deeply in " + f.m_dir.Path("").substr(0, 2));
    EXPECT_EQ(f.Mail(), kPlainMail);
}

TEST(Multipart, BoundariesNeverRepeat)
{
    CScopedFakeUi ui;
    CMultipartFixture f;
    std::set<std::string> seen;
    CMail mail(f.MailPath());
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(mail.MakeEmptyMultipart());
        std::vector<std::string> b = BoundariesIn(f.Mail());
        ASSERT_EQ(b.size(), 1u);
        EXPECT_TRUE(seen.insert(b[0]).second) << b[0];
    }
    EXPECT_EQ(f.Mail(), Lines({
                            "From: a@b",
                            "Subject: test",
                            "X-Other: keep",
                            "Content-Description: \"Mail with base64 encoded attachment\"",
                            "Content-Type: multipart/mixed; boundary=\"" + BoundariesIn(f.Mail())[0] + "\"",
                            "--------",
                            "This is a MIME multipart message.",
                            "--" + BoundariesIn(f.Mail())[0] + "--",
                        }));
}

TEST(Multipart, RevertingToPlainText)
{
    CScopedFakeUi ui;
    CMultipartFixture f;
    f.Part(kBodyName, kHello);
    f.Index("parts", kBodyName + ";text;plain;inline\r\n");
    CMail mail(f.MailPath());
    ASSERT_TRUE(mail.Load(true, false));
    ASSERT_TRUE(mail.RebuildFromParts(f.Parts())) << (ui.m_boxes.empty() ? "" : ui.m_boxes[0].text);
    ASSERT_TRUE(mail.RevertToPlainText(f.InParts(kBodyName)));
    EXPECT_EQ(f.Mail(), "From: a@b\r\nSubject: test\r\nX-Other: keep\r\n"
                        "Content-Type: text/plain; charset=iso-2022-jp\r\n--------\r\n" + kHello);
    EXPECT_EQ(mail.GetField("CONTENT-TYPE"), "text/plain; charset=iso-2022-jp");

    // An ASCII mail gets no content type at all.
    f.m_dir.Write("mail.txt", "Subject: s\r\n--------\r\nascii\r\n");
    f.Part("plain.txt", "new text\r\n");
    CMail ascii(f.MailPath());
    ASSERT_TRUE(ascii.Load(true, false));
    ASSERT_TRUE(ascii.RevertToPlainText(f.InParts("plain.txt")));
    EXPECT_EQ(f.Mail(), "Subject: s\r\n--------\r\nnew text\r\n");
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(Multipart, AMailThatCannotBeReplacedStaysAndTheRebuiltOneIsKept)
{
    CScopedFakeUi ui;
    CMultipartFixture f;
    f.Part("a.txt", "a");
    f.Index("parts", "a.txt;text;plain;attachment\r\n");
    CMail mail(f.MailPath());
    ASSERT_TRUE(mail.Load(true, false));
#ifdef _WIN32
    // Another program holds the mail open without letting it be replaced.
    CFileHandle holder = OpenFileForWriting(f.MailPath(), EWriteMode::Update);
    ASSERT_TRUE(holder.IsOpen());
#else
    if (::geteuid() == 0)
        GTEST_SKIP() << "root replaces files in any folder";
    ::chmod(f.m_dir.Dir().c_str(), 0555);
#endif
    bool ok = mail.RebuildFromParts(f.Parts());
#ifdef _WIN32
    holder.Close();
#else
    ::chmod(f.m_dir.Dir().c_str(), 0755);
#endif
    EXPECT_FALSE(ok);
    EXPECT_EQ(f.Mail(), kPlainMail);
    std::string saved = f.m_dir.Path("work") + kPathSeparator + "mail-rebuilt000.txt";
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_NE(ui.m_boxes[0].text.find("Original message " + f.MailPath() + " is unchanged\nRebuilt message saved as " +
                                      saved),
              std::string::npos)
        << ui.m_boxes[0].text;
    std::ifstream in(saved, std::ios::binary);
    std::string rebuilt((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(rebuilt.find("name=\"a.txt\""), std::string::npos);
    EXPECT_EQ(f.WorkFiles(), 1);
}
