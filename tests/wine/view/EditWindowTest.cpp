// Editing in the view's real window: characters and input-method text as the
// window messages bring them, the system clipboard both ways, undo, and a
// marked rectangle as the user sees it.
#include "ViewWindowSupport.h"

#include <imm.h>

#include "text/Doc.h"
#include "view/Caret.h"

namespace {

// The Unicode text on the clipboard, or "<none>".
std::wstring ClipboardText()
{
    std::wstring text = L"<none>";
    if (!::OpenClipboard(nullptr))
        return text;
    if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(::GlobalLock(h))) {
            text = p;
            ::GlobalUnlock(h);
        }
    }
    ::CloseClipboard();
    return text;
}

bool PutOnClipboard(const std::wstring& text)
{
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(::GlobalLock(hMem), text.c_str(), bytes);
    ::GlobalUnlock(hMem);
    if (!::OpenClipboard(nullptr))
        return false;
    ::EmptyClipboard();
    bool ok = ::SetClipboardData(CF_UNICODETEXT, hMem) != nullptr;
    ::CloseClipboard();
    return ok;
}

} // namespace

class EditWindowTest : public ViewWindowTest {
protected:
    std::string Line(int n) const
    {
        auto* pDoc = dynamic_cast<CDoc*>(Vu().GetDocument());
        return n < pDoc->GetLineCount() ? pDoc->m_Lines.GetLines()[n] : "<none>";
    }
    void Send(UINT nMsg, WPARAM wParam, LPARAM lParam = 0)
    {
        ::SendMessageW(View(), nMsg, wParam, lParam);
        Pump();
    }
};

TEST_F(EditWindowTest, CharactersAndInputMethodTextAreTypedAndUndone)
{
    Open({"abc"});
    Send(WM_CHAR, L'x');
    Send(WM_CHAR, L'漢');
    Send(WM_CHAR, 0x01);  // a control character outside control-code mode
    EXPECT_EQ(Line(0), "x" + Sjis("漢") + "abc");
    EXPECT_EQ(m_ui.m_nBeeps, 1);
    // Input-method characters wait for the result clause.
    Send(WM_IME_CHAR, L'か', 1);
    Send(WM_IME_CHAR, L'な', 1);
    EXPECT_EQ(Line(0), "x" + Sjis("漢") + "abc");
    Send(WM_IME_COMPOSITION, 0, GCS_RESULTSTR | GCS_RESULTCLAUSE);
    EXPECT_EQ(Line(0), "x" + Sjis("漢かな") + "abc");
    EXPECT_EQ(Vu().CaretCol(), 7);
    EXPECT_TRUE(Vu().GetDocument()->IsModified());
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Line(0), "x" + Sjis("漢") + "abc");
    Command(ID_EDIT_UNDO);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Line(0), "abc");
    EXPECT_EQ(Vu().CaretCol(), 0);
    Command(ID_EDIT_REDO);
    EXPECT_EQ(Line(0), "xabc");
    EXPECT_TRUE(Shot() == FreshShot());
    EXPECT_EQ(CloseAndRun(), 0);
}

TEST_F(EditWindowTest, PasteAndCopyGoThroughTheSystemClipboard)
{
    Open({"first", "second"});
    ASSERT_TRUE(PutOnClipboard(L"日本語\r\nｶﾀｶﾅ\r\n"));
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Line(0), Sjis("日本語"));
    EXPECT_EQ(Line(1), Sjis("ｶﾀｶﾅ"));
    EXPECT_EQ(Line(2), "first");
    // Text without a line end goes into the line at the caret.
    ASSERT_TRUE(PutOnClipboard(L"表"));
    Vu().Caret().SetCell(1, 2);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Line(2), "f" + Sjis("表") + "irst");
    Command(ID_EDIT_UNDO);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Line(0), "first");
    // Two lines copied with the line header.
    Vu().Caret().SetCell(0, 0);
    Command(ID_QUOTE_ON_COPY);
    Command(ID_MARK);
    Vu().Caret().SetCell(0, 1);
    Command(ID_EDIT_COPY);
    EXPECT_EQ(ClipboardText(), L">> first\r\n>> second\r\n");
    EXPECT_EQ(CloseAndRun(), 0);
}

TEST_F(EditWindowTest, AMarkedRectangleIsPaintedHighlighted)
{
    Open({"0123456789abcdef", Sjis("日本語のテキストです"), "short", "0123456789abcdef", "after"});
    Vu().Caret().SetCell(2, 0);
    Command(ID_MARK);
    Vu().Caret().SetCell(8, 3);
    Vu().UpdateHilight();
    CViewShot shot = Shot();
    shot.Save("marked-rectangle");
    int cw = Cw(), lh = Lh();
    ColorValue cr = AppSettings().m_crHiBack;  // 0x00BBGGRR
    uint32_t markBack = (cr & 0xFF) << 16 | (cr & 0xFF00) | (cr >> 16 & 0xFF);
    auto isMarkBack = [&](uint32_t c) { return c == markBack; };
    // Columns 2 to 8 of lines 0 to 3 are marked, the short line's blanks too.
    EXPECT_GT(shot.Count(2 * cw, 0, 8 * cw, 4 * lh, isMarkBack), 4 * 6 * cw * lh / 2);
    EXPECT_GT(shot.Count(5 * cw, 2 * lh, 8 * cw, 3 * lh, isMarkBack), 0);
    EXPECT_EQ(shot.Count(0, 0, 2 * cw, 5 * lh, isMarkBack), 0);
    EXPECT_EQ(shot.Count(8 * cw, 0, shot.Width(), 5 * lh, isMarkBack), 0);
    EXPECT_EQ(shot.Count(0, 4 * lh, shot.Width(), 5 * lh, isMarkBack), 0);
    // Closing it takes the columns out of each line.
    Command(ID_CLOSE);
    EXPECT_EQ(Line(0), "0189abcdef");
    EXPECT_EQ(Line(1), Sjis("日テキストです"));
    EXPECT_EQ(Line(2), "sh");
    CViewShot after = Shot();
    EXPECT_EQ(after.Count(0, 0, after.Width(), after.Height(), isMarkBack), 0);
    EXPECT_TRUE(after == FreshShot());
    EXPECT_EQ(CloseAndRun(), 0);
}
