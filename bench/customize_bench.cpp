// Speed of the customization sheet: opening it over a frame whose menus hold 300 commands (the
// command model built from the menus, the sheet and its first page made and painted).
#include "BenchClock.h"
#include "TestPump.h"
#include "bars/UfxMenuBar.h"
#include "frames/UfxFrameWnd.h"
#include "looks/UfxToolbarCustomize.h"
#include <algorithm>

namespace {

class CBenchApp : public CWinApp {
public:
  CBenchApp() : CWinApp(L"CustomizeBench") {}
};
CBenchApp theApp;

// Fifteen titles of twenty commands each.
HMENU CommandMenus() {
  HMENU hMenu = ::CreateMenu();
  for (int t = 0; t < 15; ++t) {
    HMENU hItems = ::CreatePopupMenu();
    for (int i = 0; i < 20; ++i) {
      wchar_t sz[48];
      swprintf(sz, 48, L"&Command %d of %d\tCtrl+%d", i, t, i % 10);
      ::AppendMenuW(hItems, MF_STRING, 30000 + t * 20 + i, sz);
    }
    wchar_t szTitle[16];
    swprintf(szTitle, 16, L"Menu &%d", t);
    ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hItems, szTitle);
  }
  return hMenu;
}

}  // namespace

int main() {
  AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), SW_SHOW);
  HMODULE hResx = ::LoadLibraryW(L"BrookResx.dll");
  if (hResx != nullptr) AfxSetResourceHandle(hResx);
  CUfxFrameWnd* pFrame = new CUfxFrameWnd;
  pFrame->Create(nullptr, L"Customize", WS_OVERLAPPEDWINDOW, CRect(40, 40, 840, 640));
  theApp.m_pMainWnd = pFrame;
  CUfxMenuBar menuBar;
  menuBar.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_MENUBAR);
  pFrame->SetMenuBar(&menuBar);
  menuBar.CreateFromMenu(CommandMenus(), TRUE);
  pFrame->ShowWindow(SW_SHOWNOACTIVATE);
  PumpPending();
  double best = 1e9;
  for (int run = 0; run < 5; ++run) {
    const double at = Now();
    CUfxToolbarCustomize* pSheet = new CUfxToolbarCustomize(pFrame, TRUE, 15);
    if (!pSheet->Create()) return 1;
    pSheet->UpdateWindow();
    if (CWnd* pPage = pSheet->GetActivePage()) pPage->UpdateWindow();
    best = std::min(best, (Now() - at) * 1e6);
    pSheet->DestroyWindow();  // deletes itself
    PumpPending();
  }
  Report("customization sheet: open over menus of 300 commands, first paint", best, 300000);
  theApp.m_pMainWnd = nullptr;
  pFrame->DestroyWindow();
  return 0;
}
