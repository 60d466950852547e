// The editor view: one document's lines on a fixed character grid (a byte a
// cell, a double-byte character two cells, lines never wrapped), the caret, the
// marked-region overlay, scrolling by moving pixels, and the commands that act
// on the view. It is portable: the window behind it is reached only through an
// IViewSurface (CVuWnd on Win32, a recording fake in tests).
//
// The implementation is split by concern:
//   Vu.cpp        state, layout, update hints, window list position, command dispatch
//   VuPaint.cpp   the painter, the marked-region overlay, the address under a cell
//   VuScroll.cpp  the scrolling primitives and the scroll bars
//   VuMotion.cpp  the motion commands and the word motion
//   VuMouse.cpp   mouse, auto-scroll, cursor shape, context menu, focus
//   Caret.cpp     the caret and its two moves
//   VuText.cpp    the text primitives every change goes through
//   VuEdit.cpp    typing, the input method, the character and line commands
//   VuMarks.cpp   marks, mark-while-moving, pick, close, open, the buffers
//   VuClipboard.cpp copy, cut, paste, the line header, word selection
//   VuTags.cpp    tags
//   VuUndo.cpp    undo and redo
//   VuAddress.cpp opening URLs and mail addresses (through AddressOpener.h)
//   VuSpell.cpp   the spell check (through SpellChecker.h)
//   VuFormat.cpp  paragraph formatting (LineBreaker.cpp lays the lines out), counting
//   VuSearch.cpp  search and replace, the half-width katakana mode
//   VuShell.cpp   a shell command's input (the pick) and output
//
// Commands: CommandHandler maps a command number to its handler (a flat switch
// that subclasses and later files extend). A plain motion command cancels a
// shift-mark first (CancelShiftMark) and ends with UpdateHilight; the
// mark-while-moving commands run the same motion without the cancel.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fw/DocBase.h"
#include "text/LineList.h"
#include "view/AddressFinder.h"
#include "view/UndoHistory.h"
#include "view/ViewSurface.h"

class CBlockBuffer;
class CCaret;
class CDoc;
class CLineStore;

// Scroll-bar actions, as the window hands them over.
enum class EScrollAction { LineUp, LineDown, PageUp, PageDown, Track, Other };

// A rectangle of pixels.
struct CPixelRect {
    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;
};

class CVu : public CViewBase {
public:
    // Room for typed bytes not yet applied, kept below the buffer's size so a
    // blank and the terminating zero still fit.
    static constexpr int kInputBufSize = 4096;
    static constexpr int kInputBufCapacity = 4094;
    // The horizontal scroll bar's range.
    static constexpr long kHorzScrollMax = 8192;

    CVu();
    ~CVu() override;

    // The window behind the view; null detaches it (a null surface stands in).
    void SetSurface(IViewSurface* pSurface);
    IViewSurface& Surface() const { return *m_pSurface; }

    // The document whose lines are shown: the view's own, or with m_bOtherDoc
    // its header document. Null when there is none.
    CDoc* GetShownDoc() const;
    // The text of a line of the shown document ("" past its end; never extends it).
    std::string_view PeekLine(long nLine) const;
    long GetLineCount() const;
    // The caret's absolute column and line.
    long CaretCol() const;
    long CaretLine() const;

    // -- Layout and painting (Vu.cpp, VuPaint.cpp) --
    // The first update: lays the view out.
    virtual void OnInitialUpdate();
    // Measures the font and the window again, repaints everything, clamps the
    // caret into the window. Called on every size change and whenever the font
    // or "GapPixel" changed (the settings dialogs call it for every view).
    void RecalcLayout();
    // Repaints every cell (colours, "URLSensitive" or "HilightMark" changed).
    void RepaintAll();
    // The vertical scroll bar's range from the line count (text views only).
    virtual void UpdateScrollRange();
    void OnUpdate(CViewBase* pSender, long lHint, const CCellRect* pRect) override;
    // A paint asked for by the window system for these screen cells; paints
    // them and whatever the view marked dirty.
    void OnPaint(const CCellRect& rcCells);
    // The painter: the rows of m_rcDirty.
    void OnDraw();
    // Screen cells to be repainted at the next paint.
    void MarkDirty(const CCellRect& rcCells);
    void MarkAllDirty();
    CCellRect WholeWindow() const { return {0, 0, m_nCols + 1L, m_nRows + 1L}; }

    // The marked-region overlay: rect in absolute cells (end line exclusive).
    void PaintHilight(const CCellRect& rect, bool bOn);
    void UpdateHilight();
    // The marked block of the mark anchor and the caret; false without a mark.
    // bForHilight: a line block spans the window's width and the block is
    // clipped to the visible cells.
    bool GetMarkedRect(CCellRect& rect, bool bForHilight) const;
    bool IsMarkSet() const { return m_nMarkLine >= 0; }
    // A mark made by moving with a mark-while-moving command ends at the next
    // plain motion: the anchor is dropped where it is.
    void CancelShiftMark();
    bool IsTagged(long nLine) const;
    // The address covering screen cell (col, row); its kind and text are kept
    // for the command that opens it.
    int AddressAt(long nCol, long nRow);
    // The same without keeping it; its place in the line (offset, length).
    CAddressMatch FindAddressAt(long nCol, long nRow) const;

    // -- Scrolling (VuScroll.cpp) --
    // Scrolls by delta columns / lines; the change actually made.
    long ScrollHorz(long delta);
    long ScrollVert(long delta, bool bFixCaret = false);
    void OnVScroll(EScrollAction action, long nTrackPos);
    void OnHScroll(EScrollAction action, long nTrackPos);

    // -- Caret --
    // Shows the caret at a pixel position inside the window; outside it:
    // "文書ｳｨﾝﾄﾞｳが小さすぎます" and the caret stays.
    bool PlaceCaret(int x, int y);
    CCaret& Caret() const { return *m_pCaret; }

    // -- Window list --
    CViewPosition GetPosition() const;
    void SetPosition(const CViewPosition& pos);

    // -- Mouse, focus (VuMouse.cpp); coordinates in client pixels --
    void OnLButtonDown(int x, int y);
    void OnLButtonUp(int x, int y);
    void OnRButtonDown(int x, int y);
    void OnRButtonUp(int x, int y);
    void OnMouseWheel(int nNotches);
    // The capture went elsewhere: a running auto-scroll ends.
    void OnCaptureLost() { m_nAutoScrollCmd = 0; }
    virtual EViewCursor CursorAt(int x, int y);
    virtual void OnSetFocus();
    virtual void OnKillFocus();

    // -- Typing (VuEdit.cpp) --
    // A character message: one byte, or a double-byte code (lead << 8 | trail).
    void TypeChar(unsigned nChar);
    // A character of the input method: buffered until the composition result.
    void ImeChar(unsigned nChar);
    // The input method's composition message; with a result clause
    // (kImeResultClause in nFlags, nChar 0) the buffered bytes are applied.
    void ImeComposition(unsigned nChar, unsigned long nFlags);
    static constexpr unsigned long kImeResultClause = 0x1000;
    // Double click on the text area (client pixels).
    void OnLButtonDblClk(int x, int y);

    // -- Text primitives (VuText.cpp) --
    // One line-store operation each on the shown document: the other views
    // are told, this one repaints the changed cells, keeps its tags in step
    // and marks the document modified. False when the store refused (it said
    // why) and nothing changed.
    bool InsertBytes(long nCol, long nLine, std::string_view bytes);
    bool OverwriteBytes(long nCol, long nLine, std::string_view bytes);
    bool DeleteBytes(long nCol, long nLine, long n);
    bool InsertLinesAt(long nLine, const std::vector<std::string>& lines);
    bool DeleteLinesAt(long nLine, long n);
    // Lines nLine .. nLine+nOld-1 give way to lines; tags stay on the lines
    // both share and follow the difference.
    bool ReplaceLinesAt(long nLine, long nOld, const CLineList& lines);
    // The same without copying: lines go in, and the nOld lines they replace
    // come out into lines. Unless bKeepTags, tags on the old lines go with them.
    bool SwapLinesAt(long nLine, long nOld, COwnedLines& lines, bool bKeepTags = true);
    // The rest of the line from nCol becomes a new line after it.
    bool SplitLineAt(long nCol, long nLine);
    std::vector<std::string> CopyLines(long nLine, long n) const;
    bool InsertLinePointers(long nLine, const std::vector<const char*>& pp);
    // Replaces nLength bytes at (nCol, nLine) by text as one undoable change;
    // the record's positions are posShown before and after (the caret on the
    // replacement's start). False when the store refused it.
    bool ReplaceBytes(long nCol, long nLine, long nLength, std::string_view text, const CViewPosition& posShown);
    // A filter's input: the marked block, or the caret line, picked as
    // ID_PICK does; false when the pick refused (nothing is to be run).
    bool PickFilterInput(std::vector<std::string>& lines);
    // A shell command's output put above the caret line as one undoable
    // insertion (a mark goes first); the document is marked modified even
    // when there are no lines.
    bool InsertCommandOutput(const std::vector<std::string>& lines);
    // The window's position as a search shows (nCol, nLine): unmoved when the
    // cell is in sight, else the line a quarter window from the top and the
    // columns moved just enough; the caret on the cell.
    CViewPosition PositionShowing(long nCol, long nLine, long nLength) const;

    // -- Undo (VuUndo.cpp) --
    CUndoHistory& History() { return m_History; }
    // Sets the history's capacity ("MaxHistory").
    void SetHistoryCapacity(int n) { m_History.SetCapacity(n); }

    // -- Commands --
    bool OnCommand(unsigned nId, CCmdUi* pUi) override;
    // The text views have scroll bars; the command window has none.
    virtual bool HasScrollBars() const { return true; }
    // A mail header view (the upper pane of a mail window).
    bool IsHeaderView() const { return m_bOtherDoc; }

    // -- The view's state --
    bool m_bOtherDoc = false;         // shows its document's header document
    CPixelRect m_rcClient;            // the client area in pixels
    CViewMetrics m_metrics;           // the font's cells, as measured at the last layout
    int m_nCols = 0;                  // whole cells that fit across
    int m_nRows = 0;                  // whole rows that fit down
    std::unique_ptr<CCaret> m_pCaret;
    long m_nTopLine = 0;              // line shown in row 0
    long m_nLeftCol = 0;              // column shown in screen column 0
    // Screen cells the next paint redraws (right and bottom exclusive); the
    // whole window after a paint. m_bDirtyPending: cells were marked since then.
    CCellRect m_rcDirty;
    bool m_bDirtyPending = false;
    int m_nTabStep = 4;               // of the tab-step motions
    bool m_bInsert = true;            // insert mode (false: overwrite)
    long m_nMarkCol = -1;             // the mark anchor (-1: none)
    long m_nMarkLine = -1;
    long m_nMarkLeftCol = 0;          // the window's position when the mark was set
    long m_nMarkTopLine = 0;
    bool m_bShiftMark = false;        // the mark came from a mark-while-moving command
    char m_InputBuf[kInputBufSize] = {};  // typed bytes not yet put into the line
    int m_nInputCount = 0;
    unsigned m_nAutoScrollCmd = 0;    // repeated while a button is held on an edge row
    unsigned long m_dwFocusTick = 0;  // the last focus gain or auto-scroll step
    bool m_bSkipButtonUp = false;     // set by a double click: its button-up does nothing
    bool m_bObscured = false;         // not wholly inside the main window: scrolling repaints
    bool m_bImeOpen = false;          // the input method's status when the focus went
    CCellRect m_rcHilight;            // the cells painted marked (absolute; empty: none)
    CUndoHistory m_History;           // this view's changes
    std::string m_strLineHeader;      // put before each line copied to the clipboard (">> " or "")
    std::vector<unsigned> m_arrTags;  // tagged lines, ascending
    int m_nAddressKind = 0;           // the address last found by AddressAt
    std::string m_strAddress;         // its text (at most 255 bytes)
    long m_nVScrollMax = -1;          // the vertical range last set
    int m_nVScrollPage = -1;

protected:
    using Handler = void (CVu::*)();
    // The handler of a view command, null for a command the view does not take.
    virtual Handler CommandHandler(unsigned nId);
    // The state of a command the view takes (enabled unless said otherwise).
    virtual void UpdateCommandState(unsigned nId, CCmdUi& ui);

    // Moves the window over the text along one axis to nNewPos (the left column
    // or the top line): pixels move for less than a window, the rest is
    // repainted. The change made.
    long ScrollAxis(bool bVert, long& nPos, long nNewPos);

    // -- Painting helpers (VuPaint.cpp) --
    // Adds screen cells to what the next paint redraws (nothing is invalidated).
    void AddDirty(const CCellRect& rcCells);
    // Paints the absolute columns [colFrom, colTo) of screen row r, clipped to
    // the visible columns being painted.
    void DrawCells(int r, std::string_view text, long colFrom, long colTo, ColorValue crText, ColorValue crBack);
    void PaintRow(int r, long nLine, std::string_view text);
    void PaintHilightRow(int r, std::string_view text, const CCellRect& rect);

    // -- Motion (VuMotion.cpp) --
    // Moves the caret to an absolute cell, scrolling as needed.
    void MoveCaretTo(long nCol, long nLine);
    bool NextNonBlank(long& nCol, long& nLine) const;
    bool PrevNonBlank(long& nCol, long& nLine) const;
    void GoLineHead();
    void GoLineEnd();
    void GoWordNext();
    void GoWordPrev();
    void GoFileEnd();
    void GoFileTop();
    void GoLine(long nTarget);
    void GoNextLine();
    // Horizontal scrolling commands keep the caret off second bytes.
    void ScrollHorzBy(long delta);
    // Scrolls by delta lines keeping the caret on its text line while that line
    // stays in the window.
    void ScrollLinesKeepingCaret(long delta);

    // The motion commands.
    void OnCursorUp();
    void OnCursorDown();
    void OnCursorLeft();
    void OnCursorRight();
    void OnCursorTabRight();
    void OnCursorTabLeft();
    void OnCursorScreenLeft();
    void OnCursorScreenRight();
    void OnCursorScreenTop();
    void OnCursorScreenBottom();
    void OnCursorLineHead();
    void OnCursorLineEnd();
    void OnCursorNextLine();
    void OnWordNext();
    void OnWordPrev();
    void OnGotoTop();
    void OnGotoEnd();
    void OnGotoLine();
    void OnScrollLineUp();
    void OnScrollLineDown();
    void OnPageDown();
    void OnPageUp();
    void OnQuarterPageDown();
    void OnQuarterPageUp();
    void OnScrollLeftTab();
    void OnScrollRightTab();
    void OnScreenLeft();
    void OnScreenRight();

    // -- Editing (VuEdit.cpp) --
    // Puts m_InputBuf into the line at the caret and empties it.
    void ApplyInput();
    void AppendInput(unsigned nChar);
    // Before typing: a shift-mark is closed, a plain mark removed.
    void ConsumeMarkForTyping();
    // Adds the record of a change just made (the working line written back
    // first); a record that cannot be made empties the history.
    void AddUndo(const std::function<std::unique_ptr<CUndoRecord>()>& make);
    void OnToggleInsert();
    // The document's output code and line ends (File menu); no change to the text.
    CDoc* SavedDoc() const;
    void OnSaveJis();
    void OnSaveEuc();
    void OnLfOnly();
    void OnDeleteChar();
    void OnBackspace();
    void OnSplitLine();
    void OnJoinLines();
    // Joins at the caret; before is where the command began.
    void JoinLines(const CViewPosition& before);
    // Runs an editing step; memory running out in it empties the history.
    void Guard(const std::function<void()>& fn);
    void OnDeleteToLineEnd();
    void OnDeleteToLineHead();
    void SetModified();
    // After a change of line nLine from nCol to nEnd (LONG_MAX: the rest of
    // it), or of the lines from nLine down.
    void CharsChanged(long nCol, long nLine, long nEnd, bool bCountChanged);
    void LinesChanged(long nLine);
    // Lines nLine .. nLine+n-1 exist; else message 55.
    bool HasLineRange(long nLine, long n) const;
    // Tags and views after nOld lines at nLine gave way to nNew: tags stay on
    // the lines both share unless !bKeepTags (then the old lines' tags go).
    void LinesReplaced(long nLine, long nOld, long nNew, bool bKeepTags);
    // One byte edit of line nLine (a line past the end appends lines up to it).
    bool ByteEdit(long nCol, long nLine, long nEnd, const std::function<bool(CLineStore&)>& edit);

    // -- Marks and buffers (VuMarks.cpp) --
    void SetAnchor();
    void OnMark();
    void OnUnmark();
    // The mark-while-moving commands: an anchor at the caret when there is
    // none, the shift-mark flag, the motion, the overlay.
    void MarkWhileMoving(const std::function<void()>& move);
    void OnMarkUp();
    void OnMarkDown();
    void OnMarkLeft();
    void OnMarkRight();
    void OnMarkLineHead();
    void OnMarkLineEnd();
    void OnMarkWordNext();
    void OnMarkWordPrev();
    void OnMarkPageDown();
    void OnMarkPageUp();
    void OnMarkGotoEnd();
    void OnMarkGotoTop();
    // The block of the mark and the caret (the caret line alone without a
    // mark); false for a rectangle whose edges cut a double-byte character.
    bool GetBlock(CCellRect& rc, bool& bRect) const;
    bool CutsDoubleByte(const CCellRect& rc, bool bRightEdge) const;
    // True when the block went into the buffer.
    bool Pick();
    bool Close();
    void OnPick() { Pick(); }
    void OnClose() { Close(); }
    void OnOpen();
    void InsertBuffer(const CBlockBuffer& buffer, bool bPick);
    void OnInsertPickBuffer();
    void OnInsertCloseBuffer();
    // Blanks or the buffer's rows at (nCol, nLine) on consecutive lines, each
    // line checked for room first (nothing changes when one has none); the
    // rows for the insertion record.
    bool InsertRectangle(long nCol, long nLine, const std::vector<std::string>& rows, std::vector<CUndoRow>& undoRows);

    // -- Clipboard (VuClipboard.cpp) --
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnQuoteOnCopy();
    void PutOnClipboard(const CBlockBuffer& buffer, bool bHeader);
    void PasteLines(std::string_view text);

    // -- Tags (VuTags.cpp) --
    void OnToggleTag();
    void OnTagNext();
    void OnTagPrev();
    // Puts the caret on a tagged line; without one (null), a beep.
    void GoToTag(const unsigned* pTag);
    void TagsInserted(long nLine, long n);
    void TagsRemoved(long nLine, long n);

    // -- Paragraph formatting and counting (VuFormat.cpp) --
    void OnFormatParagraph();
    void OnCount();

    // -- Addresses (VuAddress.cpp) --
    // The address to open: the one held from the mouse, else the one at the
    // caret; false (after saying why) when there is none to take. The
    // address book asks for a mail address, the other commands for a URL.
    bool TakeAddress(bool bMailAddress);
    // The held address of that kind as a mail address (without "mailto:").
    std::string HeldMailAddress(int nKind) const;
    void OnOpenUrl();
    void OnRegisterAddress();

    // -- Spell check (VuSpell.cpp, through SpellChecker.h) --
    void OnSpellCheck();
    // The word at (nCol, nLine) becomes the replacement, as one undoable edit.
    bool ReplaceWord(long nCol, long nLine, const std::string& word, const std::string& replacement);

    // -- Search and replace (VuSearch.cpp) --
    void OnSearchNext();
    void OnSearchPrev();
    void OnReplace();
    void OnReplaceAll();
    void OnHankakuKanaSearch();
    void ShowSearchHit(long nCol, long nLine, long nLength);

    // -- Undo (VuUndo.cpp) --
    void OnEditUndo();
    void OnEditRedo();

    // -- Mouse helpers (VuMouse.cpp) --
    void AutoScroll(unsigned nCmd);
    void ShowContextMenu(int x, int y);
    bool IsTopRow(int y) const;
    bool IsBottomRow(int y) const;
    // Runs a view command as the route would (the mouse's repeated commands).
    void RunCommand(unsigned nId);

    // The screen columns the painter draws in (the dirty columns while painting,
    // the whole window for the overlay).
    long m_nClipLeft = 0;
    long m_nClipRight = 0;

private:
    IViewSurface* m_pSurface;
};
