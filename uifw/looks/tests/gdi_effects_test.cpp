// The drawing effects on memory canvases: gradient bands, angled gradients, the ring, the shadow
// and its restoring call, highlight and grey with their transparent colour.
#include "looks/UfxGdiEffects.h"
#include "looks/UfxColorMath.h"
#include "LooksTestKit.h"
#include "frames/UfxGlobalData.h"
#include <gtest/gtest.h>

namespace {

int BandChannel(int start, int finish, int k) { return (start * (64 - k) + finish * k) >> 6; }

TEST(GdiEffects, GradientColumnsRunLeftToRightInSixtyFourBands) {
  CTestCanvas canvas(128, 4);
  CUfxGdiEffects(canvas.dc()).FillGradient(CRect(0, 0, 128, 4), RGB(0, 0, 0), RGB(255, 128, 64), FALSE);
  for (int x : {0, 1, 2, 63, 64, 127}) {
    int k = x / 2;
    EXPECT_EQ(RGB(BandChannel(0, 255, k), BandChannel(0, 128, k), BandChannel(0, 64, k)), canvas.At(x, 2)) << x;
  }
}

TEST(GdiEffects, VerticalGradientStartsAtTheBottomRow) {
  CTestCanvas canvas(4, 64);
  CUfxGdiEffects(canvas.dc()).FillGradient(CRect(0, 0, 4, 64), RGB(200, 0, 0), RGB(0, 0, 200), TRUE);
  EXPECT_EQ(RGB(200, 0, 0), canvas.At(1, 63));
  EXPECT_EQ(RGB(BandChannel(200, 0, 63), 0, BandChannel(0, 200, 63)), canvas.At(1, 0));
  EXPECT_EQ(RGB(BandChannel(200, 0, 32), 0, BandChannel(0, 200, 32)), canvas.At(1, 31));
}

TEST(GdiEffects, NarrowGradientSkipsItsEmptyBands) {
  // Ten columns: the first non-empty band is band 6 (10 x 7 / 64 = 1), the last band 63.
  CTestCanvas canvas(12, 2, RGB(1, 2, 3));
  CUfxGdiEffects(canvas.dc()).FillGradient(CRect(1, 0, 11, 2), RGB(0, 0, 0), RGB(64, 64, 64), FALSE);
  EXPECT_EQ(RGB(6, 6, 6), canvas.At(1, 0));
  EXPECT_EQ(RGB(63, 63, 63), canvas.At(10, 0));
  EXPECT_EQ(RGB(1, 2, 3), canvas.At(0, 0));    // nothing outside
  EXPECT_EQ(RGB(1, 2, 3), canvas.At(11, 0));
}

TEST(GdiEffects, EqualColoursFillSolid) {
  CTestCanvas canvas(70, 3);
  CUfxGdiEffects(canvas.dc()).FillGradient(CRect(0, 0, 70, 3), RGB(9, 8, 7), RGB(9, 8, 7), FALSE);
  EXPECT_EQ(RGB(9, 8, 7), canvas.At(0, 0));
  EXPECT_EQ(RGB(9, 8, 7), canvas.At(69, 2));
}

TEST(GdiEffects, AngledGradients) {
  CTestCanvas canvas(64, 32);
  CUfxGdiEffects effects(canvas.dc());
  // 180 degrees: the finish colour at the left edge, running to the start colour.
  effects.FillGradientAngle(CRect(0, 0, 64, 32), RGB(255, 0, 0), RGB(0, 0, 255), 180);
  EXPECT_EQ(RGB(0, 0, 255), canvas.At(0, 10));
  EXPECT_EQ(RGB(BandChannel(0, 255, 63), 0, BandChannel(255, 0, 63)), canvas.At(63, 10));
  // 45 degrees: the start colour in the top-left corner, nearly the finish in the bottom-right.
  effects.FillGradientAngle(CRect(0, 0, 64, 32), RGB(0, 0, 0), RGB(0, 252, 0), 45);
  EXPECT_EQ(RGB(0, 0, 0), canvas.At(0, 0));
  EXPECT_GT(GetGValue(canvas.At(63, 31)), 240);
  EXPECT_LT(GetGValue(canvas.At(20, 0)), GetGValue(canvas.At(20, 31)));  // lighter further down
}

TEST(GdiEffects, RingRunsFromStartToTheFinishOppositeAndBack) {
  CTestCanvas canvas(30, 30, RGB(255, 255, 255));
  CUfxGdiEffects effects(canvas.dc());
  ASSERT_TRUE(effects.DrawGradientRing(CRect(5, 5, 26, 26), RGB(0, 0, 0), RGB(200, 100, 50), (COLORREF)-1, 0, 1,
                                       RGB(10, 20, 30)));
  EXPECT_EQ(RGB(0, 0, 0), canvas.At(25, 15));      // start angle 0: the right middle
  COLORREF opposite = canvas.At(5, 15);           // the half turn: the finish colour
  EXPECT_NEAR(200, GetRValue(opposite), 1);
  EXPECT_NEAR(100, GetGValue(opposite), 1);
  EXPECT_NEAR(50, GetBValue(opposite), 1);
  COLORREF top = canvas.At(15, 5), bottom = canvas.At(15, 25);  // halfway both ways round
  EXPECT_NEAR(GetRValue(top), GetRValue(bottom), 2);
  EXPECT_NEAR(100, GetRValue(top), 3);
  EXPECT_EQ(RGB(10, 20, 30), canvas.At(15, 15));  // the centre colour inside
  EXPECT_FALSE(effects.DrawGradientRing(CRect(0, 0, 4, 20), 0, 0));
}

TEST(GdiEffects, ShadowRampsFromInnerToOuter) {
  // Depth 4, outer 100, inner 60 on white: 60, 70, 80, 90 % below the rectangle, the bottom band
  // fading in from 100 % at its first column.
  CTestCanvas canvas(80, 80);
  const CRect rect(10, 10, 50, 40);
  ASSERT_TRUE(CUfxGdiEffects(canvas.dc()).DrawShadow(rect, 4, 100, 60));
  const int expected[4] = {153, 178, 204, 229};
  for (int n = 0; n < 4; ++n) {
    EXPECT_EQ(RGB(expected[n], expected[n], expected[n]), canvas.At(30, 40 + n)) << "bottom row " << n;
    EXPECT_EQ(RGB(expected[n], expected[n], expected[n]), canvas.At(50 + n, 25)) << "side column " << n;
  }
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(14, 40));  // first column of the bottom band
  EXPECT_EQ(RGB(229, 229, 229), canvas.At(15, 40));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(50, 14));  // first row of the side band
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(13, 41));  // left of the band: untouched
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(30, 30));  // the rectangle itself
  EXPECT_EQ(RGB(229, 229, 229), canvas.At(53, 43));  // the far corner takes the lighter ramp
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(54, 44));
}

TEST(GdiEffects, ShadowStripsRestoreTheSamePixels) {
  CTestCanvas canvas(80, 80, RGB(200, 180, 160));
  const CRect rect(20, 10, 50, 40);
  CBitmap bottom, side;
  CUfxGdiEffects effects(canvas.dc());
  for (BOOL right : {TRUE, FALSE}) {
    bottom.DeleteObject();
    side.DeleteObject();
    canvas.Fill(RGB(200, 180, 160));
    ASSERT_TRUE(effects.DrawShadow(rect, 5, 100, 65, &bottom, &side, right));
    const auto first = canvas.Pixels();
    ASSERT_NE(nullptr, bottom.GetSafeHandle());
    ASSERT_NE(nullptr, side.GetSafeHandle());
    canvas.Fill(RGB(200, 180, 160));
    ASSERT_TRUE(effects.DrawShadow(rect, 5, 100, 65, &bottom, &side, right));
    EXPECT_TRUE(first == canvas.Pixels()) << "right side " << right;
    // Drawing again over the shadow does not darken it twice.
    ASSERT_TRUE(effects.DrawShadow(rect, 5, 100, 65, &bottom, &side, right));
    EXPECT_TRUE(first == canvas.Pixels()) << "right side " << right;
  }
}

TEST(GdiEffects, ShadowTooDeepDrawsNothing) {
  CTestCanvas canvas(40, 40);
  CUfxGdiEffects effects(canvas.dc());
  EXPECT_TRUE(effects.DrawShadow(CRect(5, 5, 15, 30), 10, 100, 60));
  EXPECT_TRUE(effects.DrawShadow(CRect(5, 5, 15, 30), 0, 100, 60));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(16, 20));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(10, 31));
}

TEST(GdiEffects, HighlightKeepsTheTransparentColour) {
  CTestCanvas canvas(20, 10, RGB(100, 100, 100));
  canvas.dc().FillSolidRect(0, 0, 5, 10, RGB(255, 0, 255));
  CUfxGdiEffects effects(canvas.dc());
  ASSERT_TRUE(effects.HighlightRect(CRect(0, 0, 20, 10), -1, RGB(255, 0, 255)));
  const COLORREF h = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  EXPECT_EQ(RGB(100 + (GetRValue(h) - 100) / 2, 100 + (GetGValue(h) - 100) / 2, 100 + (GetBValue(h) - 100) / 2),
            canvas.At(10, 5));
  EXPECT_EQ(RGB(255, 0, 255), canvas.At(2, 5));
  // A percentage scales every channel; 100 % draws nothing at all.
  canvas.Fill(RGB(0, 100, 200));
  ASSERT_TRUE(effects.HighlightRect(CRect(0, 0, 20, 10), 150));
  EXPECT_EQ(RGB(127, 150, 255), canvas.At(10, 5));
  canvas.Fill(RGB(0, 100, 200));
  ASSERT_TRUE(effects.HighlightRect(CRect(0, 0, 20, 10), 100));
  EXPECT_EQ(RGB(0, 100, 200), canvas.At(10, 5));
  EXPECT_TRUE(effects.HighlightRect(CRect(5, 5, 5, 9)));  // empty
}

TEST(GdiEffects, GrayTurnsPixelsIntoTheirLightness) {
  CTestCanvas canvas(20, 10, RGB(255, 0, 0));
  canvas.dc().FillSolidRect(10, 0, 10, 10, RGB(0, 255, 0));
  canvas.dc().FillSolidRect(0, 0, 3, 10, RGB(1, 2, 3));
  CUfxGdiEffects effects(canvas.dc());
  ASSERT_TRUE(effects.GrayRect(CRect(0, 0, 20, 10), 100, RGB(1, 2, 3)));
  EXPECT_EQ(RGB(127, 127, 127), canvas.At(5, 5));    // lightness 0.5
  EXPECT_EQ(RGB(127, 127, 127), canvas.At(15, 5));
  EXPECT_EQ(RGB(1, 2, 3), canvas.At(1, 5));
  canvas.Fill(RGB(0, 0, 255));
  ASSERT_TRUE(effects.GrayRect(CRect(0, 0, 20, 10), 50));
  EXPECT_EQ(RGB(64, 64, 64), canvas.At(5, 5));       // 127 x 0.5, rounded
}

}  // namespace

namespace {

// The global colour depth set to 8 bits for one test, then given back.
class PaletteScreen {
public:
  PaletteScreen() : m_saved(UfxGlobalData.m_nBitsPerPixel) { Set(8); }
  ~PaletteScreen() { Set(m_saved); }
private:
  static void Set(int bits) {
    UfxGlobalData.m_nBitsPerPixel = bits;
    UfxGlobalData.UpdateLightBrush(bits);
  }
  int m_saved;
};

TEST(GdiEffects, PaletteScreensFillWithTheLightBrush) {
  CTestCanvas expected(16, 16, RGB(10, 20, 30)), canvas(16, 16, RGB(10, 20, 30));
  PaletteScreen palette;
  expected.dc().FillRect(CRect(2, 2, 14, 14), &UfxGlobalData.brLight);
  CUfxGdiEffects effects(canvas.dc());
  ASSERT_TRUE(effects.HighlightRect(CRect(2, 2, 14, 14), -1, RGB(10, 20, 30)));
  EXPECT_TRUE(expected.Pixels() == canvas.Pixels());
  canvas.Fill(RGB(10, 20, 30));
  ASSERT_TRUE(effects.GrayRect(CRect(2, 2, 14, 14), 50));
  EXPECT_TRUE(expected.Pixels() == canvas.Pixels());
}

}  // namespace
