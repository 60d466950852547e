// Finding fold points and folding header lines.
#include "mail/HeaderFold.h"

#include "mail/HeaderField.h"
#include "services/TextUtils.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// An encoded word is only taken as one from this length on ("=?" to "?=").
constexpr size_t kMinEncodedWord = 11;

// The double quote at i opens the value of a name= parameter.
bool IsNameQuote(std::string_view s, size_t i) { return s[i] == '"' && i >= 5 && s.substr(i - 5, 5) == "name="; }

bool IsAddressFieldName(std::string_view line)
{
    size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        return false;
    std::string name = UpperCaseAscii(line.substr(0, colon));
    return name == "FROM" || CHeaderField::KindOfName(name) == kAddressField;
}

// Where a boundary of the line lies: inside which constructs.
struct CFoldState {
    bool bQuote = false;
    int nComment = 0;
    bool bAngle = false;
    bool bEncoded = false;
    size_t encodedStart = 0;
    size_t encodedEnd = 0;  // just past the last "?=" that closed an encoded word
    bool bPrevSingle = false;
    bool Inside() const { return bQuote || nComment > 0 || bAngle; }
};

// Calls visit(i, state) for each boundary i of s (before the character at i,
// and the end), stepping the state over the characters from st on; stops when
// visit returns false.
template <class F>
void WalkBoundaries(std::string_view s, CFoldState st, F visit)
{
    st.bPrevSingle = false;
    st.encodedStart = 0;  // offsets of a piece before this one mean nothing here
    st.encodedEnd = 0;
    for (size_t i = 0;;) {
        if (!visit(i, st) || i == s.size())
            return;
        size_t n = CharUnitAt(s, i);
        st.bPrevSingle = n == 1;
        if (n == 2) {
            i += 2;
            continue;
        }
        char c = s[i];
        char next = i + 1 < s.size() ? s[i + 1] : '\0';
        if (st.bEncoded) {
            if (c == '?' && next == '=' && i + 2 - st.encodedStart >= kMinEncodedWord) {
                st.bEncoded = false;
                st.encodedEnd = i + 2;
                st.bPrevSingle = true;
                i += 2;
                continue;
            }
        } else if (c == '=' && next == '?') {
            st.bEncoded = true;
            st.encodedStart = i;
            i += 2;
            continue;
        } else if ((st.bQuote || st.nComment > 0) && c == '\\' && i + 1 < s.size()) {
            i += 1 + CharUnitAt(s, i + 1);
            continue;
        } else if (st.bQuote) {
            if (c == '"')
                st.bQuote = false;
        } else if (st.nComment > 0) {
            if (c == '(')
                ++st.nComment;
            else if (c == ')')
                --st.nComment;
        } else if (st.bAngle) {
            if (c == '>')
                st.bAngle = false;
        } else if (c == '"') {
            st.bQuote = true;
        } else if (c == '(') {
            st.nComment = 1;
        } else if (c == '<') {
            st.bAngle = true;
        }
        ++i;
    }
}

size_t FirstTextOf(std::string_view s)
{
    size_t first = 0;
    while (first < s.size() && IsBlank(s[first]))
        ++first;
    return first;
}

enum class EScan {
    Outside,     // the last candidate up to the width, none inside quotes, comments, angles
    Inside,      // the same, inside them too (in quoted strings only at blanks,
                 // which unfold to what they were)
    FirstAfter,  // as Inside, the first candidate past the width
};

// A candidate to fold at, by the rules of FindFoldPoint; 0 when there is none.
size_t ScanForFold(std::string_view s, size_t width, bool bAddressField, EScan scan, const CFoldState& start)
{
    size_t firstText = FirstTextOf(s);
    size_t best = 0;
    size_t bestComma = 0;
    bool bInsideToo = scan != EScan::Outside;
    WalkBoundaries(s, start, [&](size_t i, const CFoldState& st) {
        if (scan == EScan::FirstAfter ? best != 0 : i > width)
            return false;
        if (i <= firstText || st.bEncoded || (st.Inside() && !bInsideToo) || (scan == EScan::FirstAfter && i <= width))
            return true;
        bool bBlank = i < s.size() && IsBlank(s[i]);
        if (st.bQuote && !bBlank)
            return true;
        bool cand = bBlank;
        if (i < s.size()) {
            char c = s[i];
            if ((IsRfc822Special(c) && !IsNameQuote(s, i)) || (c == '=' && i + 1 < s.size() && s[i + 1] == '?'))
                cand = true;
        }
        if (st.bPrevSingle && IsRfc822Special(s[i - 1]) && !IsNameQuote(s, i - 1))
            cand = true;
        if (i == st.encodedEnd)
            cand = true;
        if (cand)
            best = i;
        if (bAddressField && st.bPrevSingle && s[i - 1] == ',')
            bestComma = i;
        return true;
    });
    return bestComma ? bestComma : best;
}

// The first blank past the width that is no part of an encoded word or a
// quoted string (folding there unfolds to what the line was); 0 when none.
size_t FirstBlankAfter(std::string_view s, size_t width, const CFoldState& start)
{
    size_t firstText = FirstTextOf(s);
    size_t found = 0;
    WalkBoundaries(s, start, [&](size_t i, const CFoldState& st) {
        if (i > width && i > firstText && i < s.size() && IsBlank(s[i]) && !st.bEncoded && !st.bQuote)
            found = i;
        return found == 0;
    });
    return found;
}

// FindFoldPoint for a piece that starts in the given state (a continuation
// that begins inside a quoted string).
size_t FoldPointFrom(std::string_view line, size_t width, bool bAddressField, const CFoldState& start)
{
    size_t b = ScanForFold(line, width, bAddressField, EScan::Outside, start);
    if (b == 0)
        b = ScanForFold(line, width, bAddressField, EScan::Inside, start);
    if (b != 0)
        return b;
    // A hard cut at the width, after the first character at least. A cut that
    // would fall inside an encoded word or a quoted string moves on to the next
    // candidate: a longer line keeps a word or a file name whole.
    size_t firstText = FirstTextOf(line);
    size_t cut = 0;
    bool bCutWhole = false;
    WalkBoundaries(line, start, [&](size_t i, const CFoldState& st) {
        if (i <= firstText)
            return true;
        if (i > width && cut != 0)
            return false;
        cut = i;
        bCutWhole = !st.bEncoded && !st.bQuote;
        return true;
    });
    // A hard cut puts a blank into the word when the line is unfolded: while a
    // blank is left further on, the line stays long up to that blank instead.
    if (size_t blank = FirstBlankAfter(line, width, start); blank != 0)
        return blank;
    if (!bCutWhole) {
        size_t later = ScanForFold(line, width, bAddressField, EScan::FirstAfter, start);
        if (later != 0)
            return later;
    }
    return cut;
}

// The state at boundary pos of a piece that started in start.
CFoldState StateAt(std::string_view line, size_t pos, const CFoldState& start)
{
    CFoldState at = start;
    WalkBoundaries(line, start, [&](size_t i, const CFoldState& st) {
        at = st;
        return i < pos;
    });
    return at;
}

} // namespace

size_t FindFoldPoint(std::string_view line, size_t width, bool bAddressField)
{
    return FoldPointFrom(line, width, bAddressField, CFoldState());
}

void FoldHeaderLine(std::string& line, size_t width)
{
    bool bCrLf = line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0;
    std::string rest = bCrLf ? line.substr(0, line.size() - 2) : line;
    if (rest.size() <= width)
        return;
    bool bAddress = IsAddressFieldName(rest);
    std::string out;
    CFoldState state;
    while (rest.size() > width) {
        size_t b = FoldPointFrom(rest, width, bAddress, state);
        if (b >= rest.size())
            break;  // nowhere to fold: the rest stays whole
        state = StateAt(rest, b, state);
        size_t end = b;
        while (end > 0 && IsBlank(rest[end - 1]))
            --end;
        out.append(rest, 0, end);
        out += "\r\n";
        std::string next = rest.substr(b);
        size_t text = next.find_first_not_of(" \t");
        if (text == std::string::npos) {
            rest.clear();  // only blanks were left
            break;
        }
        if (bAddress)
            next = " " + next.substr(text);
        else if (text == 0)
            next = " " + next;
        rest = std::move(next);
    }
    out += rest;
    if (!bCrLf) {
        // The pieces were joined by CR LF; the line itself had none at its end.
        if (rest.empty() && out.size() >= 2)
            out.resize(out.size() - 2);
    } else if (!rest.empty()) {
        out += "\r\n";
    }
    line = std::move(out);
}
