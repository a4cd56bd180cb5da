// Speed of the framework's frames: laying out a frame with 40 toolbars in four top rows, one
// layout query of its top dock bar, and saving and loading the whole layout of 12 bars. Prints
// one line per figure with its target; the exit code is 0 either way (figures are read).
#include "UfxFrameWnd.h"
#include "UfxToolBar.h"
#include "UfxWorkspace.h"
#include <cstdio>

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

double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return (double)t.QuadPart / (double)freq.QuadPart;
}

template <typename F> double MillisecondsEach(int repeats, F f) {
  const double start = Now();
  for (int i = 0; i < repeats; ++i) f();
  return (Now() - start) * 1e3 / repeats;
}

void Report(const char* what, double ms, double targetMs) {
  std::printf("%-56s %9.3f ms   (target <= %.1f ms)  %s\n", what, ms, targetMs, ms <= targetMs ? "ok" : "SLOW");
}

void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

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
  Pump();
  return pFrame;
}

}  // namespace

int main() {
  AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), SW_SHOW);
  theApp.SetRegistryKey(L"Ferrow Software");
  theApp.SetRegistryBase(L"FramesBench");

  CUfxFrameWnd* pFrame = MakeFrame(40, 10);
  Report("RecalcLayout, 40 toolbars in four top rows", MillisecondsEach(200, [&] { pFrame->RecalcLayout(); }), 3.0);
  CDockBar* pTop = DYNAMIC_DOWNCAST(CDockBar, pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
  Report("layout query of the top dock bar", MillisecondsEach(1000, [&] {
           pTop->m_bLayoutQuery = TRUE;
           pTop->CalcFixedLayout(FALSE, TRUE);
           pTop->m_bLayoutQuery = FALSE;
         }),
         0.3);
  pFrame->DestroyWindow();
  Pump();

  pFrame = MakeFrame(12, 4);
  Report("workspace save, 12 bars",
         MillisecondsEach(50, [&] { theApp.SaveState(nullptr, pFrame->GetFrameImpl()); }), 50.0);
  Report("workspace load, 12 bars", MillisecondsEach(50, [&] {
           theApp.LoadState(nullptr, pFrame->GetFrameImpl());
           pFrame->RecalcLayout();
         }),
         50.0);
  Report("  of which the platform's dock state, saved", MillisecondsEach(50, [&] {
           CDockState state;
           pFrame->GetDockState(state);
           state.SaveState(L"FramesBench\\ControlBars");
         }),
         50.0);
  Report("  of which the platform's dock state, loaded", MillisecondsEach(50, [&] {
           CDockState state;
           state.LoadState(L"FramesBench\\ControlBars");
         }),
         50.0);
  theApp.CleanState();
  pFrame->DestroyWindow();
  Pump();
  return 0;
}
