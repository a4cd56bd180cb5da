#include "MainInterface.h"

#include <windows.h>

#include "NumbrookLib.h"

namespace {
MainInterfaceSource g_source = nullptr;
}

void SetMainInterfaceSource(MainInterfaceSource pfn) { g_source = pfn; }

INumbrookMain* GetMainInterface() { return g_source != nullptr ? g_source() : nullptr; }

int GetCurrentVisualStyle() {
  VisualStyle style = VsSimple;
  if (IKivSettingsManager* settings = TakeManager(&INumbrookMain::GetSettingsManager)) {
    VisualStyle current = VsSimple;
    if (SUCCEEDED(settings->get_CurrentStyle(&current))) style = current;
    settings->Release();
  }
  return static_cast<int>(style);
}
