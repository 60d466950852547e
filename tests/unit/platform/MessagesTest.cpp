// The message-box helpers: numbers, formats, bounds.
#include <gtest/gtest.h>

#include <set>

#include "fakes/FakeUi.h"
#include "platform/Messages.h"
#include "platform/StringTable.h"

TEST(Messages, NumberedTextsComeFromTheStringTable)
{
    CScopedFakeUi ui;
    ErrorBox(53u);
    InfoBox(52u);
    ASSERT_EQ(ui.m_boxes.size(), 2u);
    EXPECT_EQ(ui.m_boxes[0].kind, EMessageBox::Error);
    EXPECT_EQ(ui.m_boxes[0].text, "行が長すぎます");
    EXPECT_EQ(ui.m_boxes[1].kind, EMessageBox::Information);
}

TEST(Messages, MissingNumberShowsItsOwnErrorAndQuestionCountsAsNo)
{
    CScopedFakeUi ui;
    InfoBox(9u);
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].kind, EMessageBox::Error);
    EXPECT_EQ(ui.m_boxes[0].text, "Couldn't load message string");
    ui.Clear();
    ui.AnswerNext(true);
    EXPECT_FALSE(QuestionBox(9u));
    EXPECT_TRUE(ui.m_boxes.empty());
}

TEST(Messages, FormatsTakeShiftJisArgumentsAndAnswerQuestions)
{
    CScopedFakeUi ui;
    ui.AnswerNext(true);
    EXPECT_TRUE(QuestionBox("%s を作成しますか？", "\x95\x5C.txt"));  // 表.txt
    ASSERT_EQ(ui.m_boxes.size(), 1u);
    EXPECT_EQ(ui.m_boxes[0].text, "表.txt を作成しますか？");
    EXPECT_FALSE(QuestionBox("%s", "again"));  // the queue is empty: No
    FatalErrorBox("line %ld too long", 7L);
    EXPECT_EQ(ui.m_boxes.back().kind, EMessageBox::Fatal);
    EXPECT_EQ(ui.m_boxes.back().text, "line 7 too long");
}

TEST(Messages, BoundedAndNeverEndingInHalfACharacter)
{
    std::string big(2000, 'x');
    EXPECT_EQ(FormatSjis("%s", big.c_str()).size(), 1023u);
    // 1022 ASCII bytes then 漢: the cut would fall inside the kanji, so it is dropped.
    std::string arg = std::string(1022, 'a') + "\x8A\xBF";
    std::string text = FormatSjis("%s", arg.c_str());
    EXPECT_EQ(text, std::string(1022, 'a'));
    // A cut at a character boundary keeps everything up to it.
    arg = std::string(1021, 'a') + "\x8A\xBF";
    EXPECT_EQ(FormatSjis("%s", arg.c_str()).size(), 1023u);
}

TEST(Messages, StatusBeepAndTrace)
{
    CScopedFakeUi ui;
    StatusMessage("ファイルの末尾まで検索しました");
    ErrorBeep();
    TraceLog("Atom too long\r\n");
    EXPECT_EQ(ui.m_status, std::vector<std::string>{"ファイルの末尾まで検索しました"});
    EXPECT_EQ(ui.m_nBeeps, 1);
    EXPECT_EQ(ui.m_trace, std::vector<std::string>{"Atom too long\r\n"});
}

TEST(StringTable, IdsAreUnique)
{
    std::set<unsigned> seen;
    for (auto* e = StringTableBegin(); e != StringTableEnd(); ++e)
        EXPECT_TRUE(seen.insert(e->id).second) << "duplicate string id " << e->id;
    EXPECT_STREQ(LoadSjisString(50), "\x83\x81\x83\x82\x83\x8A\x82\xAA\x91\xAB\x82\xE8\x82\xDC\x82\xB9\x82\xF1");
    EXPECT_EQ(LoadSjisString(4), nullptr);
}

TEST(Messages, YesNoCancelQuestionsAnswerAllThree)
{
    CScopedFakeUi ui;
    ui.AnswerNext(true);
    ui.AnswerNextCancel();
    EXPECT_EQ(YesNoCancelBox("%s への変更を保存しますか？", "a.txt"), EAnswer::Yes);
    EXPECT_EQ(YesNoCancelBox("x"), EAnswer::Cancel);
    EXPECT_EQ(YesNoCancelBox("y"), EAnswer::No);  // nothing queued
    ASSERT_EQ(ui.m_boxes.size(), 3u);
    EXPECT_EQ(ui.m_boxes[0].kind, EMessageBox::Question);
    EXPECT_EQ(ui.m_boxes[0].text, "a.txt への変更を保存しますか？");
}
