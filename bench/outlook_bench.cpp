// Speed of the outlook bar's layout: one page of 200 shortcut buttons with labels, laid out
// again as a resize or a page switch does. Prints one line with its target.
#include "Framework.h"
#include "BenchClock.h"
#include "TestPump.h"
#include "frames/UfxOutlookBar.h"

namespace {
class CBenchApp : public CWinApp {
public:
  CBenchApp() : CWinApp(L"OutlookBench") {}
};
CBenchApp theApp;

// The bar's layout made callable from outside.
class CBenchOutlookBar : public CUfxOutlookBar {
public:
  void Layout() { LayoutButtons(); }
};
}  // namespace

int main() {
  auto* frame = new CFrameWnd;
  if (!frame->Create(nullptr, L"Outlook bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 800))) {
    std::printf("no frame\n");
    return 0;
  }
  CBenchOutlookBar bar;
  bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, AFX_IDW_TOOLBAR);
  bar.EnableTextLabels(TRUE);
  HDC hScreen = ::GetDC(nullptr);
  HBITMAP hImage = ::CreateCompatibleBitmap(hScreen, 32, 32);
  ::ReleaseDC(nullptr, hScreen);
  bar.AddImage(hImage);
  ::DeleteObject(hImage);
  bar.AddPage(1, L"Shortcuts");
  for (int i = 0; i < 200; ++i) {
    CString label;
    label.Format(L"Shortcut number %d", i + 1);
    bar.AddButton(0, label, 1000 + i, 1);
  }
  frame->RecalcLayout();
  PumpPending();
  const double us = MicrosecondsEach(200, [&](int) { bar.Layout(); });
  Report("outlook bar layout of 200 buttons", us, 2000);
  frame->DestroyWindow();
  return 0;
}
