// Speed of the framework's frames: laying out a frame with 40 toolbars in four top rows, one
// layout query of its top dock bar, and saving and loading the whole layout of 12 bars. Prints
// one line per figure with its target; the exit code is 0 either way (figures are read).
#include "BenchClock.h"
#include "TestPump.h"
#include "frames/UfxFrameWnd.h"
#include "bars/UfxToolBar.h"
#include "frames/UfxWorkspace.h"

namespace {

class CBenchApp : public CWinApp, public CUfxWorkspace {
public:
  CBenchApp() : CWinApp(L"FramesBench"), CUfxWorkspace(FALSE) {}
};
CBenchApp theApp;

// A toolbar of a fixed size.
class CBenchBar : public CUfxToolBar {
public:
  CBenchBar() { m_bAutoDelete = TRUE; }
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? CSize(110, 26) : CSize(26, 110); }
  CSize CalcDynamicLayout(int, DWORD nMode) override { return CalcFixedLayout(FALSE, (nMode & LM_HORZ) != 0); }
};

// A frame with nBars toolbars docked on top, nPerRow to a row.
CUfxFrameWnd* MakeFrame(int nBars, int nPerRow) {
  CUfxFrameWnd* pFrame = new CUfxFrameWnd;
  pFrame->Create(nullptr, L"bench", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, CRect(0, 0, 1200, 800));
  pFrame->EnableDocking(CBRS_ALIGN_ANY);
  pFrame->ShowWindow(SW_SHOWNOACTIVATE);
  CControlBar* pPrev = nullptr;
  for (int i = 0; i < nBars; ++i) {
    CBenchBar* pBar = new CBenchBar;
    pBar->CWnd::Create(nullptr, L"bar", WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), pFrame, 1000 + i);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    if (i % nPerRow == 0 || pPrev == nullptr) pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    else pFrame->DockControlBarLeftOf(pBar, pPrev);
    pPrev = pBar;
  }
  pFrame->RecalcLayout();
  PumpPending();
  return pFrame;
}

}  // namespace

int main() {
  AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), SW_SHOW);
  theApp.SetRegistryKey(L"Ferrow Software");
  theApp.SetRegistryBase(L"FramesBench");

  CUfxFrameWnd* pFrame = MakeFrame(40, 10);
  Report("RecalcLayout, 40 toolbars in four top rows", MicrosecondsEach(200, [&](int) { pFrame->RecalcLayout(); }), 3000);
  CDockBar* pTop = DYNAMIC_DOWNCAST(CDockBar, pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
  Report("layout query of the top dock bar", MicrosecondsEach(1000, [&](int) {
           pTop->m_bLayoutQuery = TRUE;
           pTop->CalcFixedLayout(FALSE, TRUE);
           pTop->m_bLayoutQuery = FALSE;
         }),
         300);
  pFrame->DestroyWindow();
  PumpPending();

  pFrame = MakeFrame(12, 4);
  Report("workspace save, 12 bars",
         MicrosecondsEach(50, [&](int) { theApp.SaveState(nullptr, pFrame->GetFrameImpl()); }), 50000);
  Report("workspace load, 12 bars", MicrosecondsEach(50, [&](int) {
           theApp.LoadState(nullptr, pFrame->GetFrameImpl());
           pFrame->RecalcLayout();
         }),
         50000);
  Report("  of which the platform's dock state, saved", MicrosecondsEach(50, [&](int) {
           CDockState state;
           pFrame->GetDockState(state);
           state.SaveState(L"FramesBench\\ControlBars");
         }),
         50000);
  Report("  of which the platform's dock state, loaded", MicrosecondsEach(50, [&](int) {
           CDockState state;
           state.LoadState(L"FramesBench\\ControlBars");
         }),
         50000);
  theApp.CleanState();
  pFrame->DestroyWindow();
  PumpPending();
  return 0;
}
