// Speed of the looks' drawing: gradient fill, highlight and shadow effects, the gradient look's
// colour computation, and a double-buffered repaint of a toolbar's worth of chrome drawn through
// the gradient look. Prints one line per figure with its target; figures are read, not asserted.
#include "BenchClock.h"
#include "TestCanvas.h"
#include "looks/UfxGdiEffects.h"
#include "frames/UfxGlobalData.h"
#include "looks/UfxVisualManager2003.h"

int main() {
  CTestCanvas wide(1000, 26), square(120, 120);
  CUfxGdiEffects gradient(wide.dc()), effects(square.dc());
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
  Report("2003 look: reopening the 14 theme classes (on a theme change only)",
         MicrosecondsEach(500, [&](int) { look.UpdateThemes(); }), 1000);
  Report("2003 look: reading the theme and global colours", MicrosecondsEach(500, [&](int) { look.ReadColorInputs(); }), 1000);
  const UFX_2003_COLOR_INPUTS inputs = look.ReadColorInputs();
  Report("2003 look: colour formulas alone", MicrosecondsEach(2000, [&](int) {
           volatile COLORREF c = CUfxVisualManager2003::ComputeColors(inputs).clrGripper;
           (void)c;
         }), 1000);

  // A docked toolbar of 30 buttons, 23 x 22 each, drawn into a back buffer and copied out.
  const int width = 8 + 30 * 23 + 12, height = 26;
  CTestCanvas screen(width, height), back(width, height);
  Report("2003 look: toolbar of 30 buttons, double-buffered", MicrosecondsEach(500, [&](int i) {
           CDC& dc = back.dc();
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
           screen.dc().BitBlt(0, 0, width, height, &back.dc(), 0, 0, SRCCOPY);
         }), 2000);
  return 0;
}
