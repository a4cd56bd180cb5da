// Speed of the colour dialog's pickers: painting the page of the colour hexagon and the grey row,
// and building the hue/saturation plane's bitmap for a 256 x 256 picker. Prints one line per
// figure with its target; figures are read, not asserted.
#include "BenchClock.h"
#include "TestCanvas.h"
#include "looks/UfxHexColorCtrl.h"

int main() {
  CWnd page;
  if (!page.CreateEx(0, AfxRegisterWndClass(0), L"colours", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr)) return 1;
  // The standard page's pickers at the size its template gives them on a 96-dpi screen.
  CUfxHexColorCtrl hexagon, greys, plane;
  hexagon.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(6, 21, 216, 197), &page, 1);
  greys.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(6, 202, 216, 244), &page, 2);
  plane.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 256, 256), &page, 3);
  hexagon.SetType(CUfxHexColorCtrl::HEX);
  greys.SetType(CUfxHexColorCtrl::HEX_GREYSCALE);
  plane.SetType(CUfxHexColorCtrl::PICKER);
  hexagon.SelectCellHexagon(255, 0, 0);

  CTestCanvas canvasHex(210, 176), canvasGreys(210, 42), canvasPlane(256, 256);
  Report("hexagon page: hexagon of 127 cells and grey row, painted", MicrosecondsEach(200, [&](int) {
           hexagon.DrawControl(&canvasHex.dc());
           greys.DrawControl(&canvasGreys.dc());
         }), 5000);
  Report("hexagon page: cells built and painted after a resize", MicrosecondsEach(200, [&](int) {
           hexagon.SetType(CUfxHexColorCtrl::HEX);
           greys.SetType(CUfxHexColorCtrl::HEX_GREYSCALE);
           hexagon.DrawControl(&canvasHex.dc());
           greys.DrawControl(&canvasGreys.dc());
         }), 5000);
  Report("plane bitmap of a 256 x 256 picker, built", MicrosecondsEach(50, [&](int) {
           plane.BuildPlaneBitmap(&canvasPlane.dc());
         }), 20000);
  Report("plane of a 256 x 256 picker, painted from its bitmap", MicrosecondsEach(200, [&](int) {
           plane.DrawControl(&canvasPlane.dc());
         }), 2000);
  page.DestroyWindow();
  return 0;
}
