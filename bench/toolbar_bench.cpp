// Speed of the toolbar: a docked bar of 200 buttons laid out, fully painted and hot-tracked, the
// same bar sized to a width (the wrap search), and the saved state of 20 bars of 30 buttons written
// and read back. Prints one line per figure with its target; the exit code is 0 either way.
#include "BenchClock.h"
#include "TestPump.h"
#include "frames/UfxFrameWnd.h"
#include "ToolbarBenchBars.h"

namespace {

class CBenchApp : public CWinApp {
public:
  CBenchApp() : CWinApp(L"ToolbarBench") {}
};
CBenchApp theApp;

}  // namespace

int main() {
  AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), SW_SHOW);
  MakeBenchImages();
  CUfxToolBar::SetSizes(CSize(22, 21), CSize(16, 15));
  CUfxFrameWnd* pFrame = new CUfxFrameWnd;
  pFrame->Create(nullptr, L"bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(0, 0, 1260, 700));
  CUfxToolBar bar;
  bar.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, 0xE800);
  FillBenchBar(bar, 200, 1000);
  pFrame->ShowWindow(SW_SHOWNOACTIVATE);
  pFrame->RecalcLayout();
  PumpPending();

  const double usLayout = MicrosecondsEach(200, [&](int) {
    bar.CalcFixedLayout(TRUE, TRUE);
    bar.LayoutButtons();
  });
  Report("toolbar: layout of a docked 200-button bar", usLayout, 2000);

  const double usPaint = MicrosecondsEach(100, [&](int) {
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  });
  Report("toolbar: full paint of the 200-button bar", usPaint, 15000);

  CRect rect1, rect2;
  bar.GetButtonRect(1, rect1);
  bar.GetButtonRect(2, rect2);
  const double usHot = MicrosecondsEach(400, [&](int i) {
    const CPoint pt = (i % 2 == 0 ? rect1 : rect2).CenterPoint();
    bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
  });
  Report("toolbar: hot-tracking move (two buttons repainted)", usHot, 1000);

  CRect rectInside(0, 0, 0, 0);
  bar.CalcInsideRect(rectInside, TRUE);
  const double usWrap = MicrosecondsEach(100, [&](int i) {
    bar.CalcDynamicLayout(400 + (i % 5) * 37, LM_HORZ);
  });
  Report("toolbar: sizing the 200-button bar to a width (wrap search)", usWrap, 5000);

  // Saved state: 20 bars of 30 buttons, each way.
  const wchar_t* const kProfile = L"Software\\NumbrookBench\\Toolbars\\";
  CUfxToolBar bars[20];
  for (int i = 0; i < 20; ++i) {
    bars[i].Create(pFrame, WS_CHILD | CBRS_TOP, 0xE900 + i);
    FillBenchBar(bars[i], 30, 2000 + i * 100);
  }
  const double usSave = MicrosecondsEach(10, [&](int) {
    for (int i = 0; i < 20; ++i) bars[i].SaveState(kProfile, i);
  });
  Report("toolbar: SaveState of 20 bars of 30 buttons", usSave, 40000);
  const double usLoad = MicrosecondsEach(10, [&](int) {
    for (int i = 0; i < 20; ++i) bars[i].LoadState(kProfile, i);
  });
  Report("toolbar: LoadState of 20 bars of 30 buttons", usLoad, 40000);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\NumbrookBench");

  for (CUfxToolBar& b : bars) b.DestroyWindow();
  bar.DestroyWindow();
  pFrame->DestroyWindow();
  return 0;
}
