#include "device/MainWindowLink.h"

namespace {
MainWindowLink* g_link = nullptr;
}

MainWindowLink* GetMainWindowLink() { return g_link; }
void SetMainWindowLink(MainWindowLink* link) { g_link = link; }
