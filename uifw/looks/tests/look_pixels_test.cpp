// What each look paints on a memory canvas under a fresh prefix's colours: toolbar buttons hot,
// pushed and checked (from the facts a toolbar reports), a highlighted menu item and its text
// colour, grippers, separators, status panes, progress, and the gradient look's toolbar, dots and
// customize button.
#include "LooksTestKit.h"
#include "UfxGlobalData.h"
#include "UfxVisualManager2003.h"
#include "UfxVisualManagerXP.h"
#include "UfxWinXPVisualManager.h"
#include <functional>

namespace {

using Facts = CUfxVisualManager::UFX_BUTTON_FACTS;
using State = CUfxVisualManager::UFX_BUTTON_STATE;

// The test's buttons are their facts.
Facts DescribeTestButton(const void* pButton, BOOL bMenuButton) {
  Facts facts = *static_cast<const Facts*>(pButton);
  facts.bMenuButton = facts.bMenuButton || bMenuButton;
  return facts;
}

class LookPixels : public LooksTest {
protected:
  void SetUp() override {
    LooksTest::SetUp();
    CUfxVisualManager::SetButtonDescriber(DescribeTestButton);
    ASSERT_EQ(RGB(245, 245, 245), ::GetSysColor(COLOR_BTNFACE));
    ASSERT_EQ(RGB(48, 150, 250), ::GetSysColor(COLOR_HIGHLIGHT));
  }
  void TearDown() override {
    CUfxVisualManager::SetButtonDescriber(nullptr);
    LooksTest::TearDown();
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
    Facts facts;
    facts.nStyle = c.style;
    auto* button = reinterpret_cast<CUfxToolbarButton*>(&facts);
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

}  // namespace
