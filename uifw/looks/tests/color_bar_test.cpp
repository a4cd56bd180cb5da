// The colour bar: rows, columns, size and cell rectangles where it stands (docked, floating, in a
// popup, in a dialog), the automatic, other and last-colour cells, tooltips, the click of a
// dialog control, its archive and the fitting of a dialog control into its rectangle.
#include "ColorTestKit.h"
#include "TestCanvas.h"
#include "looks/ColorButton.h"
#include "looks/UfxColorBar.h"
#include "looks/UfxColorMenuButton.h"

using namespace color_test;

namespace {

const UINT kBarId = 0xE800;

CArray<COLORREF, COLORREF>& DefaultColors() {
  static CArray<COLORREF, COLORREF> colors;
  if (colors.GetSize() == 0) CUfxColorBar::InitColors(nullptr, colors);
  return colors;
}

class ColorBar : public ColorTest {
protected:
  void SetUp() override {
    ColorTest::SetUp();
    ASSERT_TRUE(frame.Make());
  }
  void TearDown() override {
    for (auto& bar : bars)
      if (bar->GetSafeHwnd() != nullptr) bar->DestroyWindow();
    bars.clear();
    frame.DestroyWindow();
    CUfxColorMenuButton::ClearColorsByCmdID();
    ColorTest::TearDown();
  }
  // A bar docked on a toolbar edge (CBRS_TOP or CBRS_LEFT).
  CUfxColorBar& Docked(DWORD dwAlign, int nColumns, int nRowsHorz, int nColumnsVert) {
    bars.push_back(std::make_unique<CUfxColorBar>());
    CUfxColorBar& bar = *bars.back();
    EXPECT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | dwAlign, kBarId, nullptr, nColumns, nRowsHorz, nColumnsVert));
    return bar;
  }
  // A bar as a popup holds it, with labels and document colours.
  CUfxColorBar& Popup(COLORREF current, LPCWSTR lpszAuto, LPCWSTR lpszOther, LPCWSTR lpszDoc,
                      std::vector<COLORREF> docColors, int nColumns) {
    CList<COLORREF, COLORREF> lstDoc;
    for (COLORREF c : docColors) lstDoc.AddTail(c);
    bars.push_back(std::make_unique<CUfxColorBar>(DefaultColors(), current, lpszAuto, lpszOther, lpszDoc, lstDoc,
                                                  nColumns, -1, -1, RGB(0, 0, 0), kBarId, nullptr));
    CUfxColorBar& bar = *bars.back();
    EXPECT_TRUE(bar.CreateEx(&frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), kBarId));
    const CSize size = bar.CalcSize(FALSE);
    bar.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    bar.LayoutButtons();
    return bar;
  }
  static int FindCell(CUfxColorBar& bar, const std::function<bool(CColorButton*)>& match) {
    for (int i = 0; i < bar.GetButtonCount(); ++i)
      if (CColorButton* p = bar.GetCell(i))
        if (match(p)) return i;
    return -1;
  }
  CCommandRecorder frame;
  std::vector<std::unique_ptr<CUfxColorBar>> bars;
};

TEST_F(ColorBar, ColumnsRowsAndSizeWhereTheBarStands) {
  // Default menu images 16 x 15: cells 17 x 16, text rows 24, margins 4.
  struct Case {
    const char* name;
    std::function<CUfxColorBar&()> make;
    int columns, rows;
    CSize size;
  } cases[] = {
      {"docked, column count 0", [&]() -> CUfxColorBar& { return Docked(CBRS_TOP, 0, 0, 0); }, 5, 4, CSize(93, 72)},
      {"docked horizontally in 2 rows", [&]() -> CUfxColorBar& { return Docked(CBRS_TOP, 0, 2, 0); }, 10, 2,
       CSize(178, 40)},
      {"docked vertically in 3 columns", [&]() -> CUfxColorBar& { return Docked(CBRS_LEFT, 0, 0, 3); }, 3, 7,
       CSize(59, 120)},
      {"popup with both labels, 8 columns",
       [&]() -> CUfxColorBar& { return Popup(RGB(0, 0, 0), L"Automatic", L"More...", nullptr, {}, 8); }, 8, 3,
       CSize(144, 48 + 48 + 8)},
      {"popup with other label and document colours",
       [&]() -> CUfxColorBar& {
         return Popup(RGB(0, 0, 0), nullptr, L"More...", L"Document", {RGB(1, 2, 3), RGB(4, 5, 6)}, 0);
       },
       5, 4, CSize(93, (4 + 24 + 4 + 16 + 24 + 4) + 64 + 8)},
      {"popup with a caption but no document colours",
       [&]() -> CUfxColorBar& { return Popup(RGB(0, 0, 0), nullptr, nullptr, L"Document", {}, 0); }, 5, 4,
       CSize(93, 72)},
  };
  for (const Case& c : cases) {
    CUfxColorBar& bar = c.make();
    int nColumns = 0, nRows = 0;
    bar.GetColumnsAndRows(nColumns, nRows, bar.IsDockedVertically());
    EXPECT_EQ(c.columns, nColumns) << c.name;
    EXPECT_EQ(c.rows, nRows) << c.name;
    EXPECT_EQ(c.size, bar.CalcSize(bar.IsDockedVertically())) << c.name;
  }
}

TEST_F(ColorBar, DocumentColoursCountOnlyInPopupsAndFloatingBars) {
  CUfxColorBar& bar = Docked(CBRS_TOP, 0, 0, 0);
  bar.m_strDocColors = L"Document";
  bar.m_lstDocColors.AddTail(RGB(1, 2, 3));
  bar.Rebuild();
  EXPECT_EQ(CSize(93, 72), bar.CalcSize(FALSE));
  bar.LayoutButtons();
  const int iDoc = FindCell(bar, [](CColorButton* p) { return p->m_bIsDocument; });
  ASSERT_GE(iDoc, 0);
  EXPECT_TRUE(bar.GetButton(iDoc)->Rect().IsRectEmpty());
}

TEST_F(ColorBar, AFloatingBarShowsItsDocumentColoursAndKeepsItsColumnCount) {
  CFrameWnd* pFrame = new CFrameWnd;
  ASSERT_TRUE(pFrame->Create(nullptr, L"frame", WS_POPUP, CRect(0, 0, 400, 300)));
  pFrame->EnableDocking(CBRS_ALIGN_ANY);
  bars.push_back(std::make_unique<CUfxColorBar>());
  CUfxColorBar& bar = *bars.back();
  ASSERT_TRUE(bar.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, kBarId, nullptr, 4, 2, 2));
  bar.m_strDocColors = L"Document";
  for (COLORREF c : {RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9), RGB(10, 11, 12), RGB(13, 14, 15)})
    bar.m_lstDocColors.AddTail(c);
  bar.Rebuild();
  bar.EnableDocking(CBRS_ALIGN_ANY);
  EXPECT_EQ(CSize(178, 40), bar.CalcSize(FALSE));  // docked: 2 rows, no document colours
  pFrame->FloatControlBar(&bar, CPoint(50, 50));
  ASSERT_TRUE(bar.IsFloatingBar());
  // 4 columns of 5 rows, and the document block: margin, 2 rows of cells, a text row and 4.
  EXPECT_EQ(CSize(4 * 17 + 8, (4 + 2 * 16 + 24 + 4) + 5 * 16 + 8), bar.CalcSize(FALSE));
  bar.LayoutButtons();
  int nShown = 0;
  for (int i = 0; i < bar.GetButtonCount(); ++i)
    if (bar.GetCell(i) != nullptr && bar.GetCell(i)->m_bIsDocument) nShown += !bar.GetButton(i)->Rect().IsRectEmpty();
  EXPECT_EQ(5, nShown);
  bar.DestroyWindow();
  pFrame->DestroyWindow();
}

TEST_F(ColorBar, CellsOfADockedBarLieRowByRowInsideTheMargins) {
  CUfxColorBar& bar = Docked(CBRS_TOP, 0, 0, 0);
  // The toolbar's frame comes around the cells' 93 x 72.
  const CSize size = bar.CalcFixedLayout(FALSE, TRUE);
  bar.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
  bar.LayoutButtons();
  CRect rectClient;
  bar.GetClientRect(rectClient);
  EXPECT_EQ(CSize(93, 72), rectClient.Size());
  const int x0 = rectClient.left + 4, y0 = rectClient.top + 4;
  ASSERT_EQ(20, bar.GetButtonCount());
  for (int i : {0, 4, 5, 19})
    EXPECT_EQ(CRect(CPoint(x0 + (i % 5) * 17, y0 + (i / 5) * 16), CSize(17, 16)), bar.GetButton(i)->Rect()) << i;
}

TEST_F(ColorBar, AutomaticOtherAndLastColourCellsFollowTheCurrentColour) {
  const COLORREF inPalette = DefaultColors()[3];
  struct Case {
    const char* name;
    COLORREF current;
    bool autoHighlighted, lastShown;
    int highlightedPaletteCell;
  } cases[] = {{"automatic", (COLORREF)-1, true, false, -1},
               {"a palette colour", inPalette, false, false, 3},
               {"a colour no cell has", RGB(1, 2, 3), false, true, -1}};
  for (const Case& c : cases) {
    CUfxColorBar& bar = Popup(c.current, L"Automatic", L"More...", nullptr, {}, 5);
    const int iAuto = FindCell(bar, [](CColorButton* p) { return p->m_bIsAutomatic; });
    const int iOther = FindCell(bar, [](CColorButton* p) { return p->m_bIsOther; });
    const int iLast = FindCell(bar, [](CColorButton* p) { return p->m_bIsOtherColor; });
    ASSERT_GE(iAuto, 0);
    ASSERT_GE(iOther, 0);
    ASSERT_GE(iLast, 0);
    EXPECT_EQ(c.autoHighlighted, (bool)bar.GetCell(iAuto)->m_bHighlight) << c.name;
    for (int i = 0; i < 20; ++i)
      EXPECT_EQ(i == c.highlightedPaletteCell, (bool)bar.GetCell(iAuto + 1 + i)->m_bHighlight) << c.name << " " << i;
    const CRect rectOther = bar.GetButton(iOther)->Rect(), rectLast = bar.GetButton(iLast)->Rect();
    EXPECT_EQ(c.lastShown, !rectLast.IsRectEmpty()) << c.name;
    CRect rectClient;
    bar.GetClientRect(rectClient);
    // The other-colours entry is inset by half a margin, and shortened by a cell for the last colour.
    EXPECT_EQ(rectClient.right - 4 - 2 - (c.lastShown ? 17 : 0), rectOther.right) << c.name;
    if (c.lastShown) {
      EXPECT_EQ(rectOther.right, rectLast.left);
      EXPECT_EQ(rectOther.top, rectLast.top);
      EXPECT_EQ(c.current, bar.GetCell(iLast)->m_Color);
    }
  }
}

TEST_F(ColorBar, SettingAColourMovesTheHighlightAndShowsOrHidesTheLastColour) {
  CUfxColorBar& bar = Popup(DefaultColors()[0], L"Automatic", L"More...", nullptr, {}, 5);
  const int iLast = FindCell(bar, [](CColorButton* p) { return p->m_bIsOtherColor; });
  bar.SetColor(RGB(9, 9, 9));
  EXPECT_FALSE(bar.GetButton(iLast)->Rect().IsRectEmpty());
  EXPECT_FALSE(bar.GetCell(1)->m_bHighlight);
  bar.SetColor((COLORREF)-1);
  EXPECT_TRUE(bar.GetButton(iLast)->Rect().IsRectEmpty());
  EXPECT_TRUE(bar.GetCell(0)->m_bHighlight);
}

TEST_F(ColorBar, TooltipsShowTheHexValueOrTheLabel) {
  CColorButton cell(RGB(255, 128, 0));
  EXPECT_EQ(CString(L"Hex={FF,80,00}"), cell.GetTooltipText());
  CColorButton other((COLORREF)-1, FALSE, TRUE, L"More Colors...");
  EXPECT_EQ(CString(L"More Colors..."), other.GetTooltipText());

  // Through the bar's tool hit test, and none while tooltips are off.
  CUfxColorBar& bar = Docked(CBRS_TOP, 0, 0, 0);
  bar.m_colors.RemoveAll();
  bar.m_colors.Add(RGB(255, 128, 0));
  bar.Rebuild();
  bar.SetWindowPos(nullptr, 0, 0, 40, 40, SWP_NOZORDER | SWP_NOMOVE);
  bar.LayoutButtons();
  const CPoint ptCell = bar.GetButton(0)->Rect().CenterPoint();
  TOOLINFOW ti = {};
  ti.cbSize = sizeof(ti);
  ASSERT_GT(bar.OnToolHitTest(ptCell, &ti), 0);
  EXPECT_STREQ(L"Hex={FF,80,00}", ti.lpszText);
  free(ti.lpszText);
  CUfxToolBar::SetShowTooltips(FALSE);
  EXPECT_EQ(-1, bar.OnToolHitTest(ptCell, nullptr));
}

TEST_F(ColorBar, TheArchiveOfASmallBarAndItsRoundTrip) {
  CUfxColorBar bar;
  bar.m_nNumColumns = 3;
  bar.m_nNumColumnsVert = 2;
  bar.m_ColorAutomatic = RGB(1, 2, 3);
  bar.m_strAutoColor = L"Auto";
  bar.m_strOtherColor = L"";
  bar.m_strDocColors = L"Doc";
  bar.m_nCommandID = 500;
  bar.m_bStdColorDlg = TRUE;
  bar.m_colors.Add(RGB(255, 0, 0));
  bar.m_colors.Add(RGB(0, 255, 0));
  std::vector<BYTE> expected;
  AppendInt(expected, 3);
  AppendInt(expected, 0);
  AppendInt(expected, 2);
  AppendInt(expected, RGB(1, 2, 3));
  AppendString(expected, L"Auto");
  AppendString(expected, L"");
  AppendString(expected, L"Doc");
  for (DWORD n : std::vector<DWORD>{1, 500, 1, 2, RGB(255, 0, 0), RGB(0, 255, 0)}) AppendInt(expected, n);
  EXPECT_EQ(expected, Store(bar));

  // Read into a bar on screen: it takes everything and builds its cells again.
  CUfxColorBar& other = Docked(CBRS_TOP, 0, 0, 0);
  ASSERT_TRUE(Load(other, expected));
  EXPECT_EQ(3, other.m_nNumColumns);
  EXPECT_EQ(2, other.m_nNumColumnsVert);
  EXPECT_EQ(CString(L"Auto"), other.m_strAutoColor);
  EXPECT_EQ(500u, other.GetCommandID());
  EXPECT_TRUE(other.m_bStdColorDlg);
  ASSERT_EQ(3, other.GetButtonCount());  // the automatic cell and the two colours
  EXPECT_TRUE(other.GetCell(0)->m_bIsAutomatic);
  EXPECT_EQ(RGB(0, 255, 0), other.GetCell(2)->m_Color);
  EXPECT_EQ(expected, Store(other));
}

TEST_F(ColorBar, AColourCountTheBytesCannotHoldLeavesTheBarAsItWas) {
  CUfxColorBar bar;
  bar.m_nNumColumns = 4;
  bar.m_colors.Add(RGB(7, 7, 7));
  std::vector<BYTE> bytes;
  for (DWORD n : {9u, 0u, 0u, 0u}) AppendInt(bytes, n);
  AppendString(bytes, L"");
  AppendString(bytes, L"");
  AppendString(bytes, L"");
  for (DWORD n : {1u, 1u, 0u}) AppendInt(bytes, n);
  for (DWORD count : {0x7FFFFFFFu, 0xFFFFFFFFu, 3u}) {
    std::vector<BYTE> damaged = bytes;
    AppendInt(damaged, count);
    AppendInt(damaged, RGB(1, 1, 1));  // one colour where more are promised
    EXPECT_FALSE(Load(bar, damaged)) << count;
    EXPECT_EQ(4, bar.m_nNumColumns) << count;
    ASSERT_EQ(1, bar.m_colors.GetSize()) << count;
    EXPECT_EQ(RGB(7, 7, 7), bar.m_colors[0]) << count;
  }
}

TEST_F(ColorBar, ADialogControlFitsItsCellsIntoRectanglesOfAnySize) {
  const CRect rects[] = {CRect(10, 10, 107, 71), CRect(0, 0, 61, 47), CRect(5, 7, 255, 48), CRect(3, 3, 44, 253),
                         CRect(0, 0, 130, 131)};
  for (const CRect& rect : rects) {
    bars.push_back(std::make_unique<CUfxColorBar>());
    CUfxColorBar& bar = *bars.back();
    ASSERT_TRUE(bar.CreateControl(&frame, rect, 300));
    CRect rectWindow;
    bar.GetWindowRect(rectWindow);
    frame.ScreenToClient(rectWindow);
    EXPECT_EQ(rect, rectWindow);
    CRect rectClient;
    bar.GetClientRect(rectClient);
    ASSERT_EQ(20, bar.GetButtonCount());
    for (int i = 0; i < bar.GetButtonCount(); ++i) {
      const CRect rectCell = bar.GetButton(i)->Rect();
      EXPECT_FALSE(rectCell.IsRectEmpty()) << rect.Width() << "x" << rect.Height() << " cell " << i;
      EXPECT_TRUE(rectCell.left >= 0 && rectCell.top >= 0 && rectCell.right <= rectClient.right &&
                  rectCell.bottom <= rectClient.bottom)
          << rect.Width() << "x" << rect.Height() << " cell " << i;
    }
    EXPECT_EQ(bar.m_BoxWidth, bar.m_BoxHeight);  // square cells
    // No other column count gives larger square cells.
    for (int c = 1; c <= 20; ++c) {
      const int nSide = std::min<int>((rect.Width() - 8) / c, (rect.Height() - 8) / ((20 + c - 1) / c));
      EXPECT_LE(nSide, bar.m_BoxWidth) << rect.Width() << "x" << rect.Height() << " with " << c << " columns";
    }
    EXPECT_EQ(300u, bar.GetCommandID());
  }
}

TEST_F(ColorBar, AClickInADialogControlReportsToTheOwnerAndRemembersTheColour) {
  CUfxColorBar& bar = *bars.emplace_back(std::make_unique<CUfxColorBar>());
  ASSERT_TRUE(bar.CreateControl(&frame, CRect(10, 10, 110, 90), 301));
  const CPoint pt = bar.GetButton(6)->Rect().CenterPoint();
  const COLORREF expected = bar.GetCell(6)->m_Color;
  bar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
  ASSERT_TRUE(PumpUntil([&] { return frame.Count(301) == 1; }));
  EXPECT_EQ(expected, bar.GetColor());
  EXPECT_EQ(expected, CUfxColorMenuButton::GetColorByCmdID(301));
  EXPECT_TRUE(bar.GetCell(6)->m_bHighlight);
}

TEST_F(ColorBar, ClicksWhileCustomizingAreIgnoredUnlessTheBarTakesThem) {
  CUfxColorBar& bar = *bars.emplace_back(std::make_unique<CUfxColorBar>());
  ASSERT_TRUE(bar.CreateControl(&frame, CRect(10, 10, 110, 90), 302));
  const CPoint pt = bar.GetButton(2)->Rect().CenterPoint();
  CUfxToolBar::SetCustomizeMode(TRUE);
  bar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
  PumpRoundTrip(bar.GetSafeHwnd());
  EXPECT_EQ(0, frame.Count(302));
  bar.m_bInternal = TRUE;
  bar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
  EXPECT_TRUE(PumpUntil([&] { return frame.Count(302) == 1; }));
  CUfxToolBar::SetCustomizeMode(FALSE);
}

TEST_F(ColorBar, CellsPaintTheirColourInsideAShadowFrame) {
  CUfxColorBar& bar = *bars.emplace_back(std::make_unique<CUfxColorBar>());
  ASSERT_TRUE(bar.CreateControl(&frame, CRect(0, 0, 120, 100), 303));
  CRect rectClient;
  bar.GetClientRect(rectClient);
  CTestCanvas canvas(rectClient.Width(), rectClient.Height(), RGB(1, 1, 1));
  bar.DoPaint(&canvas.dc());
  const int nBorder = 2 * ::GetSystemMetrics(SM_CXBORDER);
  for (int i : {0, 7, 19}) {
    CRect rect = bar.GetButton(i)->Rect();
    rect.DeflateRect(nBorder, nBorder);
    EXPECT_EQ(bar.GetCell(i)->m_Color, canvas.At(rect.CenterPoint().x, rect.CenterPoint().y)) << i;
    EXPECT_EQ(UfxGlobalData.clrBtnShadow, canvas.At(rect.left, rect.top)) << i;
    EXPECT_EQ(UfxGlobalData.clrBtnShadow, canvas.At(rect.right - 1, rect.bottom - 1)) << i;
  }
  // A disabled cell draws no colour.
  bar.GetButton(7)->m_nStyle |= TBBS_DISABLED;
  bar.DoPaint(&canvas.dc());
  const CPoint pt = bar.GetButton(7)->Rect().CenterPoint();
  EXPECT_NE(bar.GetCell(7)->m_Color, canvas.At(pt.x, pt.y));
}

TEST_F(ColorBar, NoPaletteOnTrueColourScreensAndAHundredColoursAtMostAtEightBits) {
  CUfxColorBar& bar = Docked(CBRS_TOP, 0, 0, 0);
  if (UfxGlobalData.m_nBitsPerPixel > 8) EXPECT_EQ(nullptr, bar.GetPalette());
  const int nSaved = UfxGlobalData.m_nBitsPerPixel;
  UfxGlobalData.m_nBitsPerPixel = 8;
  for (int i = 0; i < 130; ++i) bar.m_colors.Add(RGB(i, 0, 0));
  bar.m_Palette.DeleteObject();
  CPalette* pPalette = bar.GetPalette();
  UfxGlobalData.m_nBitsPerPixel = nSaved;
  ASSERT_NE(nullptr, pPalette);
  EXPECT_EQ(100, pPalette->GetEntryCount());
}

}  // namespace
