// The document: open and save through files, the safe save, title and modified
// mark, output options, the mail header split and the composer's check.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "settings/AppSettings.h"
#include "fakes/FakeUi.h"
#include "fw/Archive.h"
#include "support/TempDir.h"
#include "text/Doc.h"
#include "text/DocHeader.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

class CSettingsScope {
public:
    CSettingsScope() : m_saved(AppSettings()) {}
    ~CSettingsScope() { AppSettings() = m_saved; }

private:
    CAppSettings m_saved;
};

std::vector<std::string> Lines(const CLineStore& store)
{
    return std::vector<std::string>(store.GetLines(), store.GetLines() + store.GetLineCount());
}

using V = std::vector<std::string>;

// A document whose writing fails midway, as on a full disk.
class CFailingDoc : public CDoc {
public:
    bool Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.Write("partial", 7);
            ar.Flush();
            ar.SetError(EFileError::DiskFull);
            return false;
        }
        return CDoc::Serialize(ar);
    }
};

struct CRecordingView : CViewBase {
    void OnUpdate(CViewBase*, long lHint, const CCellRect* pRect) override
    {
        hints.push_back(lHint);
        if (pRect)
            rect = *pRect;
    }
    std::vector<long> hints;
    CCellRect rect;
};

} // namespace

TEST(Doc, TitleCarriesTheModifiedMark)
{
    CScopedFakeUi ui;
    CSettingsScope scope;
    CDoc doc;
    int refreshed = 0;
    doc.m_onTitleChanged = [&] { ++refreshed; };
    doc.SetPathName("/home/u/memo.txt");
    EXPECT_EQ(doc.GetTitle(), "memo.txt");
    doc.SetModifiedFlag(true);
    EXPECT_EQ(doc.GetTitle(), "memo.txt*");
    EXPECT_TRUE(doc.m_bChanged);
    doc.SetModifiedFlag(true);  // unchanged: nothing happens
    EXPECT_EQ(doc.GetTitle(), "memo.txt*");
    doc.SetModifiedFlag(false);
    EXPECT_EQ(doc.GetTitle(), "memo.txt");
    EXPECT_TRUE(doc.m_bChanged);
    EXPECT_EQ(refreshed, 3);
    AppSettings().m_bTitleFullPath = true;
    doc.SetModifiedFlag(true);
    doc.SetTitle("ignored");
    EXPECT_EQ(doc.GetTitle(), "/home/u/memo.txt*");
}

TEST(Doc, OpenAndSaveKeepTheFileFormat)
{
    CScopedFakeUi ui;
    CSettingsScope scope;
    CTempDir dir;
    dir.Write("jis.txt", "title\r\n\x1B$B\x34\x41\x1B(B  \r\n\r\n");
    CDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("jis.txt")));
    EXPECT_EQ(Lines(doc.m_Lines), V({"title", "\x8A\xBF  ", ""}));
    EXPECT_TRUE(doc.IsJisOutput());
    EXPECT_EQ(doc.GetPathName(), dir.Path("jis.txt"));
    EXPECT_EQ(doc.GetTitle(), "jis.txt");
    EXPECT_NE(doc.m_ftLastWrite, 0);
    EXPECT_FALSE(doc.m_bChanged);
    EXPECT_EQ(doc.GetTextLineCount(), 2);

    // Switching the output options marks nothing modified; JIS and EUC exclude each other.
    doc.ToggleEucOutput();
    EXPECT_TRUE(doc.IsEucOutput());
    EXPECT_FALSE(doc.IsJisOutput());
    doc.ToggleJisOutput();
    EXPECT_FALSE(doc.IsEucOutput());
    doc.ToggleLfOnlyOutput();
    EXPECT_FALSE(doc.IsModified());

    doc.SetModifiedFlag(true);
    ASSERT_TRUE(doc.OnSaveDocument(doc.GetPathName()));
    EXPECT_EQ(dir.Read("jis.txt"), "title\n\x1B$B\x34\x41\x1B(J\n");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "jis.txt");
    EXPECT_EQ(dir.Count(), 1);  // no temporary file left behind
    // Save As takes the new path.
    ASSERT_TRUE(doc.OnSaveDocument(dir.Path("copy.txt")));
    EXPECT_EQ(doc.GetTitle(), "copy.txt");
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(Doc, AFailedSaveKeepsTheOriginalAndTheModifiedMark)
{
    CScopedFakeUi ui;
    CTempDir dir;
    dir.Write("a.txt", "precious\r\n");
    CFailingDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("a.txt")));
    doc.SetModifiedFlag(true);
    EXPECT_FALSE(doc.OnSaveDocument(dir.Path("a.txt")));
    EXPECT_EQ(dir.Read("a.txt"), "precious\r\n");
    EXPECT_EQ(dir.Count(), 1);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_NE(ui.m_boxes[0].text.find("保存できませんでした"), std::string::npos);
    EXPECT_NE(ui.m_boxes[0].text.find("ディスクの空き容量が足りません"), std::string::npos);

    // A target that cannot be written (here a folder) is refused before anything is written.
    ui.Clear();
    CDoc plain;
    ASSERT_TRUE(plain.OnOpenDocument(dir.Path("a.txt")));
    EXPECT_FALSE(plain.OnSaveDocument(dir.Dir()));
    EXPECT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(dir.Count(), 1);
}

TEST(Doc, AReadOnlyFileIsNeverReplaced)
{
    // Refused even where the process could write it (root, or Wine as root):
    // the user's read-only mark decides. Save As elsewhere still works.
    namespace fs = std::filesystem;
    CScopedFakeUi ui;
    CTempDir dir;
    dir.Write("ro.txt", "kept\r\n");
    CDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("ro.txt")));
    fs::permissions(dir.Path("ro.txt"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ASSERT_TRUE(doc.m_Lines.InsertChars(0, 0, "x", 1));
    doc.SetModifiedFlag(true);
    EXPECT_FALSE(doc.OnSaveDocument(dir.Path("ro.txt")));
    EXPECT_EQ(dir.Read("ro.txt"), "kept\r\n");
    EXPECT_EQ(dir.Count(), 1);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_NE(ui.m_boxes[0].text.find("読み取り専用のファイルです"), std::string::npos);
    ASSERT_TRUE(doc.OnSaveDocument(dir.Path("copy.txt")));
    EXPECT_EQ(dir.Read("copy.txt"), "xkept\r\n");
    fs::permissions(dir.Path("ro.txt"), fs::perms::owner_write, fs::perm_options::add);
}

#ifndef _WIN32
TEST(Doc, SavingKeepsPermissionsAndWritesThroughLinks)
{
    CScopedFakeUi ui;
    CTempDir dir;
    dir.Write("real.txt", "x\r\n");
    ASSERT_EQ(::chmod(dir.Path("real.txt").c_str(), 0640), 0);
    ASSERT_EQ(::symlink("real.txt", dir.Path("link.txt").c_str()), 0);
    CDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("link.txt")));
    ASSERT_TRUE(doc.m_Lines.InsertChars(1, 0, "y", 1));
    ASSERT_TRUE(doc.OnSaveDocument(dir.Path("link.txt")));
    struct stat st;
    ASSERT_EQ(::lstat(dir.Path("link.txt").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(::stat(dir.Path("real.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(dir.Read("real.txt"), "xy\r\n");
}
#endif

TEST(Doc, AFailedOpenLeavesNoDocument)
{
    CScopedFakeUi ui;
    CTempDir dir;
    dir.Write("long.txt", "ok\r\n" + std::string(70000, 'x') + "\r\n");
    CDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(dir.Path("long.txt")));
    EXPECT_EQ(doc.GetLineCount(), 0);
    EXPECT_TRUE(doc.GetPathName().empty());
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "line 2 too long");
    ui.Clear();
    EXPECT_FALSE(doc.OnOpenDocument(dir.Path("none.txt")));
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_NE(ui.m_boxes[0].text.find("開けません"), std::string::npos);
#ifndef _WIN32
    // A folder opens but cannot be read.
    ui.Clear();
    EXPECT_FALSE(doc.OnOpenDocument(dir.Dir()));
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_NE(ui.m_boxes[0].text.find("読み込めません"), std::string::npos);
#endif
}

TEST(Doc, RestoreFileTimeSetsTheOpeningTimeBack)
{
    CScopedFakeUi ui;
    CTempDir dir;
    dir.Write("m.txt", "x\r\n");
    CDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("m.txt")));
    FileTime opened = doc.m_ftLastWrite;
    {
        CFileHandle f = OpenExistingFileExclusive(dir.Path("m.txt"));
        ASSERT_TRUE(f.SetLastWriteTime(opened + 360000000000LL));
    }
    doc.RestoreFileTime();
    CFileHandle f = OpenExistingFileExclusive(dir.Path("m.txt"));
    FileTime now = 0;
    ASSERT_TRUE(f.GetLastWriteTime(now));
    EXPECT_EQ(now / 10, opened / 10);
}

TEST(Doc, MailModesSplitTheHeaderOff)
{
    CScopedFakeUi ui;
    CSettingsScope scope;
    AppSettings().m_nMailMode = 1;
    CTempDir dir;
    dir.Write("mail.txt", "Subject: hi\r\n--------\r\nbody\r\n");
    CDoc doc;
    ASSERT_NE(doc.GetHeaderDoc(), nullptr);
    EXPECT_TRUE(doc.GetHeaderDoc()->m_bIsHeader);
    EXPECT_EQ(doc.GetHeaderDoc()->GetHeaderDoc(), nullptr);
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("mail.txt")));
    EXPECT_EQ(Lines(doc.GetHeaderDoc()->m_Lines), V({"Subject: hi"}));
    EXPECT_EQ(Lines(doc.m_Lines), V({"body"}));

    int fieldsWritten = 0;
    doc.GetHeaderDoc()->m_onBeforeStore = [&](CDocHeader&) { ++fieldsWritten; };
    doc.GetHeaderDoc()->m_Lines.m_bLfOnly = true;  // the header has its own options
    ASSERT_TRUE(doc.OnSaveDocument(dir.Path("mail.txt")));
    EXPECT_EQ(dir.Read("mail.txt"), "Subject: hi\n--------\r\nbody\r\n");
    EXPECT_EQ(fieldsWritten, 1);

    // An empty line ends the header too; without either in the first 160 lines all is body.
    dir.Write("mail2.txt", "A: 1\r\nB: 2\r\n\r\ntext\r\n");
    CDoc second;
    ASSERT_TRUE(second.OnOpenDocument(dir.Path("mail2.txt")));
    EXPECT_EQ(second.GetHeaderDoc()->GetLineCount(), 2);
    EXPECT_EQ(Lines(second.m_Lines), V({"text"}));
    std::string noSeparator;
    for (int i = 0; i < 160; ++i)
        noSeparator += "X: y\r\n";
    dir.Write("mail3.txt", noSeparator + "\r\nbody\r\n");
    CDoc third;
    ASSERT_TRUE(third.OnOpenDocument(dir.Path("mail3.txt")));
    EXPECT_EQ(third.GetHeaderDoc()->GetLineCount(), 0);
    EXPECT_EQ(third.GetLineCount(), 162);
}

TEST(Doc, ComposerRefusesHalfWidthKatakanaPlainJisSaveWidensThem)
{
    CScopedFakeUi ui;
    CSettingsScope scope;
    CTempDir dir;
    dir.Write("k.txt", "x\r\n");
    {
        AppSettings().m_nMailMode = 2;
        CDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(dir.Path("k.txt")));
        ASSERT_TRUE(doc.m_Lines.InsertChars(0, 0, "\x8A\xBF\xB1", 3));  // 漢ｱ
        doc.SetModifiedFlag(true);
        EXPECT_FALSE(doc.OnSaveDocument(dir.Path("k.txt")));
        EXPECT_EQ(dir.Read("k.txt"), "x\r\n");
        EXPECT_TRUE(doc.IsModified());
        ASSERT_EQ(ui.m_boxes.size(), 1u);
        EXPECT_EQ(ui.m_boxes[0].kind, EMessageBox::Information);
        EXPECT_NE(ui.m_boxes[0].text.find("半角カタカナ類"), std::string::npos);
    }
    ui.Clear();
    AppSettings().m_nMailMode = 0;
    CDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("k.txt")));
    ASSERT_TRUE(doc.m_Lines.InsertChars(0, 0, "\xB1", 1));
    ASSERT_TRUE(doc.m_Lines.InsertChars(0, 1, "\xB2", 1));
    doc.ToggleJisOutput();
    ASSERT_TRUE(doc.OnSaveDocument(dir.Path("k.txt")));
    EXPECT_EQ(dir.Read("k.txt"), "\x1B$B\x25\x22\x1B(Jx\r\n\x1B$B\x25\x24\x1B(J\r\n");
    ASSERT_EQ(ui.m_boxes.size(), 1u);  // one notice for the whole save
    EXPECT_NE(ui.m_boxes[0].text.find("全角カタカナ"), std::string::npos);
}

TEST(Doc, SplitLineTellsTheOtherViews)
{
    CScopedFakeUi ui;
    CDoc doc;
    CRecordingView self, other;
    doc.AddView(&self);
    doc.AddView(&other);
    doc.m_Lines.AppendLine(CLineStore::DupLine("hello world"));
    ASSERT_TRUE(doc.SplitLine(&self, 5, 0));
    EXPECT_EQ(Lines(doc.m_Lines), V({"hello", " world"}));
    EXPECT_TRUE(self.hints.empty());
    ASSERT_EQ(other.hints, std::vector<long>({kHintCells}));
    EXPECT_EQ(other.rect.top, 0);
    EXPECT_EQ(other.rect.right, 0x7FFFFFFF);
    EXPECT_EQ(other.rect.bottom, 0x7FFFFFFF);
    ASSERT_TRUE(doc.SplitLine(&self, 40, 1));
    EXPECT_EQ(Lines(doc.m_Lines), V({"hello", " world", ""}));
    EXPECT_EQ(doc.GetTextLineCount(), 2);
    doc.RemoveView(&self);
    doc.RemoveView(&other);
}
