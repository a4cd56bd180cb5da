// Speed of the frame's bar layout: RecalcLayout of a frame with 12 docked bars in 4 rows and 2
// floating frames (steady, and with every dock bar resized), and one step of a bar drag.
// Prints one line per figure with its target; the exit code is 0 either way.
#include "Framework.h"

#include <cstdio>

#include "BenchClock.h"
#include "TestPump.h"

namespace {

// A bar of a fixed size, like a small toolbar.
class CBenchBar : public CControlBar {
public:
  CSize size;
  explicit CBenchBar(CSize sz) : size(sz) { m_bAutoDelete = TRUE; }
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? size : CSize(size.cy, size.cx); }
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
};

class CBenchApp : public CWinApp {
public:
  CBenchApp() : CWinApp(L"DockingBench") {}
};
CBenchApp theApp;

}  // namespace

int main() {
  CFrameWnd* frame = new CFrameWnd;
  frame->Create(nullptr, L"bench", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN | WS_VISIBLE, CRect(0, 0, 1000, 760));
  frame->EnableDocking(CBRS_ALIGN_ANY);
  // Top and left, two rows of three bars each.
  UINT nID = 0x7000;
  CBenchBar* first = nullptr;
  for (UINT side : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT}) {
    CDockBar* pDock = (CDockBar*)frame->GetControlBar(side);
    for (int row = 0; row < 2; ++row) {
      for (int i = 0; i < 3; ++i) {
        CBenchBar* bar = new CBenchBar(CSize(120 + 10 * i, 28));
        DWORD align = side == AFX_IDW_DOCKBAR_TOP ? CBRS_TOP : CBRS_LEFT;
        bar->CreateEx(0, nullptr, L"bar", WS_CHILD | WS_VISIBLE | align, CRect(0, 0, 0, 0), frame, ++nID);
        bar->EnableDocking(CBRS_ALIGN_ANY);
        if (first == nullptr) first = bar;
        frame->RecalcLayout();
        CRect place(i * 140, row * 30, i * 140 + 100, row * 30 + 28);
        if (side == AFX_IDW_DOCKBAR_LEFT) place = CRect(row * 30, i * 140, row * 30 + 28, i * 140 + 100);
        pDock->ClientToScreen(&place);
        frame->DockControlBar(bar, side, i == 0 ? nullptr : &place);
      }
    }
  }
  for (int i = 0; i < 2; ++i) {
    CBenchBar* bar = new CBenchBar(CSize(160, 28));
    bar->CreateEx(0, nullptr, L"floating", WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), frame, ++nID);
    bar->EnableDocking(CBRS_ALIGN_ANY);
    frame->FloatControlBar(bar, CPoint(300 + 220 * i, 400));
  }
  frame->RecalcLayout();
  PumpPending();

  Report("RecalcLayout, 12 docked bars in 4 rows, 2 floating", MicrosecondsEach(500, [&](int) { frame->RecalcLayout(); }),
         2000);
  // The same pass over a client area that changes width each time, so that the dock bars are
  // resized and their bars placed again (the frame window itself keeps its size).
  CRect client;
  frame->GetClientRect(&client);
  Report("Layout pass with every dock bar resized", MicrosecondsEach(500, [&](int i) {
           CRect area(client);
           area.right -= (i & 1) * 40;
           frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &frame->m_rectBorder, &area);
         }), 2000);
  // For comparison: resizing a top-level window under this display, with no bars at all.
  CFrameWnd* plain = new CFrameWnd;
  plain->Create(nullptr, L"plain", WS_POPUP | WS_BORDER | WS_VISIBLE, CRect(0, 0, 1000, 760));
  std::printf("%-52s %10.2f us   (no target: the window system's share)\n", "Resizing a frame without bars",
              MicrosecondsEach(50, [&](int i) {
                plain->SetWindowPos(nullptr, 0, 0, 1000 - (i & 1) * 40, 760, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
              }));
  plain->DestroyWindow();
  // One drag step: the outline moves and the dock bar under it is looked for.
  CDockContext* context = first->m_pDockContext;
  CRect rect;
  first->GetWindowRect(&rect);
  context->m_bDragging = TRUE;
  context->InitLoop();
  context->m_ptLast = rect.CenterPoint();
  context->m_rectDragHorz = rect;
  context->m_rectDragVert = CRect(rect.TopLeft(), CSize(rect.Height(), rect.Width()));
  context->m_rectFrameDragHorz = context->m_rectDragHorz;
  context->m_rectFrameDragVert = context->m_rectDragVert;
  Report("One drag step (move, dock test, outline)", MicrosecondsEach(500, [&](int i) {
           context->Move(rect.CenterPoint() + CPoint((i % 50) * 8, (i % 50) * 6));
         }), 1000);
  context->CancelLoop();
  frame->DestroyWindow();
  return 0;
}
