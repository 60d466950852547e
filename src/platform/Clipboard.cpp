// The slot for the installed clipboard.
#include "platform/Clipboard.h"

namespace {

IClipboard* g_pClipboard = nullptr;

} // namespace

IClipboard& Clipboard() { return g_pClipboard ? *g_pClipboard : PlatformClipboard(); }

IClipboard* SetClipboard(IClipboard* pClipboard)
{
    IClipboard* old = g_pClipboard ? g_pClipboard : &PlatformClipboard();
    g_pClipboard = pClipboard;
    return old;
}
