// Typing (single bytes and input-method characters, insert and overwrite, the
// control-code input mode) and the character and line commands.
#include <algorithm>
#include <new>

#include "settings/AppSettings.h"
#include "keys/CommandIds.h"
#include "platform/Messages.h"
#include "text/Doc.h"
#include "text/LineStore.h"
#include "text/Sjis.h"
#include "view/Caret.h"
#include "view/Vu.h"

namespace {

// The line's length before a change at nCol that began past its end, else -1.
long PadFrom(long nLen, long nCol) { return nLen < nCol ? nLen : -1; }

// The bytes of s from nCol, at most n (fewer where the line ends).
std::string BytesAt(std::string_view s, long nCol, long n)
{
    if (nCol >= static_cast<long>(s.size()))
        return {};
    return std::string(s.substr(static_cast<size_t>(nCol), static_cast<size_t>(n)));
}

} // namespace

void CVu::Guard(const std::function<void()>& fn)
{
    // A change half made when memory ran out has no record: the history must
    // not undo across it.
    try {
        fn();
    } catch (const std::bad_alloc&) {
        m_History.Clear();
        ErrorBox(54);
    }
}

void CVu::AddUndo(const std::function<std::unique_ptr<CUndoRecord>()>& make)
{
    GetShownDoc()->m_Lines.FlushWorkLine();
    std::unique_ptr<CUndoRecord> pRecord;
    try {
        pRecord = make();
    } catch (const std::bad_alloc&) {
        pRecord.reset();
    }
    m_History.Add(std::move(pRecord));
}

void CVu::TypeChar(unsigned nChar)
{
    if (!GetShownDoc())
        return;
    Guard([&] {
        // Control characters only in the control-code mode, whose first
        // printable key ends it; a NUL would end the line there and lose the rest.
        bool bControlMode = Surface().IsControlCodeMode();
        if (bControlMode && nChar >= 0x20) {
            ErrorBeep();
            Surface().PostCommand(ID_CONTROL_CODE_MODE);
            return;
        }
        if (!bControlMode && nChar < 0x20) {
            ErrorBeep();
            return;
        }
        if (nChar == 0) {
            ErrorBeep();
            return;
        }
        ConsumeMarkForTyping();
        AppendInput(nChar);
        ApplyInput();
    });
}

void CVu::ImeChar(unsigned nChar)
{
    if (!GetShownDoc() || nChar == 0)
        return;
    Guard([&] {
        ConsumeMarkForTyping();
        AppendInput(nChar);
    });
}

void CVu::ImeComposition(unsigned nChar, unsigned long nFlags)
{
    if (!GetShownDoc() || nChar != 0 || !(nFlags & kImeResultClause))
        return;
    Guard([&] {
        Surface().UpdateNow();
        ApplyInput();
    });
}

void CVu::ConsumeMarkForTyping()
{
    if (m_bShiftMark && IsMarkSet())
        Close();
    else if (IsMarkSet())
        OnUnmark();
}

void CVu::AppendInput(unsigned nChar)
{
    int n = nChar > 0xFF ? 2 : 1;
    // A full buffer goes into the line before more is taken.
    if (m_nInputCount + n > kInputBufCapacity)
        ApplyInput();
    if (n == 2)
        m_InputBuf[m_nInputCount++] = static_cast<char>((nChar >> 8) & 0xFF);
    m_InputBuf[m_nInputCount++] = static_cast<char>(nChar & 0xFF);
}

void CVu::ApplyInput()
{
    if (m_nInputCount == 0)
        return;
    std::string bytes(m_InputBuf, static_cast<size_t>(m_nInputCount));
    m_nInputCount = 0;
    long c = CaretCol(), l = CaretLine();
    std::string_view line = PeekLine(l);
    long len = static_cast<long>(line.size());
    CViewPosition before = GetPosition();
    if (m_bInsert) {
        if (!InsertBytes(c, l, bytes))
            return;
        long n = static_cast<long>(bytes.size());
        m_pCaret->MoveHorz(n, true);
        AddUndo([&] {
            return std::make_unique<CUndoInsert>(CCellRect{c, l, c + n, l + 1}, before, GetPosition(),
                                                 std::vector<CUndoRow>{{bytes, PadFrom(len, c)}});
        });
        return;
    }
    // Overwriting never leaves half a character behind.
    long n = static_cast<long>(bytes.size());
    if (IsSecondByteAt(line, c + n)) {
        bytes += ' ';
        ++n;
    }
    CUndoRow old{BytesAt(line, c, n), PadFrom(len, c)};
    if (!OverwriteBytes(c, l, bytes))
        return;
    m_pCaret->MoveHorz(n, true);
    AddUndo([&] {
        return std::make_unique<CUndoOverwrite>(CCellRect{c, l, c + n, l + 1}, before, GetPosition(), old, bytes);
    });
}

void CVu::OnToggleInsert() { m_bInsert = !m_bInsert; }

// The options belong to the document that is saved, also from its header pane.
CDoc* CVu::SavedDoc() const { return dynamic_cast<CDoc*>(GetDocument()); }

void CVu::OnSaveJis() { SavedDoc()->ToggleJisOutput(); }

void CVu::OnSaveEuc() { SavedDoc()->ToggleEucOutput(); }

void CVu::OnLfOnly() { SavedDoc()->ToggleLfOnlyOutput(); }

void CVu::OnDeleteChar()
{
    if (IsMarkSet()) {
        Close();
        return;
    }
    long c = CaretCol(), l = CaretLine();
    std::string_view line = PeekLine(l);
    long len = static_cast<long>(line.size());
    if (c >= len) {
        if (AppSettings().m_bReturnChar)
            OnJoinLines();
        return;
    }
    long n = IsFirstByteAt(line, c) ? CharLenAt(line, static_cast<size_t>(c)) : 1;
    std::string removed = BytesAt(line, c, n);
    CViewPosition before = GetPosition();
    if (!DeleteBytes(c, l, n))
        return;
    AddUndo([&] {
        return std::make_unique<CUndoDelete>(CCellRect{c, l, c + n, l + 1}, before, GetPosition(),
                                             std::vector<CUndoRow>{{removed, -1}});
    });
}

void CVu::OnBackspace()
{
    if (IsMarkSet()) {
        Close();
        return;
    }
    long c = CaretCol(), l = CaretLine();
    if (c == 0) {
        if (AppSettings().m_bReturnChar && l > 0) {
            // A join that cannot be made leaves the caret where it is.
            if (PeekLine(l - 1).size() + PeekLine(l).size() >= static_cast<size_t>(MaxLineBytes)) {
                ErrorBox(53);
                return;
            }
            CViewPosition before = GetPosition();
            MoveCaretTo(static_cast<long>(PeekLine(l - 1).size()), l - 1);
            JoinLines(before);
        }
        return;
    }
    std::string_view line = PeekLine(l);
    long len = static_cast<long>(line.size());
    // Whether the character before the caret is double-byte is decided by
    // the parity of the lead-valued bytes, since a trail byte may have a
    // lead byte's value.
    long n = c >= 2 && c <= len && IsFirstByteAt(line, c - 2) ? 2 : 1;
    if (c - n >= len) {
        // Past the end of the line there is nothing to take away.
        m_pCaret->MoveHorz(-n, true);
        return;
    }
    std::string removed = BytesAt(line, c - n, n);
    CViewPosition before = GetPosition();
    long col = c - n;
    if (m_bInsert) {
        if (!DeleteBytes(col, l, n))
            return;
    } else if (!OverwriteBytes(col, l, std::string(static_cast<size_t>(n), ' '))) {
        return;
    }
    m_pCaret->MoveHorz(-n, true);
    m_pCaret->MoveVert(0, true);
    AddUndo([&]() -> std::unique_ptr<CUndoRecord> {
        CCellRect rc{col, l, c, l + 1};
        if (m_bInsert)
            return std::make_unique<CUndoDelete>(rc, before, GetPosition(), std::vector<CUndoRow>{{removed, -1}});
        return std::make_unique<CUndoOverwrite>(rc, before, GetPosition(), CUndoRow{removed, -1},
                                                std::string(static_cast<size_t>(n), ' '));
    });
}

void CVu::OnSplitLine()
{
    CancelShiftMark();
    long c = CaretCol(), l = CaretLine();
    CDoc& doc = *GetShownDoc();
    doc.m_Lines.FlushWorkLine();
    std::vector<std::string> old = CopyLines(l, 1);
    CViewPosition before = GetPosition();
    if (!SplitLineAt(c, l))
        return;
    GoNextLine();
    AddUndo([&] {
        return std::make_unique<CUndoReplaceLines>(CCellRect{0, l, c, l + 2}, before, GetPosition(), old,
                                                   CopyLines(l, 2));
    });
}

void CVu::OnJoinLines() { JoinLines(GetPosition()); }

void CVu::JoinLines(const CViewPosition& before)
{
    CancelShiftMark();
    long c = CaretCol(), l = CaretLine();
    if (l + 1 >= GetLineCount()) {
        ErrorBeep();
        return;
    }
    GetShownDoc()->m_Lines.FlushWorkLine();
    std::vector<std::string> old = CopyLines(l, 2);
    // The next line goes over this one from the caret; only when that worked
    // is the next line taken away.
    if (!OverwriteBytes(c, l, old[1]))
        return;
    DeleteLinesAt(l + 1, 1);
    AddUndo([&] {
        return std::make_unique<CUndoReplaceLines>(CCellRect{0, l, c, l + 2}, before, GetPosition(), old,
                                                   CopyLines(l, 1));
    });
}

void CVu::OnDeleteToLineEnd()
{
    CancelShiftMark();
    long c = CaretCol(), l = CaretLine();
    std::string_view line = PeekLine(l);
    long len = static_cast<long>(line.size());
    if (c >= len) {
        ErrorBeep();
        return;
    }
    std::string removed = BytesAt(line, c, len - c);
    CViewPosition before = GetPosition();
    if (!DeleteBytes(c, l, len - c))
        return;
    AddUndo([&] {
        return std::make_unique<CUndoDelete>(CCellRect{c, l, len, l + 1}, before, GetPosition(),
                                             std::vector<CUndoRow>{{removed, -1}});
    });
}

void CVu::OnDeleteToLineHead()
{
    CancelShiftMark();
    long l = CaretLine();
    std::string_view line = PeekLine(l);
    long n = std::min(CaretCol(), static_cast<long>(line.size()));
    if (n <= 0)
        return;
    std::string old = BytesAt(line, 0, n);
    std::string blanks(static_cast<size_t>(n), ' ');
    CViewPosition before = GetPosition();
    if (!OverwriteBytes(0, l, blanks))
        return;
    AddUndo([&] {
        return std::make_unique<CUndoOverwrite>(CCellRect{0, l, n, l + 1}, before, GetPosition(), CUndoRow{old, -1},
                                                blanks);
    });
}
