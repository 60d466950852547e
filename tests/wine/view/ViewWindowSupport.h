// A running editor with one file open in a document window of a fixed size,
// its view window focused, for the tests of the view's window.
#pragma once
#include "ShellTestSupport.h"

#include "ViewShot.h"
#include "fw/MdiChildWnd_win.h"
#include "keys/CommandIds.h"
#include "text/Unicode.h"
#include "view/Vu.h"
#include "view/VuWnd_win.h"

inline std::string Sjis(const char* utf8) { return Utf8ToSjis(utf8); }

class ViewWindowTest : public ShellTest {
protected:
    // Opens a file of these lines (Shift-JIS) in a window of a fixed size.
    void Open(const std::vector<std::string>& lines)
    {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        m_dir.Write("view.txt", text);
        ASSERT_TRUE(Start("\"" + File("view.txt") + "\""));
        CMDIChildWnd* pFrame = Main()->MDIGetActive();
        ASSERT_NE(pFrame, nullptr);
        ::SetWindowPos(pFrame->GetHwnd(), nullptr, 0, 0, 520, 360, SWP_NOZORDER);
        m_pWnd = dynamic_cast<CVuWnd*>(pFrame->GetActiveView());
        ASSERT_NE(m_pWnd, nullptr);
        ::SetFocus(m_pWnd->GetHwnd());
        Pump();
    }
    CVu& Vu() const { return m_pWnd->Vu(); }
    HWND View() const { return m_pWnd->GetHwnd(); }
    int Cw() const { return Vu().m_metrics.nCharWidth; }
    int Lh() const { return Vu().m_metrics.nLineHeight; }
    // A picture of the view without the caret.
    CViewShot Shot()
    {
        Pump();
        ::HideCaret(View());
        CViewShot shot(View());
        ::ShowCaret(View());
        return shot;
    }
    // The same window painted afresh.
    CViewShot FreshShot()
    {
        ::InvalidateRect(View(), nullptr, FALSE);
        ::UpdateWindow(View());
        return Shot();
    }
    void Command(unsigned nId)
    {
        ::SendMessageW(Main()->GetHwnd(), WM_COMMAND, nId, 0);
        Pump();
    }

    CVuWnd* m_pWnd = nullptr;
};

