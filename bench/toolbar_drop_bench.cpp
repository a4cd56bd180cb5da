// Speed of a drag over a toolbar in customize mode: one drag-over step on a docked 200-button bar
// (the button made from the offered data and asked whether it may go there, the drop index found,
// the insertion mark moved and repainted), over a row and along it. Prints one line per figure
// with its target; the exit code is 0 either way.
#include "BenchClock.h"
#include "TestPump.h"
#include "frames/UfxFrameWnd.h"
#include "ToolbarBenchBars.h"
#include <cstdio>
#include <vector>

namespace {

class CBenchApp : public CWinApp {
public:
  CBenchApp() : CWinApp(L"ToolbarDropBench") {}
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
  CUfxToolBar::SetCustomizeMode(TRUE);
  PumpPending();

  CUfxToolbarButton dragged(1003, 3);
  COleDataSource source;
  dragged.PrepareDrag(source);
  COleDataObject data;
  data.Attach(source.GetInterface(), FALSE);

  // Every step moves the mark: the pointer goes from button to button along the visible ones.
  CRect rectClient;
  bar.GetClientRect(rectClient);
  const int nVisible = bar.GetButtonCount();
  std::vector<CPoint> points;
  for (int i = 0; i < nVisible; ++i) {
    CRect rect;
    bar.GetButtonRect(i, rect);
    if (!rect.IsRectEmpty() && rect.right < rectClient.right) points.push_back(CPoint(rect.left + 1, rect.CenterPoint().y));
  }
  bar.OnDragEnter(&data, 0, points.front());
  int nAccepted = 0;
  const double usStep = MicrosecondsEach(400, [&](int i) {
    nAccepted += bar.OnDragOver(&data, 0, points[(i * 7) % points.size()]) != DROPEFFECT_NONE;
  });
  if (nAccepted != 400) std::printf("toolbar drop: only %d of 400 steps were accepted\n", nAccepted);
  Report("toolbar drop: one drag-over step on a 200-button bar", usStep, 2000);

  const double usFind = MicrosecondsEach(2000, [&](int i) {
    CRect rectMark;
    bar.FindDropIndex(points[(i * 7) % points.size()], rectMark);
  });
  Report("toolbar drop: FindDropIndex alone", usFind, 2000);
  int nMade = 0;
  const double usMake = MicrosecondsEach(2000, [&](int) {
    CUfxToolbarButton* pButton = CUfxToolbarButton::CreateFromOleData(&data);
    nMade += pButton != nullptr;
    delete pButton;
  });
  if (nMade != 2000) std::printf("toolbar drop: only %d of 2000 buttons were made\n", nMade);
  Report("toolbar drop: the button made from the data alone", usMake, 2000);

  bar.OnDragLeave();
  CUfxToolBar::SetCustomizeMode(FALSE);
  bar.DestroyWindow();
  pFrame->DestroyWindow();
  return 0;
}
