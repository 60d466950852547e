// Editing keys pressed for real through the default key binding table: typed
// text, BackSpace, Delete and Return with "ReturnChar", a control character in
// control-code mode, the keypad's mark, pick, close and open, and redo.
#include "KeyTestSupport.h"

#include "text/Doc.h"
#include "view/Caret.h"
#include "view/Vu.h"

class EditKeyTest : public KeyTest {
protected:
    CVu& Vu() const { return static_cast<CVu&>(*View()->GetDocView()); }
    CDoc& Doc() const { return *dynamic_cast<CDoc*>(Vu().GetDocument()); }
    std::string Line(int n) const { return n < Doc().GetLineCount() ? Doc().m_Lines.GetLines()[n] : "<none>"; }
    // Presses keys until line n reads text.
    bool PressFor(const std::wstring& keys, int n, const std::string& text)
    {
        return PressUntil(keys, [&] { return Line(n) == text; });
    }
};

TEST_F(EditKeyTest, TypingAndTheLineEndKeys)
{
    REQUIRE_KEYS();
    ASSERT_TRUE(StartWithFile(3));
    ASSERT_TRUE(FocusView());
    EXPECT_TRUE(PressFor(L"x y", 0, "xyline 1"));
    // Return splits the line (insert mode, "ReturnChar" on).
    EXPECT_TRUE(PressFor(L"Return", 1, "line 1"));
    EXPECT_EQ(Line(0), "xy");
    // BackSpace at the line head joins it to the line above again.
    EXPECT_TRUE(PressFor(L"BackSpace", 0, "xyline 1"));
    EXPECT_TRUE(PressFor(L"BackSpace Delete", 0, "xine 1"));
    // Delete at the end of a line joins the next one.
    EXPECT_TRUE(PressFor(L"End Delete", 0, "xine 1line 2"));
    // Redo (Ctrl+A) after an undo from the menu's command.
    Main()->RunCommand(ID_EDIT_UNDO);
    EXPECT_EQ(Line(0), "xine 1");
    EXPECT_TRUE(PressFor(L"ctrl+a", 0, "xine 1line 2"));
    EXPECT_EQ(CloseAndRun(), 0);
}

TEST_F(EditKeyTest, ControlCodeModeInsertsOneControlCharacter)
{
    REQUIRE_KEYS();
    ASSERT_TRUE(StartWithFile(2));
    ASSERT_TRUE(FocusView());
    Main()->RunCommand(ID_CONTROL_CODE_MODE);
    EXPECT_TRUE(PressFor(L"ctrl+l", 0, "\x0C" "line 1"));
    // The first printable key ends the mode and types nothing.
    EXPECT_TRUE(PressUntil(L"q", [&] { return !Main()->GetRoute().QueryState(ID_CONTROL_CODE_MODE).IsChecked(); }));
    EXPECT_EQ(Line(0), "\x0C" "line 1");
    EXPECT_TRUE(PressFor(L"q", 0, "\x0Cq" "line 1"));
    EXPECT_EQ(CloseAndRun(), 0);
}

// X key codes of the keypad: 106 "/" mark, 91 "." pick (with Num Lock on;
// off, it is Delete), 86 "+" close, 63 "*" open.
TEST_F(EditKeyTest, KeypadMarkPickCloseAndOpen)
{
    REQUIRE_KEYS();
    ASSERT_TRUE(StartWithFile(6));
    ASSERT_TRUE(FocusView());
    CCommandSpy spy({ID_COMMAND_MODE, ID_TOGGLE_INSERT});
    Main()->SetFirstTarget(&spy);
    ASSERT_TRUE(NumLockOn(spy));
    Main()->SetFirstTarget(nullptr);
    EXPECT_TRUE(PressUntil(L"106 Down", [&] { return Vu().IsMarkSet() && Vu().CaretLine() == 1; }));
    EXPECT_TRUE(PressFor(L"86", 0, "line 3"));  // lines 1 and 2 closed
    EXPECT_FALSE(Vu().IsMarkSet());
    EXPECT_TRUE(PressFor(L"63", 0, ""));  // an empty line opened
    EXPECT_EQ(Line(1), "line 3");
    // Pick a two-line block and put it back from the command.
    EXPECT_TRUE(PressUntil(L"Down 106 Down 91", [&] { return !Vu().IsMarkSet(); }));
    Main()->RunCommand(ID_INSERT_PICK_BUFFER);
    EXPECT_EQ(Line(1), "line 3");
    EXPECT_EQ(Line(2), "line 4");
    EXPECT_EQ(Line(3), "line 3");
    EXPECT_EQ(CloseAndRun(), 0);
}
