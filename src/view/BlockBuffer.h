// The application's pick and close buffers: a block of whole lines or a
// rectangle (rows of equal width), shared by every view, so a block taken in
// one window can be put into another. Storing replaces the whole content;
// putting a block back copies it, so the buffer keeps it.
#pragma once
#include <string>
#include <vector>

#include "text/LineStore.h"

class CBlockBuffer {
public:
    enum EKind : int { kEmpty = 0, kLines = 104, kRectangle = 105 };
    // The most lines a buffer takes at once.
    static constexpr int kMaxLines = MaxLineBytes / 4;

    // Replaces the content. More than kMaxLines lines: "メモリ不足のため新しい行を
    // 作成できません" and the buffer stays as it was; so it does when memory for
    // the copies runs out.
    bool Store(const std::vector<std::string>& lines, EKind kind);
    EKind GetKind() const { return m_nKind; }
    bool IsEmpty() const { return m_nKind != kLines && m_nKind != kRectangle; }
    std::vector<std::string> GetLines() const;
    // The width of a rectangle (its first row's length).
    long GetWidth() const;

private:
    CLineStore m_Lines;
    EKind m_nKind = kEmpty;
};

CBlockBuffer& PickBuffer();
CBlockBuffer& CloseBuffer();
