// The command window: its language word by word, the history between runs,
// and the window's keys on a one-row view over a recording surface, with a
// host that records what the window asks of the program.
#include <gtest/gtest.h>

#include <climits>

#include "command/ComWin.h"
#include "command/ComWinHost.h"
#include "command/CommandParse.h"
#include "command/History.h"
#include "keys/CommandIds.h"
#include "platform/SettingsStore.h"
#include "search/Searcher.h"
#include "unit/view/VuTestSupport.h"

namespace {

using Lines = std::vector<std::string>;

class CFakeComHost : public IComWinHost {
public:
    void PostMainCommand(unsigned nId) override { m_posted.push_back(nId); }
    CVu* ActiveDocumentView() override { return m_pActive; }
    void ReturnFocus() override { ++m_nFocusReturns; }
    void HideCommandWindow() override { ++m_nHides; }
    void SetNamedFile(const std::string& strName) override { m_strNamed = strName; }
    void SetShellCommand(const std::string& strCommand, int nMode) override
    {
        m_strShell = strCommand;
        m_nShellMode = nMode;
    }

    std::vector<unsigned> m_posted;
    CVu* m_pActive = nullptr;
    int m_nFocusReturns = 0;
    int m_nHides = 0;
    std::string m_strNamed;
    std::string m_strShell;
    int m_nShellMode = -1;
};

unsigned Parse(const char* line, CCommandRequest* pRequest = nullptr)
{
    CCommandRequest request;
    unsigned nId = ParseCommandLine(line, request);
    if (pRequest)
        *pRequest = request;
    return nId;
}

} // namespace

TEST(CommandLanguage, WordsByTheirFirstLettersInOrder)
{
    CScopedFakeUi ui;
    struct Case {
        const char* line;
        unsigned nId;
    };
    const Case cases[] = {
        {"SPLIT", ID_SPLIT_LINE}, {"sp", ID_SPLIT_LINE},   {"jo x", ID_JOIN_LINES}, {"Wc", ID_COUNT},
        {"SAVE", ID_FILE_SAVE},   {"s", ID_FILE_SAVE},     {"g e", ID_GOTO_END},    {"GOTO End", ID_GOTO_END},
        {"e", ID_NEXT_PANE},      {"EDIT", 0},             {"ex a", ID_QUIT_AFTER_SEND}, {"EXIT", ID_APP_EXIT},
        {"ex", ID_APP_EXIT},      {"runx y", 0},           {"xyz", 0},              {"", 0},
        {" G 1", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Parse(c.line), c.nId) << c.line;
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(CommandLanguage, ArgumentsGoWithTheirCommands)
{
    CScopedFakeUi ui;
    CCommandRequest r;
    EXPECT_EQ(Parse("G 12abc", &r), ID_GOTO_LINE);
    EXPECT_EQ(r.nGotoLine, 12);
    EXPECT_EQ(Parse("g", &r), ID_GOTO_LINE);
    EXPECT_EQ(r.nGotoLine, 0);
    EXPECT_EQ(Parse("G\t99999999999999999999999", &r), ID_GOTO_LINE);
    EXPECT_EQ(r.nGotoLine, LONG_MAX);
    EXPECT_EQ(Parse("e  my file.txt", &r), ID_OPEN_NAMED_FILE);
    EXPECT_EQ(r.strNamedFile, "my file.txt");
    EXPECT_EQ(Parse("RUN dir /w", &r), ID_SHELL_COMMAND);
    EXPECT_EQ(r.strShellCommand, "dir /w");
    EXPECT_EQ(r.nShellMode, 0);
    EXPECT_EQ(Parse("!echo a", &r), ID_SHELL_COMMAND);
    EXPECT_EQ(r.strShellCommand, "echo a");
    EXPECT_EQ(Parse("| sort", &r), ID_SHELL_COMMAND);
    EXPECT_EQ(r.strShellCommand, " sort");
    EXPECT_EQ(r.nShellMode, 1);
}

TEST(CommandLanguage, ReplaceSpecifications)
{
    CScopedFakeUi ui;
    EXPECT_EQ(Parse("rep s/a/b/i"), ID_REPLACE_ALL);
    ASSERT_NE(Searcher(), nullptr);
    EXPECT_TRUE(Searcher()->IsRegEx());
    EXPECT_TRUE(Searcher()->IsCaseless());
    EXPECT_EQ(Parse("REPLACE i  /a/b/"), ID_SEARCH_NEXT);
    EXPECT_EQ(Searcher()->Pattern(), "a");
    EXPECT_FALSE(Searcher()->IsRegEx());
    EXPECT_EQ(Parse("rep i"), 0u);
    EXPECT_TRUE(ui.m_boxes.empty());
    EXPECT_EQ(Parse("rep /a/b"), 0u);
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "Replace command syntax error");
}

TEST(CommandHistory, ReadStopsAtTheFirstEmptyKeyAndPassesOverBadValues)
{
    CMemorySettingsStore store;
    store.WriteString("Command History", "00", "G 1");
    store.WriteString("Command History", "01", "bad\r\nvalue");
    store.WriteString("Command History", "02", std::string(70000, 'x'));
    store.WriteString("Command History", "03", "rep /a/b/");
    store.WriteString("Command History", "04", "");
    store.WriteString("Command History", "05", "after the end");
    EXPECT_EQ(ReadHistory(store), (Lines{"G 1", "rep /a/b/"}));
}

TEST(CommandHistory, WritesTheLastSixteenWithoutBlankEntries)
{
    CMemorySettingsStore store;
    Lines entries;
    for (int i = 0; i < 20; ++i)
        entries.push_back("cmd " + std::to_string(i));
    entries[18] = " \t ";
    entries[19] = "\t  G 5";
    WriteHistory(store, entries);
    Lines back = ReadHistory(store);
    ASSERT_EQ(back.size(), 15u);
    EXPECT_EQ(back.front(), "cmd 4");
    EXPECT_EQ(back.back(), "G 5");
    EXPECT_EQ(store.Find("Command History", "15")->strValue, "");
}

class CommandWindowTest : public ::testing::Test {
protected:
    CommandWindowTest()
    {
        m_surface.m_nWidth = 40 * 8;
        m_surface.m_nHeight = 16;
        m_surface.Attach(m_win);
        m_win.LoadHistory(m_store);
    }
    void Cmd(unsigned nId)
    {
        ASSERT_TRUE(m_win.OnCommand(nId, nullptr)) << nId;
        m_surface.Paint();
    }
    void Type(const std::string& text)
    {
        for (char c : text)
            m_win.TypeChar(static_cast<unsigned char>(c));
    }
    void Enter(const std::string& text)
    {
        Type(text);
        Cmd(ID_CURSOR_NEXT_LINE);
    }
    std::string CurrentLine() const { return std::string(m_win.PeekLine(m_win.CaretLine())); }

    CScopedFakeUi m_ui;
    CSettingsScope m_settings;
    CMemorySettingsStore m_store;
    CFakeComHost m_host;
    CComWin m_win{m_host};
    CFakeViewSurface m_surface;
};

TEST_F(CommandWindowTest, ReturnRunsTheLineAndKeepsItInTheHistory)
{
    Enter("G 12");
    EXPECT_EQ(m_host.m_posted, std::vector<unsigned>{ID_GOTO_LINE});
    EXPECT_EQ(AppSettings().m_nGotoLine, 12);
    EXPECT_EQ(m_host.m_nFocusReturns, 1);
    EXPECT_EQ(m_host.m_nHides, 1);
    // An unknown word beeps, posts nothing, and stays in the history.
    Enter("EDIT x");
    EXPECT_EQ(m_host.m_posted.size(), 1u);
    EXPECT_EQ(m_ui.m_nBeeps, 1);
    Enter("|sort");
    EXPECT_EQ(m_host.m_strShell, "sort");
    EXPECT_EQ(m_host.m_nShellMode, 1);
    EXPECT_EQ(m_win.Entries(), (Lines{"G 12", "EDIT x", "|sort"}));
    EXPECT_EQ(CurrentLine(), "");
    // Recalling an old command and running it makes it the newest entry.
    Cmd(ID_SCROLL_LINE_UP);
    Cmd(ID_SCROLL_LINE_UP);
    Cmd(ID_SCROLL_LINE_UP);
    EXPECT_EQ(CurrentLine(), "G 12");
    Cmd(ID_SCROLL_LINE_UP);
    EXPECT_EQ(m_ui.m_nBeeps, 2);
    Cmd(ID_CURSOR_NEXT_LINE);
    EXPECT_EQ(m_host.m_posted.back(), static_cast<unsigned>(ID_GOTO_LINE));
    EXPECT_EQ(m_win.Entries(), (Lines{"EDIT x", "|sort", "G 12"}));
    EXPECT_EQ(m_win.CaretLine(), 3);
    // The history survives a save and a load (a restart).
    m_win.SaveHistory(m_store);
    CFakeComHost otherHost;
    CComWin other(otherHost);
    other.LoadHistory(m_store);
    EXPECT_EQ(other.Entries(), (Lines{"EDIT x", "|sort", "G 12"}));
}

TEST_F(CommandWindowTest, KeysActHereOrForwardToTheDocument)
{
    // On the empty line motion and buffer keys go to the document view.
    Cmd(ID_CURSOR_DOWN);
    Cmd(ID_PAGE_DOWN);
    Cmd(ID_SCROLL_LEFT_TAB);
    Cmd(ID_PICK);
    Type("   ");
    Cmd(ID_BACKSPACE);
    EXPECT_EQ(m_host.m_posted, (std::vector<unsigned>{ID_CURSOR_SCREEN_BOTTOM, ID_GOTO_END, ID_SCREEN_LEFT,
                                                      ID_INSERT_PICK_BUFFER, ID_DELETE_TO_LINE_HEAD}));
    // With text they edit the command line.
    m_host.m_posted.clear();
    Type("ab");
    Cmd(ID_CURSOR_LEFT);
    Cmd(ID_BACKSPACE);
    EXPECT_EQ(CurrentLine(), "b");
    EXPECT_TRUE(m_host.m_posted.empty());
    // The command key: first the prefix, then out of command mode.
    int hides = m_host.m_nHides;
    Cmd(ID_COMMAND_MODE);
    EXPECT_TRUE(m_win.m_prefixPending);
    Cmd(ID_MARK);
    EXPECT_FALSE(m_win.m_prefixPending);
    EXPECT_EQ(m_host.m_nHides, hides);
    Cmd(ID_COMMAND_MODE);
    Cmd(ID_COMMAND_MODE);
    EXPECT_EQ(m_host.m_nHides, hides + 1);
    EXPECT_FALSE(m_win.m_prefixPending);
}

TEST_F(CommandWindowTest, SearchTakesTheLineOrTheWordAtTheDocumentCaret)
{
    Cmd(ID_SEARCH);
    EXPECT_TRUE(m_win.m_searchPending);
    Enter("  m#a/b#i ");
    EXPECT_FALSE(m_win.m_searchPending);
    EXPECT_EQ(m_host.m_posted, std::vector<unsigned>{ID_SEARCH_NEXT});
    ASSERT_NE(Searcher(), nullptr);
    EXPECT_EQ(Searcher()->Pattern(), "a/b");
    EXPECT_TRUE(Searcher()->IsCaseless());
    // An empty line without a document view: nothing to search.
    Cmd(ID_SEARCH_PREV);
    ASSERT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(m_ui.m_boxes[0].text, "アクティブなビューがありません");
    EXPECT_EQ(m_host.m_posted.size(), 1u);
    // With one, the word under its caret, as plain text.
    CDoc doc;
    CVu view;
    SetLines(doc, {"hello world"});
    doc.AddView(&view);
    CFakeViewSurface surface;
    surface.Attach(view);
    view.Caret().SetCell(7, 0);
    m_host.m_pActive = &view;
    Cmd(ID_SEARCH_PREV);
    EXPECT_EQ(m_host.m_posted.back(), static_cast<unsigned>(ID_SEARCH_PREV));
    EXPECT_EQ(Searcher()->Pattern(), "world");
    EXPECT_FALSE(Searcher()->IsRegEx());
}
