// The colour dialog and its pickers: the hexagon's cells and colours, clicks on and between
// cells, the grey row's snapping, the two pages kept in step by typed RGB and HLS values, the
// luminance bar and the plane, a double click that chooses, the hand-over to the platform's
// dialog on screens with few colours, and system colour changes.
#include "ColorTestKit.h"
#include "FrameLooksKit.h"
#include "looks/ColorPage1.h"
#include "looks/ColorPage2.h"
#include "looks/PropertySheetCtrl.h"
#include "looks/UfxColorChooserDlg.h"
#include "looks/UfxColorMath.h"
#include "looks/UfxHexCell.h"
#include "looks/UfxHexColorCtrl.h"
#include "LooksIds.h"

using namespace color_test;

namespace {

class Pickers : public ColorTest {
protected:
  void SetUp() override {
    ColorTest::SetUp();
    ASSERT_TRUE(parent.Make());
  }
  void TearDown() override {
    if (picker.GetSafeHwnd() != nullptr) picker.DestroyWindow();
    parent.DestroyWindow();
    ColorTest::TearDown();
  }
  void Make(int nType, int cx, int cy) {
    ASSERT_TRUE(picker.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 10 + cx, 10 + cy), &parent, 90));
    picker.SetType(nType);
  }
  void Press(CPoint pt, UINT message = WM_LBUTTONDOWN) {
    picker.PostMessage(message, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    picker.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    PumpRoundTrip(picker.GetSafeHwnd());
  }
  CCommandRecorder parent;
  CUfxHexColorCtrl picker;
};

TEST_F(Pickers, TheHexagonHas127CellsInRingsOfFallingLightness) {
  Make(CUfxHexColorCtrl::HEX, 130, 130);
  ASSERT_EQ(127, picker.GetCellCount());
  EXPECT_EQ(RGB(255, 255, 255), picker.GetCell(0)->m_Color);
  // Ring r starts at 1 + 3r(r - 1): right of the centre, hue 0.
  EXPECT_EQ(RGB(255, 233, 233), picker.GetCell(1)->m_Color);   // ring 1, lightness about 0.957
  EXPECT_EQ(RGB(255, 0, 0), picker.GetCell(37)->m_Color);      // ring 4
  EXPECT_EQ(RGB(128, 0, 0), picker.GetCell(91)->m_Color);      // ring 6, lightness about 0.243: 123 snaps
  const int s = 130 / 13 + 1;
  EXPECT_EQ(CPoint(65 + 4 * s, 65), CPoint(picker.GetCell(37)->m_x, picker.GetCell(37)->m_y));
}

TEST_F(Pickers, AClickOnACellTakesItsColourAndAClickBetweenCellsDoesNothing) {
  Make(CUfxHexColorCtrl::HEX, 130, 130);
  CUfxHexCell* pRed = picker.GetCell(37);
  Press(CPoint(pRed->m_x, pRed->m_y));
  ASSERT_EQ(1, parent.Count(90));
  EXPECT_EQ((UINT)BN_CLICKED, parent.commands[0].code);
  EXPECT_EQ(RGB(255, 0, 0), picker.GetColor());
  EXPECT_EQ(37, picker.GetSelectedCell());
  // The corner lies outside every cell.
  Press(CPoint(1, 1));
  EXPECT_EQ(1, parent.Count(90));
  EXPECT_EQ(37, picker.GetSelectedCell());
}

TEST_F(Pickers, TheGreyRowSnapsItsGreys) {
  Make(CUfxHexColorCtrl::HEX_GREYSCALE, 280, 40);
  ASSERT_EQ(17, picker.GetCellCount());
  EXPECT_EQ(RGB(255, 255, 255), picker.GetCell(0)->m_Color);
  EXPECT_EQ(RGB(240, 240, 240), picker.GetCell(1)->m_Color);
  EXPECT_EQ(RGB(192, 192, 192), picker.GetCell(4)->m_Color);  // 195 snaps to 192
  EXPECT_EQ(RGB(135, 135, 135), picker.GetCell(8)->m_Color);  // 7 away from 128: too far
  EXPECT_EQ(RGB(120, 120, 120), picker.GetCell(9)->m_Color);
  EXPECT_EQ(RGB(0, 0, 0), picker.GetCell(16)->m_Color);
}

TEST_F(Pickers, AtEightBitsCellsDrawWithThePalettesNearestEntry) {
  CPalette palette;
  ASSERT_TRUE(palette.CreateHalftonePalette(nullptr) || palette.CreateStockObject(DEFAULT_PALETTE));
  const int nSaved = UfxGlobalData.m_nBitsPerPixel;
  UfxGlobalData.m_nBitsPerPixel = 8;
  CUfxHexCell cell(10, 10, 8, RGB(250, 3, 3), 16, &palette);
  UfxGlobalData.m_nBitsPerPixel = nSaved;
  EXPECT_EQ(RGB(255, 0, 0), cell.m_Color);
  EXPECT_EQ(PALETTEINDEX(::GetNearestPaletteIndex((HPALETTE)palette.GetSafeHandle(), RGB(255, 0, 0))),
            cell.m_DrawColor);
  CUfxHexCell deep(10, 10, 8, RGB(250, 3, 3), 16, &palette);
  EXPECT_EQ(RGB(255, 0, 0), deep.m_DrawColor);
}

TEST_F(Pickers, PickersTooSmallForACellDrawNoneAndIgnoreTheMouse) {
  for (int nType : {CUfxHexColorCtrl::HEX, CUfxHexColorCtrl::HEX_GREYSCALE}) {
    Make(nType, 6, 5);
    EXPECT_EQ(0, picker.GetCellCount()) << nType;
    Press(CPoint(2, 2));
    EXPECT_EQ(0, parent.Count(90)) << nType;
    picker.DestroyWindow();
  }
}

TEST_F(Pickers, TheLuminanceBarAndThePlaneFollowThePointerAndTheArrowKeys) {
  Make(CUfxHexColorCtrl::LUMINANCE, 40, 110);
  picker.SetHLS(0.0, 0.5, 1.0);
  Press(CPoint(5, 5));  // the top of the bar
  EXPECT_DOUBLE_EQ(1.0, picker.m_dblLum);
  EXPECT_EQ(RGB(255, 255, 255), picker.GetColor());
  picker.PostMessage(WM_KEYDOWN, VK_DOWN);
  PumpRoundTrip(picker.GetSafeHwnd());
  EXPECT_NEAR(0.95, picker.m_dblLum, 1e-9);
  EXPECT_EQ(2, parent.Count(90));
  picker.DestroyWindow();

  Make(CUfxHexColorCtrl::PICKER, 100, 80);
  picker.SetHLS(0.0, 0.5, 0.0);
  Press(CPoint(50, 20));
  EXPECT_DOUBLE_EQ(0.5, picker.m_dblHue);
  EXPECT_DOUBLE_EQ(0.75, picker.m_dblSat);
  EXPECT_EQ(HLSToRGB(0.5, 0.5, 0.75), picker.GetColor());
  picker.PostMessage(WM_KEYDOWN, VK_RIGHT);
  PumpRoundTrip(picker.GetSafeHwnd());
  EXPECT_NEAR(0.55, picker.m_dblHue, 1e-9);
  // Values stop at their ends: a step past 1 changes nothing and tells nobody.
  picker.SetHLS(1.0, 0.5, 1.0);
  const size_t nBefore = parent.commands.size();
  picker.PostMessage(WM_KEYDOWN, VK_UP);
  PumpRoundTrip(picker.GetSafeHwnd());
  EXPECT_EQ(nBefore, parent.commands.size());
}

// The dialog with its pages, modeless on the screen, its templates from the resource library.
class ColorDialog : public ColorTest {
protected:
  void SetUp() override {
    ColorTest::SetUp();
    ASSERT_TRUE(resources.IsLoaded()) << "BrookResx.dll not found beside the program";
    m_nSavedBits = UfxGlobalData.m_nBitsPerPixel;
    ASSERT_TRUE(parent.Make());
  }
  void TearDown() override {
    UfxGlobalData.m_nBitsPerPixel = m_nSavedBits;
    parent.DestroyWindow();
    ColorTest::TearDown();
  }
  static void Type(CWnd* pPage, UINT nId, LPCWSTR lpszText) { pPage->SetDlgItemText(nId, lpszText); }
  static int Field(CWnd* pPage, UINT nId) {
    CString str;
    pPage->GetDlgItemText(nId, str);
    return _wtoi(str);
  }
  looks_frame::CMenuGlyphResources resources;
  CCommandRecorder parent;
  int m_nSavedBits = 0;
};

TEST_F(ColorDialog, TypedValuesKeepBothPagesAndTheSwatchInStep) {
  CUfxColorChooserDlg dlg(RGB(0, 0, 255), &parent);
  ASSERT_TRUE(dlg.Create(IDD_UFX_COLOR_DIALOG, &parent));
  CColorPage1* pPage1 = dlg.GetPage1();
  CColorPage2* pPage2 = dlg.GetPage2();
  ASSERT_TRUE(pPage1 != nullptr && pPage1->m_bIsReady);
  ASSERT_TRUE(pPage2 != nullptr && pPage2->m_bIsReady);
  EXPECT_EQ(255, Field(pPage2, IDC_UFX_COLOR_BLUE));
  EXPECT_EQ(RGB(0, 0, 255), dlg.m_wndColors.m_colorOriginal);

  // RGB typed: the HLS fields, the swatch and the hexagon's selection follow.
  Type(pPage2, IDC_UFX_COLOR_RED, L"255");
  Type(pPage2, IDC_UFX_COLOR_BLUE, L"0");
  EXPECT_EQ(RGB(255, 0, 0), dlg.GetColor());
  EXPECT_EQ(RGB(255, 0, 0), dlg.m_wndColors.GetColor());
  EXPECT_EQ(0, Field(pPage2, IDC_UFX_COLOR_HUE));
  EXPECT_EQ(128, Field(pPage2, IDC_UFX_COLOR_LUM));
  EXPECT_EQ(255, Field(pPage2, IDC_UFX_COLOR_SAT));
  ASSERT_GE(pPage1->m_hexpicker.GetSelectedCell(), 0);
  EXPECT_EQ(RGB(255, 0, 0), pPage1->m_hexpicker.GetCell(pPage1->m_hexpicker.GetSelectedCell())->m_Color);

  // HLS typed: lightness 255 gives white whatever the hue.
  Type(pPage2, IDC_UFX_COLOR_HUE, L"170");
  Type(pPage2, IDC_UFX_COLOR_LUM, L"255");
  EXPECT_EQ(RGB(255, 255, 255), dlg.GetColor());
  EXPECT_EQ(255, Field(pPage2, IDC_UFX_COLOR_RED));
  EXPECT_EQ(255, Field(pPage2, IDC_UFX_COLOR_GREEN));
  EXPECT_EQ(0, pPage1->m_hexpicker.GetSelectedCell());  // the white centre

  // 256 and text that is no number are refused: nothing follows.
  Type(pPage2, IDC_UFX_COLOR_RED, L"256");
  EXPECT_EQ(RGB(255, 255, 255), dlg.GetColor());
  Type(pPage2, IDC_UFX_COLOR_GREEN, L"");
  EXPECT_EQ(RGB(255, 255, 255), dlg.GetColor());
  EXPECT_EQ(255, Field(pPage2, IDC_UFX_COLOR_LUM));
  dlg.DestroyWindow();
}

TEST_F(ColorDialog, AGreyFromPageOneReachesPageTwo) {
  CUfxColorChooserDlg dlg(RGB(0, 0, 0), &parent);
  ASSERT_TRUE(dlg.Create(IDD_UFX_COLOR_DIALOG, &parent));
  CUfxHexColorCtrl& greys = dlg.GetPage1()->m_hexpicker_greyscale;
  CUfxHexCell* pCell = greys.GetCell(4);
  ASSERT_NE(nullptr, pCell);
  greys.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pCell->m_x, pCell->m_y));
  greys.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pCell->m_x, pCell->m_y));
  ASSERT_TRUE(PumpUntil([&] { return dlg.GetColor() == RGB(192, 192, 192); }));
  EXPECT_EQ(192, Field(dlg.GetPage2(), IDC_UFX_COLOR_RED));
  EXPECT_EQ(0, Field(dlg.GetPage2(), IDC_UFX_COLOR_SAT));
  dlg.DestroyWindow();
}

TEST_F(ColorDialog, ADoubleClickOnAHexagonCellEndsTheDialogWithOK) {
  CUfxColorChooserDlg dlg(RGB(0, 0, 0), &parent);
  bool bActed = false;
  RunSoon([&] {
    CColorPage1* pPage1 = dlg.GetPage1();
    if (pPage1 == nullptr || !pPage1->m_bIsReady) return;
    bActed = true;
    CUfxHexCell* pCell = pPage1->m_hexpicker.GetCell(37);
    pPage1->m_hexpicker.PostMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pCell->m_x, pCell->m_y));
  });
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_TRUE(bActed);
  EXPECT_EQ(RGB(255, 0, 0), dlg.GetColor());
}

TEST_F(ColorDialog, OnAScreenOfFewColoursThePlatformsDialogTakesOver) {
  UfxGlobalData.m_nBitsPerPixel = 4;
  for (const bool bAccept : {true, false}) {
    CUfxColorChooserDlg dlg(RGB(10, 20, 30), &parent);
    HWND hwndStandard = nullptr;
    std::function<void()> closeIt = [&] {
      // The platform's dialog is a visible dialog window of this thread other than ours.
      HWND hwnd = FindVisibleDialog(dlg.GetSafeHwnd());
      if (hwnd == nullptr) {
        RunSoon(closeIt);
        return;
      }
      hwndStandard = hwnd;
      ::PostMessageW(hwnd, WM_COMMAND, bAccept ? IDOK : IDCANCEL, 0);
    };
    RunSoon(closeIt);
    EXPECT_EQ(bAccept ? IDOK : IDCANCEL, dlg.DoModal());
    EXPECT_NE(nullptr, hwndStandard);
    EXPECT_EQ(nullptr, dlg.GetPage1());  // the own pages were never made
    if (bAccept) EXPECT_EQ(RGB(10, 20, 30), dlg.GetColor());
  }
}

TEST_F(ColorDialog, ASystemColourChangeOnADeepScreenRebuildsTheOwnPaletteAndKeepsAGivenOne) {
  CUfxColorChooserDlg dlg(RGB(0, 0, 0), &parent);
  ASSERT_TRUE(dlg.Create(IDD_UFX_COLOR_DIALOG, &parent));
  CPalette* pBefore = dlg.GetPalette();
  ASSERT_NE(nullptr, pBefore);
  const HPALETTE hBefore = (HPALETTE)pBefore->GetSafeHandle();
  dlg.SendMessage(WM_SYSCOLORCHANGE);
  EXPECT_TRUE(dlg.IsWindowVisible() || ::IsWindow(dlg.GetSafeHwnd()));
  ASSERT_NE(nullptr, dlg.GetPalette());
  EXPECT_NE(hBefore, (HPALETTE)dlg.GetPalette()->GetSafeHandle());
  EXPECT_EQ(dlg.GetPalette(), dlg.GetPage1()->m_hexpicker.m_pPalette);
  dlg.DestroyWindow();

  CPalette given;
  given.CreateHalftonePalette(nullptr);
  CUfxColorChooserDlg dlgGiven(RGB(0, 0, 0), &parent, (HPALETTE)given.GetSafeHandle());
  ASSERT_TRUE(dlgGiven.Create(IDD_UFX_COLOR_DIALOG, &parent));
  dlgGiven.SendMessage(WM_SYSCOLORCHANGE);
  EXPECT_EQ((HPALETTE)given.GetSafeHandle(), (HPALETTE)dlgGiven.GetPalette()->GetSafeHandle());
  dlgGiven.DestroyWindow();
}

}  // namespace
