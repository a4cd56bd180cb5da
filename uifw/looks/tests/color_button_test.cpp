// The colour picker button on the display: its popup of colour cells opens at the button's
// lower-left corner and closes again, a choice reaches the parent as the button's click, and the
// face shows the colour (or the automatic colour with its label) in the base look.
#include "ColorTestKit.h"
#include "FrameLooksKit.h"
#include "TestCanvas.h"
#include "looks/ColorButton.h"
#include "looks/ColorPopup.h"
#include "looks/UfxColorBar.h"
#include "looks/UfxColorButton.h"
#include "looks/UfxVisualManagerXP.h"
#include "looks/UfxWinXPVisualManager.h"

using namespace color_test;

namespace {

class ColorButtonTest : public ColorTest {
protected:
  void SetUp() override {
    ColorTest::SetUp();
    ASSERT_TRUE(parent.Make(60, 60, 300, 200));
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 130, 34), &parent, 55));
  }
  void TearDown() override {
    if (button.GetPopup() != nullptr && ::IsWindow(button.GetPopup()->GetSafeHwnd()))
      button.GetPopup()->SendMessage(WM_CLOSE);
    PumpUntil([&] { return button.GetPopup() == nullptr; }, 1000);
    button.DestroyWindow();
    parent.DestroyWindow();
    ColorTest::TearDown();
  }
  void PressButton() {
    button.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    button.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpRoundTrip(button.GetSafeHwnd());
  }
  // The button's face drawn on a canvas of its size.
  void DrawFace(CTestCanvas& canvas) {
    CRect rect;
    button.GetClientRect(rect);
    DRAWITEMSTRUCT dis = {ODT_BUTTON, 55, 0, ODA_DRAWENTIRE, 0, button.GetSafeHwnd(), canvas.dc().GetSafeHdc(), rect, 0};
    button.DrawItem(&dis);
  }
  CCommandRecorder parent;
  CUfxColorButton button;
};

TEST_F(ColorButtonTest, AClickOpensTheDefaultColoursAtTheLowerLeftCornerAndASecondClickClosesThem) {
  PressButton();
  ASSERT_TRUE(PumpUntil([&] { return button.GetPopup() != nullptr && button.GetPopup()->IsWindowVisible(); }));
  CColorPopup* pPopup = button.GetPopup();
  const HWND hwndPopup = pPopup->GetSafeHwnd();
  CUfxColorBar& bar = pPopup->GetColorBar();
  EXPECT_EQ(20, bar.GetButtonCount());
  for (int i = 0; i < bar.GetButtonCount(); ++i) EXPECT_EQ(button.m_Colors[i], bar.GetCell(i)->m_Color);
  CRect rectButton, rectPopup;
  button.GetWindowRect(rectButton);
  pPopup->GetWindowRect(rectPopup);
  EXPECT_EQ(rectButton.left, rectPopup.left);
  EXPECT_EQ(rectButton.bottom, rectPopup.top);
  EXPECT_EQ(bar.m_pParentBtn, &button);
  EXPECT_EQ((UINT)-1, bar.GetCommandID());

  PressButton();
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hwndPopup); }));
  EXPECT_EQ(nullptr, button.GetPopup());
  PumpRoundTrip(parent.GetSafeHwnd());
  EXPECT_EQ(0, parent.Count(55));
}

TEST_F(ColorButtonTest, AChosenColourIsStoredAndReportedAsTheButtonsClick) {
  button.SetColor(RGB(1, 2, 3));
  PressButton();
  ASSERT_TRUE(PumpUntil([&] { return button.GetPopup() != nullptr; }));
  CUfxColorBar& bar = button.GetPopup()->GetColorBar();
  const HWND hwndPopup = button.GetPopup()->GetSafeHwnd();
  const CPoint pt = bar.GetButton(4)->Rect().CenterPoint();
  const COLORREF expected = bar.GetCell(4)->m_Color;
  bar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
  ASSERT_TRUE(PumpUntil([&] { return parent.Count(55) == 1; }));
  EXPECT_EQ((UINT)BN_CLICKED, parent.commands[0].code);
  EXPECT_EQ(button.GetSafeHwnd(), parent.commands[0].sender);
  EXPECT_EQ(expected, button.GetColor());
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hwndPopup) && button.GetPopup() == nullptr; }));
}

TEST_F(ColorButtonTest, TheAutomaticEntryDeliversNoColour) {
  button.EnableAutomaticButton(L"Automatic", RGB(0, 0, 255));
  button.SetColor(RGB(0, 128, 0));
  PressButton();
  ASSERT_TRUE(PumpUntil([&] { return button.GetPopup() != nullptr; }));
  CUfxColorBar& bar = button.GetPopup()->GetColorBar();
  ASSERT_TRUE(bar.GetCell(0)->m_bIsAutomatic);
  const CPoint pt = bar.GetButton(0)->Rect().CenterPoint();
  bar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
  ASSERT_TRUE(PumpUntil([&] { return parent.Count(55) == 1; }));
  EXPECT_EQ((COLORREF)-1, button.GetColor());
}

TEST_F(ColorButtonTest, TheFaceShowsTheColourBetweenItsFramesAndTheArrowOnTheFace) {
  button.SetColor(RGB(0, 128, 0));
  CTestCanvas canvas(120, 24, RGB(1, 1, 1));
  DrawFace(canvas);
  CRect rect(0, 0, 120, 24);
  EXPECT_EQ(UfxGlobalData.clrBtnHilite, canvas.At(0, 0));  // the outer 3D border
  rect.DeflateRect(2, 2);
  const CRect rectArrow = button.GetDropDownRect(rect);
  CRect rectColor(rect.left, rect.top, rectArrow.left, rect.bottom);
  rectColor.DeflateRect(2, 2);
  EXPECT_EQ(UfxGlobalData.clrBtnHilite, canvas.At(rectColor.left, rectColor.top));
  EXPECT_EQ(UfxGlobalData.clrBtnDkShadow, canvas.At(rectColor.right - 1, rectColor.bottom - 1));
  EXPECT_EQ(RGB(0, 128, 0), canvas.At(rectColor.left + 1, rectColor.top + 1));
  EXPECT_EQ(RGB(0, 128, 0), canvas.At(rectColor.CenterPoint().x, rectColor.CenterPoint().y));
  EXPECT_EQ(UfxGlobalData.clrBtnFace, canvas.At(rectArrow.left + 2, rectArrow.top + 2));

  // Disabled, the colour area keeps the face.
  button.EnableWindow(FALSE);
  DrawFace(canvas);
  EXPECT_NE(RGB(0, 128, 0), canvas.At(rectColor.CenterPoint().x, rectColor.CenterPoint().y));
}

TEST_F(ColorButtonTest, UnderTheThemedLookTheFaceIsTheWindowColourAndTheArrowTheComboButton) {
  button.SetColor(RGB(0, 128, 0));
  CTestCanvas classic(120, 24), themed(120, 24), flat(120, 24);
  DrawFace(classic);
  CUfxVisualManager::SetDefaultManager(RUNTIME_CLASS(CUfxWinXPVisualManager));
  ASSERT_TRUE(UfxGlobalData.IsThemeActive());
  DrawFace(themed);
  // The colour stays; the border and the drop-down part are the theme's.
  EXPECT_EQ(RGB(0, 128, 0), themed.At(40, 12));
  const CRect rectArrow = button.GetDropDownRect(CRect(2, 2, 118, 22));
  bool bArrowDiffers = false;
  for (int x = rectArrow.left; x < rectArrow.right; ++x)
    for (int y = rectArrow.top; y < rectArrow.bottom; ++y) bArrowDiffers = bArrowDiffers || themed.At(x, y) != classic.At(x, y);
  EXPECT_TRUE(bArrowDiffers);
  // The flat look has no theme: the classic face again.
  CUfxVisualManager::SetDefaultManager(RUNTIME_CLASS(CUfxVisualManagerXP));
  DrawFace(flat);
  EXPECT_TRUE(flat.Pixels() == classic.Pixels());
}

TEST_F(ColorButtonTest, AnAutomaticLabelIsWrittenOverTheAutomaticColour) {
  button.SetColor((COLORREF)-1);
  button.EnableAutomaticButton(L"", RGB(255, 0, 0));
  CTestCanvas plain(120, 24), labelled(120, 24);
  DrawFace(plain);
  button.EnableAutomaticButton(L"Automatic", RGB(255, 0, 0));
  DrawFace(labelled);
  const CRect rectArrow = button.GetDropDownRect(CRect(2, 2, 118, 22));
  int nRed = 0, nText = 0;
  for (int y = 5; y < 19; ++y)
    for (int x = 5; x < rectArrow.left - 3; ++x) {
      nRed += plain.At(x, y) == RGB(255, 0, 0);
      nText += labelled.At(x, y) != RGB(255, 0, 0);
    }
  EXPECT_EQ((rectArrow.left - 3 - 5) * 14, nRed);  // without a label: all the automatic colour
  EXPECT_GT(nText, 10);                            // the label's letters
}

TEST_F(ColorButtonTest, EscapeInTheBarClosesThePopupWithoutAChoice) {
  button.SetColor(RGB(1, 2, 3));
  PressButton();
  ASSERT_TRUE(PumpUntil([&] { return button.GetPopup() != nullptr; }));
  const HWND hwndPopup = button.GetPopup()->GetSafeHwnd();
  CUfxColorBar& bar = button.GetPopup()->GetColorBar();
  bar.PostMessage(WM_KEYDOWN, VK_ESCAPE);
  ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(hwndPopup); }));
  EXPECT_EQ(nullptr, button.GetPopup());
  EXPECT_EQ(RGB(1, 2, 3), button.GetColor());
  EXPECT_EQ(0, parent.Count(55));
}

TEST_F(ColorButtonTest, TheOtherColoursEntryClosesThePopupAndDeliversTheDialogsColour) {
  looks_frame::CMenuGlyphResources resources;
  ASSERT_TRUE(resources.IsLoaded());
  button.SetColor(RGB(0, 0, 255));
  button.EnableOtherButton(L"More Colors...");
  PressButton();
  ASSERT_TRUE(PumpUntil([&] { return button.GetPopup() != nullptr; }));
  CUfxColorBar& bar = button.GetPopup()->GetColorBar();
  int iOther = -1;
  for (int i = 0; i < bar.GetButtonCount(); ++i)
    if (bar.GetCell(i) != nullptr && bar.GetCell(i)->m_bIsOther) iOther = i;
  ASSERT_GE(iOther, 0);
  // The framework's colour dialog comes up with the current colour, the popup gone; its OK is
  // pressed for it.
  bool bPopupGone = false;
  std::function<void()> accept = [&] {
    HWND hwndDialog = FindVisibleDialog();
    if (hwndDialog == nullptr) {
      RunSoon(accept);
      return;
    }
    bPopupGone = button.GetPopup() == nullptr;
    ::PostMessageW(hwndDialog, WM_COMMAND, IDOK, 0);
  };
  RunSoon(accept);
  const CPoint pt = bar.GetButton(iOther)->Rect().CenterPoint();
  bar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
  const bool bReported = PumpUntil([&] { return parent.Count(55) == 1; }, 10000);
  ASSERT_TRUE(bReported);
  EXPECT_TRUE(bPopupGone);
  EXPECT_EQ(RGB(0, 0, 255), button.GetColor());
  EXPECT_TRUE(PumpUntil([&] { return button.GetPopup() == nullptr; }));
}

TEST_F(ColorButtonTest, ThePopupIsRefusedWhileCustomizingUnlessTheButtonAllowsIt) {
  CUfxToolBar::SetCustomizeMode(TRUE);
  PressButton();
  EXPECT_EQ(nullptr, button.GetPopup());
  button.m_bEnabledInCustomizeMode = TRUE;
  PressButton();
  ASSERT_TRUE(PumpUntil([&] { return button.GetPopup() != nullptr; }));
  EXPECT_TRUE(button.GetPopup()->GetColorBar().m_bInternal);
  CUfxToolBar::SetCustomizeMode(FALSE);
}

}  // namespace
