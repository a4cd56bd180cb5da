// Speed of the looks' drawing: gradient fill, highlight and shadow effects, the gradient look's
// colour computation, and a double-buffered repaint of a toolbar's worth of chrome drawn through
// the gradient look. Prints one line per figure with its target; figures are read, not asserted.
#include "UfxGdiEffects.h"
#include "UfxGlobalData.h"
#include "UfxVisualManager2003.h"

#include <cstdio>

namespace {

double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

template <typename F>
double MicrosecondsEach(int repeats, F f) {
  f(0);  // warm up
  double start = Now();
  for (int i = 0; i < repeats; ++i) f(i);
  return (Now() - start) * 1e6 / repeats;
}

void Report(const char* what, double us, double targetUs) {
  std::printf("%-60s %10.2f us   (target <= %.0f us)  %s\n", what, us, targetUs, us <= targetUs ? "ok" : "SLOW");
}

// A 32-bit memory canvas.
struct Canvas {
  CDC dc;
  CBitmap bitmap;
  HGDIOBJ old = nullptr;
  Canvas(int w, int h) {
    CClientDC screen(nullptr);
    dc.CreateCompatibleDC(&screen);
    BITMAPINFOHEADER bih = {sizeof(bih), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap.Attach(::CreateDIBSection(screen.GetSafeHdc(), (BITMAPINFO*)&bih, DIB_RGB_COLORS, &bits, nullptr, 0));
    old = ::SelectObject(dc.GetSafeHdc(), bitmap.GetSafeHandle());
    dc.FillSolidRect(0, 0, w, h, RGB(240, 240, 240));
  }
  ~Canvas() { ::SelectObject(dc.GetSafeHdc(), old); }
};

}  // namespace

int main() {
  Canvas wide(1000, 26), square(120, 120);
  CUfxGdiEffects gradient(wide.dc), effects(square.dc);
  Report("FillGradient, 1,000 x 26", MicrosecondsEach(2000, [&](int i) {
           gradient.FillGradient(CRect(0, 0, 1000, 26), RGB(i & 255, 100, 200), RGB(255, 255, 255), TRUE);
         }), 50);
  Report("HighlightRect, 100 x 100", MicrosecondsEach(2000, [&](int) {
           effects.HighlightRect(CRect(0, 0, 100, 100), -1, RGB(255, 0, 255));
         }), 150);
  Report("DrawShadow, 100 x 100, depth 4", MicrosecondsEach(2000, [&](int) {
           effects.DrawShadow(CRect(0, 0, 100, 100), 4, 100, 75);
         }), 150);

  CUfxVisualManager2003 look;
  Report("2003 look: OnUpdateSystemColors", MicrosecondsEach(500, [&](int) { look.OnUpdateSystemColors(); }), 1000);
  Report("2003 look: reopening the 14 theme classes (part of the above)",
         MicrosecondsEach(500, [&](int) { look.UpdateThemes(); }), 1000);
  Report("2003 look: reading the theme and global colours", MicrosecondsEach(500, [&](int) { look.ReadColorInputs(); }), 1000);
  const UFX_2003_COLOR_INPUTS inputs = look.ReadColorInputs();
  Report("2003 look: colour formulas alone", MicrosecondsEach(2000, [&](int) {
           volatile COLORREF c = CUfxVisualManager2003::ComputeColors(inputs).clrGripper;
           (void)c;
         }), 1000);

  // A docked toolbar of 30 buttons, 23 x 22 each, drawn into a back buffer and copied out.
  const int width = 8 + 30 * 23 + 12, height = 26;
  Canvas screen(width, height), back(width, height);
  Report("2003 look: toolbar of 30 buttons, double-buffered", MicrosecondsEach(500, [&](int i) {
           CDC& dc = back.dc;
           look.FillToolBarGradient(&dc, CRect(0, 0, width, height), TRUE, TRUE);
           look.OnDrawBarGripper(&dc, CRect(0, 0, 8, height), TRUE, nullptr);
           for (int b = 0; b < 30; ++b) {
             CRect rect(8 + b * 23, 2, 8 + b * 23 + 23, 24);
             if (b % 10 == 9) {
               look.OnDrawSeparator(&dc, nullptr, rect, TRUE);
               continue;
             }
             const auto state = b == i % 30 ? CUfxVisualManager::ButtonsIsHighlighted : CUfxVisualManager::ButtonsIsRegular;
             look.OnFillButtonInterior(&dc, nullptr, rect, state);
             look.OnDrawButtonBorder(&dc, nullptr, rect, state);
           }
           look.OnDrawToolbarCustomizeButton(&dc, CRect(width - 12, 0, width, height), TRUE,
                                              CUfxVisualManager::ButtonsIsRegular, TRUE, TRUE);
           screen.dc.BitBlt(0, 0, width, height, &back.dc, 0, 0, SRCCOPY);
         }), 2000);
  return 0;
}
