// The mail message: reading its header under the mail client's mutex, the
// values drawn from it, its temporary files, moving files.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#ifndef _WIN32
#include <unistd.h>
#endif
#include <string>

#include "fakes/FakeUi.h"
#include "mail/Mail.h"
#include "mail/MailWorkDir.h"
#include "mail/MailTempFile.h"
#include "platform/FileSystem.h"
#include "platform/NamedMutex.h"
#include "services/FileUtils.h"
#include "support/TempDir.h"
#include "text/Doc.h"
#include "text/DocHeader.h"
#include "text/Unicode.h"

namespace {

const char kMail[] =
    "From: \"Taro Yamada\" <taro@example.jp>\r\n"
    "To: hanako@example.jp, Jiro <jiro@example.jp>\r\n"
    "Cc: \r\n"
    "Subject:  Hello\r\n"
    "Date: Mon, 1 Jan 2001 12:00:00 +0900\r\n"
    "X-Status: READ\r\n"
    "Message-Id: <1234@example.jp>\r\n"
    "References: <a@x> <b@x>\r\n"
    "Content-Type: multipart/mixed;\r\n boundary=\"Mavlen_abc\"\r\n"
    "--------\r\n"
    "Body line 1\r\n"
    "Body line 2\r\n";

// Records, for each box, whether a named mutex was held when it was shown.
class CMutexWatchingUi : public CScopedFakeUi {
public:
    bool ShowMessageBox(EMessageBox kind, const char* text) override
    {
        m_heldAtBox.push_back(CNamedMutex::HeldCount());
        return CScopedFakeUi::ShowMessageBox(kind, text);
    }
    std::vector<int> m_heldAtBox;
};

} // namespace

TEST(Mail, LoadDrawsTheDisplayValues)
{
    CScopedFakeUi ui;
    CTempDir dir;
    dir.Write("m.txt", kMail);
    CMail mail(dir.Path("m.txt"), 7);
    ASSERT_TRUE(mail.Load(true, false));
    EXPECT_EQ(mail.GetId(), 7);
    EXPECT_EQ(mail.GetStatus(), kStatusRead);
    EXPECT_EQ(mail.GetSenderName(), "Taro Yamada");
    EXPECT_EQ(mail.GetSubject(), "Hello");
    EXPECT_EQ(mail.GetMessageId(), "1234@example.jp");
    EXPECT_EQ(mail.GetReplyToId(), "a@x");
    EXPECT_EQ(mail.GetFileSize(), static_cast<std::int64_t>(sizeof kMail - 1));
    EXPECT_EQ(mail.GetBodySummary(), "Body line 1  Body line 2  ");
    EXPECT_EQ(mail.GetBodyOffset(), static_cast<std::int64_t>(std::string(kMail).find("Body")));
    EXPECT_EQ(mail.GetRecipients(), std::vector<std::string>({"hanako@example.jp", "jiro@example.jp"}));
    EXPECT_NE(mail.GetDate(), static_cast<std::time_t>(-1));
    EXPECT_EQ(mail.GetBoundary(true), "Mavlen_abc");
    EXPECT_EQ(mail.GetField("CC"), "");
    bool found = false;
    mail.FindField("CC", found);
    EXPECT_TRUE(found);
    mail.FindField("BCC", found);
    EXPECT_FALSE(found);

    std::string text;
    ASSERT_TRUE(mail.NextFieldText(text, false));
    EXPECT_EQ(text, "FROM:\"Taro Yamada\" <taro@example.jp>");
    ASSERT_TRUE(mail.NextFieldText(text, true));
    EXPECT_EQ(text, "To: hanako@example.jp, Jiro <jiro@example.jp>");
    while (mail.NextFieldText(text, true)) {
    }
    mail.RewindFields();
    EXPECT_TRUE(mail.NextFieldText(text, true));
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(Mail, StatusWordsSenderNamesAndIdentifiers)
{
    EXPECT_EQ(CMail::StatusOf("READ"), kStatusRead);
    EXPECT_EQ(CMail::StatusOf("read"), kStatusError);  // the words match only exactly
    EXPECT_EQ(CMail::StatusOf("RECV"), kStatusReceived);
    EXPECT_EQ(CMail::StatusOf("SENT"), kStatusSent);
    EXPECT_EQ(CMail::StatusOf(""), kStatusError);

    EXPECT_EQ(CMail::SenderNameOf("<taro@example.jp>"), "taro@example.jp");
    EXPECT_EQ(CMail::SenderNameOf("taro@example.jp (Taro Yamada)"), "Taro Yamada");
    EXPECT_EQ(CMail::SenderNameOf("  taro@example.jp  "), "taro@example.jp");
    EXPECT_EQ(CMail::SenderNameOf("\"Yamada, Taro\" <t@x>, other <o@x>"), "Yamada, Taro");
    EXPECT_EQ(CMail::SenderNameOf("\"\" <t@x>"), "\"\"");
    EXPECT_EQ(CMail::SenderNameOf("Team: a@x, b@x;, c@x"), "Team: a@x, b@x;");
    // 表 inside the quotes: its second byte is no backslash.
    EXPECT_EQ(CMail::SenderNameOf("\"\x95\x5C\" <t@x>, u@x"), "\x95\x5C");
    // A comment never closed is no comment: the whole mailbox, "(" kept.
    EXPECT_EQ(CMail::SenderNameOf("(unclosed t@x"), "(unclosed t@x");

    EXPECT_EQ(CMail::IdentifierOf("  <x@y> <z@w>"), "x@y");
    EXPECT_EQ(CMail::IdentifierOf("x@y"), "");
    EXPECT_EQ(CMail::IdentifierOf("<x@y"), "");
}

TEST(Mail, Boundaries)
{
    CScopedFakeUi ui;
    CMail mail("none.txt");
    mail.AddField("Content-Type", "multipart/mixed; BOUNDARY= \"a b\"");
    EXPECT_EQ(mail.GetBoundary(true), "a b");
    CMail bare("none.txt");
    bare.AddField("Content-Type", "multipart/mixed; boundary=abc def");
    EXPECT_EQ(bare.GetBoundary(true), "abc");
    CMail param("none.txt");
    param.AddField("Content-Type", "multipart/mixed; boundary=abc;charset=x");
    EXPECT_EQ(param.GetBoundary(true), "abc");
    EXPECT_TRUE(ui.m_boxes.empty());

    CMail none("n.txt");
    none.AddField("Content-Type", "text/plain");
    EXPECT_EQ(none.GetBoundary(false), "");
    EXPECT_TRUE(ui.m_boxes.empty());
    EXPECT_EQ(none.GetBoundary(true), "");
    CMail broken("b.txt");
    broken.AddField("Content-Type", "multipart/mixed; boundary");
    EXPECT_EQ(broken.GetBoundary(true), "");
    ASSERT_EQ(ui.m_boxes.size(), 2u);
    EXPECT_EQ(ui.m_boxes[0].text, "boundary info missing from n.txt");
    EXPECT_EQ(ui.m_boxes[1].text, "boundary info format error in b.txt");
}

TEST(Mail, TheMutexIsLetGoOnEveryExitAndBoxesWaitForThat)
{
    CMutexWatchingUi ui;
    CTempDir dir;
    dir.Write("good.txt", kMail);
    dir.Write("noseparator.txt", "From: a\r\nSubject: b\r\n");
    dir.Write("badto.txt", "To: a@b\x01\r\nSubject: s\r\n----\r\n");
    dir.Write("mime.txt", "MIME-Version: 2.0 (x)\r\n----\r\n");
    CNamedMutex other(kMailReadMutexName);

    CMail good(dir.Path("good.txt"));
    EXPECT_TRUE(good.ReadHeader(true, false));
    EXPECT_EQ(CNamedMutex::HeldCount(), 0);

    CMail strict(dir.Path("noseparator.txt"));
    EXPECT_FALSE(strict.ReadHeader(true, false));
    EXPECT_EQ(CNamedMutex::HeldCount(), 0);
    EXPECT_EQ(strict.GetBodyOffset(), -1);
    EXPECT_EQ(strict.GetField("SUBJECT"), "b");  // what was read before the error stays
    ASSERT_EQ(ui.m_boxes.size(), 2u);
    EXPECT_EQ(ui.m_boxes[0].text, dir.Path("noseparator.txt") + ": can't get field name");
    EXPECT_EQ(ui.m_boxes[1].text, "syntax error in " + dir.Path("noseparator.txt"));
    EXPECT_EQ(ui.m_heldAtBox, std::vector<int>({0, 0}));
    ui.Clear();
    CMail loose(dir.Path("noseparator.txt"));
    EXPECT_FALSE(loose.ReadHeader(false, false));
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "syntax error in " + dir.Path("noseparator.txt"));
    ui.Clear();

    CMail badTo(dir.Path("badto.txt"));
    EXPECT_FALSE(badTo.ReadHeader(true, false));
    EXPECT_EQ(CNamedMutex::HeldCount(), 0);
    ASSERT_EQ(ui.m_trace.size(), 2u);
    EXPECT_EQ(ui.m_trace[1], "Parse error in To: of " + dir.Path("badto.txt") + "\r\n");

    CMail missing(dir.Path("missing.txt"));
    EXPECT_FALSE(missing.ReadHeader(true, false));
    EXPECT_EQ(ui.m_boxes.back().text, dir.Path("missing.txt") + " をオープンできません");
    EXPECT_EQ(CNamedMutex::HeldCount(), 0);
    ui.Clear();

    CMail mime(dir.Path("mime.txt"));
    EXPECT_TRUE(mime.ReadHeader(true, false));
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, dir.Path("mime.txt") + ": Unknown MIME-Version <2.0> in " + dir.Path("mime.txt"));
    ui.Clear();
    // The version is read, then a line without a field name ends the read:
    // only that error is told.
    dir.Write("mimebad.txt", "MIME-Version: 2.0\r\nno field\r\n----\r\n");
    CMail mimeBad(dir.Path("mimebad.txt"));
    EXPECT_FALSE(mimeBad.ReadHeader(true, false));
    ASSERT_EQ(ui.m_boxes.size(), 2u);
    EXPECT_EQ(ui.m_boxes[1].text, "syntax error in " + dir.Path("mimebad.txt"));

    // Another holder could take it at once after each of these.
    EXPECT_TRUE(other.TryAcquire());
    other.Release();
}

TEST(Mail, DocumentsSupplyTheirHeaderLines)
{
    CScopedFakeUi ui;
    CDoc doc;
    CDocHeader header(&doc);
    for (const char* l : {"Subject: from the document", "To: a@b,", " c@d", "X-Status: WRIT"})
        ASSERT_TRUE(header.m_Lines.AppendLine(CLineStore::DupLine(l)));
    ASSERT_TRUE(doc.m_Lines.AppendLine(CLineStore::DupLine("ascii body")));
    doc.m_pHeaderDoc = &header;
    {
        CMail mail(&doc);
        EXPECT_TRUE(mail.Load(true, false));
        EXPECT_EQ(mail.GetSubject(), "from the document");
        EXPECT_EQ(mail.GetRecipients(), std::vector<std::string>({"a@b", "c@d"}));
        EXPECT_EQ(mail.GetStatus(), kStatusWritten);
        EXPECT_EQ(mail.GetBodySummary(), "");
        EXPECT_FALSE(mail.BodyHasDoubleByte());
        ASSERT_TRUE(doc.m_Lines.AppendLine(CLineStore::DupLine("\x93\xFA")));  // 日
        EXPECT_TRUE(mail.BodyHasDoubleByte());
        EXPECT_TRUE(mail.SetFieldBody("TO", "x@y"));
        EXPECT_EQ(mail.GetField("TO"), "x@y");
        EXPECT_FALSE(mail.SetFieldBody("BCC", "x@y"));
    }
    doc.m_pHeaderDoc = nullptr;
    EXPECT_TRUE(ui.m_boxes.empty());

    // A document that holds its header itself ends it at "----" or at its end.
    CDoc whole;
    for (const char* l : {"Subject: s", "--------", "\x93\xFA"})
        ASSERT_TRUE(whole.m_Lines.AppendLine(CLineStore::DupLine(l)));
    CMail mail(&whole);
    EXPECT_TRUE(mail.ReadHeader(true, false));
    EXPECT_EQ(mail.GetField("SUBJECT"), "s");
    EXPECT_TRUE(mail.BodyHasDoubleByte());
}

TEST(Mail, BodySummaryAndLines)
{
    CScopedFakeUi ui;
    CTempDir dir;
    // 126 ASCII bytes and a double-byte character that the limit of 127 cuts.
    std::string body(126, 'a');
    dir.Write("m.txt", "Subject: s\r\n----\r\n" + body + "\x93\xFA" + "rest\r\n");
    CMail mail(dir.Path("m.txt"));
    ASSERT_TRUE(mail.Load(true, false));
    EXPECT_EQ(mail.GetBodySummary(), body);
    EXPECT_TRUE(mail.BodyHasDoubleByte());

    dir.Write("e.txt", "Subject: s\r\n----\r\nline 1\r\nline\x1A 2\r\nline 3\r\n");
    CMail eof(dir.Path("e.txt"));
    ASSERT_TRUE(eof.ReadHeader(true, false));
    ASSERT_TRUE(eof.Open("r"));
    ASSERT_TRUE(eof.SeekBody());
    std::string line;
    ASSERT_TRUE(eof.ReadLine(line, 100, true));
    EXPECT_EQ(line, "line 1\r\n");
    ASSERT_TRUE(eof.ReadLine(line, 100, true));
    EXPECT_EQ(line, "line");
    EXPECT_FALSE(eof.ReadLine(line, 100, true));
    ASSERT_TRUE(eof.SeekBody());
    EXPECT_FALSE(eof.BodyHasDoubleByte());
    ASSERT_TRUE(eof.ReadLine(line, 5));  // the position stayed; size - 1 bytes at most
    EXPECT_EQ(line, "line");
    eof.Close();
    EXPECT_FALSE(eof.Open("rw"));
    EXPECT_EQ(ui.m_boxes.back().text, "Internal error: unknown fopen mode");
}

TEST(Mail, TemporaryFilesAreNewAndGoAway)
{
    CScopedFakeUi ui;
    CTempDir dir;
    SetMailWorkDir(dir.Dir());
    std::string path;
    {
        CMailTempFile a;
        ASSERT_TRUE(a.Open("w"));
        path = a.GetPath();
        EXPECT_EQ(FileNameOf(path).substr(0, 7), "_mavlen");
        EXPECT_EQ(FileNameOf(path).size(), 15u);
        EXPECT_TRUE(a.Write("abc"));
        ASSERT_TRUE(a.Open("a"));
        EXPECT_TRUE(a.Write("def"));
        ASSERT_TRUE(a.Open("r"));
        std::string text;
        EXPECT_TRUE(a.Stream().ReadLine(text, 100));
        EXPECT_EQ(text, "abcdef");
        EXPECT_FALSE(a.Open("x"));
        EXPECT_EQ(ui.m_boxes.back().text, "Internal error: can't open " + path);

        // The next number is taken even when the file in its way is nobody's.
        std::string name = FileNameOf(path);
        int n = std::stoi(name.substr(7, 4));
        char next[32];
        std::snprintf(next, sizeof next, "_mavlen%04d.tmp", (n + 1) % 10000);
        dir.Write(next, "someone else's");
        CMailTempFile b;
        ASSERT_TRUE(b.Open("w"));
        EXPECT_NE(b.GetPath(), dir.Path(next));
        EXPECT_EQ(dir.Read(next), "someone else's");
    }
    EXPECT_FALSE(FileExists(path));
    SetMailWorkDir("");
}

TEST(Mail, MovingAFileNeverLosesIt)
{
    CScopedFakeUi ui;
    CTempDir dir;
    dir.Write("a.txt", "A");
    dir.Write("b.txt", "B");
    // Onto itself (also spelled differently): refused, nothing touched.
    EXPECT_FALSE(CMail::MoveOrCopyFile(dir.Path("a.txt"), dir.Path("a.txt")));
    EXPECT_FALSE(CMail::MoveOrCopyFile(dir.Path("a.txt"), dir.Dir() + kPathSeparator + "." + kPathSeparator + "a.txt"));
    ASSERT_EQ(ui.m_boxes.size(), 2u);
    EXPECT_EQ(ui.m_boxes[0].text, "同じファイルです");
    EXPECT_EQ(dir.Read("a.txt"), "A");
    ui.Clear();

    EXPECT_TRUE(CMail::MoveOrCopyFile(dir.Path("a.txt"), dir.Path("b.txt")));
    EXPECT_EQ(dir.Read("b.txt"), "A");
    EXPECT_FALSE(FileExists(dir.Path("a.txt")));

    // A target that cannot be replaced: the source stays.
    std::filesystem::create_directories(std::filesystem::path(dir.Path("folder")) / "inside");
    EXPECT_FALSE(CMail::MoveOrCopyFile(dir.Path("b.txt"), dir.Path("folder")));
    EXPECT_EQ(dir.Read("b.txt"), "A");
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path("folder")));
    EXPECT_EQ(dir.Count(), 2);  // no copy left behind
    ui.Clear();
    EXPECT_FALSE(CMail::MoveOrCopyFile(dir.Path("none.txt"), dir.Path("b.txt")));
    EXPECT_EQ(dir.Read("b.txt"), "A");

#ifndef _WIN32
    // Across file systems the move copies, then deletes the source.
    std::error_code ec;
    std::filesystem::path shm = "/dev/shm";
    if (std::filesystem::is_directory(shm, ec)) {
        std::filesystem::path src = shm / ("tova-move-" + std::to_string(::getpid()));
        std::ofstream(src) << "across";
        EXPECT_TRUE(CMail::MoveOrCopyFile(src.string(), dir.Path("c.txt")));
        EXPECT_EQ(dir.Read("c.txt"), "across");
        EXPECT_FALSE(std::filesystem::exists(src));
    }
#endif
}

TEST(Mail, FilesNamedTildeDollarGoWithTheirObject)
{
    CTempDir dir;
    dir.Write("~$part.txt", "x");
    dir.Write("keep.txt", "x");
    { CMail m(dir.Path("~$part.txt"), -1, true); }
    { CMail m(dir.Path("keep.txt"), -1, true); }
    { CMail m(dir.Path("keep.txt"), -1, false); }
    EXPECT_FALSE(FileExists(dir.Path("~$part.txt")));
    EXPECT_TRUE(FileExists(dir.Path("keep.txt")));
    CScopedFakeUi ui;
    CMail gone(dir.Path("keep.txt"));
    EXPECT_TRUE(gone.Remove(true));
    EXPECT_FALSE(gone.Remove(true));
    EXPECT_EQ(ui.m_boxes.back().text, "Can't remove " + dir.Path("keep.txt"));
}
