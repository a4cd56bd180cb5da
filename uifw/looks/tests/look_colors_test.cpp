// Each look's derived colours: for chosen inputs (worked out by hand from the formulas), for the
// colours of a fresh Wine prefix, and collapsed to system colours on palette screens.
#include "LooksTestKit.h"
#include "frames/UfxGlobalData.h"
#include "looks/UfxVisualManager2003.h"
#include "looks/UfxVisualManagerXP.h"
#include "looks/UfxWinXPVisualManager.h"

namespace {

#define EXPECT_COLOR(expected, actual) EXPECT_EQ(ColorText(expected), ColorText(actual)) << #actual

UFX_XP_COLOR_INPUTS ClassicInputs() {
  // The classic grey scheme: face 212,208,200, highlight 10,36,106.
  return {RGB(212, 208, 200), RGB(128, 128, 128), RGB(255, 255, 255), RGB(255, 255, 255), RGB(10, 36, 106),
          RGB(212, 208, 200), RGB(128, 128, 128), RGB(64, 64, 64), 32};
}

TEST(LookColors, FlatLookFromChosenColours) {
  const UFX_XP_COLORS c = CUfxVisualManagerXP::ComputeColors(ClassicInputs());
  EXPECT_COLOR(RGB(249, 248, 247), c.clrMenuLight);
  EXPECT_COLOR(RGB(236, 232, 224), c.clrTabBack);
  EXPECT_COLOR(RGB(217, 213, 206), c.clrToolBar);          // lightness 0.81: raised by 3 %
  EXPECT_COLOR(RGB(92, 85, 72), c.clrInactiveTabText);
  EXPECT_COLOR(RGB(177, 185, 210), c.clrHighlight);
  EXPECT_COLOR(RGB(154, 161, 183), c.clrHighlightDn);
  EXPECT_COLOR(RGB(209, 212, 223), c.clrHighlightChecked);
  EXPECT_COLOR(RGB(182, 179, 172), c.clrSeparator);
  EXPECT_COLOR(RGB(228, 224, 216), c.clrPaneBorder);
  EXPECT_COLOR(RGB(116, 114, 110), c.clrMenuBorder);
  EXPECT_COLOR(RGB(140, 140, 140), c.clrTabButtonBorder);
  EXPECT_COLOR(RGB(10, 36, 106), c.clrHighlightFrame);
}

TEST(LookColors, GreyFaceKeepsTheTabAreaGrey) {
  UFX_XP_COLOR_INPUTS in = ClassicInputs();
  in.clrBarFace = RGB(100, 100, 100);
  const UFX_XP_COLORS c = CUfxVisualManagerXP::ComputeColors(in);
  EXPECT_EQ(GetRValue(c.clrTabBack), GetGValue(c.clrTabBack));
  EXPECT_EQ(GetRValue(c.clrTabBack), GetBValue(c.clrTabBack));
}

TEST(LookColors, PaletteScreensCollapseToSystemColours) {
  UFX_XP_COLOR_INPUTS in = ClassicInputs();
  in.nBitsPerPixel = 8;
  in.clrBarWindow = RGB(250, 250, 250);
  const UFX_XP_COLORS c = CUfxVisualManagerXP::ComputeColors(in);
  EXPECT_COLOR(in.clrBarWindow, c.clrMenuLight);
  EXPECT_COLOR(in.clrBtnFace, c.clrToolBar);
  EXPECT_COLOR(in.clrBtnFace, c.clrHighlight);
  EXPECT_COLOR(in.clrBtnFace, c.clrHighlightDn);
  EXPECT_COLOR(in.clrBarWindow, c.clrHighlightChecked);
  EXPECT_COLOR(in.clrBtnDkShadow, c.clrInactiveTabText);
  EXPECT_COLOR(in.clrBtnFace, c.clrTabBack);
  EXPECT_COLOR(in.clrBtnShadow, c.clrSeparator);
  EXPECT_COLOR(in.clrBtnShadow, c.clrPaneBorder);
  EXPECT_COLOR(in.clrBtnDkShadow, c.clrMenuBorder);
  EXPECT_COLOR(in.clrBtnShadow, c.clrTabButtonBorder);
  EXPECT_COLOR(in.clrHilite, c.clrHighlightFrame);
  // The gradient look stops after the flat colours, on the button colours of its scheme.
  UFX_2003_COLOR_INPUTS in2003;
  in2003.xp = in;
  in2003.bThemed = TRUE;
  in2003.buttonFace = RGB(1, 2, 3);
  const UFX_2003_COLORS g = CUfxVisualManager2003::ComputeColors(in2003);
  EXPECT_COLOR(RGB(1, 2, 3), g.clrBarFace);
  EXPECT_COLOR(in.clrBtnFace, g.xp.clrHighlight);
}

// Luna-style inputs: highlight 49,106,197 and a beige face.
UFX_2003_COLOR_INPUTS LunaInputs(BOOL homestead, BOOL metallic) {
  UFX_2003_COLOR_INPUTS in;
  in.xp = ClassicInputs();
  in.bThemed = TRUE;
  in.bHomestead = homestead;
  in.bMetallic = metallic;
  in.tscHighlight = RGB(49, 106, 197);
  in.tscBtnFace = RGB(236, 233, 216);
  in.tsc3DLight = RGB(241, 239, 226);
  in.tscWindow = RGB(255, 255, 255);
  in.tscMenuBar = RGB(236, 233, 216);
  in.themeB1 = RGB(255, 240, 207);
  in.themeB2 = RGB(229, 151, 0);
  in.themeW = RGB(255, 255, 255);
  in.themeB3 = RGB(0, 60, 116);
  in.themeB4 = RGB(248, 179, 48);
  return in;
}

struct SchemeCase {
  const char* scheme;
  BOOL homestead, metallic;
  COLORREF tbStart, mbLight, tbEnd, mbDark, face, shadow, bottom, cornerA, cornerB, dot, separator;
};

const SchemeCase kSchemes[] = {
    {"normal", FALSE, FALSE, RGB(134, 173, 231), RGB(159, 191, 240), RGB(227, 237, 255), RGB(227, 237, 255),
     RGB(255, 254, 250), RGB(147, 179, 221), RGB(67, 86, 115), RGB(208, 218, 234), RGB(129, 167, 224),
     RGB(52, 67, 90), RGB(106, 136, 183)},
    {"homestead", TRUE, FALSE, RGB(58, 127, 236), RGB(175, 197, 217), RGB(177, 207, 255), RGB(227, 237, 255),
     RGB(127, 177, 255), RGB(147, 179, 221), RGB(29, 63, 118), RGB(162, 190, 234), RGB(56, 123, 228),
     RGB(22, 49, 92), RGB(45, 100, 187)},
    {"metallic", FALSE, TRUE, RGB(75, 132, 219), RGB(58, 127, 236), RGB(227, 237, 255), RGB(227, 237, 255),
     RGB(185, 207, 242), RGB(147, 179, 221), RGB(37, 66, 109), RGB(208, 218, 234), RGB(72, 128, 212),
     RGB(29, 51, 85), RGB(59, 104, 173)},
};

TEST(LookColors, GradientLookFollowsTheSchemeOfTheStandardTheme) {
  for (const SchemeCase& s : kSchemes) {
    SCOPED_TRACE(s.scheme);
    const UFX_2003_COLORS c = CUfxVisualManager2003::ComputeColors(LunaInputs(s.homestead, s.metallic));
    EXPECT_COLOR(s.tbStart, c.clrToolBarGradientLight);
    EXPECT_COLOR(s.mbLight, c.clrMenuBarGradientLight);
    EXPECT_COLOR(s.tbEnd, c.clrToolBarGradientDark);
    EXPECT_COLOR(s.mbDark, c.clrMenuBarGradientDark);
    EXPECT_COLOR(s.face, c.clrBarFace);
    EXPECT_COLOR(s.shadow, c.clrBarShadow);  // rewritten from the theme's button colours
    EXPECT_COLOR(s.bottom, c.clrToolBarBottomLine);
    EXPECT_COLOR(s.cornerA, c.colorToolBarCornerTop);
    EXPECT_COLOR(s.cornerB, c.colorToolBarCornerBottom);
    EXPECT_COLOR(s.dot, c.clrGripper);
    EXPECT_COLOR(s.separator, c.clrSeparator);
    EXPECT_COLOR(s.dot, c.xp.clrHighlightFrame);
    EXPECT_COLOR(c.clrToolBarGradientDark, c.clrToolBarGradientVertLight);
    EXPECT_COLOR(RGB(238, 199, 123), c.clrHighlightMenuItem);
    EXPECT_COLOR(RGB(255, 255, 255), c.clrHighlightGradientLight);
    EXPECT_COLOR(RGB(230, 184, 94), c.clrHighlightGradientDark);
    EXPECT_COLOR(RGB(29, 68, 124), c.clrCustomizeButtonGradientLight);
    EXPECT_COLOR(RGB(29, 68, 124), c.clrBarDkShadow);
    EXPECT_COLOR(RGB(107, 150, 209), c.clrCustomizeButtonGradientDark);
    EXPECT_COLOR(c.clrHighlightGradientDark, c.clrHighlightDnGradientDark);
    EXPECT_COLOR(c.clrHighlightGradientDark, c.clrHighlightCheckedGradientLight);
    EXPECT_COLOR(c.clrBarShadow, c.clrCaptionBarGradientLight);
    EXPECT_COLOR(c.clrBarDkShadow, c.clrCaptionBarGradientDark);
  }
}

TEST(LookColors, NotTheStandardThemeUsesTheOtherColumn) {
  // Themed clear: the homestead name changes nothing.
  UFX_2003_COLOR_INPUTS a = LunaInputs(TRUE, FALSE), b = LunaInputs(FALSE, FALSE);
  a.bThemed = b.bThemed = FALSE;
  a.buttonFace = b.buttonFace = RGB(245, 245, 245);
  const UFX_2003_COLORS ca = CUfxVisualManager2003::ComputeColors(a), cb = CUfxVisualManager2003::ComputeColors(b);
  EXPECT_COLOR(cb.clrToolBarGradientLight, ca.clrToolBarGradientLight);
  EXPECT_COLOR(cb.clrBarFace, ca.clrBarFace);
  EXPECT_EQ((COLORREF)-1, ca.clrHighlightMenuItem);
}

using WineColors = LooksTest;

TEST_F(WineColors, FlatAndGradientLooksUnderAFreshPrefix) {
  ASSERT_EQ(RGB(245, 245, 245), ::GetSysColor(COLOR_BTNFACE));
  ASSERT_EQ(RGB(48, 150, 250), ::GetSysColor(COLOR_HIGHLIGHT));
  ASSERT_EQ(RGB(255, 255, 255), ::GetSysColor(COLOR_WINDOW));
  ASSERT_EQ(RGB(166, 166, 166), ::GetSysColor(COLOR_BTNSHADOW));
  CUfxVisualManager::SetDefaultManager(RUNTIME_CLASS(CUfxVisualManagerXP));
  auto* xp = static_cast<CUfxVisualManagerXP*>(CUfxVisualManager::GetInstance());
  EXPECT_COLOR(RGB(249, 248, 247), xp->GetColors().clrMenuLight);
  EXPECT_COLOR(RGB(191, 225, 255), xp->GetColors().clrHighlight);
  EXPECT_COLOR(RGB(166, 196, 222), xp->GetColors().clrHighlightDn);
  EXPECT_COLOR(RGB(215, 231, 247), xp->GetColors().clrHighlightChecked);
  EXPECT_COLOR(RGB(245, 245, 245), xp->GetColors().clrToolBar);  // lightness above 0.9: the face itself
  EXPECT_COLOR(RGB(211, 211, 211), xp->GetColors().clrSeparator);
  EXPECT_COLOR(RGB(134, 134, 134), xp->GetColors().clrMenuBorder);
  EXPECT_COLOR(RGB(182, 182, 182), xp->GetColors().clrTabButtonBorder);

  // No "Luna" here: the gradient look runs its column for other themes.
  CUfxVisualManager::SetDefaultManager(RUNTIME_CLASS(CUfxVisualManager2003));
  auto* g = static_cast<CUfxVisualManager2003*>(CUfxVisualManager::GetInstance());
  EXPECT_FALSE(g->IsThemed());
  const UFX_2003_COLORS& c = g->GetSchemeColors();
  EXPECT_COLOR(RGB(245, 245, 245), UfxGlobalData.clrBarFace);
  EXPECT_COLOR(RGB(227, 227, 227), c.clrToolBarGradientLight);
  EXPECT_COLOR(RGB(224, 224, 224), c.clrMenuBarGradientLight);
  EXPECT_COLOR(RGB(255, 255, 255), c.clrToolBarGradientDark);
  EXPECT_COLOR(RGB(222, 222, 222), c.clrToolBarGradientVertDark);
  EXPECT_COLOR(RGB(191, 225, 255), c.clrHighlightGradientLight);
  EXPECT_COLOR(RGB(166, 196, 222), c.clrHighlightGradientDark);
  EXPECT_COLOR(RGB(229, 255, 255), c.clrHighlightDnGradientLight);
  EXPECT_COLOR(RGB(166, 166, 166), c.clrCustomizeButtonGradientLight);
  EXPECT_COLOR(RGB(207, 207, 207), c.clrCustomizeButtonGradientDark);
  EXPECT_COLOR(RGB(255, 255, 255), c.clrHighlightCheckedGradientDark);
  EXPECT_COLOR(RGB(166, 166, 166), c.clrGripper);
  EXPECT_EQ((COLORREF)-1, c.clrHighlightMenuItem);
}

TEST_F(WineColors, OneComputationGivesTheFinalColours) {
  auto* g = new CUfxVisualManager2003();  // made without GetInstance's second computation
  const UFX_2003_COLORS first = g->GetSchemeColors();
  const COLORREF face = UfxGlobalData.clrBarFace;
  g->OnUpdateSystemColors();
  EXPECT_EQ(0, memcmp(&first, &g->GetSchemeColors(), sizeof(first)));
  EXPECT_EQ(face, UfxGlobalData.clrBarFace);
  delete g;
}

TEST_F(WineColors, ATemporaryThemedManagerLeavesTheBarColoursAlone) {
  CUfxVisualManager::SetDefaultManager(RUNTIME_CLASS(CUfxVisualManager2003));
  CUfxVisualManager::GetInstance();
  UfxGlobalData.clrBarShadow = RGB(1, 2, 3);  // as a scheme might have set it
  EXPECT_TRUE(CUfxWinXPVisualManager::IsWinXPThemeAvailable());
  EXPECT_COLOR(RGB(1, 2, 3), UfxGlobalData.clrBarShadow);
}

}  // namespace
