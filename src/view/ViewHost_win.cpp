#include "view/ViewHost_win.h"

namespace {
IViewHost* g_pViewHost = nullptr;
}

IViewHost* ViewHost() { return g_pViewHost; }

void SetViewHost(IViewHost* pHost) { g_pViewHost = pHost; }
