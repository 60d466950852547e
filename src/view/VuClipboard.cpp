// The clipboard commands, the line header of copies, and word selection by
// double click.
#include <algorithm>
#include <cstring>

#include "settings/AppSettings.h"
#include "keys/CommandIds.h"
#include "platform/Clipboard.h"
#include "platform/Messages.h"
#include "text/Codes.h"
#include "text/Doc.h"
#include "text/LineStore.h"
#include "view/BlockBuffer.h"
#include "view/Caret.h"
#include "view/Vu.h"
#include "view/Words.h"

namespace {

constexpr char kLineHeader[] = ">> ";
// A UTF-8 format of the message helpers.
constexpr char kClipboardBusy[] = "他のアプリケーションがクリップボードをオープンしています";

// JIS of one line; half-width katakana go over in their full-width form.
std::string ToJis(const std::string& sjis)
{
    std::string jis(JisBufferSize(sjis.size()), '\0');
    SjisToJis(jis.data(), sjis.c_str(), true);
    jis.resize(std::strlen(jis.c_str()));
    return jis;
}

// Tabs become blanks up to the next multiple of the tab width, counted from nCol.
std::string ExpandTabs(std::string_view s, long nCol, int nTab)
{
    if (s.find('\t') == s.npos)
        return std::string(s);
    std::string out;
    for (char ch : s) {
        if (ch != '\t') {
            out += ch;
            continue;
        }
        long col = nCol + static_cast<long>(out.size());
        out.append(static_cast<size_t>(nTab - col % nTab), ' ');
    }
    return out;
}

int ReadTab() { return AppSettings().m_nReadTab > 0 ? AppSettings().m_nReadTab : 8; }

} // namespace

// The clipboard text of a buffer: each line (after the line header) ends in
// CR LF, except the one row of a one-row rectangle.
void CVu::PutOnClipboard(const CBlockBuffer& buffer, bool bHeader)
{
    std::vector<std::string> lines = buffer.GetLines();
    bool bJis = GetShownDoc()->IsJisOutput();
    bool bOneRow = buffer.GetKind() == CBlockBuffer::kRectangle && lines.size() == 1;
    std::string text;
    for (const std::string& line : lines) {
        std::string s = bHeader ? m_strLineHeader + line : line;
        text += bJis ? ToJis(s) : s;
        if (!bOneRow)
            text += "\r\n";
    }
    if (!Clipboard().SetText(text))
        ErrorBox(kClipboardBusy);
}

void CVu::OnEditCopy()
{
    if (IsMarkSet() && Pick())
        PutOnClipboard(PickBuffer(), true);
}

void CVu::OnEditCut()
{
    if (IsMarkSet() && Close())
        PutOnClipboard(CloseBuffer(), false);
}

void CVu::OnQuoteOnCopy()
{
    CancelShiftMark();
    m_strLineHeader = m_strLineHeader.empty() ? kLineHeader : "";
}

void CVu::OnEditPaste()
{
    if (IsMarkSet())
        Close();
    std::string text;
    switch (Clipboard().GetText(text)) {
    case EClipboardRead::Text: break;
    case EClipboardRead::CannotOpen: ErrorBox(kClipboardBusy); return;
    case EClipboardRead::CannotLock: ErrorBox("クリップボードのメモリブロックをロックできません"); return;
    case EClipboardRead::NoMemory: ErrorBox("クリップボードの内容をコピーするメモリが確保できません"); return;
    case EClipboardRead::NoText: ErrorBeep(); return;
    }
    if (text.empty()) {
        ErrorBeep();
        return;
    }
    if (text.find_first_of("\r\n") != text.npos) {
        PasteLines(text);
        return;
    }
    // Text without a line end goes into the line at the caret.
    long c = CaretCol(), l = CaretLine();
    long len = static_cast<long>(PeekLine(l).size());
    std::string bytes = ExpandTabs(text, c, ReadTab());
    CViewPosition before = GetPosition();
    if (!InsertBytes(c, l, bytes))
        return;
    long n = static_cast<long>(bytes.size());
    AddUndo([&] {
        return std::make_unique<CUndoInsert>(CCellRect{c, l, c + n, l + 1}, before, GetPosition(),
                                             std::vector<CUndoRow>{{bytes, len < c ? len : -1}});
    });
}

// Lines of clipboard text go in before the caret line. CR LF, LF and CR each
// end a line; a last line without an ending counts when it is not empty.
void CVu::PasteLines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == text.npos) {
            end = text.size();
        }
        std::string line = ExpandTabs(text.substr(pos, end - pos), 0, ReadTab());
        if (static_cast<long>(line.size()) >= MaxLineLength) {
            ErrorBox("クリップボードのデータの中に\n長すぎる行があります");
            break;
        }
        lines.push_back(std::move(line));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
            ++end;
        pos = end + 1;
    }
    if (lines.empty())
        return;
    long l = CaretLine();
    CViewPosition before = GetPosition();
    if (!InsertLinesAt(l, lines))
        return;
    m_pCaret->MoveVert(0, true);
    long n = static_cast<long>(lines.size());
    AddUndo([&] {
        return std::make_unique<CUndoInsertLines>(CCellRect{0, l, 0, l + n}, before, GetPosition(), std::move(lines));
    });
}

void CVu::OnLButtonDblClk(int x, int y)
{
    // The button-up that follows belongs to the double click.
    m_bSkipButtonUp = true;
    if (!GetShownDoc())
        return;
    long col = std::clamp(static_cast<long>(x / m_metrics.nCharWidth), 0L, std::max(m_nCols - 1L, 0L));
    long row = std::clamp(static_cast<long>(y / m_metrics.nLineHeight), 0L, std::max(m_nRows - 1L, 0L));
    if (AppSettings().m_bUrlSensitive && AddressAt(col, row) != kAddressNone) {
        Surface().PostCommand(ID_OPEN_URL);
        return;
    }
    long l = CaretLine();
    std::string_view s = PeekLine(l);
    CWordSpan word;
    if (!WordAt(s, CaretCol(), word))
        return;
    std::string text(s.substr(static_cast<size_t>(word.nStart), static_cast<size_t>(word.nEnd - word.nStart)));
    CancelShiftMark();
    m_nMarkCol = word.nStart;
    m_nMarkLine = l;
    m_nMarkLeftCol = m_nLeftCol;
    m_nMarkTopLine = m_nTopLine;
    m_bShiftMark = true;
    MoveCaretTo(word.nEnd, l);
    UpdateHilight();
    if (!Clipboard().SetText(text))
        ErrorBox(kClipboardBusy);
}
