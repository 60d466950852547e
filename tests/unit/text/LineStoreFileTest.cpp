// Reading a file into a line store and writing it back: line endings, tabs,
// codes, the limits and the notices.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "settings/AppSettings.h"
#include "fakes/FakeUi.h"
#include "fw/Archive.h"
#include "text/LineStore.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>
#endif

namespace {

// Settings changed for one test.
class CSettingsScope {
public:
    CSettingsScope() : m_saved(AppSettings()) {}
    ~CSettingsScope() { AppSettings() = m_saved; }

private:
    CAppSettings m_saved;
};

bool Load(CLineStore& store, const std::string& bytes)
{
    CArchive ar(bytes.data(), bytes.size(), "test.txt");
    return store.Load(ar);
}

std::string Save(CLineStore& store, bool* kana = nullptr)
{
    std::string out;
    CArchive ar(out);
    EXPECT_TRUE(store.Store(ar, kana));
    return out;
}

std::vector<std::string> Lines(const CLineStore& store)
{
    return std::vector<std::string>(store.GetLines(), store.GetLines() + store.GetLineCount());
}

using V = std::vector<std::string>;

} // namespace

TEST(LineStoreFile, LineEndingsAndTheLoneCr)
{
    CScopedFakeUi ui;
    CLineStore s;
    ASSERT_TRUE(Load(s, "a\r\nb\n"));
    EXPECT_EQ(Lines(s), V({"a", "b"}));
    EXPECT_TRUE(s.m_bLfOnly);  // one line without CR is enough
    EXPECT_EQ(Save(s), "a\nb\n");

    CLineStore t;
    ASSERT_TRUE(Load(t, "x\ry\r\n\r\n"));
    EXPECT_EQ(Lines(t), V({"xy", ""}));
    EXPECT_FALSE(t.m_bLfOnly);
    EXPECT_EQ(Save(t), "xy\r\n");
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(LineStoreFile, MissingFinalLineEndingIsReportedAndTheLineKept)
{
    CScopedFakeUi ui;
    CLineStore s;
    ASSERT_TRUE(Load(s, "abc"));
    EXPECT_EQ(Lines(s), V({"abc"}));
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "ファイルの末尾に改行コードがありません");
    EXPECT_EQ(Save(s), "abc\r\n");
    // A CR at the very end ends nothing either.
    ui.Clear();
    ASSERT_TRUE(Load(s, "x\r\ny\r"));
    EXPECT_EQ(Lines(s), V({"x", "y"}));
    EXPECT_EQ(ui.m_boxes.size(), 1u);
}

TEST(LineStoreFile, EmptyFilesAndBlankTexts)
{
    CScopedFakeUi ui;
    CLineStore s;
    ASSERT_TRUE(Load(s, ""));
    EXPECT_EQ(s.GetLineCount(), 0);
    EXPECT_EQ(Save(s), "");
    ASSERT_TRUE(Load(s, "   \r\n\r\n \r\n"));
    EXPECT_EQ(Save(s), "");
    // Trailing blanks go, in memory too; lines after the last non-empty are not written.
    ASSERT_TRUE(Load(s, "a  \r\n\r\nb \r\n  \r\n\r\n"));
    EXPECT_EQ(Save(s), "a\r\n\r\nb\r\n");
    EXPECT_EQ(Lines(s), V({"a", "", "b", "", ""}));
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(LineStoreFile, TabsExpandByReadTabAndCompressOnSave)
{
    CScopedFakeUi ui;
    CSettingsScope scope;
    AppSettings().m_nReadTab = 4;
    CLineStore s;
    ASSERT_TRUE(Load(s, "a\tb\r\n\tc\r\nabcd\te\r\n"));
    EXPECT_EQ(Lines(s), V({"a   b", "    c", "abcd    e"}));
    EXPECT_EQ(s.m_nTabWidth, 4);
    EXPECT_EQ(Save(s), "a\tb\r\n\tc\r\nabcd\te\r\n");
    // A single space before a stop stays a space.
    ASSERT_TRUE(s.OverwriteChars(0, 0, "abc b", 5));
    EXPECT_EQ(Save(s).substr(0, 7), "abc b\r\n");

    // Without tabs in the file, spaces stay spaces.
    CLineStore t;
    ASSERT_TRUE(Load(t, "a       b\r\n"));
    EXPECT_EQ(t.m_nTabWidth, 0);
    EXPECT_EQ(Save(t), "a       b\r\n");

    // ReadTab below 1 means 8; the composer writes no tabs.
    AppSettings().m_nReadTab = 0;
    CLineStore u;
    ASSERT_TRUE(Load(u, "\tx\r\n"));
    EXPECT_EQ(Lines(u), V({"        x"}));
    AppSettings().m_nMailMode = 2;
    EXPECT_EQ(Save(u), "        x\r\n");
}

TEST(LineStoreFile, TabStopsCountTheBytesAsRead)
{
    CScopedFakeUi ui;
    CSettingsScope scope;
    AppSettings().m_nReadTab = 8;
    CLineStore s;
    // ESC $ B 漢 ESC ( B is 8 bytes as read: the tab adds a full 8 spaces.
    ASSERT_TRUE(Load(s, "\x1B$B\x34\x41\x1B(B\tx\r\n"));
    EXPECT_EQ(Lines(s), V({"\x8A\xBF        x"}));
    EXPECT_TRUE(s.m_bJis);
    // Written back, the stops count the converted bytes (ESC ( J makes it 8 again).
    EXPECT_EQ(Save(s), "\x1B$B\x34\x41\x1B(J\tx\r\n");
}

TEST(LineStoreFile, CodesAreDetectedAndWrittenBack)
{
    CScopedFakeUi ui;
    CSettingsScope scope;
    CLineStore jis;
    ASSERT_TRUE(Load(jis, "plain\r\n\x1B$B\x34\x41\x3B\x7A\x1B(B!\r\n"));
    EXPECT_EQ(Lines(jis), V({"plain", "\x8A\xBF\x8E\x9A!"}));
    EXPECT_TRUE(jis.m_bJis);
    EXPECT_EQ(Save(jis), "plain\r\n\x1B$B\x34\x41\x3B\x7A\x1B(J!\r\n");

    CLineStore euc;
    ASSERT_TRUE(Load(euc, "\xB4\xC1\n\x80\x80z\n"));
    EXPECT_EQ(Lines(euc), V({"\x8A\xBF", "\x81\xACz"}));  // 0x80 0x80 reads back as 〓
    EXPECT_TRUE(euc.m_bEuc);
    EXPECT_EQ(Save(euc), "\xB4\xC1\n\xA2\xAEz\n");

    AppSettings().m_nCodeOption = 1;  // "-EUC"
    CLineStore ascii;
    ASSERT_TRUE(Load(ascii, "abc\r\n"));
    EXPECT_TRUE(ascii.m_bEuc);
    AppSettings().m_nCodeOption = 2;  // "-SJIS": EUC-looking text stays as it is
    CLineStore sjis;
    ASSERT_TRUE(Load(sjis, "\xB4\xC1\r\n"));
    EXPECT_EQ(Lines(sjis), V({"\xB4\xC1"}));
    EXPECT_FALSE(sjis.m_bEuc);
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(LineStoreFile, JisWinsOverEucAndHalfWidthKatakanaAreWidenedOnce)
{
    CScopedFakeUi ui;
    CLineStore s;
    for (const char* line : {"\xB1\xB2", "ok", "\xB3"})
        s.AppendLine(CLineStore::DupLine(line));
    s.m_bJis = true;
    s.m_bEuc = true;
    bool kana = false;
    EXPECT_EQ(Save(s, &kana), "\x1B$B\x25\x22\x25\x24\x1B(J\r\nok\r\n\x1B$B\x25\x26\x1B(J\r\n");
    EXPECT_TRUE(kana);
    s.m_bJis = false;
    kana = false;
    EXPECT_EQ(Save(s, &kana), "\x8E\xB1\x8E\xB2\r\nok\r\n\x8E\xB3\r\n");
    EXPECT_FALSE(kana);
}

TEST(LineStoreFile, LinesTooLongFailTheLoadAndLeaveNothing)
{
    CScopedFakeUi ui;
    CSettingsScope scope;
    CLineStore s;
    std::string longest(MaxLineLength, 'x');
    ASSERT_TRUE(Load(s, "a\r\n" + longest + "\r\n"));
    EXPECT_EQ(s.GetLines()[1], longest);
    ASSERT_FALSE(Load(s, "a\r\nb\r\n" + longest + "y\r\nc\r\n"));
    EXPECT_EQ(s.GetLineCount(), 0);
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "line 3 too long");
    // Tab expansion counts.
    ui.Clear();
    AppSettings().m_nReadTab = 8;
    ASSERT_FALSE(Load(s, std::string(MaxLineLength - 3, 'x') + "\t\n"));
    EXPECT_EQ(ui.m_boxes.at(0).text, "line 1 too long");
    // A big file is read in chunks of a megabyte: a line longer than a line
    // may be is refused there too.
    ui.Clear();
    ASSERT_FALSE(Load(s, std::string(1500000, '\n') + longest + "yz\n" + std::string(600000, '\n')));
    EXPECT_EQ(ui.m_boxes.at(0).text, "line 1500001 too long");
}

TEST(LineStoreFile, NulBytesCutTheLineAndAreReportedOnce)
{
    CScopedFakeUi ui;
    CLineStore s;
    ASSERT_TRUE(Load(s, std::string("ok\r\nab\0cd\r\nx\0\0y\r\n", 17)));
    EXPECT_EQ(Lines(s), V({"ok", "ab", "x"}));
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].kind, EMessageBox::Information);
    EXPECT_NE(ui.m_boxes[0].text.find("2 行目"), std::string::npos);
}

TEST(LineStoreFile, UuencodeHeadersAreWarnedAbout)
{
    CScopedFakeUi ui;
    CLineStore s;
    ASSERT_TRUE(Load(s, "begin 644 a.bin\r\nM86)C\r\nbegin x y\r\nbegin 1\r\nbegin  +7\tname\r\n"));
    ASSERT_EQ(ui.m_boxes.size(), 2u);
    EXPECT_EQ(ui.m_boxes[0].text.substr(0, 30), std::string("このファイルには uuencode されたデータが含まれています。").substr(0, 30));
}

TEST(LineStoreFile, LinesAcrossReadChunksMatchWhatWasWritten)
{
    // Lines of every length around the chunks (65279 bytes, a megabyte for a
    // big file), with CR LF and LF, double-byte text split over a chunk
    // boundary, and a tab now and then.
    CScopedFakeUi ui;
    CSettingsScope scope;
    AppSettings().m_nReadTab = 8;
    for (size_t size : {size_t{3} * MaxLineBytes, size_t{2600000}}) {
        std::mt19937 rng(7);
        std::string file;
        std::vector<std::string> expect;
        while (file.size() < size) {
            std::string line;
            size_t len = rng() % 3 == 0 ? rng() % 3000 : rng() % 90;
            while (line.size() < len)
                line += (rng() % 4 == 0) ? "\x8A\xBF" : std::string(1, static_cast<char>('a' + rng() % 26));
            std::string raw = line;
            if (rng() % 10 == 0 && !line.empty()) {
                size_t at = rng() % line.size();
                while (at > 0 && static_cast<unsigned char>(line[at - 1]) >= 0x80)
                    --at;
                raw = line.substr(0, at) + "\t" + line.substr(at);
                line = line.substr(0, at) + std::string(8 - at % 8, ' ') + line.substr(at);
            }
            file += raw + (rng() % 2 ? "\r\n" : "\n");
            expect.push_back(line);
        }
        CLineStore s;
        ASSERT_TRUE(Load(s, file));
        ASSERT_EQ(Lines(s), expect);
    }
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(LineStoreFile, AHundredAndFiftyThousandLinesLoadThroughTheArraysGrowth)
{
    // Many times the initial capacity, so the array grows over and over while
    // lines are stored; every line must stay where it was put.
    CScopedFakeUi ui;
    const int n = 150000;
    std::string file;
    for (int i = 0; i < n; ++i)
        file += "line " + std::to_string(i) + (i % 7 ? "\x8A\xBF" : "") + "\r\n";
    CLineStore s;
    ASSERT_TRUE(Load(s, file));
    ASSERT_EQ(s.GetLineCount(), n);
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(s.GetLines()[i], "line " + std::to_string(i) + (i % 7 ? "\x8A\xBF" : "")) << i;
    EXPECT_EQ(Save(s), file);
    // Appending one by one past the end, as the pick buffer does, grows the same way.
    for (int i = 0; i < 40000; ++i)
        ASSERT_TRUE(s.AppendLine(CLineStore::DupLine("z")));
    EXPECT_EQ(s.GetLineCount(), n + 40000);
    EXPECT_STREQ(s.GetLines()[n - 1], "line 149999\x8A\xBF");
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(LineStoreFile, EucSupplementaryCharactersAreOneGetaAndReportedOnce)
{
    CScopedFakeUi ui;
    CLineStore s;
    // 漢 in EUC, then a JIS X 0212 character (0x8F 0xB0 0xA1), then kana.
    ASSERT_TRUE(Load(s, "abc\n\xB4\xC1\x8F\xB0\xA1\xA4\xA2\n\xB4\xC1\n\x8F\xF3\xF3x\n"));
    EXPECT_EQ(Lines(s), V({"abc", "\x8A\xBF\x81\xAC\x82\xA0", "\x8A\xBF", "\x81\xACx"}));
    EXPECT_TRUE(s.m_bEuc);
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].kind, EMessageBox::Information);
    EXPECT_NE(ui.m_boxes[0].text.find("2 行目"), std::string::npos);
    // Each load is a file of its own.
    ui.Clear();
    ASSERT_TRUE(Load(s, "\xB4\xC1\n\x8F\xB0\xA1\n"));
    EXPECT_EQ(ui.m_boxes.size(), 1u);
    ui.Clear();
    ASSERT_TRUE(Load(s, "\xB4\xC1\n"));
    EXPECT_TRUE(ui.m_boxes.empty());
}

#if defined(__linux__) && !defined(__SANITIZE_ADDRESS__)
TEST(LineStoreFile, AFileTooBigForMemoryFailsTheLoadAndLeavesNothing)
{
    // In a child with its address space capped at 48 MB above what it uses, a
    // file of 8 million short lines cannot be held: the load must end with the
    // memory message, keep none of its lines and not end the program.
    std::string file;
    for (int i = 0; i < 8000000; ++i)
        file += "ab\n";
    EXPECT_EXIT(
        {
            CScopedFakeUi ui;
            CLineStore s;
            long pages = 0;
            std::ifstream("/proc/self/statm") >> pages;
            rlimit limit{};
            limit.rlim_cur = limit.rlim_max =
                static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (48u << 20);
            if (setrlimit(RLIMIT_AS, &limit) != 0)
                _exit(3);
            bool ok = Load(s, file) || s.GetLineCount() != 0;
            bool told = ui.m_boxes.size() == 1 && ui.m_boxes[0].kind == EMessageBox::Error &&
                        (ui.m_boxes[0].text == "メモリ不足のため新しい行を作成できません" ||
                         ui.m_boxes[0].text == "行メモリが足りません");
            // What the failed load held is given back: a small file loads after it.
            bool after = Load(s, "x\n") && s.GetLineCount() == 1;
            _exit(ok ? 4 : !told ? 5 : !after ? 6 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}
#endif
