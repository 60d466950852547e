// Path splitting on character boundaries, short paths, removing trees, file
// size and time, temporary file names.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fakes/FakeUi.h"
#include "platform/FileSystem.h"
#include "platform/System.h"
#include "services/FileUtils.h"
#include "services/TempFileName.h"
#include "support/TempDir.h"

namespace {

// Restores an environment variable at the end of a test.
class CScopedEnv {
public:
    CScopedEnv(const char* name, const char* value) : m_name(name)
    {
        m_bHad = GetEnvironmentValue(name, m_old);
        SetEnvironmentValue(name, value);
    }
    ~CScopedEnv() { SetEnvironmentValue(m_name, m_bHad ? m_old.c_str() : nullptr); }

private:
    const char* m_name;
    std::string m_old;
    bool m_bHad = false;
};

} // namespace

TEST(FileUtils, PathsSplitOnlyAtCharacterBoundaries)
{
    EXPECT_EQ(FileNameOf("a\\b\\"), "b");
    EXPECT_EQ(FileNameOf("b.txt"), "b.txt");
    EXPECT_EQ(FileNameOf("C:\\dir\\x.txt"), "x.txt");
    EXPECT_EQ(DirectoryOf("C:\\a\\b.txt"), "C:\\a");
    EXPECT_EQ(DirectoryOf("C:\\b.txt"), "C:");
    EXPECT_EQ(DirectoryOf("C:b.txt"), "C:");
    EXPECT_EQ(DirectoryOf("b.txt"), "");
    EXPECT_EQ(DirectoryOf("/tmp/x/b.txt"), "/tmp/x");
    // 表 is 0x95 0x5C and ソ 0x83 0x5C: their second byte is no separator.
    EXPECT_EQ(FileNameOf("C:\\\x95\x5C\\\x83\x5C.txt"), "\x83\x5C.txt");
    EXPECT_EQ(DirectoryOf("C:\\\x95\x5C\\\x83\x5C.txt"), "C:\\\x95\x5C");
    EXPECT_EQ(FileNameOf("\x95\x5C"), "\x95\x5C");
    EXPECT_EQ(FileNameOf("dir\\\x95\x5C\\"), "\x95\x5C");
    EXPECT_EQ(ExtensionOf("a.b\\c"), "");
    EXPECT_EQ(ExtensionOf("dir.d\\c.TXT"), ".TXT");
    EXPECT_EQ(JoinPath("", "x"), "x");
    EXPECT_EQ(JoinPath("d", "x"), std::string("d") + kPathSeparator + "x");
    EXPECT_EQ(JoinPath("C:\\", "x"), "C:\\x");
    EXPECT_EQ(JoinPath("\x95\x5C", "x"), std::string("\x95\x5C") + kPathSeparator + "x");
}

TEST(FileUtils, PlainFileNames)
{
    EXPECT_TRUE(IsPlainFileName("photo.jpg"));
    EXPECT_TRUE(IsPlainFileName("\x95\x5C.txt"));  // 表.txt
    EXPECT_TRUE(IsPlainFileName("report..final.doc"));
    EXPECT_TRUE(IsPlainFileName("console.txt"));
    for (const char* bad : {"", ".", "..", "..\\x", "a/b", "C:x", "con", "CON.txt", "Lpt1", "com9.log", "nul ",
                            "a\tb"})
        EXPECT_FALSE(IsPlainFileName(bad)) << bad;
}

TEST(FileUtils, SizeTimeAndRemovingATree)
{
    CScopedFakeUi ui;
    CTempDir dir;
    dir.Write("f.txt", "12345");
    EXPECT_EQ(FileSizeOf(dir.Path("f.txt")), 5);
    EXPECT_GT(FileTimeOf(dir.Path("f.txt")), 116444736000000000LL);
    EXPECT_EQ(FileSizeOf(dir.Path("none")), -1);
    EXPECT_EQ(FileTimeOf(dir.Path("none")), -1);

    std::filesystem::path root = dir.Path("tree");
    std::filesystem::create_directories(root / "a" / "b");
    std::filesystem::create_directories(root / ".hidden");
    std::ofstream(root / "a" / "b" / "x.txt") << "x";
    std::ofstream(root / "top.txt") << "t";
    // A link inside the tree to a folder outside it: the link goes, the folder stays.
    std::filesystem::create_directories(dir.Path("outside"));
    std::ofstream(std::filesystem::path(dir.Path("outside")) / "keep.txt") << "k";
    std::error_code ec;
    std::filesystem::create_directory_symlink(dir.Path("outside"), root / "link", ec);
    bool bLinked = !ec;
    EXPECT_TRUE(RemoveDirectoryTree(root.string()));
    EXPECT_FALSE(std::filesystem::exists(root));
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(dir.Path("outside")) / "keep.txt")) << bLinked;
    EXPECT_FALSE(RemoveDirectoryTree(dir.Path("none")));
    EXPECT_FALSE(GetCurrentDir().empty());
}

TEST(FileUtils, ShortPathOf)
{
    CTempDir dir;
    dir.Write("long name.txt", "x");
    std::string full = dir.Path("long name.txt");
    std::string shortPath = ShortPathOf(full);
    ASSERT_FALSE(shortPath.empty());
    // The short form names the same file.
    EXPECT_TRUE(IsSameFile(shortPath, full));
    EXPECT_EQ(ShortPathOf(dir.Path("missing.txt")), "");
    EXPECT_EQ(ShortPathOf(""), "");
    EXPECT_EQ(ShortPathOf("C:"), "C:");
    EXPECT_EQ(ShortPathOf("\\\\server\\share\\x"), "\\\\server\\share\\x");
    EXPECT_EQ(ShortPathOf("a\\b\\."), "a\\b\\.");
    EXPECT_EQ(ShortPathOf(dir.Path("sub") + kPathSeparator + "x"), "");
#ifndef _WIN32
    EXPECT_EQ(shortPath, full);  // no short names here
#endif
}

TEST(FileUtils, MakeTempFileName)
{
    CScopedFakeUi ui;
    CTempDir dir;
    {
        CScopedEnv tmp("TMP", (dir.Dir() + kPathSeparator).c_str());
        std::string first = MakeTempFileName("x", ".txt");
        EXPECT_EQ(first, dir.Path("x000.txt"));
        EXPECT_TRUE(FileExists(first));  // made at once: nobody else gets the name
        EXPECT_EQ(MakeTempFileName("x", ".txt"), dir.Path("x001.txt"));
        EXPECT_EQ(MakeTempFileName("y", nullptr), dir.Path("y000"));
        for (int n = 2; n < 1000; ++n)
            dir.Write("z" + std::string(n < 10 ? "00" : n < 100 ? "0" : "") + std::to_string(n), "");
        dir.Write("z000", "");
        dir.Write("z001", "");
        EXPECT_EQ(MakeTempFileName("z", nullptr), "");
        ASSERT_EQ(ui.m_boxes.size(), 1u);
        EXPECT_EQ(ui.m_boxes[0].text, "多数の一時ファイルが消えずに残っています。例えば、\n\n" + dir.Path("z999"));
    }
    ui.Clear();
    {
        CScopedEnv tmp("TMP", nullptr);
        CScopedEnv temp("TEMP", dir.Path("nowhere").c_str());
        EXPECT_EQ(MakeTempFileName("x", ".txt"), "");
        ASSERT_EQ(ui.m_boxes.size(), 1u);
        EXPECT_EQ(ui.m_boxes[0].text, "環境変数 TMP または TEMP の値として設定されているディレクトリ " +
                                          dir.Path("nowhere") + " が存在しません。");
    }
    ui.Clear();
    {
        CScopedEnv tmp("TMP", nullptr);
        CScopedEnv temp("TEMP", nullptr);
        EXPECT_EQ(MakeTempFileName("x", ".txt"), "");
        ASSERT_EQ(ui.m_boxes.size(), 1u);
        EXPECT_EQ(ui.m_boxes[0].text, "環境変数 TMP を設定してください。");
    }
}
