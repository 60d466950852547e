// The installed spell checker and the words it is asked about.
#include "view/SpellChecker.h"

#include "text/Sjis.h"

namespace {

ISpellChecker* g_pChecker = nullptr;

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

ISpellChecker* SpellChecker() { return g_pChecker; }

ISpellChecker* SetSpellChecker(ISpellChecker* pChecker)
{
    ISpellChecker* pOld = g_pChecker;
    g_pChecker = pChecker;
    return pOld;
}

bool NextSpellWord(const std::string& text, size_t from, size_t& nBegin, size_t& nEnd)
{
    size_t n = text.size();
    size_t i = from;
    while (i < n) {
        char c = text[i];
        if (static_cast<unsigned char>(c) >= 0x80) {
            i += static_cast<size_t>(CharLenAt(text, i));
            continue;
        }
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '\'') {
            ++i;
            continue;
        }
        size_t begin = i++;
        bool bLetter = IsAsciiLetter(c);
        while (i < n && (IsAsciiLetter(text[i]) || IsAsciiDigit(text[i]))) {
            bLetter = bLetter || IsAsciiLetter(text[i]);
            ++i;
        }
        if (bLetter) {
            nBegin = begin;
            nEnd = i;
            return true;
        }
    }
    return false;
}
