// What each look paints on a memory canvas under a fresh prefix's colours: toolbar buttons hot,
// pushed and checked (from the facts a toolbar reports), a highlighted menu item and its text
// colour, grippers, separators, status panes, progress, and the gradient look's toolbar, dots and
// customize button.
#include "LooksTestKit.h"
#include "bars/UfxPopupMenuBar.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxToolbarButton.h"
#include "looks/UfxColorBar.h"
#include "frames/UfxCaptionButton.h"
#include "frames/UfxGlobalData.h"
#include "looks/UfxVisualManager2003.h"
#include "looks/UfxVisualManagerXP.h"
#include "looks/UfxWinXPVisualManager.h"
#include <functional>

namespace {

using Facts = CUfxVisualManager::UFX_BUTTON_FACTS;
using State = CUfxVisualManager::UFX_BUTTON_STATE;

class LookPixels : public LooksTest {
protected:
  void SetUp() override {
    LooksTest::SetUp();
    ASSERT_EQ(RGB(245, 245, 245), ::GetSysColor(COLOR_BTNFACE));
    ASSERT_EQ(RGB(48, 150, 250), ::GetSysColor(COLOR_HIGHLIGHT));
  }
  static CUfxVisualManager* Use(CRuntimeClass* look) {
    CUfxVisualManager::SetDefaultManager(look);
    return CUfxVisualManager::GetInstance();
  }
};

const COLORREF kBack = RGB(90, 80, 70);
const COLORREF kHot = RGB(191, 225, 255), kFrame = RGB(48, 150, 250), kPushed = RGB(166, 196, 222),
               kChecked = RGB(215, 231, 247), kWhite = RGB(255, 255, 255), kShadow = RGB(166, 166, 166);

struct ButtonCase {
  const char* what;
  CRuntimeClass* look;
  DWORD style;
  State state;
  COLORREF inside, corner, farCorner;  // at (10, 10), (2, 2) and (25, 23) of a button at (2, 2, 26, 24)
};

const ButtonCase kButtons[] = {
    {"base hot", RUNTIME_CLASS(CUfxVisualManager), 0, CUfxVisualManager::ButtonsIsHighlighted, kBack, kWhite, kShadow},
    {"base pushed", RUNTIME_CLASS(CUfxVisualManager), 0x20000, CUfxVisualManager::ButtonsIsPressed, kBack, kShadow, kWhite},
    {"base checked", RUNTIME_CLASS(CUfxVisualManager), 0x10000, CUfxVisualManager::ButtonsIsPressed, RGB(250, 250, 250), kShadow, kWhite},
    {"flat hot", RUNTIME_CLASS(CUfxVisualManagerXP), 0, CUfxVisualManager::ButtonsIsHighlighted, kHot, kFrame, kFrame},
    {"flat pushed", RUNTIME_CLASS(CUfxVisualManagerXP), 0x20000, CUfxVisualManager::ButtonsIsPressed, kPushed, kFrame, kFrame},
    {"flat checked", RUNTIME_CLASS(CUfxVisualManagerXP), 0x10000, CUfxVisualManager::ButtonsIsPressed, kChecked, kFrame, kFrame},
    {"flat checked hot", RUNTIME_CLASS(CUfxVisualManagerXP), 0x10000, CUfxVisualManager::ButtonsIsHighlighted, kPushed, kFrame, kFrame},
    // Not the standard theme: the gradient look fills buttons solid, as the flat look does.
    {"gradient hot", RUNTIME_CLASS(CUfxVisualManager2003), 0, CUfxVisualManager::ButtonsIsHighlighted, kHot, kFrame, kFrame},
    {"gradient pushed", RUNTIME_CLASS(CUfxVisualManager2003), 0x20000, CUfxVisualManager::ButtonsIsPressed, kPushed, kFrame, kFrame},
    {"gradient checked", RUNTIME_CLASS(CUfxVisualManager2003), 0x10000, CUfxVisualManager::ButtonsIsPressed, kChecked, kFrame, kFrame},
};

TEST_F(LookPixels, ToolbarButtonsHotPushedAndChecked) {
  for (const ButtonCase& c : kButtons) {
    CUfxVisualManager* look = Use(c.look);
    CTestCanvas canvas(30, 28, kBack);
    CUfxToolbarButton plain;
    plain.SetStyle(c.style);
    CUfxToolbarButton* button = &plain;
    const CRect rect(2, 2, 26, 24);
    look->OnFillButtonInterior(&canvas.dc(), button, rect, c.state);
    look->OnDrawButtonBorder(&canvas.dc(), button, rect, c.state);
    EXPECT_EQ(ColorText(c.inside), ColorText(canvas.At(10, 10))) << c.what;
    EXPECT_EQ(ColorText(c.corner), ColorText(canvas.At(2, 2))) << c.what;
    EXPECT_EQ(ColorText(c.farCorner), ColorText(canvas.At(25, 23))) << c.what;
  }
}

TEST_F(LookPixels, ThemedButtonsComeFromTheTheme) {
  CUfxVisualManager* look = Use(RUNTIME_CLASS(CUfxWinXPVisualManager));
  CTestCanvas rest(30, 28, kBack), hot(30, 28, kBack);
  const CRect rect(2, 2, 26, 24);
  look->OnFillButtonInterior(&rest.dc(), nullptr, rect, CUfxVisualManager::ButtonsIsRegular);
  look->OnFillButtonInterior(&hot.dc(), nullptr, rect, CUfxVisualManager::ButtonsIsHighlighted);
  EXPECT_FALSE(rest.Pixels() == hot.Pixels());  // the theme's hot state differs from its normal one
}

struct MenuCase {
  const char* what;
  CRuntimeClass* look;
  COLORREF inside, edge, text;
};

const MenuCase kMenus[] = {
    {"base", RUNTIME_CLASS(CUfxVisualManager), kFrame, kFrame, RGB(1, 1, 1)},
    {"flat", RUNTIME_CLASS(CUfxVisualManagerXP), kHot, kFrame, RGB(0, 0, 0)},
    {"themed: system highlight", RUNTIME_CLASS(CUfxWinXPVisualManager), kFrame, kFrame, RGB(1, 1, 1)},
    {"gradient", RUNTIME_CLASS(CUfxVisualManager2003), kHot, kFrame, RGB(0, 0, 0)},
};

TEST_F(LookPixels, HighlightedMenuItemAndItsTextColour) {
  for (const MenuCase& c : kMenus) {
    CUfxVisualManager* look = Use(c.look);
    CTestCanvas canvas(60, 20, kBack);
    COLORREF text = RGB(1, 1, 1);  // left alone unless the look chooses one
    look->OnHighlightMenuItem(&canvas.dc(), nullptr, CRect(0, 0, 60, 20), text);
    EXPECT_EQ(ColorText(c.inside), ColorText(canvas.At(30, 10))) << c.what;
    EXPECT_EQ(ColorText(c.edge), ColorText(canvas.At(0, 0))) << c.what;
    EXPECT_EQ(ColorText(c.text), ColorText(text)) << c.what;
  }
}

struct SpotCase {
  const char* what;
  CRuntimeClass* look;
  std::function<void(CUfxVisualManager*, CDC&)> draw;
  int x, y;
  COLORREF expected;
};

const CRect kPane(2, 2, 26, 24);
const SpotCase kSpots[] = {
    // Grippers: the base look's raised lines (with the extra pixel), the gradient look's dots.
    {"base gripper line", RUNTIME_CLASS(CUfxVisualManager), [](CUfxVisualManager* m, CDC& dc) { m->SetLook2000(FALSE); m->OnDrawBarGripper(&dc, CRect(0, 0, 10, 24), TRUE, nullptr); }, 3, 2, kWhite},
    {"base gripper shadow", RUNTIME_CLASS(CUfxVisualManager), [](CUfxVisualManager* m, CDC& dc) { m->SetLook2000(FALSE); m->OnDrawBarGripper(&dc, CRect(0, 0, 10, 24), TRUE, nullptr); }, 5, 21, kShadow},
    {"base gripper second line", RUNTIME_CLASS(CUfxVisualManager), [](CUfxVisualManager* m, CDC& dc) { m->SetLook2000(FALSE); m->OnDrawBarGripper(&dc, CRect(0, 0, 10, 24), TRUE, nullptr); }, 7, 2, kWhite},
    {"gradient dot", RUNTIME_CLASS(CUfxVisualManager2003), [](CUfxVisualManager* m, CDC& dc) { m->OnDrawBarGripper(&dc, CRect(0, 0, 10, 24), TRUE, nullptr); }, 4, 2, kShadow},
    {"gradient dot light", RUNTIME_CLASS(CUfxVisualManager2003), [](CUfxVisualManager* m, CDC& dc) { m->OnDrawBarGripper(&dc, CRect(0, 0, 10, 24), TRUE, nullptr); }, 6, 4, kWhite},
    {"gradient next dot", RUNTIME_CLASS(CUfxVisualManager2003), [](CUfxVisualManager* m, CDC& dc) { m->OnDrawBarGripper(&dc, CRect(0, 0, 10, 24), TRUE, nullptr); }, 4, 6, kShadow},
    // Separators.
    {"base separator dark", RUNTIME_CLASS(CUfxVisualManager), [](CUfxVisualManager* m, CDC& dc) { m->OnDrawSeparator(&dc, nullptr, CRect(0, 0, 8, 24), TRUE); }, 3, 10, kShadow},
    {"base separator light", RUNTIME_CLASS(CUfxVisualManager), [](CUfxVisualManager* m, CDC& dc) { m->OnDrawSeparator(&dc, nullptr, CRect(0, 0, 8, 24), TRUE); }, 4, 10, kWhite},
    {"flat separator", RUNTIME_CLASS(CUfxVisualManagerXP), [](CUfxVisualManager* m, CDC& dc) { m->OnDrawSeparator(&dc, nullptr, CRect(0, 0, 8, 24), TRUE); }, 4, 10, RGB(211, 211, 211)},
    {"gradient separator", RUNTIME_CLASS(CUfxVisualManager2003), [](CUfxVisualManager* m, CDC& dc) { m->OnDrawSeparator(&dc, nullptr, CRect(0, 0, 8, 24), TRUE); }, 4, 10, kShadow},
    {"gradient separator light", RUNTIME_CLASS(CUfxVisualManager2003), [](CUfxVisualManager* m, CDC& dc) { m->OnDrawSeparator(&dc, nullptr, CRect(0, 0, 8, 24), TRUE); }, 5, 10, kWhite},
    // Status panes: sunken in the base look, framed in the pane border colour in the flat look.
    {"base pane", RUNTIME_CLASS(CUfxVisualManager), [](CUfxVisualManager* m, CDC& dc) { m->OnDrawStatusBarPaneBorder(&dc, nullptr, kPane, 1, 0); }, 2, 2, kShadow},
    {"base pane far", RUNTIME_CLASS(CUfxVisualManager), [](CUfxVisualManager* m, CDC& dc) { m->OnDrawStatusBarPaneBorder(&dc, nullptr, kPane, 1, 0); }, 25, 23, kWhite},
    {"base pane popout", RUNTIME_CLASS(CUfxVisualManager), [](CUfxVisualManager* m, CDC& dc) { m->OnDrawStatusBarPaneBorder(&dc, nullptr, kPane, 1, 0x200); }, 2, 2, kWhite},
    {"base pane without borders", RUNTIME_CLASS(CUfxVisualManager), [](CUfxVisualManager* m, CDC& dc) { m->OnDrawStatusBarPaneBorder(&dc, nullptr, kPane, 1, 0x100); }, 2, 2, kBack},
    {"flat pane", RUNTIME_CLASS(CUfxVisualManagerXP), [](CUfxVisualManager* m, CDC& dc) { m->OnDrawStatusBarPaneBorder(&dc, nullptr, kPane, 1, 0); }, 2, 2, kWhite},
    // Progress: position 0 draws no bar, the whole range fills the rect, range 0 nothing at all.
    {"progress at 0", RUNTIME_CLASS(CUfxVisualManager), [](CUfxVisualManager* m, CDC& dc) { m->OnDrawStatusBarProgress(&dc, nullptr, CRect(0, 0, 40, 10), 4, 0, RGB(0, 0, 255), -1, -1, FALSE); }, 0, 5, kBack},
    {"progress full", RUNTIME_CLASS(CUfxVisualManager), [](CUfxVisualManager* m, CDC& dc) { m->OnDrawStatusBarProgress(&dc, nullptr, CRect(0, 0, 40, 10), 4, 4, RGB(0, 0, 255), -1, -1, FALSE); }, 39, 5, RGB(0, 0, 255)},
    {"progress half", RUNTIME_CLASS(CUfxVisualManager), [](CUfxVisualManager* m, CDC& dc) { m->OnDrawStatusBarProgress(&dc, nullptr, CRect(0, 0, 40, 10), 4, 2, RGB(0, 0, 255), -1, -1, FALSE); }, 20, 5, kBack},
    {"progress beyond the range", RUNTIME_CLASS(CUfxVisualManager), [](CUfxVisualManager* m, CDC& dc) { m->OnDrawStatusBarProgress(&dc, nullptr, CRect(0, 0, 40, 10), 4, 9, RGB(0, 0, 255), -1, -1, FALSE); }, 39, 5, RGB(0, 0, 255)},
    {"progress of range 0", RUNTIME_CLASS(CUfxVisualManager), [](CUfxVisualManager* m, CDC& dc) { m->OnDrawStatusBarProgress(&dc, nullptr, CRect(0, 0, 40, 10), 0, 3, RGB(0, 0, 255), -1, -1, TRUE); }, 0, 5, kBack},
    {"progress of a huge range", RUNTIME_CLASS(CUfxVisualManager), [](CUfxVisualManager* m, CDC& dc) { m->OnDrawStatusBarProgress(&dc, nullptr, CRect(0, 0, 40, 10), 2000000000, 1000000000, RGB(0, 0, 255), -1, -1, FALSE); }, 19, 5, RGB(0, 0, 255)},
    // The gradient look's docked toolbar: gradient rows, bottom line and rounded corners.
    {"toolbar top row", RUNTIME_CLASS(CUfxVisualManager2003), [](CUfxVisualManager* m, CDC& dc) { static_cast<CUfxVisualManager2003*>(m)->FillToolBarGradient(&dc, CRect(0, 0, 40, 26), TRUE, TRUE); }, 10, 0, RGB(254, 254, 254)},
    {"toolbar bottom row", RUNTIME_CLASS(CUfxVisualManager2003), [](CUfxVisualManager* m, CDC& dc) { static_cast<CUfxVisualManager2003*>(m)->FillToolBarGradient(&dc, CRect(0, 0, 40, 26), TRUE, TRUE); }, 10, 24, RGB(228, 228, 228)},  // band 4: bands 0, 1 and 3 are empty
    {"toolbar bottom line", RUNTIME_CLASS(CUfxVisualManager2003), [](CUfxVisualManager* m, CDC& dc) { static_cast<CUfxVisualManager2003*>(m)->FillToolBarGradient(&dc, CRect(0, 0, 40, 26), TRUE, TRUE); }, 10, 25, RGB(227, 227, 227)},
    {"toolbar corner A", RUNTIME_CLASS(CUfxVisualManager2003), [](CUfxVisualManager* m, CDC& dc) { static_cast<CUfxVisualManager2003*>(m)->FillToolBarGradient(&dc, CRect(0, 0, 40, 26), TRUE, TRUE); }, 1, 0, RGB(227, 227, 227)},
    {"toolbar corner B", RUNTIME_CLASS(CUfxVisualManager2003), [](CUfxVisualManager* m, CDC& dc) { static_cast<CUfxVisualManager2003*>(m)->FillToolBarGradient(&dc, CRect(0, 0, 40, 26), TRUE, TRUE); }, 38, 24, RGB(227, 227, 227)},
    // The customize button at rest and highlighted.
    {"customize first line", RUNTIME_CLASS(CUfxVisualManager2003), [](CUfxVisualManager* m, CDC& dc) { static_cast<CUfxVisualManager2003*>(m)->OnDrawToolbarCustomizeButton(&dc, CRect(0, 0, 12, 26), TRUE, CUfxVisualManager::ButtonsIsRegular, FALSE, FALSE); }, 5, 0, kShadow},
    {"customize second line", RUNTIME_CLASS(CUfxVisualManager2003), [](CUfxVisualManager* m, CDC& dc) { static_cast<CUfxVisualManager2003*>(m)->OnDrawToolbarCustomizeButton(&dc, CRect(0, 0, 12, 26), TRUE, CUfxVisualManager::ButtonsIsRegular, FALSE, FALSE); }, 5, 1, RGB(207, 207, 207)},
    {"customize end pixel", RUNTIME_CLASS(CUfxVisualManager2003), [](CUfxVisualManager* m, CDC& dc) { static_cast<CUfxVisualManager2003*>(m)->OnDrawToolbarCustomizeButton(&dc, CRect(0, 0, 12, 26), TRUE, CUfxVisualManager::ButtonsIsRegular, FALSE, FALSE); }, 11, 0, RGB(186, 186, 186)},
    {"customize gradient", RUNTIME_CLASS(CUfxVisualManager2003), [](CUfxVisualManager* m, CDC& dc) { static_cast<CUfxVisualManager2003*>(m)->OnDrawToolbarCustomizeButton(&dc, CRect(0, 0, 12, 26), TRUE, CUfxVisualManager::ButtonsIsRegular, FALSE, FALSE); }, 5, 23, RGB(167, 167, 167)},  // band 2
    {"customize highlighted", RUNTIME_CLASS(CUfxVisualManager2003), [](CUfxVisualManager* m, CDC& dc) { static_cast<CUfxVisualManager2003*>(m)->OnDrawToolbarCustomizeButton(&dc, CRect(0, 0, 12, 26), TRUE, CUfxVisualManager::ButtonsIsHighlighted, FALSE, FALSE); }, 5, 0, kPushed},
};

TEST_F(LookPixels, GrippersSeparatorsPanesProgressAndTheGradientToolbar) {
  for (const SpotCase& c : kSpots) {
    CUfxVisualManager* look = Use(c.look);
    CTestCanvas canvas(44, 28, kBack);
    c.draw(look, canvas.dc());
    EXPECT_EQ(ColorText(c.expected), ColorText(canvas.At(c.x, c.y))) << c.what;
  }
}

// A menu's separator starts after the image column and runs to the right edge, one line in the
// flat look's pen, in the gradient look too; on a vertical toolbar and in a colour bar (no image
// column) it crosses the whole bar.
TEST_F(LookPixels, MenuSeparatorsLeaveTheImageColumnAlone) {
  CUfxPopupMenuBar menu;
  CUfxToolBar toolbar;
  CUfxColorBar colours;
  for (CRuntimeClass* lookClass : {RUNTIME_CLASS(CUfxVisualManagerXP), RUNTIME_CLASS(CUfxVisualManager2003)}) {
    auto* look = static_cast<CUfxVisualManagerXP*>(Use(lookClass));
    const char* name = lookClass->m_lpszClassName;
    const COLORREF line = look->GetColors().clrSeparator;
    const int xStart = CUfxToolBar::GetMenuImageSize().cx + look->GetMenuImageMargin() + 1;
    CTestCanvas canvas(80, 8, kBack);
    look->OnDrawSeparator(&canvas.dc(), &menu, CRect(0, 0, 80, 8), FALSE);
    EXPECT_EQ(ColorText(kBack), ColorText(canvas.At(xStart - 1, 4))) << name;
    EXPECT_EQ(ColorText(line), ColorText(canvas.At(xStart, 4))) << name;
    EXPECT_EQ(ColorText(line), ColorText(canvas.At(79, 4))) << name;
    EXPECT_EQ(ColorText(kBack), ColorText(canvas.At(xStart + 5, 5))) << name << ": a second line";
    for (CControlBar* pWhole : {(CControlBar*)&colours, (CControlBar*)&toolbar}) {
      if (pWhole == &toolbar && lookClass != RUNTIME_CLASS(CUfxVisualManagerXP)) continue;  // the gradient look's own lines
      CTestCanvas bar(80, 8, kBack);
      look->OnDrawSeparator(&bar.dc(), pWhole, CRect(0, 0, 80, 8), FALSE);
      EXPECT_EQ(ColorText(line), ColorText(bar.At(0, 4))) << name << " on " << pWhole->GetRuntimeClass()->m_lpszClassName;
    }
  }
}

TEST_F(LookPixels, CaptionButtonGlyphsByKindSideAndState) {
  CUfxCaptionButton close(19, 16011), expand(9, 16012);
  const struct { CUfxCaptionButton* button; BOOL side, state, maximize; int glyph; } cases[] = {
      {&close, TRUE, TRUE, TRUE, 20}, {&close, FALSE, FALSE, FALSE, 20},
      {&expand, TRUE, TRUE, FALSE, 2}, {&expand, TRUE, FALSE, TRUE, 3}, {&expand, TRUE, FALSE, FALSE, 19},
      {&expand, FALSE, TRUE, FALSE, 0}, {&expand, FALSE, FALSE, TRUE, 17}, {&expand, FALSE, FALSE, FALSE, 16},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.glyph, CUfxVisualManager::CaptionButtonGlyph(c.button, c.side, c.state, c.maximize))
        << c.button->m_nHit << " " << c.side << c.state << c.maximize;
}

TEST_F(LookPixels, CaptionButtonFrames) {
  CUfxCaptionButton button(9, 16012);
  button.m_ptOrg = CPoint(3, 4);  // 14 x 14 from there
  ASSERT_EQ(CRect(3, 4, 17, 18), button.GetRect());
  const COLORREF light = ::GetSysColor(COLOR_3DLIGHT), dark = ::GetSysColor(COLOR_3DDKSHADOW);
  struct Case { const char* what; CRuntimeClass* look; BOOL look2000, pushed, focused, maximize; COLORREF corner, inner; };
  const Case cases[] = {
      {"base at rest", RUNTIME_CLASS(CUfxVisualManager), FALSE, FALSE, FALSE, FALSE, light, kWhite},
      {"base pressed", RUNTIME_CLASS(CUfxVisualManager), FALSE, TRUE, TRUE, FALSE, dark, dark},
      {"base 2000 at rest", RUNTIME_CLASS(CUfxVisualManager), TRUE, FALSE, FALSE, FALSE, kBack, kBack},
      {"base 2000 hot", RUNTIME_CLASS(CUfxVisualManager), TRUE, FALSE, TRUE, FALSE, kWhite, kBack},
      {"base 2000 hot, maximize glyph", RUNTIME_CLASS(CUfxVisualManager), TRUE, FALSE, TRUE, TRUE, kBack, kBack},
      {"flat hot", RUNTIME_CLASS(CUfxVisualManagerXP), TRUE, FALSE, TRUE, FALSE, kFrame, kHot},
      {"flat pressed", RUNTIME_CLASS(CUfxVisualManagerXP), TRUE, TRUE, TRUE, FALSE, kFrame, kPushed},
      {"flat maximize kind: glyph only", RUNTIME_CLASS(CUfxVisualManagerXP), TRUE, TRUE, TRUE, TRUE, kBack, kBack},
  };
  for (const Case& c : cases) {
    CUfxVisualManager* look = Use(c.look);
    look->SetLook2000(c.look2000);
    button.m_bPushed = c.pushed;
    button.m_bFocused = c.focused;
    CTestCanvas canvas(20, 20, kBack);
    look->OnDrawCaptionButton(&canvas.dc(), &button, FALSE, FALSE, c.maximize);
    EXPECT_EQ(ColorText(c.corner), ColorText(canvas.At(3, 4))) << c.what;
    EXPECT_EQ(ColorText(c.inner), ColorText(canvas.At(4, 5))) << c.what;
  }
}

TEST_F(LookPixels, BarBordersByTheBarsBorderBits) {
  struct Case { const char* what; CRuntimeClass* look; DWORD style; bool dockable; int x, y; COLORREF expected; int shrinkLeft, shrinkTop; };
  const COLORREF face = RGB(245, 245, 245);
  const Case cases[] = {
      {"no border bits: nothing", RUNTIME_CLASS(CUfxVisualManager), CBRS_ALIGN_TOP, true, 0, 10, kBack, 0, 0},
      {"left edge in shadow", RUNTIME_CLASS(CUfxVisualManager), CBRS_BORDER_LEFT, true, 0, 10, kShadow, 1, 0},
      {"left edge lit when 3D", RUNTIME_CLASS(CUfxVisualManager), CBRS_BORDER_LEFT | CBRS_BORDER_3D, true, 0, 10, kWhite, 1, 0},
      {"right edge in shadow", RUNTIME_CLASS(CUfxVisualManager), CBRS_BORDER_RIGHT | CBRS_BORDER_3D, true, 39, 10, kShadow, 0, 0},
      {"bottom edge in shadow", RUNTIME_CLASS(CUfxVisualManager), CBRS_BORDER_BOTTOM, true, 20, 19, kShadow, 0, 0},
      {"not dockable: shadow top line", RUNTIME_CLASS(CUfxVisualManager), CBRS_BORDER_TOP | CBRS_BORDER_3D, false, 20, 0, kShadow, 0, 1},
      {"not dockable: then a lit line", RUNTIME_CLASS(CUfxVisualManager), CBRS_BORDER_TOP | CBRS_BORDER_3D, false, 20, 1, kWhite, 0, 1},
      {"flat: lines in the bar face", RUNTIME_CLASS(CUfxVisualManagerXP), CBRS_BORDER_ANY, true, 0, 10, face, 1, 1},
      {"gradient: no border", RUNTIME_CLASS(CUfxVisualManager2003), CBRS_BORDER_ANY, true, 0, 10, kBack, 0, 0},
  };
  for (const Case& c : cases) {
    CUfxVisualManager* look = Use(c.look);
    CControlBar bar;
    bar.m_dwStyle = c.style;
    if (c.dockable) bar.EnableDocking(CBRS_ALIGN_ANY);
    CTestCanvas canvas(40, 20, kBack);
    canvas.dc().SetBkColor(RGB(7, 8, 9));
    CRect rect(0, 0, 40, 20);
    look->OnDrawBarBorder(&canvas.dc(), &bar, rect);
    EXPECT_EQ(ColorText(c.expected), ColorText(canvas.At(c.x, c.y))) << c.what;
    EXPECT_EQ(c.shrinkLeft, rect.left) << c.what;
    EXPECT_EQ(c.shrinkTop, rect.top) << c.what;
    EXPECT_EQ(RGB(7, 8, 9), canvas.dc().GetBkColor()) << c.what;
  }
}

TEST_F(LookPixels, SizeBoxGlyphFollowsTheLayout) {
  CUfxVisualManager* look = Use(RUNTIME_CLASS(CUfxVisualManager));
  // The grip as the symbol font writes one character at the bottom-right corner.
  auto written = [](LPCWSTR glyph, DWORD layout) {
    CTestCanvas canvas(20, 20, kBack);
    ::SetLayout(canvas.dc().GetSafeHdc(), layout);
    CFont* old = canvas.dc().SelectObject(&UfxGlobalData.fontMarlett);
    canvas.dc().SetTextAlign(TA_RIGHT | TA_BOTTOM);
    canvas.dc().SetTextColor(UfxGlobalData.clrBtnShadow);
    canvas.dc().SetBkMode(TRANSPARENT);
    CRect rect(2, 2, 18, 18);
    canvas.dc().ExtTextOut(18, 18, ETO_CLIPPED, &rect, glyph, 1, nullptr);
    canvas.dc().SelectObject(old);
    return canvas.Pixels();
  };
  for (DWORD layout : {0ul, (DWORD)LAYOUT_RTL}) {
    CTestCanvas canvas(20, 20, kBack);
    ::SetLayout(canvas.dc().GetSafeHdc(), layout);
    look->OnDrawStatusBarSizeBox(&canvas.dc(), nullptr, CRect(2, 2, 18, 18));
    const auto drawn = canvas.Pixels();
    const auto expected = written(layout ? L"x" : L"o", layout);
    EXPECT_TRUE(drawn == expected) << "layout " << layout;
    EXPECT_FALSE(drawn == written(layout ? L"o" : L"x", layout)) << "layout " << layout;
  }
}

TEST_F(LookPixels, PaletteScreensDrawTheGradientLookAsTheFlatOne) {
  const int saved = UfxGlobalData.m_nBitsPerPixel;
  UfxGlobalData.m_nBitsPerPixel = 8;  // the global colour depth of a palette screen
  UfxGlobalData.UpdateLightBrush(8);
  {
    CUfxVisualManager2003 gradient(TRUE);  // temporary: it leaves the global depth as set
    CUfxVisualManagerXP flat(TRUE);
    const std::function<void(CUfxVisualManager&, CDC&)> draws[] = {
        [](CUfxVisualManager& m, CDC& dc) { m.OnDrawSeparator(&dc, nullptr, CRect(0, 0, 8, 24), TRUE); },
        [](CUfxVisualManager& m, CDC& dc) { m.OnDrawBarGripper(&dc, CRect(0, 0, 10, 24), TRUE, nullptr); },
        [](CUfxVisualManager& m, CDC& dc) { m.OnFillBarBackground(&dc, nullptr, CRect(0, 0, 40, 26), CRect(), FALSE); },
        [](CUfxVisualManager& m, CDC& dc) { m.OnDrawComboDropButton(&dc, CRect(2, 2, 14, 20), FALSE, FALSE, FALSE, nullptr); },
        [](CUfxVisualManager& m, CDC& dc) {
          m.OnFillButtonInterior(&dc, nullptr, CRect(2, 2, 26, 24), CUfxVisualManager::ButtonsIsHighlighted); },
    };
    int i = 0;
    for (const auto& draw : draws) {
      CTestCanvas a(44, 28, kBack), b(44, 28, kBack);
      draw(gradient, a.dc());
      draw(flat, b.dc());
      EXPECT_TRUE(a.Pixels() == b.Pixels()) << "operation " << i++;
    }
    EXPECT_EQ(ColorText(UfxGlobalData.clrBtnFace), ColorText(flat.GetColors().clrHighlight));
  }
  UfxGlobalData.m_nBitsPerPixel = saved;
  UfxGlobalData.UpdateLightBrush(saved);
}

// The open button grows towards its menu: by 1 (0 upwards) when the menu is narrower (lower) than
// the button, else by 4; nothing without an open menu or a side.
TEST_F(LookPixels, AnOpenMenuButtonGrowsTowardsItsMenu) {
  const CRect button(10, 0, 50, 20);
  const struct {
    const char* what;
    BOOL bOpen;
    int nSide;
    CSize sizeMenu;
    CRect expected;
  } cases[] = {
      {"down, wider", TRUE, 1, CSize(100, 60), CRect(10, 0, 50, 24)},
      {"down, narrower", TRUE, 1, CSize(30, 60), CRect(10, 0, 50, 21)},
      {"up, wider", TRUE, 2, CSize(100, 60), CRect(10, -4, 50, 20)},
      {"up, narrower", TRUE, 2, CSize(30, 60), CRect(10, 0, 50, 20)},
      {"right, taller", TRUE, 3, CSize(100, 60), CRect(10, 0, 54, 20)},
      {"right, lower", TRUE, 3, CSize(100, 10), CRect(10, 0, 51, 20)},
      {"left, taller", TRUE, 4, CSize(100, 60), CRect(6, 0, 50, 20)},
      {"left, lower", TRUE, 4, CSize(100, 10), CRect(9, 0, 50, 20)},
      {"no side", TRUE, 0, CSize(100, 60), button},
      {"closed", FALSE, 1, CSize(100, 60), button},
  };
  for (const auto& c : cases) {
    Facts facts;
    facts.bMenuButton = TRUE;
    facts.bPopupOpen = c.bOpen;
    facts.nDropDirection = c.nSide;
    facts.rectPopup = CRect(CPoint(0, 0), c.sizeMenu);
    CRect rect = button;
    CUfxVisualManagerXP::AdjustMenuConnectionRect(facts, rect);
    EXPECT_EQ(c.expected, rect) << c.what;
  }
}

// A menu of 100 x 60 whose button lies beside it: the outer border opens where the button touches
// it (one pixel short of each end of the button), unless the menu is more than 5 pixels narrower
// (lower) than the button, or the look keeps its menus apart.
TEST_F(LookPixels, TheMenuBorderOpensWhereItsButtonTouchesIt) {
  const CSize sizeMenu(100, 60);
  const struct {
    const char* what;
    CRuntimeClass* look;
    CRect button;              // in the menu's coordinates
    int nDropDirection;
    BOOL bCustomizeButton;
    CPoint ptOpen, ptClosed;  // on the border: opened, and kept
  } cases[] = {
      {"flat, below", RUNTIME_CLASS(CUfxVisualManagerXP), CRect(10, -20, 50, 0), 1, FALSE, CPoint(11, 0), CPoint(48, 0)},
      {"flat, above", RUNTIME_CLASS(CUfxVisualManagerXP), CRect(10, 60, 50, 80), 2, FALSE, CPoint(30, 59), CPoint(60, 59)},
      {"flat, right", RUNTIME_CLASS(CUfxVisualManagerXP), CRect(-30, 10, 0, 40), 3, FALSE, CPoint(0, 25), CPoint(0, 45)},
      {"flat, left", RUNTIME_CLASS(CUfxVisualManagerXP), CRect(100, 10, 130, 40), 4, FALSE, CPoint(99, 11), CPoint(99, 38)},
      {"flat, button much wider", RUNTIME_CLASS(CUfxVisualManagerXP), CRect(0, -20, 106, 0), 1, FALSE, CPoint(-1, -1), CPoint(50, 0)},
      {"flat, button a little wider", RUNTIME_CLASS(CUfxVisualManagerXP), CRect(0, -20, 105, 0), 1, FALSE, CPoint(50, 0), CPoint(0, 0)},
      {"gradient, below", RUNTIME_CLASS(CUfxVisualManager2003), CRect(10, -20, 50, 0), 1, FALSE, CPoint(30, 0), CPoint(60, 0)},
      {"flat, no direction", RUNTIME_CLASS(CUfxVisualManagerXP), CRect(10, -20, 50, 0), 0, FALSE, CPoint(-1, -1), CPoint(30, 0)},
      {"gradient, customize button", RUNTIME_CLASS(CUfxVisualManager2003), CRect(10, -20, 50, 0), 1, TRUE, CPoint(-1, -1), CPoint(30, 0)},
  };
  for (const auto& c : cases) {
    auto* look = static_cast<CUfxVisualManagerXP*>(Use(c.look));
    CUfxVisualManager::UFX_MENU_FACTS menu;
    menu.bHasParentButton = TRUE;
    menu.rectButton = c.button;
    menu.nDropDirection = c.nDropDirection;
    menu.bCustomizeButton = c.bCustomizeButton;
    CTestCanvas canvas(sizeMenu.cx, sizeMenu.cy, kBack);
    look->DrawMenuBorder(&canvas.dc(), menu, CRect(CPoint(0, 0), sizeMenu));
    if (c.ptOpen.x >= 0)
      EXPECT_EQ(ColorText(look->GetColors().clrToolBar), ColorText(canvas.At(c.ptOpen.x, c.ptOpen.y))) << c.what;
    EXPECT_EQ(ColorText(look->GetColors().clrMenuBorder), ColorText(canvas.At(c.ptClosed.x, c.ptClosed.y))) << c.what;
  }
}

}  // namespace
