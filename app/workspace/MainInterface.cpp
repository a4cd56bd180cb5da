#include "MainInterface.h"

#include <windows.h>

#include "Framework.h"
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

int ResourceMessageBox(HWND owner, UINT textId, UINT captionId, UINT type) {
  CString text, caption;
  text.LoadString(textId);
  caption.LoadString(captionId);
  return ::MessageBoxW(owner, text, caption, type);
}
