// Message formatting and the box helpers.
#include "platform/Messages.h"

#include <cstdarg>
#include <cstdio>

#include "platform/StringTable.h"
#include "platform/Ui.h"
#include "text/Sjis.h"
#include "text/Unicode.h"

namespace {

bool IsAscii(const char* s)
{
    for (; *s; ++s)
        if (static_cast<unsigned char>(*s) >= 0x80)
            return false;
    return true;
}

std::string VFormat(const char* format, va_list args)
{
    std::string sjisFormat;
    if (!IsAscii(format)) {
        sjisFormat = Utf8ToSjis(format);
        format = sjisFormat.c_str();
    }
    char buf[kMessageBufferSize];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    int n = std::vsnprintf(buf, sizeof buf, format, args);
#pragma GCC diagnostic pop
    if (n < 0)
        return std::string();
    size_t len = static_cast<size_t>(n) < sizeof buf ? static_cast<size_t>(n) : sizeof buf - 1;
    // A cut that fell between the two bytes of a character drops the first byte.
    if (len < static_cast<size_t>(n) && len > 0 && IsFirstByteAt(std::string_view(buf, len), static_cast<long>(len) - 1))
        --len;
    return std::string(buf, len);
}

bool ShowNumbered(EMessageBox kind, unsigned id)
{
    const char* text = LoadSjisString(id);
    if (!text) {
        if (kind == EMessageBox::Question)
            return false;
        Ui().ShowMessageBox(EMessageBox::Error, "Couldn't load message string");
        return false;
    }
    return Ui().ShowMessageBox(kind, text);
}

bool ShowFormatted(EMessageBox kind, const char* format, va_list args)
{
    std::string text = VFormat(format, args);
    return Ui().ShowMessageBox(kind, text.c_str());
}

} // namespace

void ErrorBox(unsigned id) { ShowNumbered(EMessageBox::Error, id); }
void InfoBox(unsigned id) { ShowNumbered(EMessageBox::Information, id); }
bool QuestionBox(unsigned id) { return ShowNumbered(EMessageBox::Question, id); }
void FatalErrorBox(unsigned id) { ShowNumbered(EMessageBox::Fatal, id); }

#define TOVA_FORWARD(kind)                             \
    va_list args;                                      \
    va_start(args, format);                            \
    bool result = ShowFormatted(kind, format, args);   \
    va_end(args);

void ErrorBox(const char* format, ...) { TOVA_FORWARD(EMessageBox::Error) (void)result; }
void InfoBox(const char* format, ...) { TOVA_FORWARD(EMessageBox::Information) (void)result; }
bool QuestionBox(const char* format, ...) { TOVA_FORWARD(EMessageBox::Question) return result; }
void FatalErrorBox(const char* format, ...) { TOVA_FORWARD(EMessageBox::Fatal) (void)result; }
#undef TOVA_FORWARD

EAnswer YesNoCancelBox(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = VFormat(format, args);
    va_end(args);
    return Ui().AskYesNoCancel(text.c_str());
}

void StatusMessage(unsigned id)
{
    const char* text = LoadSjisString(id);
    Ui().ShowStatusMessage(text ? text : "");
}

void StatusMessage(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = VFormat(format, args);
    va_end(args);
    Ui().ShowStatusMessage(text.c_str());
}

void ErrorBeep() { Ui().ErrorBeep(); }

void TraceLog(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = VFormat(format, args);
    va_end(args);
    Ui().TraceLog(text.c_str());
}

std::string FormatSjis(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = VFormat(format, args);
    va_end(args);
    return text;
}
