// Words of a line.
#include "view/Words.h"

#include "text/Sjis.h"

namespace {

enum class EWordClass { None, Hiragana, Katakana, WideLetter, Kanji, OtherWide, AsciiWord, OtherByte };

// The class of the character that begins at i.
EWordClass ClassAt(std::string_view s, long i)
{
    if (CharLenAt(s, static_cast<size_t>(i)) == 2) {
        if (IsHiraganaAt(s, i))
            return EWordClass::Hiragana;
        if (IsKatakanaAt(s, i))
            return EWordClass::Katakana;
        if (IsWideLetterAt(s, i))
            return EWordClass::WideLetter;
        if (IsKanjiAt(s, i))
            return EWordClass::Kanji;
        return EWordClass::OtherWide;
    }
    char c = s[static_cast<size_t>(i)];
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return EWordClass::AsciiWord;
    return EWordClass::OtherByte;
}

// Characters that continue a word of class cls.
bool Continues(std::string_view s, long i, EWordClass cls)
{
    if (cls == EWordClass::AsciiWord && s[static_cast<size_t>(i)] == '_')
        return true;
    return ClassAt(s, i) == cls;
}

} // namespace

long CharStartAt(std::string_view s, long i) { return IsSecondByteAt(s, i) ? i - 1 : i; }

long PrevCharStart(std::string_view s, long i)
{
    if (i >= 2 && IsFirstByteAt(s, i - 2))
        return i - 2;
    return i - 1;
}

bool IsBlankAt(std::string_view s, long i)
{
    return s[static_cast<size_t>(i)] == ' ' ||
           (CharLenAt(s, static_cast<size_t>(i)) == 2 && IsWideSpaceAt(s, i));
}

long TextEnd(std::string_view s)
{
    long end = 0;
    for (long i = 0; i < static_cast<long>(s.size()); i += CharLenAt(s, static_cast<size_t>(i)))
        if (!IsBlankAt(s, i))
            end = i + CharLenAt(s, static_cast<size_t>(i));
    return end;
}

long FirstNonBlank(std::string_view s)
{
    long i = 0;
    while (i < static_cast<long>(s.size()) && IsBlankAt(s, i))
        i += CharLenAt(s, static_cast<size_t>(i));
    return i;
}

long TrimmedLength(std::string_view s)
{
    size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ')
        --n;
    return static_cast<long>(n);
}

long LeadingBlanks(std::string_view s)
{
    size_t n = s.find_first_not_of(' ');
    return static_cast<long>(n == std::string_view::npos ? s.size() : n);
}

bool WordAt(std::string_view s, long i, CWordSpan& word)
{
    long n = static_cast<long>(s.size());
    if (i < 0 || i >= n)
        return false;
    i = CharStartAt(s, i);
    if (IsBlankAt(s, i))
        return false;
    EWordClass cls = ClassAt(s, i);
    long start = i;
    long end = i + CharLenAt(s, static_cast<size_t>(i));
    if (cls != EWordClass::OtherWide && cls != EWordClass::OtherByte) {
        while (start > 0) {
            long p = PrevCharStart(s, start);
            if (end - p > kMaxWordBytes || !Continues(s, p, cls))
                break;
            start = p;
        }
        while (end < n) {
            long len = CharLenAt(s, static_cast<size_t>(end));
            if (end + len - start > kMaxWordBytes || !Continues(s, end, cls))
                break;
            end += len;
        }
    }
    word = {start, end};
    return true;
}
