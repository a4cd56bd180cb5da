// Speed of the tab window with 200 tabs: one full layout (strip, buttons, the windows' places and
// the tab rectangles) and one full repaint of the window through the current look. Prints one line
// per figure with its target; the exit code is 0 either way (figures are read).
#include "BenchClock.h"
#include "TestPump.h"
#include "frames/UfxTabWnd.h"
#include "looks/UfxVisualManager.h"
#include "looks/UfxVisualManager2003.h"
#include "looks/UfxVisualManagerXP.h"
#include <memory>
#include <string>
#include <vector>

namespace {

class CBenchApp : public CWinApp {
public:
  CBenchApp() : CWinApp(L"TabsBench") {}
};
CBenchApp theApp;

void Measure(const char* look, CUfxTabWnd::Style style, const char* styleName) {
  CWnd host;
  host.CreateEx(0, AfxRegisterWndClass(0), L"bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 900, 400),
                nullptr, 0);
  CUfxTabWnd tabs;
  tabs.Create(style, CRect(0, 0, 900, 400), &host, 1);
  std::vector<std::unique_ptr<CWnd>> windows;
  for (int i = 0; i < 200; ++i) {
    windows.push_back(std::make_unique<CWnd>());
    const std::wstring label = L"Sheet " + std::to_wstring(i + 1);
    windows.back()->CreateEx(0, L"STATIC", label.c_str(), WS_CHILD, CRect(0, 0, 10, 10), &tabs, 0);
    tabs.AddTab(windows.back().get(), label.c_str());
  }
  tabs.SetActiveTab(100);
  PumpPending();
  char what[120];
  std::snprintf(what, sizeof(what), "%s, %s, 200 tabs: layout", look, styleName);
  Report(what, MicrosecondsEach(200, [&](int) {
           tabs.ComputeLayout();
           ::ValidateRect(tabs.GetSafeHwnd(), nullptr);
         }),
         2000);
  std::snprintf(what, sizeof(what), "%s, %s, 200 tabs: resize and its layout", look, styleName);
  Report(what, MicrosecondsEach(200, [&](int i) {
           tabs.SetWindowPos(nullptr, 0, 0, 900 - (i & 1), 400, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
           ::ValidateRect(tabs.GetSafeHwnd(), nullptr);
         }),
         2000);
  std::snprintf(what, sizeof(what), "%s, %s, 200 tabs: full paint", look, styleName);
  Report(what, MicrosecondsEach(200, [&](int) {
           tabs.InvalidateRect(nullptr, TRUE);
           tabs.UpdateWindow();
         }),
         10000);
  tabs.DestroyWindow();
  host.DestroyWindow();
  PumpPending();
}

// For comparison: the platform's own resize of a plain window holding 200 hidden windows.
void MeasurePlainResize() {
  CWnd host, plain;
  host.CreateEx(0, AfxRegisterWndClass(0), L"bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 900, 400),
                nullptr, 0);
  plain.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 900, 400), &host, 1);
  std::vector<std::unique_ptr<CWnd>> windows;
  for (int i = 0; i < 200; ++i) {
    windows.push_back(std::make_unique<CWnd>());
    windows.back()->CreateEx(0, L"STATIC", L"", WS_CHILD, CRect(0, 0, 10, 10), &plain, 0);
  }
  PumpPending();
  Report("reference: resizing a plain window of 200 hidden windows", MicrosecondsEach(200, [&](int i) {
           plain.SetWindowPos(nullptr, 0, 0, 900 - (i & 1), 400, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
           ::ValidateRect(plain.GetSafeHwnd(), nullptr);
         }),
         2000);
  plain.DestroyWindow();
  host.DestroyWindow();
  PumpPending();
}

}  // namespace

int main() {
  AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), SW_SHOW);
  const struct {
    const char* name;
    CRuntimeClass* look;
  } looks[] = {{"base look", nullptr},
               {"flat look", RUNTIME_CLASS(CUfxVisualManagerXP)},
               {"gradient look", RUNTIME_CLASS(CUfxVisualManager2003)}};
  for (const auto& look : looks) {
    CUfxVisualManager::SetDefaultManager(look.look);
    Measure(look.name, CUfxTabWnd::STYLE_FLAT, "flat");
    Measure(look.name, CUfxTabWnd::STYLE_3D, "3D shrinking");
    Measure(look.name, CUfxTabWnd::STYLE_3D_SLOPED, "sloped");
  }
  MeasurePlainResize();
  CUfxVisualManager::DeleteAutoCreatedInstance();
  return 0;
}
