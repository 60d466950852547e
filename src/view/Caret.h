// The caret of one view: its cell on the screen and in the text, and the two
// moves every motion command is made of. It never rests on the second byte of
// a double-byte character, and keeps its column across lines of mixed single-
// and double-byte text.
#pragma once

class CVu;

class CCaret {
public:
    // Takes the "Line Length" setting as it is now.
    explicit CCaret(CVu& view);

    void SetCellSize(int nWidth, int nHeight);
    // Moves the caret by delta screen columns, scrolling the window by the
    // overshoot at either edge. bSnap: a second byte is passed over in the same
    // direction. Crossing the "Line Length" column rightwards beeps.
    void MoveHorz(long delta, bool bSnap);
    // Moves the caret by delta rows, scrolling by the overshoot. bSnap: the
    // column is corrected against the new line (see m_bShiftedLeft).
    void MoveVert(long delta, bool bSnap);
    // Places the caret at screen cell (x, y); a second byte moves it one left
    // (one right at column 0). Outside the window: the error message, and the
    // caret stays.
    bool SetCell(long x, long y);
    // Shows the caret at its cell (and refreshes the absolute position).
    bool Place();
    // Moves the caret off a second byte (one left, or one right at column 0);
    // true when it moved (it is not placed).
    bool SnapOffSecondByte();

    long m_nCol = 0;      // screen column
    long m_nRow = 0;      // screen row
    long m_nAbsCol = 0;   // m_nCol + the view's left column, as last placed
    long m_nAbsLine = 0;  // m_nRow + the view's top line, as last placed
    int m_nCellWidth = 8;
    int m_nCellHeight = 16;
    int m_nLineLength;
    // A vertical move stepped one column left to leave a second byte; the next
    // line where that is not needed gets the column back.
    bool m_bShiftedLeft = false;

private:
    // Moves the row or the column by d, scrolling the window by the overshoot
    // when it leaves it; no beep, the shifted-left flag untouched.
    void Shift(bool bVert, long d);
    void ShiftCol(long d);

    CVu& m_view;
};
