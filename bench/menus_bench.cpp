// Speed of menus: opening a popup of 100 items (import, command-UI update, layout, first paint, no
// animation), one Down key step in it, and switching the menu bar between two stored menus of 10
// titles and 100 items. Prints one line per figure with its target; the exit code is 0 either way.
#include "BenchClock.h"
#include "TestPump.h"
#include "frames/UfxFrameWnd.h"
#include "bars/UfxMenuBar.h"
#include "bars/UfxMenuBarStore.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"

namespace {

class CBenchApp : public CWinApp {
public:
  CBenchApp() : CWinApp(L"MenusBench") {}
};
CBenchApp theApp;

HMENU Items(UINT uiFirst, int nCount) {
  HMENU hMenu = ::CreatePopupMenu();
  for (int i = 0; i < nCount; ++i) {
    wchar_t sz[32];
    swprintf(sz, 32, L"&Item %d\tCtrl+%d", i, i % 10);
    ::AppendMenuW(hMenu, MF_STRING, uiFirst + i, sz);
  }
  return hMenu;
}

// Ten titles of ten items each.
HMENU MainMenu(UINT uiFirst) {
  HMENU hMenu = ::CreateMenu();
  for (int t = 0; t < 10; ++t) {
    wchar_t sz[16];
    swprintf(sz, 16, L"Title&%d", t);
    ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)Items(uiFirst + t * 10, 10), sz);
  }
  return hMenu;
}

}  // namespace

int main() {
  AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), SW_SHOW);
  CUfxPopupMenu::SetAnimationType(CUfxPopupMenu::NO_ANIMATION);
  CUfxFrameWnd* pFrame = new CUfxFrameWnd;
  pFrame->Create(nullptr, L"bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(0, 0, 1000, 700));
  pFrame->ShowWindow(SW_SHOWNOACTIVATE);
  PumpPending();

  HMENU hItems = Items(41000, 100);
  const double usOpen = MicrosecondsEach(30, [&](int) {
    CUfxPopupMenu* pPopup = new CUfxPopupMenu;
    pPopup->m_bDestroyMenuOnClose = FALSE;
    pPopup->Create(pFrame, 50, 20, hItems, FALSE, TRUE);
    pPopup->UpdateWindow();
    pPopup->GetMenuBar()->UpdateWindow();
    pPopup->DestroyWindow();
  });
  Report("popup menu: open a menu of 100 items and paint it", usOpen, 25000);

  CUfxPopupMenu* pPopup = new CUfxPopupMenu;
  pPopup->m_bDestroyMenuOnClose = FALSE;
  pPopup->Create(pFrame, 50, 20, hItems, FALSE, TRUE);
  PumpPending();
  const double usDown = MicrosecondsEach(500, [&](int) {
    pPopup->SendMessage(WM_KEYDOWN, VK_DOWN);
    pPopup->GetMenuBar()->UpdateWindow();
  });
  Report("popup menu: one Down key step, repainted", usDown, 1000);
  pPopup->DestroyWindow();

  CUfxMenuBar bar;
  bar.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_MENUBAR);
  HMENU hFirst = MainMenu(42000), hSecond = MainMenu(43000);
  bar.CreateFromMenu(hFirst, TRUE);
  bar.CreateFromMenu(hSecond);
  const double usSwitch = MicrosecondsEach(200, [&](int i) { bar.CreateFromMenu(i % 2 == 0 ? hFirst : hSecond); });
  Report("menu bar: switch between two stored menus (10 titles, 100 items)", usSwitch, 10000);

  bar.DestroyWindow();
  UfxMenuBarStore.CleanUp();
  ::DestroyMenu(hItems);
  ::DestroyMenu(hSecond);
  pFrame->DestroyWindow();
  return 0;
}
