// Speed of the frame's bars: a full repaint of a status bar with the program's four indicators
// and a message text (off-screen bitmap, panes, grip). Prints one line per figure with its target;
// the exit code is 0 either way (figures are read).
#include "BenchClock.h"
#include "TestPump.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxStatusBar.h"

namespace {

class CBenchApp : public CWinApp {
public:
  CBenchApp() : CWinApp(L"BarsBench") {}
};
CBenchApp theApp;

}  // namespace

int main() {
  AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), SW_SHOW);
  CUfxFrameWnd* pFrame = new CUfxFrameWnd;
  pFrame->Create(nullptr, L"bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(0, 0, 1200, 800));
  CUfxStatusBar bar;
  bar.Create(pFrame, 0x50008200, 59393);
  // Indicator panes of a fixed width (no string resources here) beside the stretching message pane.
  const UINT ids[] = {0, 0, 0, 0};
  bar.SetIndicators(ids, 4);
  for (int i = 1; i < 4; ++i) {
    bar.SetPaneWidth(i, 40);
    bar.SetPaneText(i, L"CAP", FALSE);
  }
  bar.SetWindowText(L"Type an expression; the hint follows the caret.");
  pFrame->ShowWindow(SW_SHOWNOACTIVATE);
  pFrame->RecalcLayout();
  PumpPending();

  const double us = MicrosecondsEach(200, [&](int) {
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  });
  Report("status bar: full repaint (4 panes and grip)", us, 2000);
  pFrame->DestroyWindow();
  return 0;
}
