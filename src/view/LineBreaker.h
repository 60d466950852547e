// Japanese paragraph filling: a text (the marked lines joined with blanks) is
// cut into tokens and laid out again between a left and a right column.
// Closing punctuation never begins a line and hangs past the margin, opening
// brackets never end one, English words are never split, and a blank between
// Japanese and English text is put in or left out as the rules say.
#pragma once
#include <bitset>
#include <string>
#include <string_view>

#include "text/OwnedLines.h"

// The character lists are Shift-JIS; a single-byte character is a member by
// its byte, a double-byte one by both bytes.
struct CFillRules {
    std::string strRightProhibition;  // may not begin a line (closing tokens)
    std::string strLeftProhibition;   // may not end a line (opening runs)
    std::string strLeftSticker;       // no blank after these before an ASCII word
    bool bSpaceAscii = false;         // a blank between Japanese and ASCII text
};

class CLineBreaker {
public:
    explicit CLineBreaker(const CFillRules& rules);

    enum class EFill { Done, TooLong, NoMemory };
    // Lays out text: the first line keeps the first nLeft bytes of the text as
    // they are, each later one begins with nLeft blanks, and tokens from the
    // rest are put up to column nRight. There is always at least the first
    // line. The new lines are cut from blocks of lines, ready for a store.
    // TooLong, and lines left empty, when a line would be longer than nMaxLine
    // bytes; NoMemory when they could not be made.
    EFill Fill(std::string_view text, long nLeft, long nRight, size_t nMaxLine, COwnedLines& lines) const;

private:
    // A set of characters of one list.
    struct CCharSet {
        std::bitset<256> single;
        std::bitset<0x10000> wide;  // by (lead << 8 | trail)
        void Assign(std::string_view list);
        bool Has(std::string_view text, size_t i, size_t len) const;
    };
    // How a token ended, for the blank before the next one on the line.
    enum class EEnd { Ascii, AsciiSticker, Wide, WideSticker, LoneLead };
    struct CToken {
        size_t nBegin = 0;
        size_t nEnd = 0;
        bool bClosing = false;
        std::string_view bytes;  // what goes on the line
        EEnd end = EEnd::Ascii;
    };

    // Cuts the token at text[i] (not a blank). An opening run takes the next
    // character after any blanks, which are dropped; the token's bytes then
    // are the run and that character, copied into out. Otherwise they are a
    // piece of text.
    CToken Cut(std::string_view text, size_t i, std::string& out) const;
    // How a token ends whose last character is text[last], len bytes.
    EEnd EndOf(std::string_view text, size_t last, size_t len) const;
    bool NeedsBlank(EEnd prev, std::string_view token, bool bClosing) const;
    // After a double-byte character, the plain double-byte characters that
    // follow (neither closing nor opening) are each a token that goes on the
    // line without a blank: they are taken as one run while they fit.
    size_t TakeWideRun(std::string_view text, size_t pos, long nRight, std::string& line, EEnd& prev) const;

    CCharSet m_right;
    CCharSet m_left;
    CCharSet m_sticker;
    // Double-byte codes that are a character and neither closing nor opening.
    std::bitset<0x10000> m_plainWide;
    bool m_bSpaceAscii;
};

// Bytes of a double-byte character at text[i]: 2 for a lead byte followed by a
// trail byte, else 1 (a lone lead byte is a character of its own here, so it
// never swallows the blank that follows it).
size_t FillCharLen(std::string_view text, size_t i);
