// Speed of the sizing bars: in a row of four bars on a frame's top side, one mouse move during a
// splitter drag (the tracker erased and drawn again) and the relayout at button up. Prints one
// line per figure with its target; the exit code is 0 either way (figures are read).
#include "BenchClock.h"
#include "TestPump.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxSizingControlBar.h"

namespace {

CWinApp theApp(L"SizingBench");

}  // namespace

int main() {
  AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), SW_SHOW);
  CUfxFrameWnd* pFrame = new CUfxFrameWnd;
  pFrame->Create(nullptr, L"bench", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, CRect(0, 0, 1200, 800));
  pFrame->EnableDocking(CBRS_ALIGN_ANY);
  pFrame->ShowWindow(SW_SHOWNOACTIVATE);
  CUfxSizingControlBar* bars[4] = {};
  for (int i = 0; i < 4; ++i) {
    bars[i] = new CUfxSizingControlBar;
    bars[i]->m_bAutoDelete = TRUE;
    bars[i]->Create(L"pane", pFrame, CSize(250, 150), TRUE, 5000 + i, WS_CHILD | WS_VISIBLE | CBRS_TOP);
    bars[i]->EnableDocking(CBRS_ALIGN_ANY);
    if (i == 0) pFrame->DockControlBar(bars[i], AFX_IDW_DOCKBAR_TOP);
    else pFrame->DockControlBarLeftOf(bars[i], bars[i - 1]);
    pFrame->RecalcLayout();
    PumpPending();
  }
  CUfxSizingControlBar* pBar = bars[1];
  CRect rectWindow, rectEdge;
  pBar->GetWindowRect(&rectWindow);
  pBar->CalcEdgeRect(rectWindow, HTRIGHT, rectEdge);
  CPoint ptStart = rectEdge.CenterPoint();
  ::SetCursorPos(ptStart.x, ptStart.y);
  pBar->ScreenToClient(&ptStart);

  pBar->StartSplitterDrag(HTRIGHT);
  Report("sizing bars: one mouse move of a splitter drag, row of four", MicrosecondsEach(2000, [&](int i) {
           pBar->TrackSplitterDrag(ptStart + CSize(i % 60 - 30, 0));
         }),
         1000);
  pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptStart.x, ptStart.y));
  pFrame->RecalcLayout();
  PumpPending();

  double tUp = 0;
  double total = 0;
  const int repeats = 200;
  for (int i = 0; i < repeats; ++i) {
    pBar->StartSplitterDrag(HTRIGHT);
    const CPoint pt = ptStart + CSize(i % 2 == 0 ? 20 : -20, 0);
    pBar->TrackSplitterDrag(pt);
    const double start = Now();
    pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    tUp += Now() - start;
    pFrame->RecalcLayout();
    total += Now() - start;
    PumpPending();
  }
  Report("sizing bars: button up and the row's relayout, row of four", total * 1e6 / repeats, 5000);
  Report("  (of which the button up)", tUp * 1e6 / repeats, 5000);
  pFrame->DestroyWindow();
  PumpPending();
  return 0;
}
