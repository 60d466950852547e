// The command line and the shell's open command.
#include <gtest/gtest.h>

#include "settings/AppSettings.h"
#include "app/CommandLine.h"
#include "fakes/FakeUi.h"

TEST(CommandLine, OptionsInAnyLetterCaseThenFiles)
{
    CCommandArgs a;
    ASSERT_TRUE(ParseCommandLine("-max -euc a.txt", a));
    EXPECT_TRUE(a.bMaximize);
    EXPECT_EQ(a.nCodeOption, 1);
    EXPECT_EQ(a.nMailMode, -1);
    EXPECT_EQ(a.files, std::vector<std::string>{"a.txt"});

    CCommandArgs b;
    ASSERT_TRUE(ParseCommandLine("-MailEdit -SJIS \"C:\\My Mail\\0001.txt\"", b));
    EXPECT_EQ(b.nMailMode, 2);
    EXPECT_EQ(b.nCodeOption, 2);
    EXPECT_EQ(b.files, std::vector<std::string>{"C:\\My Mail\\0001.txt"});

    CCommandArgs c;
    ASSERT_TRUE(ParseCommandLine("-mail", c));
    EXPECT_EQ(c.nMailMode, 1);
    EXPECT_TRUE(c.files.empty());
}

TEST(CommandLine, OptionsCountOnlyBeforeTheFirstFile)
{
    CCommandArgs a;
    ASSERT_TRUE(ParseCommandLine("a.txt -MAIL", a));
    EXPECT_EQ(a.nMailMode, -1);
    EXPECT_EQ(a.files, (std::vector<std::string>{"a.txt", "-MAIL"}));
}

TEST(CommandLine, UnknownOptionFailsTheParse)
{
    CCommandArgs a;
    EXPECT_FALSE(ParseCommandLine("-foo a.txt", a));
    EXPECT_FALSE(ParseCommandLine("-max -maxi", a));
    EXPECT_FALSE(ParseCommandLine("-", a));
    CScopedFakeUi ui;
    EXPECT_FALSE(ParseCommandLine("\"a.txt", a));  // the splitter reports the missing quote
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "end \" missing");
}

TEST(CommandLine, ShiftJisPathsAndEmptyLines)
{
    CCommandArgs a;
    ASSERT_TRUE(ParseCommandLine("\"C:\\\x95\x5C \x83\x5C.txt\"  b.txt", a));  // "C:\表 ソ.txt"
    EXPECT_EQ(a.files, (std::vector<std::string>{"C:\\\x95\x5C \x83\x5C.txt", "b.txt"}));
    CCommandArgs b;
    ASSERT_TRUE(ParseCommandLine("", b));
    EXPECT_TRUE(b.files.empty());
}

TEST(CommandLine, ProgramNameIsSkipped)
{
    EXPECT_EQ(ArgumentsOf("\"C:\\Program Files\\tova\\tova.exe\" -max a.txt"), "-max a.txt");
    EXPECT_EQ(ArgumentsOf("C:\\tova\\tova.exe   a.txt"), "a.txt");
    EXPECT_EQ(ArgumentsOf("tova.exe"), "");
    EXPECT_EQ(ArgumentsOf("\"tova.exe\""), "");
}

TEST(CommandLine, OptionsGoIntoTheSettingsOnlyWhenGiven)
{
    CAppSettings s;
    s.m_nMailMode = 2;
    s.m_nCodeOption = 1;
    CCommandArgs a;
    ASSERT_TRUE(ParseCommandLine("-MAX x", a));
    a.ApplyTo(s);
    EXPECT_TRUE(s.m_bMaximize);
    EXPECT_EQ(s.m_nMailMode, 2);
    EXPECT_EQ(s.m_nCodeOption, 1);
    CCommandArgs b;
    ASSERT_TRUE(ParseCommandLine("-MAIL -SJIS", b));
    b.ApplyTo(s);
    EXPECT_EQ(s.m_nMailMode, 1);
    EXPECT_EQ(s.m_nCodeOption, 2);
}

TEST(DdeOpenCommand, ShellFormWithQuotedPathAndCommas)
{
    CCommandArgs a;
    ASSERT_TRUE(ParseDdeOpenCommand("[open(-max,\"C:\\a,b.txt\")]", a));
    EXPECT_TRUE(a.bMaximize);
    EXPECT_EQ(a.files, std::vector<std::string>{"C:\\a,b.txt"});

    CCommandArgs b;
    ASSERT_TRUE(ParseDdeOpenCommand("[OPEN(\"C:\\My Docs\\x.txt\")]", b));  // any letter case
    EXPECT_EQ(b.files, std::vector<std::string>{"C:\\My Docs\\x.txt"});

    CCommandArgs c;
    ASSERT_TRUE(ParseDdeOpenCommand("[open(-MAILEDIT,m1.txt,m2.txt)]", c));
    EXPECT_EQ(c.nMailMode, 2);
    EXPECT_EQ(c.files, (std::vector<std::string>{"m1.txt", "m2.txt"}));
}

TEST(DdeOpenCommand, UnknownOptionEndsTheOptionsAndIsOpened)
{
    CCommandArgs a;
    ASSERT_TRUE(ParseDdeOpenCommand("[open(-euc,-foo,b.txt,-MAX)]", a));
    EXPECT_EQ(a.nCodeOption, 1);
    EXPECT_FALSE(a.bMaximize);
    EXPECT_EQ(a.files, (std::vector<std::string>{"-foo", "b.txt", "-MAX"}));
}

TEST(DdeOpenCommand, OtherCommandsGoToTheDefaultHandling)
{
    CCommandArgs a;
    EXPECT_FALSE(ParseDdeOpenCommand("[open(\"a.txt\")", a));  // no closing ")]"
    EXPECT_FALSE(ParseDdeOpenCommand("[print(\"a.txt\")]", a));
    EXPECT_FALSE(ParseDdeOpenCommand("[open", a));
    EXPECT_FALSE(ParseDdeOpenCommand("", a));
    CCommandArgs empty;
    EXPECT_TRUE(ParseDdeOpenCommand("[open()]", empty));
    EXPECT_TRUE(empty.files.empty());
}

TEST(DdeOpenCommand, BrokenQuotingOpensNothing)
{
    CScopedFakeUi ui;
    CCommandArgs a;
    EXPECT_TRUE(ParseDdeOpenCommand("[open(x,\"y)]", a));  // handled: it is an open command
    EXPECT_TRUE(a.files.empty());
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "end \" missing");
}
